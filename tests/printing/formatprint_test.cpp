#include "printing/formatprint.h"
#include "printing/recordingprintdevice.h"

#include <QDate>
#include <QLocale>

#include <gtest/gtest.h>

namespace vandrel {
namespace {

using Kind = PrintItem::Kind;

class FormatPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        formatterState() = FormatterState{};
        FormatPrint(dev, QStringLiteral("{fname:Arial}{fsize:10}{fatoff}"));
    }

    // Width of a text in a font, in twips, as the device measures it.
    double widthIn(const QString& font, double size, const QString& text)
    {
        const PrintFont saved = dev.font();
        dev.setFontName(font);
        dev.setFontSize(size);
        dev.setFontBold(false);
        const double w = dev.textWidthTwips(text);
        dev.setFont(saved);
        return w;
    }

    double lineHeightIn(const QString& font, double size)
    {
        const PrintFont saved = dev.font();
        dev.setFontName(font);
        dev.setFontSize(size);
        const double h = dev.lineHeightTwips();
        dev.setFont(saved);
        return h;
    }

    RecordingPrintDevice dev;
    ScopedPrintDevice redirect{dev};
};

TEST_F(FormatPrintTest, CommandCaseDoesNotMatterAndTextGoesOnTheLine)
{
    FormatPrint(QStringLiteral("x{BOLDON}abc{BoldOff}d"));
    const QList<PrintItem> texts = dev.items(Kind::Text);
    ASSERT_EQ(dev.texts(), (QStringList{"x", "abc", "d"}));
    EXPECT_FALSE(texts[0].font.bold);
    EXPECT_TRUE(texts[1].font.bold);
    EXPECT_FALSE(texts[2].font.bold);
    EXPECT_EQ(texts[1].font.name, QStringLiteral("Arial"));
    // Each piece starts where the one before ended, on the same line.
    EXPECT_DOUBLE_EQ(texts[1].pos.x(), widthIn("Arial", 10, "x"));
    EXPECT_DOUBLE_EQ(texts[2].pos.y(), 0);
    EXPECT_EQ(texts[2].page, 1);
}

TEST_F(FormatPrintTest, ClosingBracesUnknownCommandsAndUnclosedCommandsAsText)
{
    FormatPrint(QStringLiteral("a}b{crlf}{xyz}text{crlf}{header:x}ab{fsize:30"));
    EXPECT_EQ(dev.texts(), (QStringList{"a}b", "text", "ab{fsize:30"}));
    const QList<PrintItem> texts = dev.items(Kind::Text);
    EXPECT_DOUBLE_EQ(texts[1].pos.x(), 0);
    EXPECT_DOUBLE_EQ(texts[1].pos.y(), dev.lineHeightTwips());
    EXPECT_DOUBLE_EQ(dev.fontSize(), 10);
}

TEST_F(FormatPrintTest, MovesInWholeMillimetresAndToTheEdges)
{
    FormatPrint(QStringLiteral("{mover:12.9}"));
    EXPECT_NEAR(dev.currentX(), 12 * kTwipsPerMm, 1e-6);
    FormatPrint(QStringLiteral("{MoveR:12,9}{moved:5}"));
    EXPECT_NEAR(dev.currentX(), 24 * kTwipsPerMm, 1e-6);
    EXPECT_NEAR(dev.currentY(), 5 * kTwipsPerMm, 1e-6);
    EXPECT_EQ(dev.scale(), PrintScale::Twips);

    FormatPrint(QStringLiteral("{mover:0}{moved:abc}"));
    EXPECT_NEAR(dev.currentX(), dev.printableWidth(), 1e-6);
    EXPECT_NEAR(dev.currentY(), dev.printableHeight(), 1e-6);
    FormatPrint(QStringLiteral("{moveu:-5}{movel:0}"));
    EXPECT_DOUBLE_EQ(dev.currentY(), 0);
    EXPECT_DOUBLE_EQ(dev.currentX(), 0);
    FormatPrint(QStringLiteral("{moved:20}{moveu:5}{mover:8}{movel:3}{movez:9}"));
    EXPECT_NEAR(dev.currentY(), 15 * kTwipsPerMm, 1e-6);
    EXPECT_NEAR(dev.currentX(), 5 * kTwipsPerMm, 1e-6);
}

TEST_F(FormatPrintTest, PenWidthsAreLimitedAndRulesTakeTheirRoom)
{
    FormatPrint(QStringLiteral("{hline:0}{lwidth:0}{hline:10}{lwidth:250}{vline:20}"));
    const QList<PrintItem> lines = dev.items(Kind::Line);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].penWidth, 10); // not set yet: 10
    EXPECT_EQ(lines[1].penWidth, 1);
    EXPECT_EQ(lines[2].penWidth, 100);
    EXPECT_EQ(dev.drawWidth(), 1);

    const double h = dev.lineHeightTwips();
    // Across the printable width, half a line down; the position drops one line.
    EXPECT_DOUBLE_EQ(lines[0].pos.x(), 0);
    EXPECT_NEAR(lines[0].end.x(), dev.printableWidth(), 1e-6);
    EXPECT_NEAR(lines[0].pos.y(), h / 2, 1e-6);
    EXPECT_NEAR(lines[1].end.x() - lines[1].pos.x(), 10 * kTwipsPerMm, 1e-6);
    EXPECT_NEAR(lines[1].pos.y(), h + h / 2, 1e-6);
    // The vertical rule takes the room of a "W".
    const double w = widthIn("Arial", 10, "W");
    EXPECT_NEAR(lines[2].pos.x(), w / 2, 1e-6);
    EXPECT_NEAR(lines[2].pos.y(), 2 * h, 1e-6);
    EXPECT_NEAR(lines[2].end.y() - lines[2].pos.y(), 20 * kTwipsPerMm, 1e-6);
    EXPECT_NEAR(dev.currentX(), w, 1e-6);
    EXPECT_NEAR(dev.currentY(), 2 * h, 1e-6);

    // The pen width is kept between calls.
    FormatPrint(QStringLiteral("{hline:5}"));
    EXPECT_EQ(dev.items(Kind::Line).last().penWidth, 100);
}

TEST_F(FormatPrintTest, MemoStopsAtItsLastLineAndLeavesThePositionTopRight)
{
    // Two lines down is not a whole number of twips: the box still holds two lines.
    FormatPrint(QStringLiteral("{fname:Courier New}{fsize:12}{mover:10}{lf}{lf}"));
    const double x0 = qRound(dev.currentX());
    const double y0 = qRound(dev.currentY());
    FormatPrint(QStringLiteral("{memo:10,2,aaa bbb ccc ddd eee fff}"));
    EXPECT_EQ(dev.texts(), (QStringList{"aaa bbb", "ccc ddd"}));
    const QList<PrintItem> texts = dev.items(Kind::Text);
    EXPECT_DOUBLE_EQ(texts[0].pos.x(), 10 * kTwipsPerMm); // first line where the box began
    EXPECT_DOUBLE_EQ(texts[1].pos.x(), x0);
    const double lh = dev.lineHeightTwips();
    EXPECT_NEAR(texts[1].pos.y(), texts[0].pos.y() + lh, 1e-6);
    // Top-right corner: ten columns of a tenth of an inch.
    EXPECT_NEAR(dev.currentX(), x0 + widthIn("Courier New", 12, "WWWWWWWWWW"), 1e-6);
    EXPECT_NEAR(widthIn("Courier New", 12, "WWWWWWWWWW"), 1440, 1);
    EXPECT_DOUBLE_EQ(dev.currentY(), y0);
    FormatPrint(QStringLiteral("{restorey}{restorex}"));
    EXPECT_NEAR(dev.currentY(), texts[0].pos.y() + 2 * lh, 1e-3); // a 32-bit float
    EXPECT_DOUBLE_EQ(dev.currentX(), x0);
}

TEST_F(FormatPrintTest, MemoTextInTheCallersFontWithLineBreaksAndEarlyBreak)
{
    // A word longer than the box breaks before the character that made it too wide.
    FormatPrint(QStringLiteral("{memo:5,3,iiiiiiiiiiiiiiiiiiiiiiWWWW}"));
    const QStringList lines = dev.texts();
    ASSERT_GE(lines.size(), 2);
    const double box = widthIn("Courier New", 12, "WWWWW");
    const QString all = QStringLiteral("iiiiiiiiiiiiiiiiiiiiiiWWWW");
    EXPECT_TRUE(all.startsWith(lines[0] + lines[1]));
    EXPECT_LE(dev.textWidthTwips(lines[0]), box);
    EXPECT_GT(dev.textWidthTwips(all.left(lines[0].size() + 1)), box);
    EXPECT_EQ(dev.items(Kind::Text)[0].font.name, QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(dev.items(Kind::Text)[0].font.size, 10);

    // A carriage return ends a line, other control characters vanish; the whole text fits.
    dev.clear();
    FormatPrint(QStringLiteral("{tod}{memo:40mm,5,een\r\ntwee\tdrie\x01}"));
    EXPECT_EQ(dev.texts(), (QStringList{"een", "twee\tdrie"}));
    EXPECT_NEAR(dev.currentX(), 40 * kTwipsPerMm, 1e-6);
    FormatPrint(QStringLiteral("{restorey}"));
    EXPECT_NEAR(dev.currentY(), 2 * dev.lineHeightTwips(), 1e-3);

    // Nothing fits in a box without width or lines, and the memo still ends.
    dev.clear();
    FormatPrint(QStringLiteral("{tod}{memo:0,0,abcdef}{memo:0,2,abcdef}"));
    EXPECT_LE(dev.texts().size(), 2);
}

TEST_F(FormatPrintTest, FixedTabsUseCourierColumnsAndKeepTheWholeFontSize)
{
    FormatPrint(QStringLiteral("{fsize:8.5}{faton}{ftab:5}"));
    EXPECT_DOUBLE_EQ(dev.fontSize(), 8);
    EXPECT_TRUE(dev.fontBold());
    EXPECT_EQ(dev.fontName(), QStringLiteral("Arial"));
    EXPECT_NEAR(dev.currentX(), 4 * 144, 0.5); // (n-1)/10 inch

    // Already past the column: the next line (of the Courier font) at that column.
    FormatPrint(QStringLiteral("{tod}Een lange tekst die voorbij kolom vijf loopt{ftab:5}x"));
    const PrintItem x = dev.items(Kind::Text).last();
    EXPECT_NEAR(x.pos.x(), 4 * 144, 0.5);
    EXPECT_NEAR(x.pos.y(), lineHeightIn("Courier New", 12), 1e-6);

    // {tab:} counts columns of the current font; column 0 is the left edge.
    FormatPrint(QStringLiteral("{tod}{fsize:10}{tab:11}"));
    EXPECT_NEAR(dev.currentX(), 10 * dev.averageCharWidth(), 1e-6);
    FormatPrint(QStringLiteral("{tab:0}"));
    EXPECT_DOUBLE_EQ(dev.currentX(), 0);
    EXPECT_NEAR(dev.currentY(), dev.lineHeightTwips(), 1e-6);
}

TEST_F(FormatPrintTest, FontCommandsPositionsAndDate)
{
    FormatPrint(QStringLiteral("{widon}"));
    EXPECT_DOUBLE_EQ(dev.fontSize(), 18);
    EXPECT_TRUE(dev.fontBold());
    FormatPrint(QStringLiteral("{widoff}{fsize:18}"));
    EXPECT_TRUE(dev.fontBold());
    FormatPrint(QStringLiteral("{fatoff}{fsize:18.0}{unlon}{itaon}"));
    EXPECT_FALSE(dev.fontBold());
    EXPECT_TRUE(dev.fontUnderline());
    EXPECT_TRUE(dev.fontItalic());
    FormatPrint(QStringLiteral("{unloff}{itaoff}{cndon}"));
    EXPECT_FALSE(dev.fontUnderline());
    EXPECT_DOUBLE_EQ(dev.fontSize(), 7);

    FormatPrint(QStringLiteral("{tod}ab{storex}{lf}{cr}{storey}{restorex}c"));
    const PrintItem c = dev.items(Kind::Text).last();
    EXPECT_NEAR(c.pos.x(), dev.textWidthTwips("ab"), 1e-3); // stored as a 32-bit float
    EXPECT_NEAR(c.pos.y(), dev.lineHeightTwips(), 1e-6);
    EXPECT_NEAR(formatterState().StoredY, dev.lineHeightTwips(), 1e-3);

    FormatPrint(QStringLiteral("{tod}{datum,n}"));
    EXPECT_EQ(dev.texts().last(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

TEST_F(FormatPrintTest, PagesAndTheEndOfTheJob)
{
    FormatPrint(QStringLiteral("een{ff}twee{storex}{storey}{eod}"));
    EXPECT_EQ(dev.jobsEnded(), 1);
    ASSERT_EQ(dev.pageCount(), 2);
    EXPECT_EQ(dev.items(Kind::Text)[1].page, 2);
    EXPECT_EQ(formatterState().StoredX, 0);
    EXPECT_EQ(formatterState().StoredY, 0);
    EXPECT_EQ(dev.page(), 1);
    // A page break right before the end gives no empty page.
    FormatPrint(QStringLiteral("{landscape}drie{FF}{EOF}"));
    EXPECT_EQ(dev.pageCount(), 1);
    EXPECT_EQ(dev.pages()[0].orientation, PageOrientation::Landscape);
}

TEST_F(FormatPrintTest, PaddingToDigitWidths)
{
    const QString left = PrintPadLeft(QStringLiteral("12,50"), 8);
    const double field = dev.textWidthTwips(QStringLiteral("88888888"));
    EXPECT_TRUE(left.startsWith(QLatin1Char(' ')));
    EXPECT_TRUE(left.endsWith(QStringLiteral(" 12,50")));
    EXPECT_EQ(left.trimmed(), QStringLiteral("12,50"));
    EXPECT_GE(dev.textWidthTwips(left), field);
    EXPECT_LT(dev.textWidthTwips(left.mid(1)), field);

    const QString right = PrintPadRight(QStringLiteral("  ab  "), 3);
    EXPECT_TRUE(right.startsWith(QStringLiteral("ab ")));
    EXPECT_GE(dev.textWidthTwips(right), dev.textWidthTwips(QStringLiteral("888")));
    EXPECT_LT(dev.textWidthTwips(right.chopped(1)), dev.textWidthTwips(QStringLiteral("888")));

    // Already wide enough: just trimmed.
    EXPECT_EQ(PrintPadLeft(QStringLiteral(" 123456 "), 2), QStringLiteral("123456"));

    // The page width, one blank short; a text too wide keeps all its characters.
    const QString page = PrintPadRight(QStringLiteral("x"), 0);
    EXPECT_LT(dev.textWidth(page), dev.printableWidth());
    EXPECT_GE(dev.textWidth(page + QLatin1Char(' ')), dev.printableWidth());
    const QString wide(400, QLatin1Char('W'));
    EXPECT_EQ(PrintPadLeft(wide, -1), wide);
}

} // namespace
} // namespace vandrel
