#include "documents/documentservices.h"

#include "catalogdb/databasehandles.h"
#include "documents/documentaction.h"
#include "documents/frmbestel.h"

namespace vandrel {

void addDocumentServices(MainWindowServices& services)
{
    services.newOrderWindow = [](const QString& command) -> QWidget* {
        const DocumentDatabases db{databaseHandles().orders.get(), databaseHandles().catalog.get()};
        return FrmBestel::open(db, command);
    };
    services.sendDocumentCommand = [](QWidget* window, const QString& command) {
        return DocumentAction::send(window, command);
    };
}

} // namespace vandrel
