// A copy of the program that only imports: the tests kill it part-way, as a power cut
// or a user's kill would, and look at what it leaves behind.
// Arguments: the catalog database file, the import directory (ending in a separator).
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "exchange/catalogimport.h"

#include <QApplication>
#include <QFileInfo>
#include <QThread>

using namespace vandrel;

namespace {

// Slow on purpose at every batch of 100 articles, so the kill lands inside the import.
struct SlowWindow final : ImportWindow, ProgressMeter {
    ProgressMeter& progress() override { return *this; }
    void setStatusCaption(const QString&) override {}
    void setMainWindowEnabled(bool) override {}
    void open(const QString&, const QString&) override {}
    void setLabel(const QString&) override {}
    void setPercent(int) override {}
    void refresh() override { QThread::msleep(20); }
    void close() override {}
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3)
        return 2;
    auto catalog = Database::open(args.at(1));
    if (!catalog)
        return 3;
    SlowWindow window;
    CatalogImport import(*catalog, window);
    import.setProductFileDirectory(QFileInfo(args.at(1)).absolutePath() + QLatin1Char('/'));
    return import.run(args.at(2), false) ? 0 : 1;
}
