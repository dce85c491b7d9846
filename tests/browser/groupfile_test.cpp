#include "browser/groupfile.h"

#include <gtest/gtest.h>

using namespace vandrel;

TEST(GroupFile, CodesGiveLevelsAndItemData)
{
    struct Case {
        const char* line;
        int level;
        qint32 itemData;
        const char* prefix;
    } cases[] = {
        {"1|Sanitair", 1, 100000000, "10000"},
        {"102|Kranen", 2, 102000000, "10200"},
        {"1020010|Kogelkranen", 3, 102001000, "10200"},
        {"102001003|Kogelkranen knel", 4, 102001003, "102001003"},
        {"10200100399|te lang", 4, 102001003, "102001003"}, // cut to 9
        {"5|Gereedschap", 1, 500000000, "50000"},
        {"1 2|spaties", 2, 102000000, "10200"},
    };
    for (const Case& c : cases) {
        const std::optional<GroupEntry> e = parseGroupLine(QString::fromUtf8(c.line));
        ASSERT_TRUE(e.has_value()) << c.line;
        EXPECT_EQ(e->level, c.level) << c.line;
        EXPECT_EQ(e->itemData, c.itemData) << c.line;
        EXPECT_EQ(groupPrefix(e->itemData), QString::fromUtf8(c.prefix)) << c.line;
    }
}

TEST(GroupFile, TextKeepsFurtherBarsAndBadLinesAreSkipped)
{
    const QList<GroupEntry> entries =
        parseGroupLines({"1|Sanitair | badkamer", "", "   ", "geen scheidingsteken", "2|Verwarming"});
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].text, QStringLiteral("Sanitair | badkamer"));
    EXPECT_EQ(entries[1].itemData, 200000000);
}

TEST(GroupFile, CaptionColoursByMainGroup)
{
    EXPECT_EQ(groupColours("1")->background, QColor(0, 0, 255));
    EXPECT_EQ(groupColours("2")->background, QColor(0, 128, 128));
    EXPECT_EQ(groupColours("3")->background, QColor(255, 0, 0));
    EXPECT_EQ(groupColours("4")->background, QColor(255, 255, 0));
    EXPECT_EQ(groupColours("4")->text, QColor(0, 0, 0));
    for (const char* other : {"0", "5", "9", "7"}) {
        EXPECT_EQ(groupColours(other)->background, QColor(0, 0, 0)) << other;
        EXPECT_EQ(groupColours(other)->text, QColor(255, 255, 255)) << other;
    }
    EXPECT_FALSE(groupColours("A").has_value());
    EXPECT_FALSE(groupColours("").has_value());
}
