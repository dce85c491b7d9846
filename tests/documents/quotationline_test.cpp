#include "documents/quotationline.h"

#include <gtest/gtest.h>

using namespace vandrel;
using namespace vandrel::quotation;

TEST(QuotationLine, GenValReadsDecimalCommasAndPercentages)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"19%", 0.19},   {"12,5%", 0.125}, {"2,5", 2.5}, {"5", 5},  {"", 0},
        {"abc", 0},      {"-3,25", -3.25},
        {"10% ", 0.10},  // a blank after the sign is no thousand per cent
        {"1.5", 1},      // "." is the grouping sign here: the number stops at it
        {"  7 %  ", 0.07},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(GenVal(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(QuotationLine, FieldsOfALine)
{
    const QString article = QStringLiteral("2\t0000001\t20,00\tKraan\tmet tab");
    EXPECT_EQ(GetLineField(article, 1), "2");
    EXPECT_EQ(GetLineField(article, 2), "0000001");
    EXPECT_EQ(GetLineField(article, 3), "20,00");
    EXPECT_EQ(GetLineField(article, 4), "Kraan\tmet tab"); // field 4 runs to the end
    EXPECT_EQ(GetLineField(subtotalLine(), 1), "0");       // empty field reads "0"
    EXPECT_EQ(GetLineField(QStringLiteral("a\tb\tc"), 1), "0"); // fewer than three tabs
    EXPECT_EQ(GetLineField(QStringLiteral("tekst"), 2), "0");
}

TEST(QuotationLine, SetLineValueReplacesOnlyTheAmount)
{
    QString line = QStringLiteral("19%\tBTW:\t0\t ");
    EXPECT_TRUE(SetLineValue(line, Currency::fromRaw(42750)));
    EXPECT_EQ(line, "19%\tBTW:\t4,28\t "); // two decimals, regional sign (halves to even)
    EXPECT_FALSE(SetLineValue(line, Currency::fromRaw(42750))); // unchanged
    QString twoTabs = QStringLiteral("a\tb\tc");
    EXPECT_FALSE(SetLineValue(twoTabs, Currency::fromCents(100)));
    EXPECT_EQ(twoTabs, "a\tb\tc");
}

TEST(QuotationLine, KindsAreTestedInTheOrderOfTheCalculation)
{
    const struct {
        QString line;
        LineKind kind;
    } cases[] = {
        {QString(), LineKind::Empty},
        {QStringLiteral("Leveringstermijn 2 weken"), LineKind::Text},
        {pageBreakLine(), LineKind::PageBreak},
        {QString(79, QChar(0x2014)), LineKind::Text},
        {subtotalLine(), LineKind::Subtotal},
        {vatLine(), LineKind::Vat},
        {totalLine(), LineKind::Total},
        {discountLine(), LineKind::Discount},
        {QStringLiteral("2\t0000001\t20,00\tKraan"), LineKind::Article},
        {QStringLiteral("Subtot:\t5\t\tgeen tab ervoor"), LineKind::Article},
        {QStringLiteral("\tKorting:\t1\tmet\tSubtot:\tin tekst"), LineKind::Subtotal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kindOf(c.line), c.kind) << c.line.toStdString();
    EXPECT_EQ(pageBreakLine().size(), 80);
}
