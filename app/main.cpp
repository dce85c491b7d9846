#include "app/core/commandline.h"
#include "app/core/locations.h"
#include "app/core/qttranslations.h"
#include "app/core/settings.h"
#include "app/firstpaintreport.h"
#include "app/mainmodule.h"
#include "app/programdatabases.h"
#include "app/startupform.h"
#include "browser/articlegrid.h"
#include "browser/frmartinfo.h"
#include "catalogdb/catalogschema.h"

#include <QApplication>
#include <QLocale>
#include <QFileInfo>
#include <QDir>

using namespace vandrel;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vandrel Catalogus"));
    QApplication::setOrganizationName(QStringLiteral("Vandrel"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window ends the program
    // Amounts follow the user's regional settings; a machine without any (the C locale)
    // gets the Dutch ones the program was made for.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    installQtTranslations(); // Qt's own texts in Dutch too
    commandline::set(QApplication::arguments().mid(1));
    programState().programDirectory = locations::programDirectory();

    StartupServices services = defaultStartupServices();
    const auto directoryOf = [](const QString& file) {
        return QDir::toNativeSeparators(QFileInfo(file).absolutePath()) + QDir::separator();
    };
    services.buildCatalogDatabase = [directoryOf](const QString& file) { BuildCatalogDatabase(directoryOf(file), 0); };
    services.buildOrdersDatabase = [directoryOf](const QString& file) { BuildOrdersDatabase(directoryOf(file)); };

    std::unique_ptr<FrmArtinfo> mainWindow;
    services.openMainWindow = [&mainWindow]() -> QWidget* {
        mainWindow = std::make_unique<FrmArtinfo>(programDatabaseServices());
        if (firstPaintReportRequested())
            reportFirstPaint(mainWindow->table3());
        if (!mainWindow->Form_Load()) {
            mainWindow.reset();
            return nullptr;
        }
        return mainWindow.get();
    };

    StartUp splash;
    QWidget* window = nullptr;
    if (Main(splash, services, &window) == StartOutcome::EndProgram)
        return 0;
    return app.exec();
}
