// What order and quotation windows share: the command channel, the code generator, the
// line reader, the order rules and the order line store.
#include "documents/documentaction.h"
#include "documents/documentcode.h"
#include "documents/documentlinereader.h"
#include "documents/orderlinestore.h"
#include "documents/orderrules.h"

#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

using namespace vandrel;

TEST(DocumentAction, EveryChangeOfTheCaptionRunsOnce)
{
    QWidget window;
    auto* action = new DocumentAction(&window);
    QSignalSpy spy(action, &DocumentAction::captionChanged);
    EXPECT_TRUE(DocumentAction::send(&window, "SAVE"));
    EXPECT_TRUE(DocumentAction::send(&window, "SAVE")); // again: through the empty text
    action->setCaption("SAVE");                       // no change, nothing runs
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy[0][0].toString(), "SAVE");
    EXPECT_EQ(spy[1][0].toString(), "");
    EXPECT_EQ(spy[2][0].toString(), "SAVE");
    EXPECT_FALSE(action->isVisible());
    QWidget bare;
    EXPECT_FALSE(DocumentAction::send(&bare, "NEW"));
}

TEST(DocumentAction, CommandsIgnoreLetterCase)
{
    const std::pair<const char*, DocumentCommand> cases[] = {
        {"", DocumentCommand::None},          {"new", DocumentCommand::New},
        {"Open", DocumentCommand::Open},      {"FASTOPEN", DocumentCommand::FastOpen},
        {"save", DocumentCommand::Save},      {"SaveAs", DocumentCommand::SaveAs},
        {"close", DocumentCommand::Close},    {"DELETE", DocumentCommand::Delete},
        {"PRINT", DocumentCommand::Invalid},  {" NEW", DocumentCommand::Invalid},
    };
    for (const auto& [caption, command] : cases)
        EXPECT_EQ(parseDocumentCommand(caption), command) << caption;
    EXPECT_EQ(invalidCommandText("print", "FrmBestel"), "Command 'print'  is not valid in FrmBestel.Action");
}

TEST(DocumentCode, DrawsAFreeCodeInRange)
{
    test::TestDir dir;
    BuildOrdersDatabase(dir.path());
    auto db = Database::open(dir.file("VD-ORDR4.MDB"));
    ASSERT_TRUE(db);
    // Empty table: the first draw is taken. 0.0 gives 1, just below 1.0 gives 999999.
    std::vector<double> draws = {0.0};
    auto random = [&] {
        if (draws.empty()) {
            ADD_FAILURE() << "more draws than expected";
            return 0.75;
        }
        const double d = draws.front();
        draws.erase(draws.begin());
        return d;
    };
    EXPECT_EQ(drawDocumentCode(db.get(), random), 1);
    draws = {0.99999999};
    EXPECT_EQ(drawDocumentCode(db.get(), random), 999999);
    // Codes in use are drawn again.
    ASSERT_TRUE(db->execute("INSERT INTO BestelRegels (OrderCode) VALUES (1)"));
    ASSERT_TRUE(db->execute("INSERT INTO BestelRegels (OrderCode) VALUES (500000)"));
    draws = {0.0, 0.4999995, 0.500001};
    EXPECT_EQ(drawDocumentCode(db.get(), random), 500001);
    EXPECT_TRUE(draws.empty());
    for (int i = 0; i < 50; ++i) {
        const auto code = drawDocumentCode(db.get());
        ASSERT_TRUE(code);
        EXPECT_GE(*code, 1);
        EXPECT_LE(*code, 999999);
    }
    EXPECT_FALSE(drawDocumentCode(nullptr));
}

TEST(DocumentLineReader, LineEndsMarkerAndLimits)
{
    const struct {
        QByteArray bytes;
        int limit;
        QList<QByteArray> lines;
        bool endMarker;
    } cases[] = {
        {"a\r\nb\r\x1a", 128, {"a", "b"}, true},
        {"a\nb", 128, {"a", "b"}, false},          // lone LF ends a line; physical end
        {"a\rb\r\n\r", 128, {"a\rb", ""}, false}, // lone CR inside is data, a last CR ends
        {"abcdef\r\ngh\r\x1a", 3, {"abc", "gh"}, true},
        {"\r\x1a", 128, {""}, true},
        {"x\x1ay\r\n", 128, {"x"}, true},
    };
    for (const auto& c : cases) {
        DocumentLineReader r(c.bytes);
        QList<QByteArray> got;
        while (!r.atEnd())
            got << r.readLine(c.limit);
        EXPECT_EQ(got, c.lines) << c.bytes.toStdString();
        EXPECT_EQ(r.atEndMarker(), c.endMarker) << c.bytes.toStdString();
        EXPECT_EQ(r.lineNumber(), c.lines.size());
    }
}

TEST(OrderRules, NextWorkingDayAndLineAmounts)
{
    // Monday 7 December 2026 to Sunday 13 December.
    const std::pair<QDate, QDate> days[] = {
        {QDate(2026, 12, 7), QDate(2026, 12, 8)},   {QDate(2026, 12, 10), QDate(2026, 12, 11)},
        {QDate(2026, 12, 11), QDate(2026, 12, 14)}, // Friday: Monday
        {QDate(2026, 12, 12), QDate(2026, 12, 14)}, // Saturday: Monday
        {QDate(2026, 12, 13), QDate(2026, 12, 14)}, // Sunday: tomorrow
    };
    for (const auto& [today, expected] : days)
        EXPECT_EQ(proposedDeliveryDate(today), expected) << today.toString().toStdString();
    EXPECT_EQ(newOrderReference(QDate(2026, 12, 9)), "order van 09-12-2026");

    const Currency price = Currency::fromCents(1250);
    EXPECT_EQ(lineAmount(2, price, 1), Currency::fromCents(2500));
    EXPECT_EQ(lineAmount(3, price, 100), Currency::fromRaw(3750));    // 0,375 per piece x 3... / 100
    EXPECT_EQ(lineAmount(2, price, 0), Currency::fromCents(2500));   // empty unit counts as 1
    EXPECT_EQ(lineAmount(2, price, 0.5), Currency::fromCents(2500)); // below 1 too
    EXPECT_EQ(lineAmount(1, Currency::fromCents(100), 3), Currency::fromRaw(3333));
}

TEST(OrderLineStore, LinesOfOneOrderOnly)
{
    test::TestDir dir;
    BuildOrdersDatabase(dir.path());
    auto db = Database::open(dir.file("VD-ORDR4.MDB"));
    ASSERT_TRUE(db);
    OrderLineStore mine(db.get(), 42), other(db.get(), 43);
    const QList<OrderFileLine> loaded = {
        {2, 123, "Knie", Currency::fromCents(750), Currency::fromCents(510)},
        {1, 124, "Bocht", std::nullopt, std::nullopt},
    };
    ASSERT_TRUE(mine.insertLoaded(loaded));
    ASSERT_TRUE(other.add({5, 9, "ander", Currency::fromCents(1), Currency::fromCents(1)}));
    ASSERT_TRUE(mine.add({3, 125, "los", Currency::fromCents(300), Currency::fromCents(200)}));
    const QList<OrderFileLine> lines = mine.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], loaded[0]);
    EXPECT_EQ(lines[1], loaded[1]);
    EXPECT_EQ(lines[2].articleNumber, 125);
    auto numbers = db->openRecordset("SELECT RegelNummer FROM BestelRegels WHERE OrderCode = 42 ORDER BY ID");
    ASSERT_TRUE(numbers);
    EXPECT_EQ(numbers->value(0).toInt(), 1);
    numbers->moveNext();
    EXPECT_EQ(numbers->value(0).toInt(), 2);
    numbers->moveNext();
    EXPECT_TRUE(numbers->value(0).isNull()); // added later: no line number
    ASSERT_TRUE(mine.deleteAll());
    EXPECT_TRUE(mine.lines().isEmpty());
    EXPECT_EQ(other.lines().size(), 1);
}

namespace {

std::optional<CatalogArticle> catalog(qint32 number)
{
    if (number == 100) // 12,50 gross and 10,00 net for 10 pieces
        return CatalogArticle{"Knie per 10", Currency::fromCents(1250), Currency::fromCents(1000), 10, 2, {}};
    if (number == 200)
        return CatalogArticle{"Kraan", Currency::fromCents(2000), Currency::fromCents(1500), 0, 0, {}};
    return std::nullopt;
}

} // namespace

TEST(OrderRules, TypedLines)
{
    struct Case {
        const char* name;
        OrderFileLine typed;
        OrderColumn edited;
        OrderFileLine expected;
    };
    const Case cases[] = {
        {"empty quantity becomes 1, amounts for one piece / Per",
         {0, 100, "", std::nullopt, std::nullopt}, OrderColumn::Artikel,
         {1, 100, "Knie per 10", Currency::fromCents(125), Currency::fromCents(100)}},
        {"quantity changed: amounts again", {4, 200, "oud", Currency(), Currency()}, OrderColumn::Aantal,
         {4, 200, "Kraan", Currency::fromCents(8000), Currency::fromCents(6000)}},
        {"unknown article: nothing else changes", {2, 999, "eigen", Currency::fromCents(5), std::nullopt},
         OrderColumn::Artikel, {2, 999, "eigen", Currency::fromCents(5), std::nullopt}},
        {"9999999 without catalog row keeps the line", {3, 9999999, "slot", Currency::fromCents(7), Currency::fromCents(6)},
         OrderColumn::Artikel, {3, 9999999, "slot", Currency::fromCents(7), Currency::fromCents(6)}},
        {"description typed: not priced again", {2, 200, "mijn tekst", Currency::fromCents(1), Currency::fromCents(1)},
         OrderColumn::Omschrijving, {2, 200, "mijn tekst", Currency::fromCents(1), Currency::fromCents(1)}},
    };
    for (const Case& c : cases) {
        OrderFileLine line = c.typed;
        completeTypedLine(line, c.edited, catalog);
        EXPECT_EQ(line, c.expected) << c.name;
    }
}

TEST(OrderRules, PasteAndCopy)
{
    const QList<ClipboardArticle> clip = {
        {2, 100, "uit lijst", Currency::fromCents(2500), Currency::fromCents(2000), 10}, // found: catalog prices
        {3, 777, "onbekend", Currency::fromCents(3000), Currency::fromCents(2400), 10},  // not found: clip / unit
        {1, 778, "zonder eenheid", Currency::fromCents(100), Currency::fromCents(90), 0}, // no unit: no amounts
        {0, 100, "geen aantal", {}, {}, 1},                                               // skipped
        {1, 0, "geen artikel", {}, {}, 1},                                                // skipped
    };
    const QList<OrderFileLine> pasted = pastedOrderLines(clip, catalog);
    ASSERT_EQ(pasted.size(), 3);
    EXPECT_EQ(pasted[0], (OrderFileLine{2, 100, "Knie per 10", Currency::fromCents(250), Currency::fromCents(200)}));
    EXPECT_EQ(pasted[1], (OrderFileLine{3, 777, "onbekend", Currency::fromCents(300), Currency::fromCents(240)}));
    EXPECT_EQ(pasted[2], (OrderFileLine{1, 778, "zonder eenheid", std::nullopt, std::nullopt}));

    // Lines copied out of an order paste back with their own totals.
    const QList<OrderFileLine> order = {{3, 777, "los", Currency::fromCents(900), Currency::fromCents(600)}};
    EXPECT_EQ(pastedOrderLines(copiedOrderLines(order), catalog), order);
}
