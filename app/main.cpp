#include "app/core/commandline.h"
#include "app/core/locations.h"
#include "app/core/settings.h"
#include "app/mainmodule.h"
#include "app/startupform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vandrel Catalogus"));
    QApplication::setOrganizationName(QStringLiteral("Vandrel"));
    vandrel::commandline::set(QApplication::arguments().mid(1));
    vandrel::programState().programDirectory = vandrel::locations::programDirectory();

    vandrel::StartupServices services = vandrel::defaultStartupServices();
    vandrel::StartUp splash;
    QWidget* mainWindow = nullptr;
    if (vandrel::Main(splash, services, &mainWindow) == vandrel::StartOutcome::EndProgram)
        return 0;
    return app.exec();
}
