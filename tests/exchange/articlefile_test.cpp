#include "exchange/articlefile.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

QList<QStringList> records(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ArticleFile file(buffer);
    QList<QStringList> out;
    QStringList fields;
    while (file.readRecord(fields))
        out << fields;
    return out;
}

} // namespace

TEST(ArticleFile, RecordsJoinLinesUntilOneEndsWithTheSeparator)
{
    const QList<std::pair<QByteArray, QList<QStringList>>> cases{
        {"1|a|b|\r\n2|c|\r\n", {{"1", "a", "b"}, {"2", "c"}}},
        // A field spanning the line break keeps CR LF inside.
        {"1|regel een\r\nregel twee|x|\r\n2|y|\r\n", {{"1", "regel een\r\nregel twee", "x"}, {"2", "y"}}},
        // Lone LF line ends; empty fields stay empty; blanks after the last "|" do not
        // glue the next record to this one.
        {"1||b|  \n2|c|", {{"1", "", "b"}, {"2", "c"}}},
        // The last record may lack its closing "|"; Ctrl-Z ends the text.
        {"1|a|\r\n2|b\r\n", {{"1", "a"}, {"2", "b"}}},
        {"1|a|\r\n\x1A" "2|b|\r\n", {{"1", "a"}}},
        {"", {}},
        // Windows-1252 text.
        {"1|caf\xE9|\r\n", {{"1", QStringLiteral("caf\u00E9")}}},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(records(bytes), expected) << bytes.toStdString();
}

TEST(ArticleFile, AtMostThirtyTwoFieldsAndLongLinesKeptWhole)
{
    QByteArray line;
    for (int i = 1; i <= 40; ++i)
        line += QByteArray::number(i) + "|";
    const QByteArray longField(3000, 'x');
    const auto got = records(line + "\r\n1|" + longField + "|2|\r\n");
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[0].size(), 32);
    EXPECT_EQ(got[0].last(), QStringLiteral("32"));
    EXPECT_EQ(got[1], (QStringList{"1", QString::fromLatin1(longField), "2"}));
}

TEST(ArticleFile, CountsLinesAsTheReaderReadsThem)
{
    QBuffer buffer;
    buffer.setData("a\r\nb\nc");
    buffer.open(QIODevice::ReadOnly);
    ArticleFile file(buffer);
    QByteArray line;
    QList<QByteArray> lines;
    while (file.readLine(line))
        lines << line;
    EXPECT_EQ(lines, (QList<QByteArray>{"a", "b", "c"}));
    EXPECT_EQ(ArticleFile::countLines(QStringLiteral("/no/such/file")), 0);
}

TEST(ArticleFile, FieldConversions)
{
    EXPECT_EQ(articleNumber(QStringLiteral("1234567")), 1234567);
    EXPECT_EQ(articleNumber(QStringLiteral(" 12 ")), 12);
    for (const char* bad : {"", "0", "0000000", "12345678", "999999920240131", "12a", "-5", "1.5"})
        EXPECT_FALSE(articleNumber(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(wholeNumber(QStringLiteral("2147483647")), 2147483647);
    EXPECT_FALSE(wholeNumber(QStringLiteral("2147483648")));

    const QList<std::pair<const char*, std::int64_t>> prices{
        {"1999", 199900}, {"0", 0}, {"", 0}, {"5", 500}, {"-250", -25000},
        {" 1 999", 199900}, {"12.5", 1250}, {"1999abc", 199900}, {"abc", 0},
        {"0.005", 0}, {"0.015", 2}, {"00012", 1200}, // halves to even at four decimals
    };
    for (const auto& [text, raw] : prices) {
        const auto amount = priceFromCents(QString::fromLatin1(text));
        ASSERT_TRUE(amount) << text;
        EXPECT_EQ(amount->raw(), raw) << text;
    }
    EXPECT_FALSE(priceFromCents(QStringLiteral("99999999999999999999999")));

    EXPECT_TRUE(isWithdrawn(QStringLiteral("*** Vervallen ***")));
    EXPECT_TRUE(isWithdrawn(QStringLiteral(" *** VERVALLEN *** ")));
    EXPECT_FALSE(isWithdrawn(QStringLiteral("** VERVALLEN **")));
}

TEST(ArticleFile, ChangeDatesInEveryDeliveredForm)
{
    const QDate jan31(2024, 1, 31);
    const QList<std::pair<const char*, QDateTime>> cases{
        {"20240131", QDateTime(jan31, QTime(0, 0), Qt::UTC)},
        {"2024-01-31", QDateTime(jan31, QTime(0, 0), Qt::UTC)},
        {"31-01-2024", QDateTime(jan31, QTime(0, 0), Qt::UTC)},
        {"31/1/2024", QDateTime(jan31, QTime(0, 0), Qt::UTC)},
        {"31.01.24", QDateTime(jan31, QTime(0, 0), Qt::UTC)},
        {"1-2-98", QDateTime(QDate(1998, 2, 1), QTime(0, 0), Qt::UTC)},
        {"31-01-2024 14:05", QDateTime(jan31, QTime(14, 5), Qt::UTC)},
        {"2024-01-31 08:00:30", QDateTime(jan31, QTime(8, 0, 30), Qt::UTC)},
    };
    for (const auto& [text, expected] : cases) {
        const auto got = changeDate(QString::fromLatin1(text));
        ASSERT_TRUE(got) << text;
        EXPECT_EQ(*got, expected) << text;
    }
    for (const char* bad : {"", "0", "31-13-2024", "20240230", "gisteren", "2024-01", "12345"})
        EXPECT_FALSE(changeDate(QString::fromLatin1(bad))) << bad;
}
