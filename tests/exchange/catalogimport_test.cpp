#include "app/core/privateprofile.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "exchange/catalogimport.h"
#include "exchange/importrecord.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

struct RecordingWindow : ImportWindow, ProgressMeter {
    QStringList captions, labels, statuses;
    QList<int> percents;
    QList<bool> enabled;

    ProgressMeter& progress() override { return *this; }
    void setStatusCaption(const QString& text) override { statuses << text; }
    void setMainWindowEnabled(bool e) override { enabled << e; }
    void open(const QString& c, const QString& l) override { captions << c, labels << l; }
    void setLabel(const QString& l) override { labels << l; }
    void setPercent(int p) override { percents << p; }
    void refresh() override {}
    void close() override {}
};

// 26 fields, or fewer; field numbers as the article file counts them (1-based).
QByteArray article(int number, const QMap<int, QByteArray>& fields = {}, int count = 26)
{
    QMap<int, QByteArray> f{{2, "5"},           {3, "0101"},      {4, "77"},    {5, "2"},
                            {6, "0"},           {7, "LEV-1"},     {8, "8712345678901"},
                            {9, "12"},          {10, "Kraan"},    {11, "1"},    {12, "1999"},
                            {13, "3"},          {14, "10"},       {15, "1"},    {16, "1"},
                            {17, "1500"},       {18, "1"},        {19, "0"},    {20, "20240115"},
                            {21, "K1"},         {22, "K2"},       {23, "K3"},   {24, "K4"},
                            {25, "Kogelkraan 15 mm"}, {26, "Offertetekst"}};
    for (auto it = fields.begin(); it != fields.end(); ++it)
        f[it.key()] = it.value();
    QByteArray line = QByteArray::number(number) + "|";
    for (int i = 2; i <= count; ++i)
        line += f.value(i) + "|";
    return line + "\r\n";
}

class CatalogImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildCatalogDatabase(dir.path(), 0);
        db = Database::open(dir.file(catalogDatabaseName));
        ASSERT_TRUE(db);
        // The working names the program gives the columns on the first open.
        for (const char* table : {"Products", "ScanTemp", "Additionals", "Alternatives"}) {
            auto td = db->tableDef(QLatin1String(table));
            ASSERT_TRUE(td->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr")));
            if (auto* per = td->field(QStringLiteral("PrijsPer"))) {
                ASSERT_TRUE(per->setName(QStringLiteral("Per")));
            }
        }
        importDir = dir.path() + QStringLiteral("import/");
        QDir().mkpath(importDir);
        productDir = dir.path();
    }

    void write(const QString& name, const QByteArray& bytes)
    {
        QFile f(importDir + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    bool run(bool updateMode)
    {
        CatalogImport import(*db, window, actions());
        import.setProductFileDirectory(productDir);
        const bool ok = import.run(importDir, updateMode);
        counts = import.counts();
        return ok;
    }

    ImportActions actions()
    {
        ImportActions a;
        a.startProgram = [this](const QString& p) { calls << QStringLiteral("start ") + QFileInfo(p).fileName(); };
        a.closeDatabase = [this] { calls << QStringLiteral("close"); };
        a.restartProgram = [this] { calls << QStringLiteral("restart"); };
        return a;
    }

    QVariant product(int number, const char* column)
    {
        auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
        rs->setIndex(QStringLiteral("PrimaryKey"));
        rs->seek(QStringLiteral("="), number);
        return rs->noMatch() ? QVariant(QStringLiteral("<absent>")) : rs->value(QLatin1String(column));
    }

    QString column(const QString& sql)
    {
        auto rs = db->openRecordset(sql, Recordset::Dynaset);
        QStringList values;
        for (; rs && !rs->eof(); rs->moveNext())
            values << rs->value(0).toString();
        return values.join(QLatin1Char(','));
    }

    void addProduct(int number, const QString& text)
    {
        auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
        rs->addNew();
        rs->setValue(QStringLiteral("ArtikelNr"), number);
        rs->setValue(QStringLiteral("Beschrijving"), text);
        ASSERT_TRUE(rs->update());
    }

    QString lastProducts()
    {
        return PrivateProfile::getString(QStringLiteral("Updates"), QStringLiteral("LastProducts"),
                                         QStringLiteral("<missing>"), settingsFileName());
    }

    test::TestDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<Database> db;
    QString importDir, productDir;
    RecordingWindow window;
    QStringList calls;
    CatalogImport::Counts counts;
};

} // namespace

TEST_F(CatalogImportTest, FileModeImportsEverythingThenRestarts)
{
    addProduct(1000003, QStringLiteral("gaat vervallen"));
    addProduct(1000001, QStringLiteral("oude tekst"));
    QByteArray file = article(1000001, {{12, "1999"}, {21, ""}})
                      // split over two lines: the description spans the break
                      + "1000002|5|0101|77|2|0|LEV|871|12|Kraan|1|250|3|10|1|1|100|1|0|20240115|K1|K2|K3|K4|Eerste regel\r\n"
                        "tweede regel|Offerte|\r\n"
                      + article(1000003, {{25, "*** vervallen ***"}}) + article(1000004, {{25, "*** VERVALLEN ***"}})
                      + article(1000005, {{25, "Knie 22 mm"}}, 25) + article(1000006, {{26, " "}})
                      + article(1000007, {}, 24); // too few fields: skipped
    write(QStringLiteral("ARTINFO.TXT"), file);
    write(QStringLiteral("ADDIINFO.TXT"), "1000001|1000002|2\r\n1000001|1000005|1\r\n1000002|1000001|3\r\n");
    write(QStringLiteral("ALTEINFO.TXT"), "1000001|1000006\r\n1000002|1000005\r\n9999999\r\n");
    ui.expectMessage(MsgAnswer::Ok);

    ASSERT_TRUE(run(false));

    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text,
              QStringLiteral("De aanmaak van artikelinformatie is gereed. Klik op OK om het programma opnieuw op te starten"));
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("De eerste keer opstarten..."));
    EXPECT_EQ(calls, (QStringList{"close", "restart"}));

    EXPECT_EQ(column(QStringLiteral("SELECT ArtikelNr FROM Products ORDER BY ArtikelNr")),
              QStringLiteral("1000001,1000002,1000005,1000006"));
    EXPECT_EQ(counts.articles, 6) << "both withdrawn records count, the short one does not";
    EXPECT_DOUBLE_EQ(product(1000001, "BrutoPrijs").toDouble(), 19.99);
    EXPECT_DOUBLE_EQ(product(1000001, "NettoPrijs").toDouble(), 15.0);
    EXPECT_EQ(product(1000001, "Beschrijving").toString(), QStringLiteral("Kogelkraan 15 mm"));
    EXPECT_EQ(product(1000001, "Klassificatie_1").toString(), QStringLiteral("0")) << "an empty field reads as 0";
    EXPECT_EQ(product(1000001, "KortingGroep").toInt(), 5);
    EXPECT_EQ(product(1000001, "Per").toInt(), 1);
    EXPECT_EQ(product(1000001, "OfferteOms").toString(), QStringLiteral("Offertetekst"));
    EXPECT_EQ(product(1000002, "Beschrijving").toString(), QStringLiteral("Eerste regel\r\ntweede regel"));
    EXPECT_DOUBLE_EQ(product(1000002, "BrutoPrijs").toDouble(), 2.5);
    // 25 fields: its own description, not the previous record's field 26.
    EXPECT_EQ(product(1000005, "OfferteOms").toString(), QStringLiteral("Knie 22 mm"));
    EXPECT_EQ(product(1000006, "OfferteOms").toString(), QStringLiteral("Kogelkraan 15 mm"));
    EXPECT_EQ(column(QStringLiteral("SELECT COUNT(*) FROM Products WHERE Flagged = TRUE OR Deleted = TRUE")),
              QStringLiteral("0"));

    // Every valid line of ADDIINFO.TXT and ALTEINFO.TXT, the last one too.
    EXPECT_EQ(column(QStringLiteral("SELECT ArtikelNr & '-' & ComplementNummer & 'x' & Aantal FROM Additionals "
                                    "ORDER BY ArtikelNr, ComplementNummer")),
              QStringLiteral("1000001-1000002x2,1000001-1000005x1,1000002-1000001x3"));
    EXPECT_EQ(column(QStringLiteral("SELECT ArtikelNr & '-' & AlternatiefArtikel FROM Alternatives ORDER BY ArtikelNr")),
              QStringLiteral("1000001-1000006,1000002-1000005"));

    QFile scan(productDir + scanFileName);
    ASSERT_TRUE(scan.open(QIODevice::ReadOnly));
    EXPECT_EQ(scan.readAll(), QByteArray("@1000001|Kogelkraan 15 mm@1000002|Eerste regel\r\ntweede regel"
                                         "@1000005|Knie 22 mm@1000006|Kogelkraan 15 mm")
                                  + QByteArray(512, '@'));

    EXPECT_EQ(window.captions,
              (QStringList{"Product update", "Product update", "Product update", "ZT-Scanfile v2.0"}));
    EXPECT_TRUE(window.labels.contains(QStringLiteral("Verwerken databasegegevens...")));
    EXPECT_TRUE(window.labels.contains(QStringLiteral("Verwerken alternatieve artikelen...")));
    ASSERT_FALSE(window.enabled.isEmpty());
    EXPECT_FALSE(window.enabled.first());
    EXPECT_TRUE(window.enabled.last());
    EXPECT_EQ(lastProducts(), QStringLiteral("<missing>")) << "file mode leaves LastProducts alone";
}

TEST_F(CatalogImportTest, UpdateModeStoresTheEndRecordDate)
{
    const QList<std::pair<QByteArray, QString>> cases{
        {"999999920240131|\r\n", QStringLiteral("20240131")},
        {"", QString()},
        {"ENDE|\r\n", QString()},
    };
    for (const auto& [end, expected] : cases) {
        write(QStringLiteral("VDCDINFO"), article(1000001) + end + (end.isEmpty() ? QByteArray() : article(1000002)));
        ASSERT_TRUE(run(true));
        EXPECT_EQ(lastProducts(), expected) << end.toStdString();
        EXPECT_EQ(programState().lastProducts, expected);
        EXPECT_EQ(product(1000002, "ArtikelNr").toString(), QStringLiteral("<absent>")) << "the pass ended";
        EXPECT_EQ(counts.articles, 1);
    }
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_TRUE(calls.isEmpty()) << "no restart in update mode";
}

TEST_F(CatalogImportTest, UpdateModeStartsOrCleansUpTheProgramUpdate)
{
    write(QStringLiteral("VDCDINFO"), article(1000001));
    write(QStringLiteral("CDUPDATE.EXE"), "x");
    write(QStringLiteral("CDUPDATE.DEL"), "x");
    ASSERT_TRUE(run(true));
    EXPECT_FALSE(QFile::exists(importDir + QStringLiteral("CDUPDATE.EXE")));
    EXPECT_FALSE(QFile::exists(importDir + QStringLiteral("CDUPDATE.DEL")));
    EXPECT_TRUE(calls.isEmpty());

    write(QStringLiteral("CDUPDATE.EXE"), "x");
    ui.expectMessage(MsgAnswer::Ok);
    ASSERT_TRUE(run(true));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Software upgrade"));
    EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("Er is nieuwe update van de Vandrel Showrom")));
    EXPECT_EQ(calls, (QStringList{"start CDUPDATE.EXE"}));
}

TEST_F(CatalogImportTest, ADatabaseErrorOnOneArticleIsShownAndTheImportGoesOn)
{
    QByteArray file;
    for (int i = 1; i <= 250; ++i)
        file += article(1000000 + i, i == 7 ? QMap<int, QByteArray>{{3, "GROEPCODE-TE-LANG"}}
                                     : i == 8 ? QMap<int, QByteArray>{{2, "abc"}}
                                              : QMap<int, QByteArray>{});
    write(QStringLiteral("VDCDINFO"), file);
    ui.expectMessage(MsgAnswer::Ok);
    ui.expectMessage(MsgAnswer::Ok);
    ASSERT_TRUE(run(true));
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(ui.messages()[0].text.endsWith(QStringLiteral(" bij artikel 1000007")));
    EXPECT_TRUE(ui.messages()[0].text.contains(QStringLiteral("ProduktGroep")));
    EXPECT_TRUE(ui.messages()[1].text.endsWith(QStringLiteral(" bij artikel 1000008")));
    for (const Message& m : ui.messages()) {
        EXPECT_EQ(m.title, CatalogImport::messageTitle);
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    }
    EXPECT_EQ(column(QStringLiteral("SELECT COUNT(*) FROM Products")), QStringLiteral("248"));
    EXPECT_EQ(product(1000007, "ArtikelNr").toString(), QStringLiteral("<absent>"));
    EXPECT_EQ(counts.articles, 250) << "a record whose store failed still counts";
    // The status caption and meter move every 100 records.
    EXPECT_EQ(window.statuses, (QStringList{" 100 records verwerkt...", " 200 records verwerkt..."}));
    EXPECT_EQ(window.percents.mid(0, 2), (QList<int>{40, 80}));
}

TEST_F(CatalogImportTest, ChangeDatesCompareChronologically)
{
    write(QStringLiteral("VDCDINFO"), article(1000001, {{20, "31-12-2023"}}) + article(1000002, {{20, "20240201"}})
                                          + article(1000003, {{20, "2024-01-15"}}) + article(1000004, {{20, ""}})
                                          + article(1000005, {{20, "09-06-2024"}}));
    ASSERT_TRUE(run(true));
    EXPECT_TRUE(ui.messages().isEmpty());
    auto rs = db->openRecordset(QStringLiteral("SELECT MAX(Mutatiedatum) AS M FROM Products"), Recordset::Dynaset);
    ASSERT_TRUE(rs && !rs->eof());
    EXPECT_TRUE(rs->value(0).toString().startsWith(QStringLiteral("2024-06-09"))) << rs->value(0).toString().toStdString();
    EXPECT_EQ(product(1000001, "Mutatiedatum").toDateTime().date(), QDate(2023, 12, 31));
    EXPECT_TRUE(product(1000004, "Mutatiedatum").isNull());
}

TEST_F(CatalogImportTest, AMissingArticleFileChangesNothing)
{
    addProduct(1000001, QStringLiteral("blijft"));
    write(QStringLiteral("ADDIINFO.TXT"), "1000001|1000002|2\r\n");
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(run(false));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].text.contains(QStringLiteral("ARTINFO.TXT")));
    EXPECT_EQ(ui.messages()[0].title, CatalogImport::messageTitle);
    EXPECT_EQ(product(1000001, "Beschrijving").toString(), QStringLiteral("blijft"));
    EXPECT_EQ(column(QStringLiteral("SELECT COUNT(*) FROM Additionals")), QStringLiteral("0"));
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_FALSE(QFile::exists(productDir + scanFileName));
}

TEST_F(CatalogImportTest, MissingPairFilesLeaveTheirTablesEmpty)
{
    auto rs = db->openRecordset(QStringLiteral("Additionals"), Recordset::Table);
    rs->addNew();
    rs->setValue(QStringLiteral("ArtikelNr"), 1);
    rs->setValue(QStringLiteral("ComplementNummer"), 2);
    ASSERT_TRUE(rs->update());
    write(QStringLiteral("VDCDINFO"), article(1000001));
    ASSERT_TRUE(run(true));
    EXPECT_EQ(column(QStringLiteral("SELECT COUNT(*) FROM Additionals")), QStringLiteral("0"));
    EXPECT_EQ(counts.additionals, 0);
}

TEST_F(CatalogImportTest, AnEndRecordClosesThePairFilesAndIsNeverARow)
{
    // The last real line is still imported; the end record, wherever the file ends, not.
    const QList<std::pair<QByteArray, QByteArray>> cases{
        {"1000001|1000002|2\r\n1000002|1000001|3\r\n9999999|20240131|\r\n", "1000001|1000006\r\n9999999|20240131|"},
        {"1000001|1000002|2\r\n1000002|1000001|3\r\n9999999|20240131|", "1000001|1000006\r\n9999999|20240131|\r\n"},
        {"1000001|1000002|2\r\n1000002|1000001|3", "1000001|1000006"},
    };
    for (const auto& [addi, alte] : cases) {
        write(QStringLiteral("VDCDINFO"), article(1000001));
        write(QStringLiteral("ADDIINFO.TXT"), addi);
        write(QStringLiteral("ALTEINFO.TXT"), alte);
        ASSERT_TRUE(run(true));
        EXPECT_EQ(column(QStringLiteral("SELECT ArtikelNr & '-' & ComplementNummer FROM Additionals ORDER BY ArtikelNr")),
                  QStringLiteral("1000001-1000002,1000002-1000001"))
            << addi.toStdString();
        EXPECT_EQ(column(QStringLiteral("SELECT ArtikelNr & '-' & AlternatiefArtikel FROM Alternatives")),
                  QStringLiteral("1000001-1000006"))
            << alte.toStdString();
        EXPECT_EQ(counts.additionals, 2);
        EXPECT_EQ(counts.alternatives, 1);
    }
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messageTexts().join(u'|').toStdString();
}

TEST_F(CatalogImportTest, TheCatalogNotesAnImportUnderWayAndFinished)
{
    EXPECT_FALSE(ImportRecord::read(*db)) << "a new catalog holds no note";
    EXPECT_FALSE(ImportRecord::interrupted(*db));

    // Seen from inside the import: the note says "under way" while articles are stored.
    struct Peek final : RecordingWindow {
        Database* db = nullptr;
        std::optional<ImportRecord::Entry> seen;
        void setStatusCaption(const QString& text) override
        {
            if (!seen)
                seen = ImportRecord::read(*db);
            RecordingWindow::setStatusCaption(text);
        }
    } peek;
    peek.db = db.get();
    QByteArray file;
    for (int i = 1; i <= 150; ++i)
        file += article(1000000 + i);
    write(QStringLiteral("VDCDINFO"), file);
    CatalogImport import(*db, peek, actions());
    import.setProductFileDirectory(productDir);
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    ASSERT_TRUE(import.run(importDir, true));
    ASSERT_TRUE(peek.seen);
    EXPECT_FALSE(peek.seen->finished);
    EXPECT_EQ(peek.seen->directory, importDir);
    EXPECT_TRUE(peek.seen->updateMode);

    const auto after = ImportRecord::read(*db);
    ASSERT_TRUE(after);
    EXPECT_TRUE(after->finished);
    EXPECT_EQ(after->articles, 150);
    EXPECT_GE(after->started, before);
    EXPECT_GE(after->ended, after->started);
    EXPECT_FALSE(ImportRecord::interrupted(*db));
    EXPECT_EQ(db->tableDefCount(), 5) << "one table more, and the four the program checks for";
}

TEST_F(CatalogImportTest, AnArticleFileWithoutArticlesSaysSoAndDoesNotRestart)
{
    const QList<QByteArray> files{QByteArray(), QByteArray("\r\n\r\n"), QByteArray("geen artikelen|\r\n"),
                                  QByteArray("\x1a")};
    for (const QByteArray& bytes : files) {
        ui.clearRecorded();
        write(QStringLiteral("ARTINFO.TXT"), bytes);
        ui.expectMessage(MsgAnswer::Ok);
        EXPECT_TRUE(run(false));
        ASSERT_EQ(ui.messages().size(), 1) << bytes.toStdString();
        EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("Er zijn geen artikelen ingelezen")));
        EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
        EXPECT_TRUE(calls.isEmpty()) << "no restart: the next copy would import nothing again";
        EXPECT_EQ(counts.articles, 0);
    }
}

namespace {

// Overwrites pages in the middle of the file, as a failing disk would.
void damagePages(const QString& file, qint64 firstPage, qint64 pages)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const qint64 pageSize = 4096;
    ASSERT_GT(f.size(), (firstPage + pages) * pageSize);
    f.seek(firstPage * pageSize);
    f.write(QByteArray(pages * pageSize, '\xA5'));
}

} // namespace

TEST_F(CatalogImportTest, ADamagedDatabaseStopsTheImportWithOneMessage)
{
    ASSERT_TRUE(db->beginTrans());
    for (int i = 1; i <= 3000; ++i)
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, Beschrijving, OfferteOms) VALUES "
                                               "(%1, 'Een lange omschrijving van artikel %1', 'Offertetekst %1')")
                                    .arg(1000000 + i)));
    ASSERT_TRUE(db->commitTrans());
    db.reset();
    damagePages(dir.file(catalogDatabaseName), 40, 60);
    db = Database::open(dir.file(catalogDatabaseName));
    ASSERT_TRUE(db);

    QByteArray file;
    for (int i = 1; i <= 3000; ++i)
        file += article(1000000 + i);
    write(QStringLiteral("ARTINFO.TXT"), file);
    write(QStringLiteral("ADDIINFO.TXT"), "1000001|1000002|2\r\n");
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(run(false));

    ASSERT_EQ(ui.messages().size(), 1) << ui.messageTexts().join(u'|').toStdString();
    EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("De artikeldatabase kan niet worden bijgewerkt:")));
    EXPECT_TRUE(ui.messages()[0].text.contains(QStringLiteral("beschadigd")));
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(calls.isEmpty()) << "no restart after a stop";
    EXPECT_LT(counts.articles, 3000);
    EXPECT_FALSE(QFile::exists(productDir + scanFileName)) << "no scan file of a partial catalog";
    ASSERT_FALSE(window.enabled.isEmpty());
    EXPECT_TRUE(window.enabled.last()) << "the main window is usable again";
}

// The restart closes the catalog (the program ends this copy next): nothing of the import
// may touch the database after that (a fault the address sanitizer shows).
TEST_F(CatalogImportTest, NothingTouchesTheDatabaseAfterItIsClosedForTheRestart)
{
    write(QStringLiteral("ARTINFO.TXT"), article(1000001));
    ui.expectMessage(MsgAnswer::Ok);
    ImportActions a;
    a.closeDatabase = [this] { db.reset(); };
    {
        CatalogImport import(*db, window, a);
        import.setProductFileDirectory(productDir);
        EXPECT_TRUE(import.run(importDir, false));
    }
    EXPECT_FALSE(db);
    auto reopened = Database::open(dir.file(catalogDatabaseName));
    ASSERT_TRUE(reopened);
    auto rs = reopened->openRecordset(QStringLiteral("SELECT ArtikelNr FROM Products"));
    EXPECT_EQ(rs->recordCount(), 1);
}

TEST_F(CatalogImportTest, AFullDiskStopsTheImportWithOneMessage)
{
    // The engine keeps the limit at the catalog's present size: it may not grow at all,
    // and every further article fails as it would on a full disk.
    ASSERT_TRUE(db->execute(QStringLiteral("PRAGMA max_page_count = 1")));

    QByteArray file;
    for (int i = 1; i <= 3000; ++i)
        file += article(1000000 + i);
    write(QStringLiteral("ARTINFO.TXT"), file);
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(run(false));

    ASSERT_EQ(ui.messages().size(), 1) << ui.messageTexts().join(u'|').toStdString();
    EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("De artikeldatabase kan niet worden bijgewerkt:")));
    EXPECT_TRUE(ui.messages()[0].text.contains(QStringLiteral("De schijf is vol")));
    EXPECT_TRUE(calls.isEmpty()) << "no restart after a stop";
    EXPECT_LT(counts.articles, 3000);
    ASSERT_FALSE(window.enabled.isEmpty());
    EXPECT_TRUE(window.enabled.last()) << "the main window is usable again";
}
