#include "documents/documentservices.h"

#include "catalogdb/databasehandles.h"
#include "documents/documentaction.h"
#include "documents/frmbestel.h"
#include "documents/frmofferte.h"

namespace vandrel {

void addDocumentServices(MainWindowServices& services)
{
    services.newOrderWindow = [](const QString& command) -> QWidget* {
        const DocumentDatabases db{databaseHandles().orders.get(), databaseHandles().catalog.get()};
        return FrmBestel::open(db, command);
    };
    services.newQuotationWindow = [](const QString& command, QWidget* mainWindow) -> QWidget* {
        return FrmOfferte::open(databaseHandles().orders.get(), databaseHandles().catalog.get(), mainWindow, command);
    };
    services.sendDocumentCommand = [](QWidget* window, const QString& command) {
        return DocumentAction::send(window, command);
    };
}

} // namespace vandrel
