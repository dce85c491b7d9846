#include "app/programdatabases.h"

#include "app/core/locations.h"
#include "app/hostsessions.h"
#include "app/supportpage.h"
#include "browser/databaseservices.h"
#include "documents/documentservices.h"
#include "hostlink/frmsettings.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

namespace vandrel {

namespace {
const char* const afterImportVariable = "VANDREL_STARTED_AFTER_IMPORT";
}

MainWindowServices programDatabaseServices()
{
    MainWindowServices s = databaseServices();
    addDocumentServices(s);
    s.startProgram = [](const QString& program) { QProcess::startDetached(program, {}); };
    s.restartProgram = [] {
        QProcess next;
        next.setProgram(locations::programPath());
        next.setArguments(QCoreApplication::arguments().mid(1));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(afterImportVariable), QStringLiteral("1"));
        next.setProcessEnvironment(environment);
        next.startDetached();
    };
    s.startedAfterImport = takeStartedAfterImport();
    s.loadCommunicationSettings = [](QWidget* parent) { loadCommunicationSettings(parent); };
    s.showCommunicationSettings = [](QWidget* parent) { showCommunicationSettings(parent); };
    s.openSupportPage = [] { openSupportAddress(desktopUrlOpener()); };
    s.startCatalogUpdate = [](FrmArtinfo& window) { runCatalogUpdate(window); };
    s.sendOrders = [](FrmArtinfo& window, const QStringList& files) { runOrderUpload(window, files); };
    return s;
}

bool takeStartedAfterImport()
{
    static const bool started = [] {
        const bool set = qEnvironmentVariableIsSet(afterImportVariable);
        qunsetenv(afterImportVariable);
        return set;
    }();
    return started;
}

} // namespace vandrel
