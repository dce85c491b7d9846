#include "app/core/commandline.h"
#include "app/core/settings.h"
#include "app/core/locations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vandrel Catalogus"));
    vandrel::commandline::set(QApplication::arguments().mid(1));
    vandrel::programState().programDirectory = vandrel::locations::programDirectory();
    return 0;
}
