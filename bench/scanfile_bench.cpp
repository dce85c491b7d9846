// The scan file of 500,000 demo articles: building it from the Products table (goal under
// 1 s), and a two-word description search over it (goal under 20 ms, and at most 2x
// `grep -c -i -F` for the longer word on the same file). The words are taken from an
// article near the end whose longer word first occurs in the last tenth of the file, so
// grep cannot stop early either.

#include "app/core/cp1252.h"
#include "app/core/quickpak.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "exchange/articlefile.h"
#include "tools/demodata/catalogfiles.h"
#include "tools/demodata/catalogworld.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>

using namespace vandrel;
namespace qp = vandrel::quickpak;

namespace {

constexpr int articles = 500000;

struct NoMeter final : ProgressMeter {
    void open(const QString&, const QString&) override {}
    void setLabel(const QString&) override {}
    void setPercent(int) override {}
    void refresh() override {}
    void close() override {}
};

struct Setup {
    QTemporaryDir tmp;
    QString dbFile, scan;
    QString search, longer;
    qint64 rows = 0;

    Setup()
    {
        const QString base = tmp.path() + QLatin1Char('/');
        BuildCatalogDatabase(base, 0);
        dbFile = base + catalogDatabaseName;
        {
            auto db = Database::open(dbFile);
            db->tableDef(QStringLiteral("Products"))->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr"));
        }
        demodata::Options options;
        options.articles = articles;
        demodata::CatalogWorld world(options);
        const QString textFile = base + QStringLiteral("ARTINFO.TXT");
        {
            QFile out(textFile);
            out.open(QIODevice::WriteOnly);
            demodata::writeArticleFile(world, out);
        }
        // Only the two columns the scan file reads, loaded straight in.
        sqlite3* raw = nullptr;
        sqlite3_open(QFile::encodeName(dbFile).constData(), &raw);
        sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* ins = nullptr;
        sqlite3_prepare_v2(raw, "INSERT OR IGNORE INTO Products (ArtikelNr, Beschrijving) VALUES (?1, ?2)", -1, &ins,
                           nullptr);
        QFile in(textFile);
        in.open(QIODevice::ReadOnly);
        ArticleFile reader(in);
        QStringList fields;
        while (reader.readRecord(fields)) {
            const auto nr = articleNumber(fields.at(0));
            if (!nr)
                break;
            if (fields.size() < 25 || isWithdrawn(fields.at(24)))
                continue;
            const QByteArray text = fields.at(24).toUtf8();
            sqlite3_bind_int(ins, 1, *nr);
            sqlite3_bind_text(ins, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            sqlite3_step(ins);
            sqlite3_reset(ins);
        }
        sqlite3_finalize(ins);
        sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(raw);

        scan = base + scanFileName;
        auto db = Database::open(dbFile);
        auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
        rs->setIndex(QStringLiteral("PrimaryKey"));
        rows = rs->recordCount();
        NoMeter meter;
        BuildScanFile(scan, *rs, QStringLiteral("ArtikelNr"), QStringLiteral("Beschrijving"), &meter);
        chooseWords();
    }

    void chooseWords()
    {
        QFile f(scan);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll().toLower();
        const qsizetype tenth = bytes.size() * 9 / 10;
        // From the end backwards: the first entry with a word of 6+ letters not seen before 90 %.
        qsizetype at = bytes.lastIndexOf('@', bytes.size() - 513);
        while (at > tenth) {
            const qsizetype prev = bytes.lastIndexOf('@', at - 1);
            const QByteArray entry = bytes.mid(prev + 1, at - prev - 1);
            const QList<QByteArray> words = entry.mid(entry.indexOf('|') + 1).split(' ');
            for (const QByteArray& w : words) {
                if (w.size() < 6 || bytes.indexOf(w) < tenth)
                    continue;
                for (const QByteArray& other : words) {
                    if (other != w && !other.isEmpty() && other.size() <= w.size()) {
                        longer = cp1252::toUnicode(w);
                        search = cp1252::toUnicode(other + " " + w);
                        return;
                    }
                }
            }
            at = prev;
        }
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

void BM_BuildScanFile500k(benchmark::State& state)
{
    Setup& s = setup();
    auto db = Database::open(s.dbFile);
    auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
    rs->setIndex(QStringLiteral("PrimaryKey"));
    NoMeter meter;
    for (auto _ : state) {
        // As the import calls it: inside one read transaction.
        db->beginTrans();
        const int error = BuildScanFile(s.tmp.path() + QStringLiteral("/build.scn"), *rs, QStringLiteral("ArtikelNr"),
                                        QStringLiteral("Beschrijving"), &meter);
        db->commitTrans();
        if (error != 0)
            state.SkipWithError("build failed");
    }
    state.counters["rows"] = double(s.rows);
    state.counters["file_MB"] = double(QFileInfo(s.tmp.path() + QStringLiteral("/build.scn")).size()) / 1e6;
}

// A whole search: every article found, to the end of the file.
int searchAll(Setup& s, Recordset& rs)
{
    int handle = 0;
    qp::FOpenAll(s.scan, 0, 0, handle);
    qint32 state = -1;
    int hits = 0;
    while (ScanFind(handle, rs, state, s.search))
        ++hits;
    qp::FClose(handle);
    return hits;
}

double grepSeconds(Setup& s)
{
    QProcess p;
    const auto t0 = std::chrono::steady_clock::now();
    p.start(QStringLiteral("grep"), {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"), s.longer, s.scan});
    p.waitForFinished(-1);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_ScanSearchTwoWords(benchmark::State& state)
{
    Setup& s = setup();
    if (s.search.isEmpty()) {
        state.SkipWithError("no search words found");
        return;
    }
    auto db = Database::open(s.dbFile);
    auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
    rs->setIndex(QStringLiteral("PrimaryKey"));
    int hits = 0;
    double scanTotal = 0, grepTotal = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        hits = searchAll(s, *rs);
        const double scanS = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        grepTotal += grepSeconds(s);
        state.ResumeTiming();
        scanTotal += scanS;
    }
    state.SetLabel(s.search.toStdString());
    state.counters["hits"] = hits;
    state.counters["scan_ms"] = 1000 * scanTotal / double(state.iterations());
    state.counters["grep_ms"] = 1000 * grepTotal / double(state.iterations());
    state.counters["ratio"] = scanTotal / grepTotal;
}

} // namespace

BENCHMARK(BM_BuildScanFile500k)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanSearchTwoWords)->Iterations(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
