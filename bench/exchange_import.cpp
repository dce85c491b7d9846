// The ASCII catalog import of 100,000 demo articles (update mode: articles, the Flagged
// reset and the scan file), against loading the same rows into the same table with the
// sqlite3 command-line tool's .import. Goal: import under 2 s, at most 3x the tool.

#include "app/core/ui.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "exchange/articlefile.h"
#include "exchange/catalogimport.h"
#include "tools/demodata/catalogfiles.h"
#include "tools/demodata/catalogworld.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>

using namespace vandrel;

namespace {

constexpr int articles = 100000;

struct QuietUi final : Ui {
    int messages = 0;
    MsgAnswer message(const Message&) override { return ++messages, MsgAnswer::Ok; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return {}; }
};

struct NoWindow final : ImportWindow, ProgressMeter {
    ProgressMeter& progress() override { return *this; }
    void setStatusCaption(const QString&) override {}
    void setMainWindowEnabled(bool) override {}
    void open(const QString&, const QString&) override {}
    void setLabel(const QString&) override {}
    void setPercent(int) override {}
    void refresh() override {}
    void close() override {}
};

struct Setup {
    QTemporaryDir tmp;
    QString templateDb, importDir, cliRows;
    qint64 rows = 0;

    Setup()
    {
        qputenv("VANDREL_WINDIR", QFile::encodeName(tmp.path()));
        const QString base = tmp.path() + QLatin1Char('/');
        QDir().mkpath(base + QStringLiteral("template"));
        BuildCatalogDatabase(base + QStringLiteral("template/"), 0);
        templateDb = base + QStringLiteral("template/") + catalogDatabaseName;
        {
            auto db = Database::open(templateDb);
            auto td = db->tableDef(QStringLiteral("Products"));
            td->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr"));
            td->field(QStringLiteral("PrijsPer"))->setName(QStringLiteral("Per"));
        }
        importDir = base + QStringLiteral("import/");
        QDir().mkpath(importDir);
        demodata::Options options;
        options.articles = articles;
        demodata::CatalogWorld world(options);
        QFile out(importDir + QStringLiteral("VDCDINFO"));
        out.open(QIODevice::WriteOnly);
        demodata::writeArticleFile(world, out);
        out.close();

        // The same articles as the tool loads them: one line each, 28 columns.
        QFile in(importDir + QStringLiteral("VDCDINFO"));
        in.open(QIODevice::ReadOnly);
        ArticleFile reader(in);
        cliRows = base + QStringLiteral("rows.txt");
        QFile cli(cliRows);
        cli.open(QIODevice::WriteOnly);
        QStringList fields;
        QSet<qint32> seen;
        while (reader.readRecord(fields)) {
            const auto nr = articleNumber(fields.at(0));
            if (!nr)
                break;
            if (fields.size() < 25 || isWithdrawn(fields.at(24)) || seen.contains(*nr))
                continue;
            seen.insert(*nr);
            while (fields.size() < 26)
                fields << fields.at(24);
            QString line = fields.mid(0, 26).join(QLatin1Char('|')) + QStringLiteral("|-1|0\n");
            line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
            cli.write(line.toUtf8());
            ++rows;
        }
    }

    QString freshCopy(const QString& name) const
    {
        const QString f = tmp.path() + QLatin1Char('/') + name;
        QFile::remove(f);
        QFile::copy(templateDb, f);
        return f;
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

// sync false: without waiting for the disk at each commit, to show the work itself.
double runImport(bool sync)
{
    Setup& s = setup();
    const QString file = s.freshCopy(QStringLiteral("import.mdb"));
    auto db = Database::open(file);
    if (!sync)
        db->execute(QStringLiteral("PRAGMA synchronous = OFF"));
    QuietUi ui;
    Ui::install(&ui);
    NoWindow window;
    CatalogImport import(*db, window);
    import.setProductFileDirectory(s.tmp.path() + QLatin1Char('/'));
    const auto t0 = std::chrono::steady_clock::now();
    import.run(s.importDir, true);
    const auto t1 = std::chrono::steady_clock::now();
    Ui::install(nullptr);
    if (ui.messages != 0 || import.counts().articles < articles)
        return -1;
    return std::chrono::duration<double>(t1 - t0).count();
}

double runCli(bool sync)
{
    Setup& s = setup();
    const QString file = s.freshCopy(QStringLiteral("cli.mdb"));
    QProcess p;
    const auto t0 = std::chrono::steady_clock::now();
    p.start(QStringLiteral("sqlite3"), {file, sync ? QStringLiteral("PRAGMA synchronous = FULL;") : QStringLiteral("PRAGMA synchronous = OFF;"), QStringLiteral(".mode ascii"), QStringLiteral(".separator | \\n"),
                                        QStringLiteral(".import ") + s.cliRows + QStringLiteral(" Products")});
    p.waitForFinished(-1);
    const auto t1 = std::chrono::steady_clock::now();
    if (p.exitCode() != 0)
        return -1;
    return std::chrono::duration<double>(t1 - t0).count();
}

void BM_Import100k(benchmark::State& state)
{
    setup();
    for (auto _ : state) {
        const double s = runImport(state.range(0) != 0);
        if (s < 0)
            state.SkipWithError("import failed");
        state.SetIterationTime(s);
    }
    state.counters["articles"] = double(articles);
}

void BM_Import100k_RatioToSqliteCli(benchmark::State& state)
{
    setup();
    double engine = 0, cli = 0;
    for (auto _ : state) {
        const double e = runImport(state.range(0) != 0);
        const double c = runCli(state.range(0) != 0);
        if (e < 0 || c < 0) {
            state.SkipWithError("import or sqlite3 failed");
            return;
        }
        engine += e;
        cli += c;
        state.SetIterationTime(e);
    }
    state.counters["import_s"] = engine / double(state.iterations());
    state.counters["sqlite3_cli_s"] = cli / double(state.iterations());
    state.counters["ratio"] = engine / cli;
    state.counters["cli_rows"] = double(setup().rows);
}

} // namespace

// sync 1 is the program as shipped (the disk is waited for at each commit of 100).
BENCHMARK(BM_Import100k)->ArgName("sync")->Arg(0)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import100k)->ArgName("sync")->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import100k_RatioToSqliteCli)->ArgName("sync")->Arg(0)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import100k_RatioToSqliteCli)->ArgName("sync")->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
