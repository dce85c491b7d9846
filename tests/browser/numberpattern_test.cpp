#include "browser/numberpattern.h"

#include <gtest/gtest.h>

using namespace vandrel;

TEST(NumberPattern, PropertyFormatsFollowTheLocale)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {95, "####", "95"},
        {0, "####", ""},
        {1234567, "###,###,###", "1.234.567"},
        {1.5, "###,###,###.0##", "1,5"},      // "1,5" read with its comma as a point
        {2, "###,###,###.0##", "2,0"},
        {1234.5678, "###,###,###.0##", "1.234,568"},
        {12.345, "F ###,###.##", "F 12,35"},
        {1000, "F ###,###.##", "F 1.000"},
        {-7, "####", "-7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumberPattern(c.value, QString::fromLatin1(c.pattern), dutch), QString::fromUtf8(c.expected))
            << c.value << " " << c.pattern;
}
