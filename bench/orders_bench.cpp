// An order of 2,000 lines in the real order window: opening its file ("OPEN": read,
// check, rows into BestelRegels, grid filled), saving it (the sound save with fsync),
// and printing it to a PDF file through the markup formatter. Goal: each under 1 s.

#include "app/core/ui.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "documents/documentaction.h"
#include "documents/documentfile.h"
#include "documents/frmbestel.h"
#include "documents/orderfile.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

using namespace vandrel;

namespace {

constexpr int orderLines = 2000;

// Answers every dialog: the order file for the open dialog, OK for messages.
class BenchUi final : public Ui {
public:
    QString file;
    int messages = 0;
    MsgAnswer message(const Message&) override
    {
        ++messages;
        return MsgAnswer::Ok;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return file; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return file; }
};

struct World {
    QTemporaryDir dir;
    BenchUi ui;
    QString orderFile;

    World()
    {
        Ui::install(&ui);
        const QString d = dir.path() + QLatin1Char('/');
        qputenv("VANDREL_PRINT_DIR", QFile::encodeName(d + "pdf"));
        BuildCatalogDatabase(d, 0);
        BuildOrdersDatabase(d);
        OpenCatalogDatabases(d);
        Database* catalog = databaseHandles().catalog.get();
        catalog->beginTrans();
        OrderFileContent order;
        order.reference = QStringLiteral("order van 11-12-2026");
        order.deliveryDate = QStringLiteral("14-12-2026");
        order.address = QStringLiteral("Dorpsstraat 1\r\n1234 AB Ergens");
        for (int i = 1; i <= orderLines; ++i) {
            catalog->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, BrutoPrijs, "
                                            "NettoPrijs, Per, Beschikbaarheid) VALUES (%1, '102000000', "
                                            "'Artikel %1 met een omschrijving', 12.5, 10, 1, %2)")
                                 .arg(1000000 + i)
                                 .arg(i % 4));
            order.lines << OrderFileLine{i % 9 + 1, 1000000 + i, QStringLiteral("Artikel %1 met een omschrijving").arg(i),
                                         Currency::fromCents(1250 * (i % 9 + 1)), Currency::fromCents(1000 * (i % 9 + 1))};
        }
        catalog->commitTrans();
        orderFile = d + "groot.vdb";
        if (DocumentFile::replaceFile(orderFile, writeOrderFile(order)) != 0)
            qFatal("orders_bench: the order file cannot be written");
        ui.file = orderFile;
    }
    ~World() { Ui::install(nullptr); }

    FrmBestel* open()
    {
        auto* w = new FrmBestel({databaseHandles().orders.get(), databaseHandles().catalog.get()});
        DocumentAction::send(w, QStringLiteral("OPEN"));
        return w;
    }
    static void close(FrmBestel* w)
    {
        DocumentAction::send(w, QStringLiteral("CLOSE"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};

World& world()
{
    static World* w = new World;
    return *w;
}

void BM_OpenOrder2000(benchmark::State& state)
{
    World& w = world();
    for (auto _ : state) {
        FrmBestel* window = w.open();
        QCoreApplication::processEvents(); // the grid shows its rows
        state.PauseTiming();
        if (window->content().lines.size() != orderLines)
            state.SkipWithError("order not loaded");
        World::close(window);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOrder2000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SaveOrder2000(benchmark::State& state)
{
    World& w = world();
    FrmBestel* window = w.open();
    const QString copy = w.dir.path() + QStringLiteral("/kopie.vdb");
    for (auto _ : state) {
        if (!window->SaveOrder(copy))
            state.SkipWithError("save failed");
    }
    World::close(window);
}
BENCHMARK(BM_SaveOrder2000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PrintOrder2000ToPdf(benchmark::State& state)
{
    World& w = world();
    FrmBestel* window = w.open();
    for (auto _ : state)
        window->Command1_Click(1); // "Af&drukken"
    World::close(window);
}
BENCHMARK(BM_PrintOrder2000ToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    databaseHandles().closeAll();
    return 0;
}
