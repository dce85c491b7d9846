#include "browser/columnlayout.h"

#include "app/core/settings.h"

#include <gtest/gtest.h>

using namespace vandrel;
using namespace vandrel::columnlayout;

TEST(ColumnLayout, EmptyLayoutResetsThePairToTheDefaults)
{
    columnLayouts().viewColumnLayout = QString();
    columnLayouts().viewColumnSizes = QStringLiteral("1, 2");
    columnLayouts().detailColumnLayout = QStringLiteral("ArtikelNr");
    EXPECT_EQ(ReeksDef("Table3"), ColumnLayouts::defaultLayout);
    EXPECT_EQ(parseSizes(columnLayouts().viewColumnSizes), QList<int>({54, 237, 52, 52, 21, 50, 78, 85, 21}));
    EXPECT_EQ(ReeksDef("Table"), QStringLiteral("ArtikelNr"));
}

TEST(ColumnLayout, BuildsTheLayoutFromTheVisibleColumnsInDisplayOrder)
{
    QString layout;
    QString sizes;
    buildLayout({{"ArtikelNr", 54.7}, {"KortingGroep", 21}, {"Beschrijving", 237}, {"Bruto excl", 52},
                 {"Bruto incl", 52}, {"Netto excl", 50, false}, {"Onbekend", 10}, {"EANNummer", 85}},
                layout, sizes);
    EXPECT_EQ(layout, QStringLiteral("ArtikelNr, KortingGroep, Beschrijving, Brutoprijs AS [Bruto excl], "
                                     "(Brutoprijs * 1.19) AS [Bruto incl], EANNummer"));
    EXPECT_EQ(sizes, QStringLiteral("54, 21, 237, 52, 52, 85"));
    buildLayout({}, layout, sizes);
    EXPECT_TRUE(layout.isEmpty());
}

TEST(ColumnLayout, WhereTailKeepsTheConditionAndOrder)
{
    EXPECT_EQ(whereTail("SELECT a FROM Products where ProduktGroep LIKE '10200*' ORDER BY ProduktGroep"),
              QStringLiteral("where ProduktGroep LIKE '10200*' ORDER BY ProduktGroep"));
    EXPECT_EQ(whereTail("SELECT a FROM ScanTemp"), QString());
    EXPECT_EQ(parseSizes(" 54 ,237,, 52 "), QList<int>({54, 237, 52}));
    EXPECT_EQ(defaultWidthFor("Per"), 21);
    EXPECT_EQ(defaultWidthFor("Iets anders"), 100);
}
