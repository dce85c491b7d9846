// The order printout: the markup handed to the formatter, and what reaches the page.
#include "documents/orderprint.h"

#include "catalogdb/scanfile.h"
#include "printing/recordingprintdevice.h"

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

OrderFileContent sampleOrder(bool pickUp)
{
    OrderFileContent o;
    o.reference = "order van 09-12-2026";
    o.deliveryDate = "10-12-2026";
    o.address = "Dorpsstraat 1\r\n1234 AB Ergens";
    o.pickUp = pickUp;
    o.lines << OrderFileLine{2, 1001, "Knie 22 mm", Currency::fromCents(750), Currency::fromCents(510)}
            << OrderFileLine{1, 1003, "Kraan", Currency::fromCents(1999), Currency::fromCents(1500)}
            << OrderFileLine{10, 4242, "Niet in de catalogus", Currency::fromCents(1000), Currency::fromCents(800)};
    return o;
}

std::optional<CatalogArticle> lookup(qint32 number)
{
    if (number == 1001)
        return CatalogArticle{"Knie", {}, {}, 1, 1, {}};
    if (number == 1003)
        return CatalogArticle{"Kraan", {}, {}, 1, 3, {}};
    return std::nullopt;
}

// Records what a long printout tells the progress window.
class RecordingMeter final : public ProgressMeter {
public:
    void open(const QString&, const QString&) override {}
    void setLabel(const QString&) override {}
    void setPercent(int p) override { percents << p; }
    void refresh() override { ++refreshes; }
    void close() override { jobsEndedAtClose = device ? device->jobsEnded() : -1; }
    const RecordingPrintDevice* device = nullptr;
    QList<int> percents;
    int refreshes = 0;
    int jobsEndedAtClose = -1;
};

} // namespace

TEST(OrderPrint, ALongOrderMovesTheMeterAndPrintsTheSame)
{
    OrderFileContent order = sampleOrder(false);
    for (int i = 0; i < 117; ++i) // 120 lines; every tenth without a quantity
        order.lines << OrderFileLine{i % 10 == 0 ? 0 : i, 1001, "Knie 22 mm", Currency::fromCents(750),
                                     Currency::fromCents(510)};
    RecordingPrintDevice quiet;
    const QStringList expected = printOrder(quiet, order, lookup);
    RecordingMeter meter;
    RecordingPrintDevice device;
    meter.device = &device;
    EXPECT_EQ(printOrder(device, order, lookup, &meter), expected);
    EXPECT_EQ(device.texts(), quiet.texts());
    EXPECT_EQ(device.jobsEnded(), 1);
    EXPECT_EQ(meter.jobsEndedAtClose, 0); // closed before the job went out
    // 120 lines do not fit one page; none is lost.
    EXPECT_GE(device.pageCount(), 2);
    EXPECT_EQ(device.texts().count("0001001"), 106);
    // After lines 25, 50, 75 and 100, and at the end.
    EXPECT_EQ(meter.percents, (QList<int>{20, 41, 62, 83, 100}));
    EXPECT_EQ(meter.refreshes, 5);

    RecordingMeter empty;
    printOrder(device, OrderFileContent(), lookup, &empty);
    EXPECT_EQ(empty.percents, QList<int>{100});
}

TEST(OrderPrint, MarkupOfAnOrderDelivered)
{
    RecordingPrintDevice device;
    const QStringList m = printOrder(device, sampleOrder(false), lookup);
    ASSERT_GE(m.size(), 20);
    EXPECT_EQ(m[0], "{fname:Arial}{fatoff}");
    EXPECT_EQ(m[1], "{ftab:5}{widon}Vandrel bestelling:{widoff}{crlf}");
    EXPECT_EQ(m[4], "{ftab:5}{itaon}Referentie: {itaoff}{faton}order van 09-12-2026{fatoff}{crlf}");
    EXPECT_EQ(m[5], "{ftab:5}{itaon}Leverdatum: {itaoff}{faton}10-12-2026{fatoff}");
    EXPECT_EQ(m[6], "{itaon} Goederen afhalen: {itaoff}{faton}Nee{fatoff}{crlf}");
    EXPECT_EQ(m[7], "{ftab:5}{itaon}Leveradres: {itaoff}{faton}{memo:50,2,Dorpsstraat 1\r\n1234 AB Ergens}{fatoff}{crlf}{crlf}");
    EXPECT_TRUE(m.contains("{fatoff}{itaon}   Levertijd ca. 1 week{itaoff}"));
    EXPECT_TRUE(m.contains("{fatoff}{itaon}   Levertijd ca. 3 weken{itaoff}"));
    // The article outside the catalog gets no availability step: its description is
    // followed directly by the amounts.
    const int unknown = int(m.indexOf("{cndon}Niet in de catalogus"));
    ASSERT_GT(unknown, 0);
    EXPECT_EQ(m[unknown + 1], "{cndoff}{pica}{faton}{ftab:63}");
    EXPECT_TRUE(m[unknown - 1].startsWith("{ftab:5}"));
    EXPECT_TRUE(m[unknown - 1].endsWith("{ftab:9}0004242{ftab:15}"));
    // Totals: 7,50 + 19,99 + 10,00 and 5,10 + 15,00 + 8,00, padded to seven digits.
    EXPECT_TRUE(m[m.size() - 3].startsWith("{ftab:63}"));
    EXPECT_TRUE(m[m.size() - 3].trimmed().endsWith("37,49"));
    EXPECT_TRUE(m[m.size() - 2].contains("28,10{crlf}"));
    EXPECT_EQ(m.last(), "{ftab:5}{itaon}prijzen zijn in Euro.{itaoff}{crlf}");

    EXPECT_EQ(device.jobsEnded(), 1);
    const QStringList texts = device.texts();
    EXPECT_TRUE(texts.contains("Vandrel bestelling:"));
    EXPECT_TRUE(texts.contains("Dorpsstraat 1"));
    EXPECT_TRUE(texts.contains("0001003"));
}

TEST(OrderPrint, PickUpAndEmptyOrders)
{
    RecordingPrintDevice device;
    const QStringList m = printOrder(device, sampleOrder(true), lookup);
    EXPECT_EQ(m[6], "{itaon} Goederen afhalen: {itaoff}{faton}Ja{fatoff}{crlf}");
    for (const QString& s : m)
        EXPECT_FALSE(s.contains("Leveradres")) << s.toStdString();

    OrderFileContent empty;
    const QStringList e = printOrder(device, empty, lookup);
    EXPECT_FALSE(e.join("").contains("{cndon}"));
    EXPECT_TRUE(e[e.size() - 3].endsWith("0,00"));
    EXPECT_TRUE(e[e.size() - 2].endsWith("0,00{crlf}"));
    EXPECT_EQ(device.jobsEnded(), 2);
}

TEST(OrderPrint, AvailabilityTexts)
{
    EXPECT_EQ(availabilityText(3), "   Levertijd ca. 3 weken");
    EXPECT_EQ(availabilityText(1), "   Levertijd ca. 1 week");
    EXPECT_EQ(availabilityText(0), "   Standaard voorradig");
    EXPECT_EQ(availabilityText(-2), "   Standaard voorradig");
    EXPECT_EQ(availabilityText(std::nullopt), "   Standaard voorradig");
}
