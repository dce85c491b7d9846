#include "printing/printmarkup.h"

#include <gtest/gtest.h>

#include <climits>

namespace vandrel {
namespace {

using Op = PrintMarkup::Op;

TEST(PrintMarkupTest, NumbersReadAsALeadingNumberAndRoundHalvesToEven)
{
    const struct {
        const char* text;
        double value;
    } numbers[] = {{" 12.5x", 12.5}, {"-3", -3},  {"+7", 7},   {"1.2.3", 1.2},
                   {"abc", 0},       {"", 0},     {"  .5", .5}, {"- 5", 0},
                   {"8,5", 8},       {"5mm", 5}};
    for (const auto& n : numbers)
        EXPECT_DOUBLE_EQ(PrintMarkup::leadingNumber(QString::fromLatin1(n.text)), n.value) << n.text;

    const struct {
        double value;
        int rounded;
    } roundings[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.51, 3}, {0.5, 0}, {1.5, 2},
                     {1e20, INT_MAX}, {-1e20, INT_MIN}};
    for (const auto& r : roundings)
        EXPECT_EQ(PrintMarkup::roundHalfEven(r.value), r.rounded) << r.value;

    EXPECT_EQ(PrintMarkup::moveDistance(u"12.9"), 12);
    EXPECT_EQ(PrintMarkup::moveDistance(u"12,9"), 12);
    EXPECT_EQ(PrintMarkup::moveDistance(u"-5"), -5);
    EXPECT_EQ(PrintMarkup::moveDistance(u"x"), 0);
}

TEST(PrintMarkupTest, CommandsMatchWithoutRegardToCaseAndExactRowsComeFirst)
{
    const struct {
        const char* command;
        Op op;
        double number;
        int whole;
    } cases[] = {
        {"{FatOn}", Op::BoldOn, 0, 0},          {"{BOLDOFF}", Op::BoldOff, 0, 0},
        {"{RestoreY}", Op::RestoreY, 0, 0},     {"{FTab:5}", Op::FixedTab, 0, 5},
        {"{MoveR:3}", Op::MoveRight, 0, 3},     {"{moveu:-5}", Op::MoveUp, 0, -5},
        {"{movex:5}", Op::Ignored, 0, 0},       {"{move}", Op::Ignored, 0, 0},
        {"{fsize:18}", Op::WideOn, 0, 0},       {"{fsize:18.0}", Op::FontSize, 18, 0},
        {"{FSize:8.5}", Op::FontSize, 8.5, 0},  {"{elite}", Op::FontSize, 12, 0},
        {"{pica}", Op::FontSize, 10, 0},        {"{cndon}", Op::FontSize, 7, 0},
        {"{cndoff}", Op::FontSize, 12, 0},      {"{wideoff}", Op::WideOff, 0, 0},
        {"{tab:2.5}", Op::Tab, 0, 2},           {"{tab:3.5}", Op::Tab, 0, 4},
        {"{lwidth:250}", Op::LineWidth, 0, 250}, {"{hline:0}", Op::HLine, 0, 0},
        {"{VLine:12.5}", Op::VLine, 0, 12},     {"{header:Blad 1}", Op::Ignored, 0, 0},
        {"{xyz}", Op::Ignored, 0, 0},           {"{}", Op::Ignored, 0, 0},
        {"{Datum,T}", Op::DateLong, 0, 0},      {"{datum,n}", Op::DateShort, 0, 0},
        {"{EOF}", Op::EndOfDocument, 0, 0},     {"{formfeed}", Op::FormFeed, 0, 0},
        {"{tof}", Op::TopOfPage, 0, 0},         {"{lf}", Op::LineFeed, 0, 0},
    };
    for (const auto& c : cases) {
        const PrintMarkup::Token t = PrintMarkup::command(QString::fromLatin1(c.command));
        EXPECT_EQ(t.op, c.op) << c.command;
        EXPECT_DOUBLE_EQ(t.number, c.number) << c.command;
        EXPECT_EQ(t.whole, c.whole) << c.command;
    }
    EXPECT_EQ(PrintMarkup::command(QStringLiteral("{fname:Courier New}")).text,
              QStringLiteral("Courier New"));
}

TEST(PrintMarkupTest, OnlyAnOpeningBraceStartsACommandAndAnUnclosedOnePrintsAsText)
{
    const struct {
        const char* markup;
        QList<Op> ops;
        QStringList texts; // of the text pieces
    } cases[] = {
        {"a}b", {Op::Text}, {"a}b"}},
        {"{xyz}text", {Op::Ignored, Op::Text}, {"text"}},
        {"ab{fsize:8", {Op::Text}, {"ab{fsize:8"}},
        {"x{faton}y{", {Op::Text, Op::BoldOn, Op::Text}, {"x", "y{"}},
        {"{{faton}}", {Op::Ignored, Op::Text}, {"}"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        const QString markup = QString::fromLatin1(c.markup);
        QList<Op> ops;
        QStringList texts;
        QString rebuilt;
        for (const PrintMarkup::Token& t : PrintMarkup::parse(markup)) {
            ops << t.op;
            if (t.op == Op::Text)
                texts << t.text;
            rebuilt += t.source;
        }
        EXPECT_EQ(ops, c.ops) << c.markup;
        EXPECT_EQ(texts, c.texts) << c.markup;
        EXPECT_EQ(rebuilt, markup);
    }
}

TEST(PrintMarkupTest, MemoArgumentsWithUnitsLinesAndText)
{
    using Unit = PrintMarkup::MemoUnit;
    const struct {
        const char* argument;
        PrintMarkup::Memo memo;
    } cases[] = {
        {"60mm,3,hallo, wereld", {60, Unit::Millimetres, 3, "hallo, wereld"}},
        {"4000TW,2,x", {4000, Unit::Twips, 2, "x"}},
        {"20 Mm ,1,", {20, Unit::Millimetres, 1, ""}},
        {"2.5,1.5,t", {2, Unit::Characters, 2, "t"}},
        {"12,3", {12, Unit::Characters, 0, ""}},
        {"12", {12, Unit::Characters, 0, ""}},
        {"", {0, Unit::Characters, 0, ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintMarkup::parseMemo(QString::fromLatin1(c.argument)), c.memo) << c.argument;
    EXPECT_EQ(PrintMarkup::command(QStringLiteral("{Memo:10,2,a,b}")).memo.text, QStringLiteral("a,b"));
}

} // namespace
} // namespace vandrel
