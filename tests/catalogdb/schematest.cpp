#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"

#include "scriptedui.h"
#include "testdir.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>

using namespace vandrel;

namespace {

QString describeFields(const TableDef& td)
{
    QStringList out;
    for (int i = 0; i < td.fieldCount(); ++i) {
        const Field& f = td.field(i);
        QString s = f.name() + u':' + QString::number(f.type());
        if (f.type() == Field::Text)
            s += u'(' + QString::number(f.size()) + u')';
        if (f.attributes())
            s += u'@' + QString::number(f.attributes());
        out << s;
    }
    return out.join(u' ');
}

QString describeIndexes(const TableDef& td)
{
    QStringList out;
    for (const Index& ix : td.indexes())
        out << ix.name() + u'=' + ix.fields() + (ix.unique() ? QStringLiteral(" U") : QString())
                   + (ix.primary() ? QStringLiteral(" P") : QString());
    return out.join(QStringLiteral(", "));
}

QString sqliteCli(const QString& file, const QString& sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), QStringLiteral("-readonly"), file, sql});
    if (!p.waitForFinished(30000))
        return QStringLiteral("(sqlite3 did not finish)");
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed() + QString::fromUtf8(p.readAllStandardError()).trimmed();
}

QByteArray digest(const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

const QString productsAsCreated = QStringLiteral(
    "ArtikelNummer:4 KortingGroep:3 ProduktGroep:10(14) TekeningNummer:4 TekeningRangVolgorde:3 LijnTekeningNummer:4 "
    "ArtNummerLev:10(15) EANNummer:10(14) FabrikantKode:3 Omschrijving:10(255) EenheidKode:3 BrutoPrijs:5 SerieKode:3 "
    "VerpaktPer:3 BestelbaarPer:3 PrijsPer:3 NettoPrijs:5 Beschikbaarheid:3 StatusKode:2 Mutatiedatum:8 "
    "Klassificatie_1:10(255) Klassificatie_2:10(255) Klassificatie_3:10(255) Klassificatie_4:10(255) "
    "Beschrijving:10(255) OfferteOms:10(255) Flagged:1 Deleted:1");

} // namespace

TEST(CatalogSchema, BuildCreatesTheFourTablesAsDescribed)
{
    test::TestDir dir;
    test::ScriptedUi ui;
    BuildCatalogDatabase(dir.path(), 0);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messageTexts().join(u'|').toStdString();

    const QString file = dir.file(QStringLiteral("VD-CLNT4.MDB"));
    auto db = Database::open(file);
    ASSERT_TRUE(db);
    QStringList names;
    for (const TableDef& td : db->tableDefs())
        names << td.name();
    EXPECT_EQ(names, (QStringList{"Products", "ScanTemp", "Additionals", "Alternatives"}));

    auto products = db->tableDef(QStringLiteral("Products"));
    EXPECT_EQ(describeFields(*products), productsAsCreated);
    EXPECT_EQ(describeIndexes(*products),
              QStringLiteral("PrimaryKey=ArtikelNummer U P, GroupKey=ProduktGroep, SeriesKey=SerieKode, "
                             "SupplCodeKey=ArtNummerLev, EANKey=EANNummer, DrawingKey=TekeningNummer"));
    auto scan = db->tableDef(QStringLiteral("ScanTemp"));
    EXPECT_EQ(describeFields(*scan), QStringLiteral("ArtikelNummer:4 Beschrijving:10(255) ArtNummerLev:10(15) "
                                                    "EANNummer:10(14) BrutoPrijs:5 PrijsPer:3 NettoPrijs:5 KortingGroep:3"));
    EXPECT_EQ(describeIndexes(*scan), QStringLiteral("PrimaryKey=ArtikelNummer U P"));
    auto add = db->tableDef(QStringLiteral("Additionals"));
    EXPECT_EQ(describeFields(*add), QStringLiteral("ArtikelNummer:4 ComplementNummer:4 Aantal:3"));
    EXPECT_EQ(describeIndexes(*add), QStringLiteral("PrimaryKey=ArtikelNummer;ComplementNummer U P"));
    auto alt = db->tableDef(QStringLiteral("Alternatives"));
    EXPECT_EQ(describeFields(*alt), QStringLiteral("ArtikelNummer:4 AlternatiefArtikel:4"));
    EXPECT_EQ(describeIndexes(*alt), QStringLiteral("PrimaryKey=ArtikelNummer;AlternatiefArtikel U P"));
}

TEST(CatalogSchema, BuildOnAnExistingFileLeavesItUntouched)
{
    test::TestDir dir;
    test::ScriptedUi ui;
    BuildCatalogDatabase(dir.path(), 0);
    const QString file = dir.file(QStringLiteral("VD-CLNT4.MDB"));
    const QByteArray before = digest(file);
    ui.expectMessage(MsgAnswer::Ok);
    BuildCatalogDatabase(dir.path(), 0);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("ERROR: Database Already Exists, Creation Aborted"));
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Build DataBase"));
    EXPECT_EQ(digest(file), before);

    ui.expectMessage(MsgAnswer::Ok);
    BuildOrdersDatabase(dir.path());
    BuildOrdersDatabase(dir.path());
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messages()[1].text, QStringLiteral("ERROR: Database Already Exists, Creation Aborted"));
    EXPECT_EQ(ui.messages()[1].title, QStringLiteral("Build Orders DataBase"));
}

TEST(CatalogSchema, AppendModeAddsOfferteOmsOnceAndNeedsAFile)
{
    test::TestDir dir;
    test::ScriptedUi ui;
    const QString file = dir.file(QStringLiteral("VD-CLNT4.MDB"));
    {
        // An older database: Products without OfferteOms.
        auto db = Database::create(file);
        TableDef td = db->createTableDef(QStringLiteral("Products"));
        td.appendField(td.createField(QStringLiteral("ArtikelNr"), Field::Long));
        ASSERT_TRUE(db->appendTableDef(td));
    }
    BuildCatalogDatabase(dir.path(), 1);
    BuildCatalogDatabase(dir.path(), 7); // present now: nothing changes, nothing shown
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messageTexts().join(u'|').toStdString();
    {
        auto db = Database::open(file);
        EXPECT_EQ(describeFields(*db->tableDef(QStringLiteral("Products"))), QStringLiteral("ArtikelNr:4 OfferteOms:10(255)"));
    }

    test::TestDir empty;
    ui.expectMessage(MsgAnswer::Ok);
    BuildCatalogDatabase(empty.path(), 1);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("ERROR: Could Not Access Database"));
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Append DataBase"));
    EXPECT_FALSE(QFile::exists(empty.file(QStringLiteral("VD-CLNT4.MDB"))));
}

TEST(OrdersSchema, BuildCreatesBothTablesAndKeepsLinesWithEqualNumbers)
{
    test::TestDir dir;
    test::ScriptedUi ui;
    BuildOrdersDatabase(dir.path());
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messageTexts().join(u'|').toStdString();
    auto db = Database::open(dir.file(QStringLiteral("VD-ORDR4.MDB")));
    ASSERT_TRUE(db);
    ASSERT_EQ(db->tableDefCount(), 2);
    auto lines = db->tableDef(QStringLiteral("BestelRegels"));
    EXPECT_EQ(describeFields(*lines),
              QStringLiteral("Aantal:4 Artikel:4 Omschrijving:12 Verkoop:5 Inkoop:5 RegelNummer:4 OrderCode:4 ID:4@16"));
    EXPECT_EQ(describeIndexes(*lines), QStringLiteral("PrimaryKey=ID U P, OrderKey=OrderCode;RegelNummer;ID U"));
    auto header = db->tableDef(QStringLiteral("BestelHeader"));
    EXPECT_EQ(describeFields(*header), QStringLiteral("OrderCode:4 Referentie:10(30) Leverdatum:8 Afhalen:1"));
    EXPECT_EQ(describeIndexes(*header), QStringLiteral("PrimaryKey=OrderCode U P"));

    auto rs = db->openRecordset(QStringLiteral("BestelRegels"), Recordset::Dynaset);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(rs->addNew());
        rs->setValue(QStringLiteral("OrderCode"), 7);
        rs->setValue(QStringLiteral("RegelNummer"), 1);
        rs->setValue(QStringLiteral("Artikel"), 1234567 + i);
        rs->setValue(QStringLiteral("Verkoop"), 12.345678);
        ASSERT_TRUE(rs->update()) << PendingError::get().text.toStdString();
    }
    auto check = db->openRecordset(QStringLiteral("SELECT ID, Verkoop FROM BestelRegels WHERE OrderCode = 7 ORDER BY ID"));
    ASSERT_EQ(check->recordCount(), 2);
    check->moveFirst();
    const int firstId = check->value(0).toInt();
    EXPECT_DOUBLE_EQ(check->value(1).toDouble(), 12.3457);
    check->moveNext();
    EXPECT_GT(check->value(0).toInt(), firstId);
}

// The files are plain SQLite: the command-line tool sees the same schema.
TEST(CatalogSchema, CommandLineToolSeesTheSchema)
{
    if (QProcess::execute(QStringLiteral("sqlite3"), {QStringLiteral("-version")}) != 0)
        GTEST_SKIP() << "sqlite3 command-line tool not installed";
    test::TestDir dir;
    test::ScriptedUi ui;
    BuildCatalogDatabase(dir.path(), 0);
    BuildOrdersDatabase(dir.path());
    const QString catalog = dir.file(QStringLiteral("VD-CLNT4.MDB"));
    EXPECT_EQ(sqliteCli(catalog, QStringLiteral("SELECT count(*) FROM pragma_table_info('Products');")), QStringLiteral("28"));
    EXPECT_EQ(sqliteCli(catalog, QStringLiteral("SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('ScanTemp');")),
              QStringLiteral("ArtikelNummer INTEGER, Beschrijving VARCHAR(255), ArtNummerLev VARCHAR(15), EANNummer VARCHAR(14), "
                             "BrutoPrijs CURRENCY REAL, PrijsPer SMALLINT, NettoPrijs CURRENCY REAL, KortingGroep SMALLINT"));
    EXPECT_EQ(sqliteCli(catalog, QStringLiteral("SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master "
                                                "WHERE type = 'index' AND tbl_name = 'Products' ORDER BY rowid);")),
              QStringLiteral("Products!PrimaryKey,Products.GroupKey,Products.SeriesKey,Products.SupplCodeKey,"
                             "Products.EANKey,Products.DrawingKey"));
    EXPECT_EQ(sqliteCli(catalog, QStringLiteral("SELECT group_concat(name, ',') FROM pragma_index_info('Additionals!PrimaryKey');")),
              QStringLiteral("ArtikelNummer,ComplementNummer"));
    EXPECT_EQ(sqliteCli(catalog, QStringLiteral("PRAGMA integrity_check;")), QStringLiteral("ok"));
    const QString orders = dir.file(QStringLiteral("VD-ORDR4.MDB"));
    EXPECT_EQ(sqliteCli(orders, QStringLiteral("SELECT count(*) FROM pragma_table_info('BestelRegels');")), QStringLiteral("8"));
    EXPECT_EQ(sqliteCli(orders, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = 'BestelHeader';")),
              QStringLiteral("1"));
}
