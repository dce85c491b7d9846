#include "documents/quotationfile.h"
#include "documents/quotationline.h"

#include <gtest/gtest.h>

using namespace vandrel;

TEST(QuotationFile, SavesAndLoadsBackByteForByte)
{
    QuotationFileContent content;
    content.reference = QStringLiteral("offerte van 09-12-2026");
    content.date = QStringLiteral("9-12-2026");
    content.lines = {QStringLiteral("2\t0000001\t20,00\tKraan \xE9\xE9n"), // é
                     quotation::pageBreakLine(), quotation::subtotalLine(), QString(),
                     QStringLiteral("Slotregel"), QString()};
    const QByteArray bytes = quotationfile::encode(content);
    QByteArray expected = "offerte van 09-12-2026\r\n9-12-2026\r\n2\t0000001\t20,00\tKraan \xE9\xE9n\r\n";
    expected += QByteArray(80, char(151)) + "\r\n";
    expected += "\tSubtot:\t0\t \r\n\r\nSlotregel\r\n\r\n\r\x1a";
    EXPECT_EQ(bytes, expected);

    const QuotationFileContent back = quotationfile::decode(bytes);
    EXPECT_EQ(back.reference, content.reference);
    EXPECT_EQ(back.date, content.date);
    EXPECT_EQ(back.lines, content.lines); // the last empty line stays, the marker's CR adds none
    EXPECT_EQ(quotationfile::encode(back), bytes);
}

TEST(QuotationFile, ReadsLinesAsTheLineReaderDoes)
{
    const QByteArray longLine(600, 'x');
    const QByteArray longHeader(200, 'r');
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"ref\r\ndatum\r\n" + longLine + "\r\nna\r\n\r\x1a", {QString(512, QLatin1Char('x')), "na"}},
        {"ref\ndatum\neen\ntwee", {"een", "twee"}},                     // lone LF, no marker
        {"ref\r\ndatum\r\neen\r\n\x1avergeten\r\n", {"een"}},          // Ctrl-Z ends the file
        {"ref\r\ndatum\r\na\rb\r\n\r", {"a\rb"}},                      // lone CR kept; CR at end
        {"ref\r\ndatum\r\n\r\n\r\n\r\x1a", {"", ""}},
        {"ref\r\n", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const QuotationFileContent back = quotationfile::decode(c.bytes);
        EXPECT_EQ(back.lines, c.lines) << c.bytes.left(40).toStdString();
    }
    const QuotationFileContent header = quotationfile::decode(longHeader + "\r\n" + longHeader + "\r\n");
    EXPECT_EQ(header.reference.size(), 128);
    EXPECT_EQ(header.date.size(), 128);
}

TEST(QuotationFile, ReadsTheDateAsTyped)
{
    EXPECT_EQ(quotationfile::readDate(QStringLiteral("9-12-2026")), QDate(2026, 12, 9));
    EXPECT_EQ(quotationfile::readDate(QStringLiteral("09/12/26")), QDate(2026, 12, 9));
    EXPECT_EQ(quotationfile::readDate(QStringLiteral("1.2.1999")), QDate(1999, 2, 1));
    EXPECT_FALSE(quotationfile::readDate(QStringLiteral("31-2-2026")).isValid());
    EXPECT_FALSE(quotationfile::readDate(QStringLiteral("volgende week")).isValid());
}
