// The order file, byte for byte, and the reader's rules for damaged and foreign files.
#include "documents/orderfile.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

OrderFileLine line(qint32 quantity, qint32 article, const char* description, qint64 grossCents, qint64 netCents)
{
    return {quantity, article, QString::fromUtf8(description), Currency::fromCents(grossCents), Currency::fromCents(netCents)};
}

QByteArray bytes(const char* text) { return QByteArray(text); }

} // namespace

TEST(OrderFile, WorkedExampleByteForByte)
{
    OrderFileContent order;
    order.reference = "order van 09-12-2026";
    order.deliveryDate = "10-12-2026";
    order.address = "Dorpsstraat 1";
    order.pickUp = true;
    order.lines << line(2, 123456, "Knie 22 mm", 750, 510);
    const QByteArray expected = bytes("order van 09-12-2026\r\n"
                                      "10-12-2026\r\n"
                                      "Dorpsstraat 1\r\n"
                                      "True"
                                      "\r\n2\r\n0123456\r\nKnie 22 mm\r\n7,50\r\n5,10"
                                      "\r\x1a");
    EXPECT_EQ(writeOrderFile(order), expected);

    const OrderFileReadResult back = readOrderFile(expected);
    ASSERT_TRUE(back.ok) << back.problem.toStdString();
    EXPECT_EQ(back.order.reference, order.reference);
    EXPECT_EQ(back.order.deliveryDate, "10-12-2026");
    EXPECT_EQ(back.order.address, order.address);
    EXPECT_TRUE(back.order.pickUp);
    EXPECT_EQ(back.order.lines, order.lines);
}

TEST(OrderFile, HeaderCasesRoundTrip)
{
    // No lines: four header items, then CR Ctrl-Z directly.
    OrderFileContent empty;
    empty.reference = "ref";
    empty.deliveryDate = "11-12-2026";
    EXPECT_EQ(writeOrderFile(empty), bytes("ref\r\n11-12-2026\r\n\r\nFalse\r\x1a"));
    const auto e = readOrderFile(writeOrderFile(empty));
    ASSERT_TRUE(e.ok);
    EXPECT_TRUE(e.order.lines.isEmpty());
    EXPECT_EQ(e.order.address, "");
    EXPECT_FALSE(e.order.pickUp);

    // A two-line address stays two lines; Windows-1252 characters survive.
    OrderFileContent two = empty;
    two.address = QString::fromUtf8("Kerkstraat 2\r\n1234 AB Zoë");
    const QByteArray twoBytes = writeOrderFile(two);
    EXPECT_TRUE(twoBytes.contains("Kerkstraat 2\r\n1234 AB Zo\xeb\r\nFalse"));
    EXPECT_EQ(readOrderFile(twoBytes).order.address, two.address);

    // On reading, an address line "true" (any case) ends the address and is taken as the
    // flag; the lines after it are then line blocks.
    const auto r = readOrderFile("ref\r\n\r\nPostbus 1\r\ntRuE\r\n2\r\n0000123\r\nx\r\n1,00\r\n2,00\r\x1a");
    ASSERT_TRUE(r.ok) << r.problem.toStdString();
    EXPECT_EQ(r.order.address, "Postbus 1");
    EXPECT_TRUE(r.order.pickUp);
    EXPECT_EQ(r.order.lines.size(), 1);
    // So an address line the user typed as "true" or "False" is written with a blank
    // behind it: the order reads back whole instead of being refused.
    OrderFileContent early = empty;
    early.address = "Postbus 1\r\ntRuE\r\nFalse";
    const QByteArray earlyBytes = writeOrderFile(early);
    EXPECT_TRUE(earlyBytes.contains("\r\nPostbus 1\r\ntRuE \r\nFalse \r\nFalse\r\x1a"));
    const auto back = readOrderFile(earlyBytes);
    ASSERT_TRUE(back.ok) << back.problem.toStdString();
    EXPECT_EQ(back.order.address, "Postbus 1\r\ntRuE \r\nFalse ");
    EXPECT_FALSE(back.order.pickUp);
}

TEST(OrderFile, LinesKeptAndLeftOut)
{
    OrderFileContent order;
    order.deliveryDate = "";
    order.lines << line(1, 123, "kort nummer", 100, 80) // stored as 0000123
                << line(0, 555, "geen aantal", 100, 80)  // left out
                << line(3, 0, "geen artikel", 100, 80)   // left out
                << line(-1, 556, "negatief", 100, 80)    // left out
                << OrderFileLine{4, 9999999, "", std::nullopt, std::nullopt};
    const QByteArray b = writeOrderFile(order);
    EXPECT_TRUE(b.contains("\r\n1\r\n0000123\r\nkort nummer\r\n1,00\r\n0,80\r\n4\r\n9999999\r\n\r\n\r\n\r\x1a"));
    EXPECT_FALSE(b.contains("geen"));
    EXPECT_FALSE(b.contains("negatief"));
    const auto r = readOrderFile(b);
    ASSERT_TRUE(r.ok) << r.problem.toStdString();
    ASSERT_EQ(r.order.lines.size(), 2);
    EXPECT_EQ(r.order.lines[0].articleNumber, 123);
    EXPECT_EQ(r.order.lines[1], (OrderFileLine{4, 9999999, "", std::nullopt, std::nullopt}));
}

TEST(OrderFile, ReadingRules)
{
    // A final line end before the marker adds no line; the date comes back in the short
    // format; a long line is cut at 128 characters and the next line still read.
    const QByteArray longRef(300, 'x');
    const QByteArray withTail = longRef + "\r\n9-12-2026\r\n\r\nfalse\r\n1\r\n0000042\r\n" +
                                QByteArray(5000, 'd') + "\r\n1,50\r\n1,20\r\n\r\x1a";
    const auto r = readOrderFile(withTail);
    ASSERT_TRUE(r.ok) << r.problem.toStdString();
    EXPECT_EQ(r.order.reference.size(), 128);
    EXPECT_EQ(r.order.deliveryDate, "09-12-2026");
    ASSERT_EQ(r.order.lines.size(), 1);
    EXPECT_EQ(r.order.lines[0].description.size(), 4096);
    EXPECT_EQ(r.order.lines[0].net, Currency::fromCents(120));
    // What follows the marker is not read.
    EXPECT_TRUE(readOrderFile(bytes("a\r\n\r\n\r\nTrue\r\x1a\r\n1\r\nrommel")).ok);
}

TEST(OrderFile, DamagedOrForeignFilesAreRefusedWhole)
{
    const struct {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"no end marker", "ref\r\n10-12-2026\r\n\r\nTrue\r\n2\r\n0000001\r\nx\r\n1,00\r\n1,00"},
        {"date is no date", "ref\r\nmorgen\r\n\r\nTrue\r\x1a"},
        {"quantity is no number", "ref\r\n\r\n\r\nTrue\r\ntwee\r\n0000001\r\nx\r\n1,00\r\n1,00\r\x1a"},
        {"article is no number", "ref\r\n\r\n\r\nTrue\r\n2\r\nA0001\r\nx\r\n1,00\r\n1,00\r\x1a"},
        {"amount is no amount", "ref\r\n\r\n\r\nTrue\r\n2\r\n0000001\r\nx\r\nveel\r\n1,00\r\x1a"},
        {"block cut short", "ref\r\n\r\n\r\nTrue\r\n2\r\n0000001\r\nx\r\x1a"},
        {"no pick-up flag", "ref\r\n\r\nadres\r\nnog meer\r\x1a"},
        {"empty", ""},
        {"binary", "\x01\x02\xff\x1a"},
    };
    for (const auto& c : cases) {
        const auto r = readOrderFile(QByteArray(c.bytes));
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_FALSE(r.problem.isEmpty()) << c.name;
        EXPECT_TRUE(r.order.lines.isEmpty()) << c.name; // never half-loaded
        EXPECT_TRUE(r.order.reference.isEmpty()) << c.name;
    }
}

TEST(OrderFile, DatesAsTyped)
{
    const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    for (const char* text : {"10-12-2026", "10-12-26", "10/12/2026", "10.12.2026", "2026-12-10"})
        EXPECT_EQ(readDocumentDate(text, nl), QDate(2026, 12, 10)) << text;
    for (const char* text : {"", "32-12-2026", "morgen", "10-12"})
        EXPECT_FALSE(readDocumentDate(text, nl)) << text;
}
