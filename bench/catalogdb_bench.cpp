// The engine layer against the same work written directly on the SQLite C API with a
// prepared statement: Seek ">=" on a 500,000-row Products table, and adding 100,000
// rows through a table recordset in transactions of 100. The *Ratio benchmarks run
// both alternately and report engine time / direct time (goal: at most 1.5).

#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>

#include <chrono>
#include <string>
#include <vector>

using namespace vandrel;

namespace {

constexpr int seekRows = 500000;
constexpr int addRows = 100000;
constexpr int batch = 100;

const char* const columns[] = {
    "ArtikelNummer", "KortingGroep", "ProduktGroep", "TekeningNummer", "TekeningRangVolgorde", "LijnTekeningNummer",
    "ArtNummerLev", "EANNummer", "FabrikantKode", "Omschrijving", "EenheidKode", "BrutoPrijs", "SerieKode",
    "VerpaktPer", "BestelbaarPer", "PrijsPer", "NettoPrijs", "Beschikbaarheid", "StatusKode", "Mutatiedatum",
    "Klassificatie_1", "Klassificatie_2", "Klassificatie_3", "Klassificatie_4", "Beschrijving", "OfferteOms",
    "Flagged", "Deleted"};
constexpr int columnCount = 28;
// Column kinds for the direct code: 0 integer, 1 real, 2 text.
const int kinds[columnCount] = {0, 0, 2, 0, 0, 0, 2, 2, 0, 2, 0, 1, 0, 0, 0, 0, 1, 0, 0, 2, 2, 2, 2, 2, 2, 2, 0, 0};

struct Article {
    QVariant values[columnCount];
};

// The article numbers are spread over 1000000.. in steps of 3, in a scrambled order.
int articleNumber(int i) { return 1000000 + int((qint64(i) * 7919) % seekRows) * 3; }

Article article(int nr)
{
    Article a;
    a.values[0] = nr;
    a.values[1] = nr % 50;
    a.values[2] = QStringLiteral("10%1").arg(nr % 997, 5, 10, QLatin1Char('0'));
    a.values[3] = nr / 10;
    a.values[4] = nr % 20;
    a.values[5] = nr / 7;
    a.values[6] = QStringLiteral("LEV-%1").arg(nr);
    a.values[7] = QStringLiteral("871%1").arg(nr, 10, 10, QLatin1Char('0'));
    a.values[8] = nr % 300;
    a.values[9] = QStringLiteral("Thermostatische radiatorkraan %1 mm haaks").arg(nr % 40);
    a.values[10] = 1;
    a.values[11] = (nr % 10000) / 100.0 + 0.25;
    a.values[12] = nr % 400;
    a.values[13] = 1;
    a.values[14] = 1;
    a.values[15] = 1;
    a.values[16] = (nr % 10000) / 130.0;
    a.values[17] = 1;
    a.values[18] = 0;
    a.values[19] = QDateTime(QDate(2024, 1, 31), QTime(0, 0));
    a.values[20] = QStringLiteral("%1").arg(nr % 120);
    a.values[21] = QStringLiteral("messing");
    a.values[22] = QStringLiteral("chroom");
    a.values[23] = QString();
    a.values[24] = QStringLiteral("Radiatorkraan met voorinstelling, geschikt voor tweepijpssystemen");
    a.values[25] = QStringLiteral("Radiatorkraan");
    a.values[26] = false;
    a.values[27] = false;
    return a;
}

void bindDirect(sqlite3_stmt* s, const Article& a)
{
    for (int c = 0; c < columnCount; ++c) {
        const QVariant& v = a.values[c];
        if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty() && c == 23)) {
            sqlite3_bind_null(s, c + 1);
        } else if (v.typeId() == QMetaType::QString) {
            const QByteArray u = v.toString().toUtf8();
            sqlite3_bind_text(s, c + 1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        } else if (v.typeId() == QMetaType::QDateTime) {
            const QByteArray u = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
            sqlite3_bind_text(s, c + 1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        } else if (v.typeId() == QMetaType::Double) {
            sqlite3_bind_double(s, c + 1, v.toDouble());
        } else if (v.typeId() == QMetaType::Bool) {
            sqlite3_bind_int(s, c + 1, v.toBool() ? -1 : 0);
        } else {
            sqlite3_bind_int64(s, c + 1, v.toLongLong());
        }
    }
}

std::string insertSql()
{
    std::string names, params;
    for (int c = 0; c < columnCount; ++c) {
        names += std::string(c ? "," : "") + columns[c];
        params += c ? ",?" : "?";
    }
    return "INSERT INTO Products (" + names + ") VALUES (" + params + ")";
}

void exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

// A catalog database built by the program, filled with rows.
struct Fixture {
    QTemporaryDir dir;
    QString file;

    explicit Fixture(int rows)
    {
        BuildCatalogDatabase(dir.path() + QLatin1Char('/'), 0);
        file = dir.path() + QLatin1Char('/') + catalogDatabaseName;
        if (rows == 0)
            return;
        sqlite3* db = nullptr;
        sqlite3_open(file.toUtf8().constData(), &db);
        exec(db, "BEGIN");
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, insertSql().c_str(), -1, &s, nullptr);
        for (int i = 0; i < rows; ++i) {
            bindDirect(s, article(articleNumber(i)));
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        sqlite3_finalize(s);
        exec(db, "COMMIT");
        sqlite3_close(db);
    }
};

Fixture& seekFixture()
{
    static Fixture f(seekRows);
    return f;
}

// Keys to look for: mostly between two article numbers, so ">=" does real work.
std::vector<int> seekKeys()
{
    std::vector<int> keys;
    for (int i = 0; i < 4096; ++i)
        keys.push_back(1000000 + int((qint64(i) * 104729) % (seekRows * 3)));
    return keys;
}

// --- Seek ------------------------------------------------------------------------------

struct EngineSeek {
    std::unique_ptr<Database> db = Database::open(seekFixture().file);
    std::unique_ptr<Recordset> rs;
    EngineSeek()
    {
        rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
        rs->setIndex(QStringLiteral("PrimaryKey"));
    }
    qint64 run(int key)
    {
        rs->seek(QStringLiteral(">="), key);
        qint64 sum = 0;
        for (int c = 0; c < columnCount; ++c)
            sum += rs->value(c).isValid();
        return sum + rs->value(0).toInt();
    }
};

struct DirectSeek {
    sqlite3* db = nullptr;
    sqlite3_stmt* s = nullptr;
    DirectSeek()
    {
        sqlite3_open_v2(seekFixture().file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        std::string names = "rowid";
        for (const char* c : columns)
            names += std::string(",") + c;
        const std::string sql = "SELECT " + names
                                + " FROM Products WHERE ArtikelNummer >= ?1 ORDER BY ArtikelNummer, rowid LIMIT 1";
        sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
    }
    ~DirectSeek()
    {
        sqlite3_finalize(s);
        sqlite3_close(db);
    }
    qint64 run(int key)
    {
        // The same work: position on the row and take its values.
        struct Value {
            qint64 i = 0;
            double d = 0;
            std::string t;
            bool null = true;
        } row[columnCount];
        sqlite3_bind_int(s, 1, key);
        qint64 sum = 0;
        if (sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < columnCount; ++c) {
                Value& v = row[c];
                v.null = sqlite3_column_type(s, c + 1) == SQLITE_NULL;
                if (kinds[c] == 0)
                    v.i = sqlite3_column_int64(s, c + 1);
                else if (kinds[c] == 1)
                    v.d = sqlite3_column_double(s, c + 1);
                else if (!v.null)
                    v.t.assign(reinterpret_cast<const char*>(sqlite3_column_text(s, c + 1)), sqlite3_column_bytes(s, c + 1));
                sum += !v.null;
            }
            sum += row[0].i;
        }
        sqlite3_reset(s);
        return sum;
    }
};

void BM_SeekGE_Engine(benchmark::State& state)
{
    EngineSeek e;
    const auto keys = seekKeys();
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(e.run(keys[i++ % keys.size()]));
    state.SetItemsProcessed(state.iterations());
}

void BM_SeekGE_Direct(benchmark::State& state)
{
    DirectSeek d;
    const auto keys = seekKeys();
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(d.run(keys[i++ % keys.size()]));
    state.SetItemsProcessed(state.iterations());
}

template <typename F>
double seconds(F&& f)
{
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_SeekGE_Ratio(benchmark::State& state)
{
    EngineSeek e;
    DirectSeek d;
    const auto keys = seekKeys();
    double engine = 0, direct = 0;
    for (auto _ : state) {
        engine += seconds([&] {
            for (int key : keys)
                benchmark::DoNotOptimize(e.run(key));
        });
        direct += seconds([&] {
            for (int key : keys)
                benchmark::DoNotOptimize(d.run(key));
        });
    }
    const double n = double(state.iterations()) * double(keys.size());
    state.counters["engine_us"] = engine / n * 1e6;
    state.counters["direct_us"] = direct / n * 1e6;
    state.counters["ratio"] = engine / direct;
}

// --- Adding rows -----------------------------------------------------------------------

std::vector<Article> articlesToAdd()
{
    std::vector<Article> list;
    list.reserve(addRows);
    for (int i = 0; i < addRows; ++i)
        list.push_back(article(articleNumber(i)));
    return list;
}

double addThroughEngine(const QString& file, const std::vector<Article>& list, bool sync)
{
    auto db = Database::open(file);
    if (!sync) {
        db->execute(QStringLiteral("PRAGMA synchronous = OFF"));
        db->execute(QStringLiteral("PRAGMA journal_mode = MEMORY"));
    }
    db->execute(QStringLiteral("DELETE * FROM Products"));
    auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
    QStringList names;
    for (const char* c : columns)
        names << QString::fromLatin1(c);
    return seconds([&] {
        for (size_t i = 0; i < list.size(); ++i) {
            if (i % batch == 0)
                db->beginTrans();
            rs->addNew();
            for (int c = 0; c < columnCount; ++c)
                rs->setValue(names[c], list[i].values[c]);
            rs->update();
            if (i % batch == batch - 1 || i + 1 == list.size())
                db->commitTrans();
        }
    });
}

double addDirect(const QString& file, const std::vector<Article>& list, bool sync)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (!sync) {
        exec(db, "PRAGMA synchronous = OFF");
        exec(db, "PRAGMA journal_mode = MEMORY");
    }
    sqlite3_busy_timeout(db, 10000);
    exec(db, "DELETE FROM Products");
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, insertSql().c_str(), -1, &s, nullptr);
    const double t = seconds([&] {
        for (size_t i = 0; i < list.size(); ++i) {
            if (i % batch == 0)
                exec(db, "BEGIN IMMEDIATE");
            bindDirect(s, list[i]);
            sqlite3_step(s);
            sqlite3_reset(s);
            if (i % batch == batch - 1 || i + 1 == list.size())
                exec(db, "COMMIT");
        }
    });
    sqlite3_finalize(s);
    sqlite3_close(db);
    return t;
}

// state.range(0): 1 = every commit waits for the disk (as the program runs), 0 = no
// journal file and no waits (shows the layer's own cost, which the disk otherwise hides).
void BM_Add100k_Ratio(benchmark::State& state)
{
    const bool sync = state.range(0) != 0;
    Fixture f(0);
    const auto list = articlesToAdd();
    double engine = 0, direct = 0;
    for (auto _ : state) {
        engine += addThroughEngine(f.file, list, sync);
        direct += addDirect(f.file, list, sync);
    }
    const double n = double(state.iterations());
    state.counters["engine_s"] = engine / n;
    state.counters["direct_s"] = direct / n;
    state.counters["ratio"] = engine / direct;
}

} // namespace

BENCHMARK(BM_SeekGE_Engine);
BENCHMARK(BM_SeekGE_Direct);
BENCHMARK(BM_SeekGE_Ratio)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Add100k_Ratio)->ArgName("sync")->Arg(0)->Iterations(3)->Unit(benchmark::kSecond);
BENCHMARK(BM_Add100k_Ratio)->ArgName("sync")->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
