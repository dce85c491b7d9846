#include "browser/databaseservices.h"

#include "app/core/settings.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/databasehandles.h"

namespace vandrel {

MainWindowServices databaseServices()
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
    return s;
}

} // namespace vandrel
