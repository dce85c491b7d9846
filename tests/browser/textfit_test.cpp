#include "browser/textfit.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace vandrel;

TEST(TextFit, KeepsWholeLinesAndEndsACutTextInAnEllipsis)
{
    const QFont font(QStringLiteral("Liberation Sans"), 10);
    const QString remark = QStringLiteral("Fabrieksgarantie tien jaar bij montage door een erkend installateur, "
                                          "mits het onderhoud jaarlijks wordt uitgevoerd volgens de voorschriften.");
    const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("Fabrieksgarantie tien jaar bij"));
    const FittedText all = fitTextToLines(remark, font, width, 20);
    EXPECT_EQ(all.text, remark);
    EXPECT_FALSE(all.cut);
    ASSERT_GT(all.lines, 2);

    const FittedText two = fitTextToLines(remark, font, width, 2);
    EXPECT_TRUE(two.cut);
    EXPECT_EQ(two.lines, 2);
    EXPECT_TRUE(two.text.endsWith(QStringLiteral("\u2026")));
    // Whole words of the start of the remark.
    EXPECT_TRUE(remark.startsWith(two.text.chopped(1))) << two.text.toStdString();
    EXPECT_EQ(fitTextToLines(QString(), font, width, 1).lines, 0);
}
