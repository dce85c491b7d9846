// The article list output: the printed list's font size, header, rows and footers, and
// the series text for the system clipboard.
#include "browser/listoutput.h"

#include "printing/printdevice.h"
#include "printing/recordingprintdevice.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace vandrel;
using namespace vandrel::listoutput;

namespace {

Column column(const char* caption, double chars, bool right = false, int pixels = 0)
{
    Column c;
    c.caption = caption;
    c.widthChars = chars;
    c.rightAligned = right;
    c.widthPixels = pixels;
    return c;
}

} // namespace

TEST(ListOutput, FontSizeByHowOftenTheDigitsFit)
{
    // A = page width less "88888888"; B = the T digits. 10 x (A \ B), at least 5.
    const struct {
        double page, eights, digits;
        int size;
    } cases[] = {
        {11000, 1000, 10000, 10}, // fits exactly once
        {11000, 1000, 5000, 20},  // twice
        {11000, 1000, 3333.4, 30}, // three times (B rounds to 3333)
        {11000, 1000, 10001, 5},  // not once
        {11000, 1000, 0, 10},     // no visible column
    };
    for (const auto& c : cases)
        EXPECT_EQ(fontSize(c.page, c.eights, c.digits), c.size) << c.digits;
}

TEST(ListOutput, WidthTotalRoundsHalvesToEven)
{
    // 2.5 + 2 = 4.5 -> 4; 4 + 1.5 + 2 = 7.5 -> 8; 8 + 0.5 + 2 = 10.5 -> 10.
    EXPECT_EQ(widthTotal({column("a", 2.5), column("b", 1.5), column("c", 0.5)}), 10);
    EXPECT_EQ(widthTotal({}), 0);
}

TEST(ListOutput, PrintedListHeaderRowsAndFooters)
{
    RecordingPrintDevice device;
    ListPrint list;
    list.title = "Vandrel Artikeloverzicht";
    list.query = "knie}22";
    list.columns = {column("ArtikelNr", 8), column("Bruto excl", 7, true)};
    list.widthTotal = widthTotal(list.columns);
    list.rowCount = 120;
    int pumped = 0;
    list.pump = [&] { ++pumped; };
    list.value = [](int row, const Column& c) {
        return c.rightAligned ? QStringLiteral("%1,50").arg(row) : QStringLiteral("%1").arg(1000000 + row);
    };
    const QStringList m = printList(device, list);
    ASSERT_GE(m.size(), 3);
    EXPECT_EQ(m[0], "{FName:Arial}{FatOff}{ItaOff}{FSize:10}");
    // The header: the search text's "}" ends the query box early, as the markup reads it.
    EXPECT_TRUE(m[1].startsWith("{FName:Arial}{FTab:5}{WidOn}Vandrel Artikeloverzicht{WidOff}{CrLf}{CrLf}"
                                "{FSize:12}{hline:0}{FTab:5}{FatOn}Query: {FatOff}{ItaOn}{FSize:10}{Memo:65,3,knie}22}"))
        << m[1].toStdString();
    EXPECT_TRUE(m[1].contains("{UnlOn}ArtikelNr"));
    // T = 8 + 2 + 7 + 2 = 19 digits fit many times: the size is a multiple of 10 above 10.
    const QRegularExpression sizeCommand("\\{FSize:(\\d+)\\}\\{FatOn\\}");
    const auto match = sizeCommand.match(m[1]);
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1).toInt() % 10, 0);
    EXPECT_GT(match.captured(1).toInt(), 10);
    EXPECT_TRUE(m[2].startsWith("{FTab:5}{FName:Arial}{FSize:" + match.captured(1) + "}1000000"));
    EXPECT_TRUE(m[2].endsWith("0,50  {CrLf}{FatOff}"));
    // Every page ends in the footer with its number; the last one too, with no empty
    // page after it.
    QStringList footers;
    for (const QString& s : m)
        if (s.startsWith("{FSize:8}{hline:0}Wijzigingen voorbehouden"))
            footers << s;
    ASSERT_GE(footers.size(), 2);
    EXPECT_TRUE(footers[0].endsWith("{FTab:54}Blad: 1{FF}"));
    // Date and time as the system shows them: 11-12-2026     14:22:05, no time zone.
    EXPECT_TRUE(QRegularExpression("voorbehouden {5}\\d{1,2}-\\d{1,2}-\\d{4} {5}\\d{2}:\\d{2}:\\d{2}\\{FTab:54\\}")
                    .match(footers[0])
                    .hasMatch())
        << footers[0].toStdString();
    EXPECT_TRUE(footers.last().endsWith(QStringLiteral("Blad: %1{FF}").arg(footers.size())));
    EXPECT_EQ(device.pageCount(), footers.size());
    EXPECT_EQ(device.jobsEnded(), 1);
    EXPECT_GT(pumped, 3);
}

TEST(ListOutput, SeriesTextCellsFollowTheColumnWidthsInPixels)
{
    const QList<Column> columns = {column("Beschrijving", 0, false, 54), column("Per", 0, false, 21)};
    const QString text = seriesText("Kogelkranen", columns, 2, [](int row, const Column& c) {
        return c.caption == "Per" ? QString::number(row + 1) : QStringLiteral("Kraan %1").arg(row);
    });
    const QStringList lines = text.split("\r\n");
    ASSERT_EQ(lines.size(), 5); // series, header, two rows, empty after the last CR LF
    EXPECT_EQ(lines[0], "Reeks:\tKogelkranen");
    const QStringList header = lines[1].split('\t');
    EXPECT_EQ(header[0].size(), 54);
    EXPECT_TRUE(header[0].startsWith("Beschrijving "));
    EXPECT_EQ(header[1].size(), 21);
    EXPECT_EQ(lines[2], "Kraan 0\t1\t");
    // A caption longer than the column is cut to it.
    EXPECT_EQ(seriesText("", {column("Omschrijving", 0, false, 5)}, 0, {}).split("\r\n")[1], "Omsch\t");
}
