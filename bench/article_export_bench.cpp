// The article exports over 500,000 articles: the whole catalog as the standard export and
// as the current overview, with the longest stretch between two repaints of the progress
// (the window's responsiveness) as a counter.

#include "app/core/ui.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "exchange/articleexport.h"
#include "exchange/catalogimport.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace vandrel;

namespace {

constexpr int articles = 500000;

// Answers the save dialog with the bench's file and every message with OK.
class BenchUi final : public Ui {
public:
    QString file;
    MsgAnswer message(const Message&) override { return MsgAnswer::Ok; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return file; }
};

// The main window as the export drives it; measures the gaps between repaints.
struct TimingWindow final : ImportWindow, ProgressMeter {
    QElapsedTimer clock;
    qint64 last = 0, longestGap = 0;
    ProgressMeter& progress() override { return *this; }
    void setStatusCaption(const QString&) override {}
    void setMainWindowEnabled(bool) override {}
    void open(const QString&, const QString&) override { tick(); }
    void setLabel(const QString&) override {}
    void setPercent(int) override {}
    void refresh() override { tick(); }
    void close() override { tick(); }
    void tick()
    {
        const qint64 now = clock.elapsed();
        longestGap = std::max(longestGap, now - last);
        last = now;
    }
};

struct Setup {
    QTemporaryDir tmp;
    std::unique_ptr<Database> db;
    Setup()
    {
        const QString base = tmp.path() + QLatin1Char('/');
        BuildCatalogDatabase(base, 0);
        const QString file = base + catalogDatabaseName;
        // The working names the first open gives the columns (the grid's query reads Per).
        {
            std::unique_ptr<Database> catalog = Database::open(file);
            catalog->tableDef(QStringLiteral("Products"))
                ->field(QStringLiteral("ArtikelNummer"))
                ->setName(QStringLiteral("ArtikelNr"));
            catalog->tableDef(QStringLiteral("Products"))->field(QStringLiteral("PrijsPer"))->setName(QStringLiteral("Per"));
        }
        sqlite3* raw = nullptr;
        sqlite3_open(QFile::encodeName(file).constData(), &raw);
        sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* ins = nullptr;
        sqlite3_prepare_v2(
            raw,
            "INSERT INTO Products (ArtikelNr, ProduktGroep, KortingGroep, ArtNummerLev, EANNummer, "
            "Omschrijving, Beschrijving, EenheidKode, BrutoPrijs, VerpaktPer, BestelbaarPer, "
            "Per, "
            "NettoPrijs) VALUES (?1, ?2, 7, ?3, ?4, ?5, ?5, 1, ?6, 1, 1, 1, ?7)",
            -1, &ins, nullptr);
        for (int i = 0; i < articles; ++i) {
            const QByteArray group = QByteArray::number(100000000 + (i % 400) * 1000);
            const QByteArray supplier = "LEV-" + QByteArray::number(i);
            const QByteArray ean = QByteArray::number(8700000000000LL + i);
            const QByteArray text =
                "Kogelkraan " + QByteArray::number(i % 97) + " mm knel messing verchroomd";
            sqlite3_bind_int(ins, 1, 1000000 + i);
            sqlite3_bind_text(ins, 2, group.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(ins, 3, supplier.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(ins, 4, ean.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(ins, 5, text.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(ins, 6, 10.25 + i % 1000);
            sqlite3_bind_double(ins, 7, 7.5 + i % 1000);
            sqlite3_step(ins);
            sqlite3_reset(ins);
        }
        sqlite3_finalize(ins);
        sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(raw);
        db = Database::open(file);
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

void run(benchmark::State& state, bool standard)
{
    Setup& s = setup();
    BenchUi ui;
    Ui::install(&ui);
    ui.file = s.tmp.path() + QStringLiteral("/export.txt");
    ExportSource source;
    source.database = s.db.get();
    source.recordSource =
        QStringLiteral("SELECT ArtikelNr, Beschrijving, BrutoPrijs AS [Bruto excl], Per, "
                       "NettoPrijs AS [Netto excl] FROM Products ORDER BY ProduktGroep, ArtikelNr");
    source.recordCount = articles;
    source.columns = {{QStringLiteral("ArtikelNr"), 8, QStringLiteral("0000000"), false},
                      {QStringLiteral("Beschrijving"), 34, QString(), false},
                      {QStringLiteral("Bruto excl"), 8, QStringLiteral("Standard"), true},
                      {QStringLiteral("Per"), 3, QString(), true},
                      {QStringLiteral("Netto excl"), 8, QStringLiteral("Standard"), true}};
    qint64 longestGap = 0;
    for (auto _ : state) {
        TimingWindow window;
        window.clock.start();
        ArticleExport exporter(window);
        const bool ok = standard ? exporter.runStandard(source) : exporter.runOverview(source);
        if (!ok || exporter.lastCount() != articles)
            state.SkipWithError("export failed");
        longestGap = std::max(longestGap, window.longestGap);
    }
    Ui::install(nullptr);
    state.counters["longest_gap_ms"] = double(longestGap);
    state.counters["file_MB"] = double(QFileInfo(ui.file).size()) / 1e6;
}

void BM_StandardExport500k(benchmark::State& state)
{
    run(state, true);
}
void BM_OverviewExport500k(benchmark::State& state)
{
    run(state, false);
}

BENCHMARK(BM_StandardExport500k)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverviewExport500k)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
