#include "app/programdatabases.h"

#include "app/core/locations.h"
#include "app/core/settings.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/databasehandles.h"

#include <QCoreApplication>
#include <QProcess>

namespace vandrel {

MainWindowServices programDatabaseServices()
{
    MainWindowServices s;
    s.openCatalogDatabases = [](MainWindowDatabases& db, SettingsWindow* window) {
        const OpenOutcome outcome = OpenCatalogDatabases(programState().productFile, window);
        db.catalog = databaseHandles().catalog.get();
        db.orders = databaseHandles().orders.get();
        return outcome != OpenOutcome::EndProgram;
    };
    s.openIllustrationDatabase = [](MainWindowDatabases& db) {
        const OpenOutcome outcome = OpenIllustrationDatabase(programState().digitalFile);
        db.illustrations = databaseHandles().illustration.get();
        return outcome != OpenOutcome::EndProgram;
    };
    s.closeDatabases = [] { databaseHandles().closeAll(); };
    s.startProgram = [](const QString& program) { QProcess::startDetached(program, {}); };
    s.restartProgram = [] {
        QProcess::startDetached(locations::programPath(), QCoreApplication::arguments().mid(1));
    };
    return s;
}

} // namespace vandrel
