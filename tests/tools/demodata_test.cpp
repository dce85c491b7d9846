#include "tools/demodata/demodata.h"
#include "tools/demodata/ean.h"
#include "tools/demodata/pictures.h"

#include "app/core/cp1252.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <zlib.h>

#include <map>
#include <memory>

using namespace vandrel;
using namespace vandrel::demodata;

namespace {

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Lines of a delivered text file; fails the test on a bare LF or CR.
QList<QByteArray> crlfLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    lines.removeLast();
    for (QByteArray& l : lines) {
        EXPECT_TRUE(l.endsWith('\r')) << l.constData();
        l.chop(1);
        EXPECT_FALSE(l.contains('\r')) << l.constData();
    }
    return lines;
}

// An article record as the import reads it: lines joined with CR LF until one ends in "|".
struct Record {
    QStringList fields;
    int lines = 1;
};

QList<Record> readArticleFile(const QByteArray& bytes)
{
    QList<Record> records;
    const QList<QByteArray> lines = crlfLines(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Record r;
        QString text = cp1252::toUnicode(lines[i]);
        while (!text.endsWith(u'|') && i + 1 < lines.size()) {
            text += QStringLiteral("\r\n") + cp1252::toUnicode(lines[++i]);
            ++r.lines;
        }
        EXPECT_TRUE(text.endsWith(u'|')) << qPrintable(text);
        r.fields = text.split(u'|');
        r.fields.removeLast(); // after the closing "|"
        records.append(r);
    }
    return records;
}

class Sqlite {
public:
    explicit Sqlite(const QString& file)
    {
        EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    }
    ~Sqlite() { sqlite3_close(db_); }
    // Rows of a query as text (blobs as bytes); an unknown column fails the statement.
    std::vector<std::vector<QByteArray>> rows(const QString& sql, QString* error = nullptr) const
    {
        std::vector<std::vector<QByteArray>> out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            if (error)
                *error = QString::fromUtf8(sqlite3_errmsg(db_));
            return out;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<QByteArray> row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto* p = static_cast<const char*>(sqlite3_column_blob(st, c));
                row.emplace_back(p ? QByteArray(p, sqlite3_column_bytes(st, c)) : QByteArray());
            }
            out.push_back(std::move(row));
        }
        sqlite3_finalize(st);
        return out;
    }
    int count(const QString& sql) const
    {
        const auto r = rows(sql);
        return r.empty() ? -1 : r[0][0].toInt();
    }

private:
    sqlite3* db_ = nullptr;
};

// Reads a stored picture back the way the program does: length, zlib stream, picture loader.
QImage loadStoredPicture(const QByteArray& stored, QByteArray* format = nullptr)
{
    if (stored.size() < 4)
        return {};
    const auto* p = reinterpret_cast<const unsigned char*>(stored.constData());
    const uLong length = p[0] | p[1] << 8 | p[2] << 16 | uLong(p[3]) << 24;
    QByteArray data(qsizetype(length), Qt::Uninitialized);
    uLongf got = length;
    if (uncompress(reinterpret_cast<Bytef*>(data.data()), &got, p + 4, uLong(stored.size() - 4)) != Z_OK || got != length)
        return {};
    if (format)
        *format = data.startsWith("\xFF\xD8") ? "JPEG" : data.startsWith("BM") ? "BMP" : "?";
    return QImage::fromData(data); // no format hint: the loader finds it from the bytes
}

// Group level and item data rules of the group tree.
int levelOf(const QString& code)
{
    const QString c = (code + QStringLiteral("000000000")).left(9);
    return (c.mid(1, 2).toInt() == 0 ? 1 : 2) + (c.mid(3, 4).toInt() != 0) + (c.mid(7, 2).toInt() != 0);
}

class DemoDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        options_.articles = 600;
        options_.seed = 7;
        options_.date = QDate(2024, 1, 31);
        QString error;
        ASSERT_TRUE(writeDelivery(dir_->path(), options_, &error)) << qPrintable(error);
        records_ = readArticleFile(readAll(file("ARTINFO.TXT")));
    }
    static void TearDownTestSuite()
    {
        records_.clear();
        dir_.reset();
    }
    static QString file(const char* name) { return QDir(dir_->path()).filePath(QString::fromLatin1(name)); }
    static QList<Record> liveArticles()
    {
        QList<Record> out;
        for (const Record& r : records_)
            if (r.fields.size() == 26 && r.fields[24] != u"*** VERVALLEN ***")
                out.append(r);
        return out;
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline Options options_;
    static inline QList<Record> records_;
};

TEST(Ean, CheckDigits)
{
    struct Case {
        const char* digits;
        int check;
    } cases[] = {{"400638133393", 1}, {"590123412345", 7}, {"978030640615", 7}, {"871125300120", 2},
                 {"000000000000", 0}, {"12345", -1}, {"40063813339a", -1}, {"4006381333931", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(eanCheckDigit(QString::fromLatin1(c.digits)), c.check) << c.digits;
    EXPECT_TRUE(isValidEan13(QStringLiteral("4006381333931")));
    EXPECT_FALSE(isValidEan13(QStringLiteral("4006381333932")));
}

TEST_F(DemoDataTest, SameSeedGivesSameBytesOtherSeedOtherData)
{
    QTemporaryDir again, other;
    ASSERT_TRUE(writeDelivery(again.path(), options_));
    Options changed = options_;
    changed.seed = 8;
    ASSERT_TRUE(writeDelivery(other.path(), changed));
    for (const char* name : {"GRPINFO.TXT", "ARTINFO.TXT", "ADDIINFO.TXT", "ALTEINFO.TXT", "VDCDROM4.MDB"}) {
        const QByteArray first = readAll(file(name));
        ASSERT_FALSE(first.isEmpty()) << name;
        EXPECT_EQ(first, readAll(QDir(again.path()).filePath(QString::fromLatin1(name)))) << name;
    }
    EXPECT_NE(readAll(file("ARTINFO.TXT")), readAll(QDir(other.path()).filePath(QStringLiteral("ARTINFO.TXT"))));
}

TEST_F(DemoDataTest, ArticleRecordsHaveTheImportsFieldsAndEndRecord)
{
    ASSERT_GT(records_.size(), 2);
    const Record& end = records_.last();
    EXPECT_EQ(end.fields, QStringList{QStringLiteral("999999920240131")});

    QSet<int> live, withdrawn;
    int split = 0;
    for (qsizetype i = 0; i + 1 < records_.size(); ++i) {
        const QStringList& f = records_[i].fields;
        ASSERT_EQ(f.size(), 26) << qPrintable(f.join(u'|'));
        bool ok = false;
        const int number = f[0].toInt(&ok);
        EXPECT_TRUE(ok && number > 0 && f[0].size() <= 7) << qPrintable(f[0]);
        EXPECT_FALSE(live.contains(number) || withdrawn.contains(number)) << number;
        (f[24] == u"*** VERVALLEN ***" ? withdrawn : live).insert(number);
        for (int n : {11, 16}) // prices in whole cents
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9][0-9]*$")).match(f[n]).hasMatch()) << qPrintable(f[n]);
        EXPECT_LE(f[16].toLongLong(), f[11].toLongLong());
        EXPECT_TRUE(isValidEan13(f[7])) << qPrintable(f[7]);
        EXPECT_LE(f[6].size(), 15);
        EXPECT_TRUE(QDate::fromString(f[19], QStringLiteral("yyyy-MM-dd")) <= options_.date) << qPrintable(f[19]);
        EXPECT_FALSE(f.join(QString()).contains(u'?')) << "a character outside Windows-1252";
        if (records_[i].lines > 1) {
            ++split;
            EXPECT_EQ(records_[i].lines, 2);
            EXPECT_TRUE(f[25].contains(QStringLiteral("\r\n")));
        }
    }
    EXPECT_EQ(live.size(), options_.articles);
    EXPECT_GE(withdrawn.size(), 3);
    EXPECT_GE(split, 1);
    // The newest change date is the delivery date.
    bool newest = false;
    for (const Record& r : liveArticles())
        newest = newest || r.fields[19] == u"2024-01-31";
    EXPECT_TRUE(newest);
}

TEST_F(DemoDataTest, ArticlesCarryRealisticDutchTexts)
{
    const QByteArray bytes = readAll(file("ARTINFO.TXT"));
    EXPECT_TRUE(bytes.contains("Kogelkraan messing 15 mm knel"));
    EXPECT_TRUE(bytes.contains("Knelknie 90\xB0")) << "degree sign in Windows-1252";
    int quoted = 0, fallback = 0;
    for (const Record& r : liveArticles())
        (r.fields[25].trimmed().isEmpty() ? fallback : quoted)++;
    EXPECT_GT(quoted, 0);
    EXPECT_GT(fallback, 0);
}

TEST_F(DemoDataTest, GroupFileHasAllLevelsInTreeOrder)
{
    const QList<QByteArray> lines = crlfLines(readAll(file("GRPINFO.TXT")));
    QSet<int> levels;
    QSet<QChar> mains;
    QSet<QString> codes;
    int previous = 0;
    for (const QByteArray& raw : lines) {
        const QString line = cp1252::toUnicode(raw);
        if (line.trimmed().isEmpty())
            continue;
        ASSERT_TRUE(line.contains(u'|')) << qPrintable(line);
        const QString code = line.section(u'|', 0, 0);
        EXPECT_FALSE(line.section(u'|', 1).isEmpty());
        const int level = levelOf(code);
        EXPECT_LE(level, previous + 1) << qPrintable(code) << " comes before its parent";
        previous = level;
        levels.insert(level);
        mains.insert(code[0]);
        codes.insert(code);
    }
    EXPECT_EQ(levels, (QSet<int>{1, 2, 3, 4}));
    for (QChar m : {u'1', u'2', u'3', u'4', u'5', u'6'})
        EXPECT_TRUE(mains.contains(m)) << "main group " << m.toLatin1();
    for (const char* c : {"1", "102", "1020010", "102001003"})
        EXPECT_TRUE(codes.contains(QString::fromLatin1(c))) << c;
    EXPECT_EQ(levelOf(QStringLiteral("102001003")), 4);
    EXPECT_EQ(levelOf(QStringLiteral("1020010")), 3);

    // Every article sits in a listed group, and one group is left without articles.
    QSet<QString> used;
    for (const Record& r : liveArticles()) {
        EXPECT_TRUE(codes.contains(r.fields[2]) || codes.contains(r.fields[2].left(7))) << qPrintable(r.fields[2]);
        used.insert(r.fields[2]);
    }
    EXPECT_FALSE(used.contains(QStringLiteral("701000000")));
    EXPECT_TRUE(codes.contains(QStringLiteral("701")));
}

TEST_F(DemoDataTest, RelatedArticleFilesPointAtLiveArticlesAndEndWithEndLine)
{
    QSet<int> live;
    for (const Record& r : liveArticles())
        live.insert(r.fields[0].toInt());
    struct Case {
        const char* file;
        int fields;
    } cases[] = {{"ADDIINFO.TXT", 3}, {"ALTEINFO.TXT", 2}};
    for (const auto& c : cases) {
        const QList<QByteArray> lines = crlfLines(readAll(file(c.file)));
        ASSERT_GT(lines.size(), 2) << c.file;
        EXPECT_EQ(lines.last(), "9999999") << c.file;
        QSet<QByteArray> keys;
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            const QList<QByteArray> f = lines[i].split('|');
            ASSERT_EQ(f.size(), c.fields) << lines[i].constData();
            EXPECT_LE(lines[i].size(), 64);
            EXPECT_TRUE(live.contains(f[0].toInt()) && live.contains(f[1].toInt())) << lines[i].constData();
            EXPECT_NE(f[0], f[1]);
            EXPECT_FALSE(keys.contains(f[0] + '|' + f[1])) << "duplicate key " << lines[i].constData();
            keys.insert(f[0] + '|' + f[1]);
            if (c.fields == 3) {
                EXPECT_GT(f[2].toInt(), 0);
            }
        }
    }
}

TEST_F(DemoDataTest, IllustrationDatabaseHasTheTenTablesWithTheColumnsRead)
{
    Sqlite db(file("VDCDROM4.MDB"));
    const std::map<QString, QString> columns = {
        {"ColorSchemes", "KleurenWaaier, Waaiernaam"},
        {"ColorSpecifications", "KleurenWaaier, KleurNaam, Kleurnaam, KleurCode"},
        {"Drawings", "LijnTekeningNummer, LijnTekening, Titel, LijnTekeningOmschrijving"},
        {"ExplodeItems", "TekeningNummer, LinksBoven_X_As, LinksBoven_Y_As, RechtsOnder_X_As, RechtsOnder_Y_As, GekoppeldeTekening"},
        {"GeneralRemarks", "FabrikantKode, ProduktGroep, SerieKode, Opmerking"},
        {"Illustrations", "TekeningNummer, SerieKode, Tekening, Titel, TekeningOmschrijving"},
        {"Manufacturers", "FabrikantKode, FabrikantNaam"},
        {"ProductGroups", "ProduktGroep, GroepOmschrijving, KlassificatieType_1, KlassificatieNaam_1, KlassificatieType_4, KlassificatieNaam_4"},
        {"Series", "SerieKode, SerieNaam, KleurenWaaier"},
        {"Units", "*"},
    };
    EXPECT_EQ(db.count(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'")), 10);
    for (const auto& [table, cols] : columns) {
        QString error;
        const auto rows = db.rows(QStringLiteral("SELECT %1 FROM %2").arg(cols, table), &error);
        EXPECT_TRUE(error.isEmpty()) << qPrintable(table) << ": " << qPrintable(error);
        EXPECT_FALSE(rows.empty()) << qPrintable(table);
    }
    // Text compares without regard to case, as the program's statements expect.
    EXPECT_GT(db.count(QStringLiteral("SELECT count(*) FROM Series WHERE SerieNaam LIKE '%BRABO SOLO%' AND SerieNaam = 'brabo solo'")), 0);
    // The remark seek goes through the primary index on these three columns.
    const auto index = db.rows(QStringLiteral("SELECT name FROM pragma_index_info('GeneralRemarks!PrimaryKey')"));
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index[0][0] + index[1][0] + index[2][0], "FabrikantKodeProduktGroepSerieKode");
    // Every display type occurs, colours among them, and Null for unused properties.
    QSet<int> types;
    for (int n = 1; n <= 4; ++n)
        for (const auto& r : db.rows(QStringLiteral("SELECT KlassificatieType_%1 FROM ProductGroups WHERE KlassificatieType_%1 IS NOT NULL").arg(n)))
            types.insert(r[0].toInt());
    EXPECT_EQ(types, (QSet<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_GT(db.count(QStringLiteral("SELECT count(*) FROM ProductGroups WHERE KlassificatieType_4 IS NULL")), 0);
}

TEST_F(DemoDataTest, ArticlesReferToWhatTheIllustrationDatabaseHolds)
{
    Sqlite db(file("VDCDROM4.MDB"));
    auto set = [&](const char* sql) {
        QSet<QString> s;
        for (const auto& r : db.rows(QString::fromLatin1(sql)))
            s.insert(QString::fromUtf8(r[0]));
        return s;
    };
    const QSet<QString> illustrations = set("SELECT TekeningNummer FROM Illustrations");
    const QSet<QString> drawings = set("SELECT LijnTekeningNummer FROM Drawings");
    const QSet<QString> series = set("SELECT SerieKode FROM Series");
    const QSet<QString> makers = set("SELECT FabrikantKode FROM Manufacturers");
    const QSet<QString> units = set("SELECT EenheidKode FROM Units");
    int onlyDrawing = 0, none = 0;
    for (const Record& r : liveArticles()) {
        const QStringList& f = r.fields;
        EXPECT_TRUE(f[3] == u"0" || illustrations.contains(f[3])) << qPrintable(f[3]);
        EXPECT_TRUE(f[5] == u"0" || drawings.contains(f[5])) << qPrintable(f[5]);
        EXPECT_TRUE(series.contains(f[12]) && makers.contains(f[8]) && units.contains(f[10])) << qPrintable(f[0]);
        onlyDrawing += f[3] == u"0" && f[5] != u"0";
        none += f[3] == u"0" && f[5] == u"0";
        // A colour value is a colour of the fan of the article's series.
        const auto groupRow = db.rows(QStringLiteral("SELECT KlassificatieType_1, KlassificatieType_2, KlassificatieType_3, "
                                                     "KlassificatieType_4 FROM ProductGroups WHERE ProduktGroep = '%1'")
                                          .arg(f[2].left(5)));
        ASSERT_EQ(groupRow.size(), 1u) << qPrintable(f[2]);
        for (int i = 0; i < 4; ++i)
            if (groupRow[0][i] == "6") {
                EXPECT_EQ(db.count(QStringLiteral("SELECT count(*) FROM ColorSpecifications c, Series s WHERE "
                                                  "s.SerieKode = %1 AND c.KleurenWaaier = s.KleurenWaaier AND c.KleurCode = %2")
                                       .arg(f[12], f[20 + i])),
                          1)
                    << qPrintable(f[0]) << " property " << i + 1;
            }
    }
    EXPECT_GT(onlyDrawing, 0);
    EXPECT_GT(none, 0);
    EXPECT_GT(db.count(QStringLiteral("SELECT count(*) FROM ColorSpecifications WHERE KleurNaam = 'null'")), 0);
}

TEST_F(DemoDataTest, EveryStoredPictureLoadsAtItsSize)
{
    Sqlite db(file("VDCDROM4.MDB"));
    const auto placeholder = db.rows(QStringLiteral("SELECT Tekening, Titel FROM Illustrations WHERE TekeningNummer = 10000"));
    ASSERT_EQ(placeholder.size(), 1u);
    QByteArray format;
    EXPECT_EQ(loadStoredPicture(placeholder[0][0], &format).size(), QSize(480, 360));
    EXPECT_EQ(format, "JPEG");

    const auto pictures = db.rows(QStringLiteral("SELECT TekeningNummer, Tekening, "
                                                 "(SELECT count(*) FROM ExplodeItems e WHERE e.TekeningNummer = i.TekeningNummer) "
                                                 "FROM Illustrations i"));
    ASSERT_GT(pictures.size(), 20u);
    for (const auto& r : pictures) {
        const QImage img = loadStoredPicture(r[1]);
        EXPECT_EQ(img.size(), r[2].toInt() > 0 ? QSize(640, 480) : QSize(480, 360)) << r[0].constData();
    }
    const auto drawings = db.rows(QStringLiteral("SELECT LijnTekeningNummer, LijnTekening FROM Drawings"));
    ASSERT_FALSE(drawings.empty());
    for (const auto& r : drawings) {
        EXPECT_EQ(loadStoredPicture(r[1], &format).size(), lineDrawingSize()) << r[0].constData();
        EXPECT_EQ(format, "BMP");
    }
}

TEST_F(DemoDataTest, HotspotsLieInTheirPictureAndLeadToIllustrationsWithArticles)
{
    Sqlite db(file("VDCDROM4.MDB"));
    QSet<QString> drawnOn;
    for (const Record& r : liveArticles())
        drawnOn.insert(r.fields[3]);
    const auto spots = db.rows(QStringLiteral("SELECT TekeningNummer, LinksBoven_X_As, LinksBoven_Y_As, RechtsOnder_X_As, "
                                              "RechtsOnder_Y_As, GekoppeldeTekening FROM ExplodeItems"));
    ASSERT_GE(spots.size(), 3u);
    for (const auto& s : spots) {
        const QRect r(QPoint(s[1].toInt(), s[2].toInt()), QPoint(s[3].toInt(), s[4].toInt()));
        EXPECT_TRUE(QRect(0, 0, 640, 480).contains(r) && r.width() > 20 && r.height() > 20) << s[0].constData();
        EXPECT_TRUE(drawnOn.contains(QString::fromUtf8(s[5]))) << "hotspot leads to " << s[5].constData();
        EXPECT_TRUE(drawnOn.contains(QString::fromUtf8(s[0]))) << "exploded view " << s[0].constData() << " without articles";
    }
}

} // namespace
