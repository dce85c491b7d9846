#include "browser/articlesearch.h"
#include "browser/sqlquote.h"

#include <gtest/gtest.h>

using namespace vandrel;
using namespace vandrel::articlesearch;

TEST(SearchStatements, QuotesAreDoubledAndOrderIsAddedOnlyWhenMissing)
{
    EXPECT_EQ(productNumberSource("ArtikelNr", "O'N"),
              QStringLiteral("SELECT ArtikelNr FROM Products WHERE ArtNummerLev LIKE 'O''N*' ORDER BY ProduktGroep, ArtikelNr"));
    EXPECT_EQ(productNumberSource("ArtikelNr", ""),
              QStringLiteral("SELECT ArtikelNr FROM Products WHERE ArtNummerLev LIKE '*' ORDER BY ProduktGroep, ArtikelNr"));
    EXPECT_EQ(seriesCodeQuery("d'r"), QStringLiteral("SELECT SerieKode FROM Series WHERE SerieNaam Like '*d''r*'"));
    EXPECT_EQ(sqlQuerySource("a", "BrutoPrijs > 10"),
              QStringLiteral("SELECT a FROM Products WHERE BrutoPrijs > 10 ORDER BY ProduktGroep, ArtikelNr"));
    EXPECT_EQ(sqlQuerySource("a", "x = 1 order by Beschrijving"),
              QStringLiteral("SELECT a FROM Products WHERE x = 1 order by Beschrijving"));
    EXPECT_EQ(descriptionInsert(",1,2"),
              QStringLiteral("INSERT INTO ScanTemp SELECT ArtikelNr, Beschrijving, ArtNummerLev, EANNummer, "
                             "BrutoPrijs, Per, NettoPrijs, KortingGroep FROM Products WHERE ArtikelNr IN (1,2)"));
}

TEST(SearchStatements, SqlQuoteCases)
{
    EXPECT_EQ(SqlQuote("rood", false), QStringLiteral("'rood'"));
    EXPECT_EQ(SqlQuote("rood", true), QStringLiteral("'*rood*'"));
    EXPECT_EQ(SqlQuote("O'Neil", true), QStringLiteral("'*O''Neil*'"));
    EXPECT_EQ(SqlQuote("a\"b'c", false), QStringLiteral("'a\"b*'"));
    EXPECT_EQ(SqlQuote("a'b\"c", true), QStringLiteral("\"*a'b*\""));
    EXPECT_EQ(modeFromName("SQL-Query"), Mode::SqlQuery);
    EXPECT_EQ(modeNames().size(), 7);
}
