#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "exchange/articleexport.h"
#include "exchange/catalogimport.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace vandrel;

namespace {

struct RecordingWindow final : ImportWindow, ProgressMeter {
    QStringList statuses;
    QList<bool> enabled;
    ProgressMeter& progress() override { return *this; }
    void setStatusCaption(const QString& text) override { statuses << text; }
    void setMainWindowEnabled(bool e) override { enabled << e; }
    void open(const QString&, const QString&) override {}
    void setLabel(const QString&) override {}
    void setPercent(int) override {}
    void refresh() override {}
    void close() override {}
};

class ArticleExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildCatalogDatabase(dir.path(), 0);
        db = Database::open(dir.file(catalogDatabaseName));
        ASSERT_TRUE(db);
        for (const char* table : {"Products", "ScanTemp", "Additionals", "Alternatives"}) {
            auto td = db->tableDef(QLatin1String(table));
            ASSERT_TRUE(td->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr")));
            if (auto* per = td->field(QStringLiteral("PrijsPer"))) {
                ASSERT_TRUE(per->setName(QStringLiteral("Per")));
            }
        }
        // Group 10200 holds four articles whose description order differs from their
        // number order; one has no EAN number, one a description with an accent.
        add(1000004, "10200", "Afsluiter", "8712345000004", 12.5);
        add(1000001, "10200", "Zeskant nippel", "8712345000001", 3.0);
        add(1000003, "10200", QString::fromUtf8("Kogelkraan ¾ inch"), QString(), 21.1234);
        add(1000002, "10200", "Bocht 90", "8712345000002", 1.75);
        add(2000001, "20100", "Radiator", "8712345999999", 250.0);
    }

    void add(int number, const QString& group, const QString& text, const QString& ean, double gross)
    {
        auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
        rs->addNew();
        rs->setValue(QStringLiteral("ArtikelNr"), number);
        rs->setValue(QStringLiteral("ProduktGroep"), group);
        rs->setValue(QStringLiteral("KortingGroep"), 7);
        rs->setValue(QStringLiteral("ArtNummerLev"), QStringLiteral("LEV-%1").arg(number));
        if (!ean.isEmpty())
            rs->setValue(QStringLiteral("EANNummer"), ean);
        rs->setValue(QStringLiteral("Omschrijving"), text);
        rs->setValue(QStringLiteral("Beschrijving"), text);
        rs->setValue(QStringLiteral("EenheidKode"), 1);
        rs->setValue(QStringLiteral("BrutoPrijs"), gross);
        rs->setValue(QStringLiteral("VerpaktPer"), 1);
        rs->setValue(QStringLiteral("BestelbaarPer"), 1);
        rs->setValue(QStringLiteral("Per"), 1);
        ASSERT_TRUE(rs->update());
    }

    QString exportFile() const { return dir.file(QStringLiteral("export.txt")); }

    QByteArray readExport() const
    {
        QFile f(exportFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }

    // The lines the file must hold, read straight from the file with SQLite's own API.
    QList<QByteArray> independentReading(const char* sql)
    {
        sqlite3* raw = nullptr;
        EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(dir.file(catalogDatabaseName)).constData(), &raw,
                                  SQLITE_OPEN_READONLY, nullptr),
                  SQLITE_OK);
        sqlite3_stmt* s = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(raw, sql, -1, &s, nullptr), SQLITE_OK);
        QList<QByteArray> lines;
        while (sqlite3_step(s) == SQLITE_ROW) {
            QString text;
            for (int i = 0; i < sqlite3_column_count(s); ++i) {
                QString v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)));
                if (sqlite3_column_type(s, i) == SQLITE_FLOAT) // the locale's decimal comma
                    v = QLocale().toString(sqlite3_column_double(s, i), 'g', 15);
                text += v + QLatin1Char('|');
            }
            lines << text.toLatin1() + "\r\n";
        }
        sqlite3_finalize(s);
        sqlite3_close(raw);
        return lines;
    }

    ExportSource source(const QString& recordSource)
    {
        ExportSource s;
        s.database = db.get();
        s.recordSource = recordSource;
        auto rs = db->openRecordset(recordSource, Recordset::Dynaset, Recordset::ReadOnly);
        s.recordCount = rs ? rs->recordCount() : 0;
        return s;
    }

    test::TestDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<Database> db;
    RecordingWindow window;
};

TEST_F(ArticleExportTest, StandardExportOfGroupOrderedByDescriptionMatchesAnIndependentReading)
{
    const QString grid = QStringLiteral("SELECT ArtikelNr, Beschrijving, Brutoprijs AS [Bruto excl] FROM Products "
                                        "WHERE ProduktGroep LIKE '10200*' ORDER BY Omschrijving");
    ui.expectFile(exportFile());
    ui.expectMessage(MsgAnswer::Ok);
    ArticleExport exporter(window);
    ASSERT_TRUE(exporter.runStandard(source(grid)));

    EXPECT_EQ(ui.fileRequests().at(0).title, QStringLiteral("Exporteren artikelgegevens"));
    EXPECT_EQ(ui.fileRequests().at(0).fileName, QStringLiteral("Vandrel.txt"));
    EXPECT_EQ(ui.fileRequests().at(0).filter, QStringLiteral("Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*||"));
    EXPECT_EQ(ui.messageTexts().last(), QStringLiteral("Export van 4 artikelgegevens is gereed"));
    EXPECT_EQ(ui.messages().last().icon, MsgIcon::Information);
    EXPECT_EQ(window.enabled, (QList<bool>{false, true}));

    QByteArray expected = "ArtikelNr|ProduktGroep|KortingGroep|ArtNummerLev|EANNummer|Omschrijving|Eenheidkode|"
                          "Brutoprijs|VerpaktPer|BestelbaarPer|Per|NettoPrijs|\r\n";
    const QList<QByteArray> rows = independentReading(
        "SELECT ArtikelNr, ProduktGroep, KortingGroep, ArtNummerLev, EANNummer, Omschrijving, EenheidKode, "
        "BrutoPrijs, VerpaktPer, BestelbaarPer, Per, NettoPrijs FROM Products "
        "WHERE ProduktGroep LIKE '10200%' ORDER BY Omschrijving COLLATE NOCASE");
    ASSERT_EQ(rows.size(), 4);
    for (const QByteArray& r : rows)
        expected += r;
    // The independent reading knows nothing of the code page: the accent is the one
    // byte Windows-1252 has for it.
    expected.replace(QByteArray("\xC2\xBE"), QByteArray("\xBE"));
    const QByteArray written = readExport();
    EXPECT_EQ(written, expected);
    // The grid's order (by description), and the article without EAN number.
    EXPECT_TRUE(written.contains("\r\n1000004|10200|7|LEV-1000004|8712345000004|Afsluiter|1|12,5|1|1|1||\r\n"
                                 "1000002|"));
    EXPECT_TRUE(written.contains("1000003|10200|7|LEV-1000003||Kogelkraan \xBE inch|1|21,1234|"));
}

TEST_F(ArticleExportTest, StandardQueryFollowsTheShownSelection)
{
    struct Case {
        const char* recordSource;
        const char* query;
    } cases[] = {
        {"SELECT ArtikelNr FROM Products ORDER BY ProduktGroep, ArtikelNr", "SELECT * FROM Products ORDER BY ArtikelNr"},
        {"SELECT ArtikelNr FROM Products where EANNummer LIKE '87*' ORDER BY ArtikelNr",
         "SELECT * FROM Products where EANNummer LIKE '87*' ORDER BY ArtikelNr"},
        // The description search lists ScanTemp: its articles, not the whole catalog.
        {"SELECT ArtikelNr, Beschrijving FROM ScanTemp",
         "SELECT * FROM Products WHERE ArtikelNr IN (SELECT ArtikelNr FROM ScanTemp) ORDER BY ArtikelNr"},
        {"ScanTemp", "SELECT * FROM Products WHERE ArtikelNr IN (SELECT ArtikelNr FROM ScanTemp) ORDER BY ArtikelNr"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArticleExport::standardQuery(QLatin1String(c.recordSource)), QLatin1String(c.query)) << c.recordSource;

    ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO ScanTemp (ArtikelNr, Beschrijving) VALUES (2000001, 'Radiator')")));
    ui.expectFile(exportFile());
    ui.expectMessage(MsgAnswer::Ok);
    ArticleExport exporter(window);
    ASSERT_TRUE(exporter.runStandard(source(QStringLiteral("SELECT ArtikelNr, Beschrijving FROM ScanTemp"))));
    EXPECT_EQ(exporter.lastCount(), 1);
    EXPECT_TRUE(readExport().endsWith("\r\n2000001|20100|7|LEV-2000001|8712345999999|Radiator|1|250|1|1|1||\r\n"));
}

TEST_F(ArticleExportTest, CancelAndEmptyListWriteNothing)
{
    QFile old(exportFile());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();

    // Cancelled dialog: no message, the existing file untouched.
    ui.expectFile(std::nullopt);
    ArticleExport exporter(window);
    EXPECT_FALSE(exporter.runStandard(source(QStringLiteral("SELECT ArtikelNr FROM Products"))));
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(readExport(), QByteArray("old contents"));

    // An empty list: the message, and no dialog.
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(exporter.runOverview(source(QStringLiteral("SELECT ArtikelNr FROM Products WHERE ArtikelNr = 1"))));
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("Er zijn geen records geselecteerd")});
    EXPECT_EQ(ui.messages().last().icon, MsgIcon::Critical);
    EXPECT_EQ(ui.fileRequests().size(), 1);

    // A folder that does not exist: the file error, nothing written.
    ui.clearRecorded();
    ui.expectFile(dir.file(QStringLiteral("geen/map/x.txt")));
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(exporter.runStandard(source(QStringLiteral("SELECT ArtikelNr FROM Products"))));
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("Er is een DOS-fout opgetreden: 76")});
    EXPECT_EQ(ui.messages().last().title, QStringLiteral("Exporteren"));

    // A selection the engine cannot read (the related-articles union): a message, and the
    // old file stays as it was.
    ui.clearRecorded();
    ui.expectFile(exportFile());
    ui.expectMessage(MsgAnswer::Ok);
    ExportSource broken = source(QStringLiteral("SELECT ArtikelNr FROM Products"));
    broken.recordSource = QStringLiteral("SELECT '1' AS Aantal, ArtikelNr FROM Products WHERE Products.ArtikelNr = 1000001 "
                                         "UNION SELECT Aantal, Products.ArtikelNr FROM Products, Additionals WHERE "
                                         "(Additionals.ArtikelNr = 1000001)");
    EXPECT_FALSE(exporter.runStandard(broken));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messageTexts().at(0).startsWith(QStringLiteral("De geselecteerde artikelen kunnen niet")));
    EXPECT_EQ(readExport(), QByteArray("old contents"));
    EXPECT_EQ(window.enabled.size() % 2, 0); // every disable was given back
}

TEST_F(ArticleExportTest, OverviewWritesTheVisibleColumnsPaddedAsShown)
{
    for (int n = 3000000; n < 3000060; ++n)
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, BrutoPrijs) "
                                               "VALUES (%1, '30000', 'Knie %1', 1.5)").arg(n)));
    ExportSource s = source(QStringLiteral("SELECT ArtikelNr, Beschrijving, BrutoPrijs AS [Bruto excl] FROM Products "
                                           "WHERE ProduktGroep = '30000' ORDER BY ArtikelNr DESC"));
    s.columns = {{QStringLiteral("ArtikelNr"), 9, QStringLiteral("0000000"), false},
                 {QStringLiteral("Beschrijving"), 6, QString(), false},
                 {QStringLiteral("Bruto excl"), 8, QStringLiteral("Standard"), true}};
    s.formatCell = [](const QVariant& v, const QString& format) {
        return format == QLatin1String("Standard") ? QStringLiteral("%1").arg(v.toDouble(), 0, 'f', 2)
                                                    : v.toString();
    };
    ui.expectFile(exportFile());
    ui.expectMessage(MsgAnswer::Ok);
    ArticleExport exporter(window);
    ASSERT_TRUE(exporter.runOverview(s));
    EXPECT_EQ(ui.fileRequests().at(0).title, QStringLiteral("Exporteren huidig overzicht"));
    EXPECT_EQ(ui.messageTexts().last(), QStringLiteral("Export van 60 artikelgegevens is gereed"));

    const QList<QByteArray> lines = readExport().split('\n');
    ASSERT_EQ(lines.size(), 62); // header, 60 rows, nothing after the last CR LF
    // Header cut to the width; cells padded but never cut; right alignment in front.
    EXPECT_EQ(lines[0], QByteArray("ArtikelNr|Beschr|Bruto ex|\r"));
    EXPECT_EQ(lines[1], QByteArray("3000059  |Knie 3000059|    1.50|\r"));
    EXPECT_EQ(lines[60], QByteArray("3000000  |Knie 3000000|    1.50|\r"));
    // The status caption every 25 rows.
    EXPECT_EQ(window.statuses, (QStringList{QStringLiteral("Bezig met exporteren: 25 records gereed..."),
                                            QStringLiteral("Bezig met exporteren: 50 records gereed...")}));
}

} // namespace
