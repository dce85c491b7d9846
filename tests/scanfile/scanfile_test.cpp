#include "app/core/cp1252.h"
#include "app/core/quickpak.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

using namespace vandrel;
namespace qp = vandrel::quickpak;

namespace {

struct RecordingMeter final : ProgressMeter {
    QString caption, label;
    QList<int> percents;
    int refreshes = 0;
    bool closed = false;
    void open(const QString& c, const QString& l) override { caption = c, label = l; }
    void setLabel(const QString& l) override { label = l; }
    void setPercent(int p) override { percents << p; }
    void refresh() override { ++refreshes; }
    void close() override { closed = true; }
};

// The catalog database with the working column names the program uses after its first open.
std::unique_ptr<Database> catalog(const test::TestDir& dir)
{
    BuildCatalogDatabase(dir.path(), 0);
    auto db = Database::open(dir.file(catalogDatabaseName));
    if (db) {
        auto products = db->tableDef(QStringLiteral("Products"));
        products->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr"));
    }
    return db;
}

void addArticles(Database& db, const QList<std::pair<QVariant, QVariant>>& rows)
{
    auto rs = db.openRecordset(QStringLiteral("Products"), Recordset::Table);
    ASSERT_TRUE(rs);
    db.beginTrans();
    for (const auto& [key, text] : rows) {
        rs->addNew();
        rs->setValue(QStringLiteral("ArtikelNr"), key);
        rs->setValue(QStringLiteral("Beschrijving"), text);
        ASSERT_TRUE(rs->update()) << PendingError::get().text.toStdString();
    }
    db.commitTrans();
}

std::unique_ptr<Recordset> productsByKey(Database& db)
{
    auto rs = db.openRecordset(QStringLiteral("Products"), Recordset::Table);
    if (rs)
        rs->setIndex(QStringLiteral("PrimaryKey"));
    return rs;
}

QByteArray readAll(const QString& name)
{
    QFile f(name);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Every article ScanFind returns for the text, in order.
QList<int> findAll(const QString& scan, Recordset& products, const QString& text)
{
    int handle = 0;
    qp::FOpenAll(scan, 0, 0, handle);
    QList<int> found;
    qint32 state = -1;
    while (ScanFind(handle, products, state, text) && found.size() < 1000)
        found << products.value(QStringLiteral("ArtikelNr")).toInt();
    qp::FClose(handle);
    return found;
}

// (position, entry) of every ScanNext hit.
QList<std::pair<qint32, QByteArray>> nextAll(const QString& scan, const QList<QByteArray>& words)
{
    int handle = 0;
    qp::FOpenAll(scan, 0, 0, handle);
    QList<std::pair<qint32, QByteArray>> hits;
    qint32 state = -1;
    QByteArray entry;
    qint32 r;
    while ((r = ScanNext(handle, words, int(words.size()), state, entry)) >= 0 && hits.size() < 1000) {
        hits.append({r, entry});
        state = 0;
    }
    qp::FClose(handle);
    return hits;
}

} // namespace

TEST(ScanFile, BuildWritesEntriesInKeyOrderThenTheEndMarks)
{
    test::TestDir dir;
    auto db = catalog(dir);
    ASSERT_TRUE(db);
    addArticles(*db, {{1234568, QStringLiteral("  Kogelkraan 22 mm ")},
                      {1234567, QStringLiteral("Kogelkraan 15 mm")},
                      {17, QVariant()},
                      {18, QStringLiteral("Mail@adres bocht é")}});
    auto rs = productsByKey(*db);
    RecordingMeter meter;
    const QString scan = dir.file(scanFileName);
    ASSERT_EQ(BuildScanFile(scan, *rs, QStringLiteral("ArtikelNr"), QStringLiteral("Beschrijving"), &meter), 0);
    const QByteArray expected = QByteArray("@17|@18|Mail adres bocht \xE9@1234567|Kogelkraan 15 mm@1234568|Kogelkraan 22 mm")
                                + QByteArray(512, '@');
    EXPECT_EQ(readAll(scan), expected);
    EXPECT_EQ(meter.caption, QStringLiteral("ZT-Scanfile v2.0"));
    EXPECT_EQ(meter.label, QStringLiteral("Building scanfile..."));
    EXPECT_TRUE(meter.closed);
}

TEST(ScanFile, EmptyCatalogGivesOnlyTheEndMarksAndFindsNothing)
{
    test::TestDir dir;
    auto db = catalog(dir);
    auto rs = productsByKey(*db);
    RecordingMeter meter;
    const QString scan = dir.file(scanFileName);
    ASSERT_EQ(BuildScanFile(scan, *rs, QStringLiteral("ArtikelNr"), QStringLiteral("Beschrijving"), &meter), 0);
    EXPECT_EQ(readAll(scan), QByteArray(512, '@'));
    EXPECT_TRUE(findAll(scan, *rs, QStringLiteral("kraan")).isEmpty());
}

TEST(ScanFile, AnEmptyFileEndsEverySearchAtOnce)
{
    test::TestDir dir;
    auto db = catalog(dir);
    addArticles(*db, {{1, QStringLiteral("kraan")}});
    auto rs = productsByKey(*db);
    const QString scan = dir.file(scanFileName);
    writeFile(scan, {});
    EXPECT_TRUE(findAll(scan, *rs, QStringLiteral("kraan")).isEmpty());
    EXPECT_TRUE(nextAll(scan, {"kraan"}).isEmpty());
}

TEST(ScanFile, BuildReportsTheFileError)
{
    test::TestDir dir;
    auto db = catalog(dir);
    auto rs = productsByKey(*db);
    RecordingMeter meter;
    const int error = BuildScanFile(dir.file(QStringLiteral("nowhere/") + scanFileName), *rs,
                                    QStringLiteral("ArtikelNr"), QStringLiteral("Beschrijving"), &meter);
    EXPECT_NE(error, 0);
    EXPECT_TRUE(meter.caption.isEmpty()) << "no progress window before the file is open";
}

TEST(ScanFile, ARebuildReplacesTheOldFileOnlyWhenTheNewOneIsWhole)
{
    test::TestDir dir;
    auto db = catalog(dir);
    addArticles(*db, {{1234567, QStringLiteral("Kogelkraan 15 mm")}});
    const QString scan = dir.file(scanFileName);
    const QByteArray old = QByteArray("@1|oud") + QByteArray(512, '@');

    // A new file that cannot be written (a directory stands in its place) leaves the old
    // file untouched.
    writeFile(scan, old);
    QDir().mkpath(scan + QStringLiteral(".new"));
    RecordingMeter meter;
    EXPECT_NE(RebuildScanFile(*db, scan, &meter), 0);
    EXPECT_EQ(readAll(scan), old);
    QDir(scan + QStringLiteral(".new")).removeRecursively();

    // A complete build takes its place, with nothing left beside it.
    EXPECT_EQ(RebuildScanFile(*db, scan, &meter), 0);
    EXPECT_EQ(readAll(scan), QByteArray("@1234567|Kogelkraan 15 mm") + QByteArray(512, '@'));
    EXPECT_FALSE(QFile::exists(scan + QStringLiteral(".new")));
}

TEST(ScanFile, OnlyAFileEndingInItsEndMarksIsComplete)
{
    test::TestDir dir;
    const QString scan = dir.file(scanFileName);
    EXPECT_FALSE(scanFileComplete(scan)) << "missing";
    const QByteArray whole = QByteArray("@1|kraan") + QByteArray(512, '@');
    const QList<std::pair<QByteArray, bool>> cases{
        {whole, true},
        {QByteArray(512, '@'), true},
        {whole.left(whole.size() - 1), false}, // cut short by a build that was killed
        {QByteArray("@1|kraan@2|knie"), false},
        {QByteArray(), false},
    };
    for (const auto& [bytes, complete] : cases) {
        writeFile(scan, bytes);
        EXPECT_EQ(scanFileComplete(scan), complete) << bytes.size();
    }
}

TEST(ScanFile, EveryWordMustOccurInAnyOrderAndCase)
{
    test::TestDir dir;
    auto db = catalog(dir);
    addArticles(*db, {{1234567, QStringLiteral("Kogelkraan 15 mm")},
                      {1234568, QStringLiteral("Kogelkraan 22 mm")},
                      {1234569, QStringLiteral("Knie 15 mm")},
                      {1234570, QStringLiteral("KRAANTJE messing 15")}});
    auto rs = productsByKey(*db);
    RecordingMeter meter;
    const QString scan = dir.file(scanFileName);
    ASSERT_EQ(BuildScanFile(scan, *rs, QStringLiteral("ArtikelNr"), QStringLiteral("Beschrijving"), &meter), 0);
    const QList<std::pair<QString, QList<int>>> cases{
        {QStringLiteral("kraan 15"), {1234567, 1234570}},
        {QStringLiteral("15 kraan"), {1234567, 1234570}},
        {QStringLiteral("  15    KRAAN  "), {1234567, 1234570}},
        {QStringLiteral("kogelkraan 22"), {1234568}},
        {QStringLiteral("15"), {1234567, 1234569, 1234570}},
        {QStringLiteral("kraan 15 messing"), {1234570}},
        {QStringLiteral("kraan 33"), {}},
        {QStringLiteral("   "), {}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(findAll(scan, *rs, text), expected) << text.toStdString();
}

TEST(ScanFile, WordsAreSearchedLongestFirst)
{
    EXPECT_EQ(scanWords(QStringLiteral("a  bbb cc dddd")), (QList<QByteArray>{"dddd", "bbb", "cc", "a"}));
}

TEST(ScanFile, AKeyNoLongerPresentGivesTheNextHigherArticle)
{
    test::TestDir dir;
    auto db = catalog(dir);
    addArticles(*db, {{10, QStringLiteral("bocht")}, {30, QStringLiteral("knie")}});
    auto rs = productsByKey(*db);
    const QString scan = dir.file(scanFileName);
    writeFile(scan, QByteArray("@10|bocht@20|knie oud@30|knie@40|knie weg") + QByteArray(512, '@'));
    EXPECT_EQ(findAll(scan, *rs, QStringLiteral("knie")), (QList<int>{30, 30}));
}

TEST(ScanFile, EntriesAcrossTheChunkBoundaryAreFound)
{
    test::TestDir dir;
    const QString scan = dir.file(scanFileName);
    // One filler entry up to the chosen offset, then the entry under test across 8192.
    auto fileWith = [](int entryStart, const QByteArray& entry) {
        return "@1|" + QByteArray(entryStart - 3, 'x') + entry + QByteArray(512, '@');
    };
    const QByteArray shortEntry = "@999|Kogelkraan 15 mm chroom";
    // Starts 20 bytes before the boundary (inside the 78-byte carry); "chroom" lies after it.
    writeFile(scan, fileWith(8192 - 20, shortEntry));
    auto hits = nextAll(scan, {"chroom", "kogel"});
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(hits[0].first, 8192 - 20 + 1);
    EXPECT_EQ(hits[0].second, QByteArray("999|Kogelkraan 15 mm chroom@"));
    // A long entry starting before the last 78 bytes is carried whole as well.
    const QByteArray longEntry = "@998|Kogelkraan " + QByteArray(150, 'y') + " chroom";
    writeFile(scan, fileWith(8192 - 160, longEntry));
    hits = nextAll(scan, {"chroom", "kogel"});
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(hits[0].first, 8192 - 160 + 1);
    EXPECT_TRUE(hits[0].second.startsWith("998|"));
}

TEST(ScanFile, ARestartPositionReadsFromThere)
{
    test::TestDir dir;
    const QString scan = dir.file(scanFileName);
    writeFile(scan, QByteArray("@1|kraan@2|kraan@3|kraan") + QByteArray(512, '@'));
    int handle = 0;
    qp::FOpenAll(scan, 0, 0, handle);
    QByteArray entry;
    qint32 state = 9; // the "@" of article 2
    EXPECT_EQ(ScanNext(handle, {"kraan"}, 1, state, entry), 9);
    EXPECT_EQ(entry, QByteArray("2|kraan@"));
    state = 5000;
    EXPECT_EQ(ScanNext(handle, {"kraan"}, 1, state, entry), -1) << "beyond the end of the file";
    qp::FClose(handle);
}

TEST(ScanFile, TheMeterStepsEveryHundredthOfTheRows)
{
    for (const auto& [rows, step, last] : {std::tuple{100000, 1000, 100}, std::tuple{150, 2, 75}}) {
        test::TestDir dir;
        auto db = catalog(dir);
        QList<std::pair<QVariant, QVariant>> data;
        for (int i = 1; i <= rows; ++i)
            data.append({i, QStringLiteral("artikel %1").arg(i)});
        addArticles(*db, data);
        auto rs = productsByKey(*db);
        RecordingMeter meter;
        ASSERT_EQ(BuildScanFile(dir.file(scanFileName), *rs, QStringLiteral("ArtikelNr"),
                                QStringLiteral("Beschrijving"), &meter),
                  0);
        ASSERT_EQ(meter.percents.size(), rows / step) << rows;
        for (int i = 0; i < meter.percents.size(); ++i)
            ASSERT_EQ(meter.percents[i], i + 1);
        EXPECT_EQ(meter.percents.last(), last);
        EXPECT_EQ(readAll(dir.file(scanFileName)).count('@'), rows + 512);
    }
}

// Every entry that holds all the words, found by reading the file entry by entry: the
// search must give exactly these, each once, in file order, with its position.
TEST(ScanFile, SearchFindsExactlyTheEntriesThatHoldEveryWord)
{
    test::TestDir dir;
    const QString scan = dir.file(scanFileName);
    const QList<QByteArray> vocabulary = {"Kogelkraan", "kraan", "MESSING", "knel", "15", "22", "mm",
                                          "\xC9\xE9n",  "caf\xE9", "Radiator", "radiatorkraan", "chroom"};
    QByteArray file;
    quint32 seed = 12345;
    auto next = [&seed](quint32 n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int key = 1000; key < 4000; ++key) {
        file += '@' + QByteArray::number(key) + '|';
        const quint32 words = 1 + next(5);
        for (quint32 w = 0; w < words; ++w) {
            QByteArray word = vocabulary[next(quint32(vocabulary.size()))];
            if (next(3) == 0)
                word = word.toUpper();
            file += (w ? " " : "") + word;
        }
        if (next(50) == 0)
            file += ' ' + QByteArray(9000, 'z'); // an entry longer than any read-ahead
    }
    file += QByteArray(512, '@');
    writeFile(scan, file);

    const QList<QList<QByteArray>> searches = {
        {"kraan", "15"}, {"MESSING", "knel", "mm"}, {"\xE9\xE9n"}, {"CAF\xC9", "radiator"}, {"22", "kraan", "chroom"},
        {"nergens"}};
    for (const QList<QByteArray>& words : searches) {
        QList<std::pair<qint32, QByteArray>> expected;
        qsizetype at = 0;
        while ((at = file.indexOf('@', at)) >= 0) {
            const qsizetype nextAt = file.indexOf('@', at + 1);
            if (nextAt < 0)
                break;
            const QByteArray entry = file.mid(at + 1, nextAt - at);
            bool all = !entry.startsWith('@');
            for (const QByteArray& w : words)
                all = all && cp1252::toUnicode(entry).contains(cp1252::toUnicode(w), Qt::CaseInsensitive);
            if (all)
                expected.append({qint32(at + 1), entry});
            at = nextAt;
        }
        QList<QByteArray> longestFirst = words;
        std::stable_sort(longestFirst.begin(), longestFirst.end(),
                         [](const QByteArray& a, const QByteArray& b) { return a.size() > b.size(); });
        const auto hits = nextAll(scan, longestFirst);
        EXPECT_EQ(hits, expected) << words.join(' ').toStdString();
        if (words.first() != "nergens") {
            EXPECT_FALSE(expected.isEmpty()) << "a search that finds nothing proves little";
        }
    }
}
