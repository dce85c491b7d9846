#include "catalogdb/database.h"
#include "catalogdb/jetsql.h"

#include "testdir.h"

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

// Five articles in the catalog, two in another database.
void fill(Database& db, bool other)
{
    ASSERT_TRUE(db.execute(QStringLiteral(
        "CREATE TABLE Products (ArtikelNr LONG, ProduktGroep TEXT(14), ArtNummerLev TEXT(15), "
        "Omschrijving TEXT, Klassificatie_1 TEXT, BrutoPrijs CURRENCY, Per SHORT, Mutatiedatum DATETIME, "
        "Flagged YESNO, Dummy1 CURRENCY)")))
        << PendingError::get().text.toStdString();
    ASSERT_TRUE(db.execute(QStringLiteral("CREATE TABLE ScanTemp (ArtikelNr LONG, Beschrijving MEMO)")));
    const QStringList rows = other
        ? QStringList{QStringLiteral("2, '1020000', 'X1', 'Kraan', '100', 1, 1, #2024-01-31#, TRUE, 0"),
                      QStringLiteral("9, '1020000', 'X9', 'Knie', '5', 1, 1, #2024-01-31#, TRUE, 0")}
        : QStringList{QStringLiteral("1, '1020000', 'AB-1', 'Thermostatische KRAAN', '95', 10.5, 1, #2024-01-31#, TRUE, 1"),
                      QStringLiteral("2, '1020100', 'ab-2', 'Kogelkraan 1/2\"', '110', 20, 2, #2024-01-30 23:59:59#, TRUE, 1"),
                      QStringLiteral("3, '1030000', 'XAB', 'Knie 90 graden', '89', 1.25, 1, #2024-02-01#, FALSE, 1"),
                      QStringLiteral("4, '1020300', 'cd', 'Sok', NULL, 2, 10, #1/31/2024#, TRUE, 1"),
                      QStringLiteral("5, '2000000', NULL, 'Beugel', '100 mm', 3, 1, NULL, FALSE, 1")};
    for (const QString& r : rows)
        ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO Products VALUES (%1)").arg(r)))
            << r.toStdString() << PendingError::get().text.toStdString();
    ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO ScanTemp SELECT ArtikelNr, Omschrijving FROM Products")));
}

QString column(Database& db, const QString& select, int col = 0)
{
    auto rs = db.openRecordset(select, Recordset::Dynaset, Recordset::ReadOnly);
    if (!rs)
        return QStringLiteral("ERROR ") + QString::number(PendingError::get().number);
    QStringList out;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        out << rs->value(col).toString();
    return out.join(u',');
}

} // namespace

// Each statement runs as the classic engine would run it.
TEST(JetSql, DialectRunsAsTheClassicEngine)
{
    test::TestDir dir;
    const QString otherFile = dir.file(QStringLiteral("other.mdb"));
    {
        auto other = Database::create(otherFile);
        ASSERT_TRUE(other);
        fill(*other, true);
    }
    struct Case {
        QString statement; // a SELECT to read, or a statement to execute
        QString check;     // for executed statements: the SELECT that shows the effect
        QString expected;  // first column of the rows, or "ERROR <number>"
    };
    const QString q = QStringLiteral("SELECT ArtikelNr FROM Products WHERE %1 ORDER BY ArtikelNr");
    const QList<Case> cases = {
        {q.arg(QStringLiteral("Omschrijving LIKE '*kraan*'")), {}, QStringLiteral("1,2")},
        {q.arg(QStringLiteral("ArtNummerLev LIKE 'ab*'")), {}, QStringLiteral("1,2")},
        {q.arg(QStringLiteral("ArtNummerLev NOT LIKE 'ab*'")), {}, QStringLiteral("3,4")},
        {q.arg(QStringLiteral("Omschrijving LIKE 'K?ie*' OR Omschrijving LIKE '*#/#*'")), {}, QStringLiteral("2,3")},
        {q.arg(QStringLiteral("Mid(ProduktGroep,4,2) <> '00'")), {}, QStringLiteral("2,4")},
        {q.arg(QStringLiteral("VAL(Klassificatie_1) BETWEEN 90 AND 110")), {}, QStringLiteral("1,2,5")},
        {q.arg(QStringLiteral("LEFT(ProduktGroep,5) = '10200'")), {}, QStringLiteral("1")},
        {q.arg(QStringLiteral("Right(ProduktGroep, 2) = '00' AND Len(ArtNummerLev) = 4")), {}, QStringLiteral("1,2")},
        {q.arg(QStringLiteral("ArtikelNr IN (SELECT ArtikelNr FROM Products IN '%1')").arg(otherFile)), {},
         QStringLiteral("2")},
        {q.arg(QStringLiteral("ArtNummerLev = 'ab-1'")), {}, QStringLiteral("1")},
        {q.arg(QStringLiteral("UCase(Omschrijving) = 'sok'")), {}, QStringLiteral("4")},
        {q.arg(QStringLiteral("Mutatiedatum = #2024-01-31#")), {}, QStringLiteral("1,4")},
        {q.arg(QStringLiteral("Mutatiedatum < #2024-01-31#")), {}, QStringLiteral("2")},
        {q.arg(QStringLiteral("Flagged = True")), {}, QStringLiteral("1,2,4")},
        {q.arg(QStringLiteral("IIf(Per > 1, 'veel', 'een') = 'VEEL'")), {}, QStringLiteral("2,4")},
        {q.arg(QStringLiteral("Nz(Klassificatie_1, 'leeg') = 'leeg'")), {}, QStringLiteral("4")},
        {q.arg(QStringLiteral("Trim('  ' & LCase(ArtNummerLev) & '  ') = 'cd'")), {}, QStringLiteral("4")},
        {q.arg(QStringLiteral("ArtikelNr = 1; DELETE * FROM Products")), {}, QStringLiteral("ERROR 3142")},
        {QStringLiteral("SELECT ArtNummerLev & '/' & Per + 1 & '-' & Klassificatie_1 FROM Products ORDER BY ArtikelNr"), {},
         QStringLiteral("AB-1/2-95,ab-2/3-110,XAB/2-89,cd/11-,/2-100 mm")},
        {QStringLiteral("SELECT ArtikelNr, BrutoPrijs As [Bruto excl], (Brutoprijs * 1.19) As [Bruto incl] FROM Products "
                        "WHERE ArtikelNr = 1"),
         {}, QStringLiteral("1")},
        {QStringLiteral("SELECT '1' AS Aantal, Products.ArtikelNr, Omschrijving FROM Products, ScanTemp "
                        "WHERE Products.ArtikelNr = ScanTemp.ArtikelNr AND Products.ArtikelNr < 3 "
                        "UNION SELECT '2' AS Aantal, ArtikelNr, Omschrijving FROM Products WHERE ArtikelNr = 5 "
                        "ORDER BY 2"),
         {}, QStringLiteral("1,1,2")},
        {QStringLiteral("SELECT DISTINCT Left(ProduktGroep, 3) FROM Products ORDER BY 1"), {}, QStringLiteral("102,103,200")},
        {QStringLiteral("SELECT MAX(ArtikelNr) FROM Products"), {}, QStringLiteral("5")},
        {QStringLiteral("SELECT ArtikelNr --1 FROM Products WHERE ArtikelNr = 1"), {}, QStringLiteral("2")},
        {QStringLiteral("SELECT ArtikelNr /*2*/ FROM Products WHERE ArtikelNr = 4"), {}, QStringLiteral("ERROR 3075")},
        {QStringLiteral("SELECT TOP 2 ArtikelNr FROM Products ORDER BY ArtikelNr DESC"), {}, QStringLiteral("5,4")},
        {QStringLiteral("DELETE * FROM ScanTemp"), QStringLiteral("SELECT count(*) FROM ScanTemp"), QStringLiteral("0")},
        {QStringLiteral("INSERT INTO ScanTemp SELECT ArtikelNr, Omschrijving FROM Products WHERE ArtikelNr > 3"),
         QStringLiteral("SELECT ArtikelNr FROM ScanTemp ORDER BY ArtikelNr"), QStringLiteral("4,5")},
        {QStringLiteral("UPDATE Products SET Flagged = FALSE"), q.arg(QStringLiteral("Flagged <> 0")), QString()},
        {QStringLiteral("DELETE Products.* FROM Products WHERE ArtikelNr = 5"), QStringLiteral("SELECT count(*) FROM Products"),
         QStringLiteral("4")},
        {QStringLiteral("ALTER TABLE Products DROP COLUMN Dummy1"), QStringLiteral("SELECT Dummy1 FROM Products"),
         QStringLiteral("ERROR 3061")},
        {QStringLiteral("ALTER TABLE Products ADD COLUMN OfferteOms TEXT(255)"),
         QStringLiteral("SELECT count(OfferteOms) FROM Products"), QStringLiteral("0")},
        {QStringLiteral("DELETE * FROM ScanTemp; DELETE * FROM Products"), QStringLiteral("SELECT count(*) FROM Products"),
         QStringLiteral("ERROR 3142")},
        {QStringLiteral("SELECT * FROM Products"), QStringLiteral("x"), QStringLiteral("ERROR 3065")},
        {QStringLiteral("DELETE * FROM Products WHERE Omschrijving = 'open"), QStringLiteral("x"), QStringLiteral("ERROR 3075")},
    };
    auto db = Database::create(dir.file(QStringLiteral("VD-CLNT4.MDB")));
    ASSERT_TRUE(db);
    fill(*db, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement.toStdString());
        PendingError::clear();
        if (c.check.isEmpty()) {
            EXPECT_EQ(column(*db, c.statement), c.expected);
        } else if (!db->execute(c.statement)) {
            EXPECT_EQ(QStringLiteral("ERROR ") + QString::number(PendingError::get().number), c.expected);
        } else {
            EXPECT_EQ(column(*db, c.check), c.expected);
        }
    }
    // The second statement of the refused text never ran.
    EXPECT_EQ(column(*db, QStringLiteral("SELECT count(*) FROM Products")), QStringLiteral("4"));
}

TEST(JetSql, TranslationsOfTheDialect)
{
    const struct {
        const char* jet;
        const char* sqlite;
    } cases[] = {
        {"DELETE * FROM ScanTemp", "DELETE FROM ScanTemp"},
        {"SELECT [Bruto excl] FROM [My Table]", "SELECT \"Bruto excl\" FROM \"My Table\""},
        {"SELECT \"it's\"", "SELECT 'it''s' COLLATE NOCASE"},
        {"UPDATE Products SET Flagged = FALSE", "UPDATE Products SET Flagged = 0"},
        {"SELECT a & b & c FROM t", "SELECT jet_cat(jet_cat(a , b) , c) FROM t"},
        {"SELECT x FROM t WHERE d > #2024-01-31#", "SELECT x FROM t WHERE d > '2024-01-31 00:00:00'"},
        {"SELECT x FROM t WHERE d > #1/31/2024 2:05 PM#", "SELECT x FROM t WHERE d > '2024-01-31 14:05:00'"},
        {"SELECT Mid(a, 2) FROM t", "SELECT jet_mid(a, 2) FROM t"},
        {"SELECT a MOD 2 FROM t;", "SELECT a % 2 FROM t"},
        {"CREATE TABLE t (a TEXT(10), b LONG, c MEMO)",
         "CREATE TABLE t (a VARCHAR(10) COLLATE NOCASE, b INTEGER, c LONGTEXT COLLATE NOCASE)"},
    };
    for (const auto& c : cases) {
        const auto r = JetSql::translate(QString::fromUtf8(c.jet));
        ASSERT_TRUE(r.ok) << c.jet << ": " << r.error.text.toStdString();
        EXPECT_EQ(r.sql.toStdString(), std::string(c.sqlite)) << c.jet;
    }
    for (const char* bad : {"SELECT 1; SELECT 2", "SELECT [a FROM t", "SELECT #31-31-2024#", "SELECT 'a' &"}) {
        const auto r = JetSql::translate(QString::fromUtf8(bad));
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_TRUE(r.error.isSet()) << bad;
    }
}
