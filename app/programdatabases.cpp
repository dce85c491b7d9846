#include "app/programdatabases.h"

#include "app/core/locations.h"
#include "browser/databaseservices.h"
#include "documents/documentservices.h"

#include <QCoreApplication>
#include <QProcess>

namespace vandrel {

MainWindowServices programDatabaseServices()
{
    MainWindowServices s = databaseServices();
    addDocumentServices(s);
    s.startProgram = [](const QString& program) { QProcess::startDetached(program, {}); };
    s.restartProgram = [] {
        QProcess::startDetached(locations::programPath(), QCoreApplication::arguments().mid(1));
    };
    return s;
}

} // namespace vandrel
