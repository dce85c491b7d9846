#include "app/core/currency.h"

#include <gtest/gtest.h>

using namespace vandrel;

namespace {
const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
}

TEST(Currency, ParsesAndFormatsWithTheRegionalDecimalSign)
{
    struct Case {
        const char* text;
        std::int64_t raw;
        const char* formatted;
    } cases[] = {
        {"12,50", 125000, "12,50"},   {"12.5", 125000, "12,50"},   {"-3", -30000, "-3,00"},
        {"1.234,56", 12345600, "1234,56"}, {"0,00005", 0, "0,00"},  {"0,00015", 2, "0,00"},
        {"0,000051", 1, "0,00"},     {"19,99", 199900, "19,99"},
    };
    for (const Case& c : cases) {
        const auto v = Currency::parse(QString::fromUtf8(c.text), dutch);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(v->raw(), c.raw) << c.text;
        EXPECT_EQ(v->toString(dutch), QString::fromUtf8(c.formatted)) << c.text;
    }
    EXPECT_FALSE(Currency::parse(QStringLiteral("abc"), dutch));
    EXPECT_FALSE(Currency::parse(QString(), dutch));
    EXPECT_FALSE(Currency::parse(QStringLiteral("1,2,3"), dutch));
}

TEST(Currency, RoundsHalvesToEven)
{
    // raw is value x 10000: 150 is 0.015, half a cent above 0.01.
    const std::pair<std::int64_t, const char*> cases[] = {
        {150, "0,02"}, {250, "0,02"}, {350, "0,04"}, {-250, "-0,02"}, {251, "0,03"}, {149, "0,01"}};
    for (const auto& [raw, text] : cases)
        EXPECT_EQ(Currency::fromRaw(raw).format(2, dutch), QString::fromUtf8(text)) << raw;
}

TEST(Currency, ArithmeticIsExact)
{
    const Currency price = *Currency::parse(QStringLiteral("10,05"), dutch);
    const Currency vat = *Currency::parse(QStringLiteral("1,19"), dutch);
    EXPECT_EQ((price * vat).raw(), 119595); // 11.9595 exactly
    EXPECT_EQ((price * 3).toString(dutch), QStringLiteral("30,15"));
    Currency sum;
    for (int i = 0; i < 10; ++i)
        sum += *Currency::parse(QStringLiteral("0,1"), dutch);
    EXPECT_EQ(sum, Currency::fromRaw(10000));
    EXPECT_EQ((Currency::fromRaw(10000) / Currency::fromRaw(30000)).raw(), 3333);
    EXPECT_EQ((price / Currency()).raw(), 0);
    EXPECT_EQ(Currency::fromDouble(0.1).raw(), 1000);
    EXPECT_EQ(Currency::fromDouble(19.99).raw(), 199900);
}
