#include "documents/quotationcalc.h"
#include "documents/quotationline.h"
#include "quotationfixture.h"

#include <gtest/gtest.h>

using namespace vandrel;
using namespace vandrel::quotation;

namespace {

QString amountOfLine(const QString& line)
{
    return field(line, 3);
}

} // namespace

TEST(QuotationRecalc, DiscountActsOnTheOpenSection)
{
    const QString a = QStringLiteral("2\t0000001\t20,00\tKraan");
    const QString b = QStringLiteral("1\t0000002\t5,00\tSifon");
    const QString discount10 = QStringLiteral("\tKorting:\t10%\t ");
    // Discount after the subtotal: the open section is empty.
    QStringList after = {a, b, subtotalLine(), discount10, vatLine(), totalLine()};
    recalcQuotation(after, {});
    EXPECT_EQ(amountOfLine(after[2]), "25,00");
    EXPECT_EQ(amountOfLine(after[4]), "4,75");
    EXPECT_EQ(amountOfLine(after[5]), "29,75");
    // Discount before the subtotal.
    QStringList before = {a, b, discount10, subtotalLine(), vatLine(), totalLine()};
    recalcQuotation(before, {});
    EXPECT_EQ(amountOfLine(before[3]), "22,50");
    EXPECT_EQ(amountOfLine(before[4]), "4,28"); // 4,275
    EXPECT_EQ(amountOfLine(before[5]), "26,78");
}

TEST(QuotationRecalc, RepricingDividesByThePriceUnitAndIncludesVatWhenTicked)
{
    test::FakeQuotationCatalog catalog;
    catalog.add(1, "10.00", 1, QStringLiteral("Kraan"));
    catalog.add(3, "12.00", 100, QStringLiteral("Clip")); // 12,00 per 100 pieces
    QStringList lines = {QStringLiteral("2\t0000001\t99,99\tKraan"),
                         QStringLiteral("5\t0000003\t1,00\tClip"),
                         QStringLiteral("1\t0000777\t3,00\tNiet in de catalogus"),
                         QStringLiteral("1\tabc\t2,00\tGeen nummer"),
                         vatLine(), totalLine()};
    RecalcOptions reprice;
    reprice.reprice = true;
    reprice.catalog = &catalog;
    const QList<int> changed = recalcQuotation(lines, reprice);
    EXPECT_EQ(amountOfLine(lines[0]), "20,00");
    EXPECT_EQ(amountOfLine(lines[1]), "0,60"); // 5 x 12,00 / 100, not 60,00
    EXPECT_EQ(amountOfLine(lines[2]), "3,00");  // unknown articles keep their amount
    EXPECT_EQ(amountOfLine(lines[3]), "2,00");
    EXPECT_EQ(amountOfLine(lines[4]), "4,86");  // 19% of 25,60
    EXPECT_EQ(amountOfLine(lines[5]), "30,46");
    EXPECT_EQ(changed, (QList<int>{0, 1, 4, 5}));

    reprice.vatIncluded = true;
    recalcQuotation(lines, reprice);
    EXPECT_EQ(amountOfLine(lines[0]), "23,80"); // x 1.19
    EXPECT_EQ(amountOfLine(lines[1]), "0,71");  // 0,714
    EXPECT_EQ(amountOfLine(lines[4]), "0,00");  // amounts include VAT already
    EXPECT_EQ(amountOfLine(lines[5]), "29,51");

    // Without re-pricing article amounts stay as typed.
    lines[0] = QStringLiteral("2\t0000001\t1,00\tKraan");
    recalcQuotation(lines, {});
    EXPECT_EQ(amountOfLine(lines[0]), "1,00");
}

TEST(QuotationRecalc, DiscountsTotalsAndManySections)
{
    const QString line10 = QStringLiteral("1\t0000001\t10,00\tA");
    QStringList lines = {line10, QStringLiteral("\tKorting:\t2,50\t "), subtotalLine(),
                         line10, QStringLiteral("\tKorting:\t10% \t "), subtotalLine(),
                         QStringLiteral("\tKorting:\tveel\t "), totalLine(),
                         line10, totalLine()};
    recalcQuotation(lines, {});
    EXPECT_EQ(amountOfLine(lines[2]), "7,50");  // an amount is subtracted
    EXPECT_EQ(amountOfLine(lines[5]), "9,00");  // "10% " is ten per cent
    EXPECT_EQ(amountOfLine(lines[7]), "16,50"); // a discount that is no number counts as 0
    EXPECT_EQ(amountOfLine(lines[9]), "10,00"); // a total starts again from zero

    // Past a hundred subtotals every section still closes on its own.
    QStringList many;
    for (int i = 1; i <= 150; ++i) {
        many << QStringLiteral("1\t0000001\t%1,00\tA").arg(i) << subtotalLine();
    }
    many << totalLine();
    recalcQuotation(many, {});
    EXPECT_EQ(amountOfLine(many[1]), "1,00");
    EXPECT_EQ(amountOfLine(many[2 * 120 - 1]), "120,00");
    EXPECT_EQ(amountOfLine(many[2 * 150 - 1]), "150,00");
    EXPECT_EQ(amountOfLine(many.last()), "11325,00"); // 1 + ... + 150
}

TEST(QuotationRecalc, AmountsOutOfRangeSkipTheirStep)
{
    QStringList lines = {QStringLiteral("1\t1\t999999999999999999999\tTe groot"),
                         QStringLiteral("1\t1\t900000000000,00\tGroot"),
                         QStringLiteral("1\t1\t900000000000,00\tGroot"),
                         QStringLiteral("1e300%\tBTW:\t0\t "), subtotalLine()};
    for (int i = 0; i < 300; ++i) // together far past the range of an amount
        lines.insert(2, lines[1]);
    recalcQuotation(lines, {});
    EXPECT_EQ(amountOfLine(lines[0]), "999999999999999999999"); // left as it stands
    EXPECT_EQ(amountOfLine(lines[lines.size() - 2]), "0");      // VAT step skipped
    EXPECT_FALSE(amountOfLine(lines.last()).isEmpty());
}
