#include "printing/printmarkup.h"

#include <cmath>
#include <limits>

namespace vandrel {

double PrintMarkup::leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    QString number;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        number += text[i++];
    bool point = false;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            number += c;
            digits = true;
        } else if (c == QLatin1Char('.') && !point) {
            number += c;
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        return 0;
    if (!std::isfinite(value))
        return value < 0 ? -std::numeric_limits<double>::max()
                         : std::numeric_limits<double>::max();
    return value;
}

int PrintMarkup::roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (value <= lo)
        return std::numeric_limits<int>::min();
    if (value >= hi)
        return std::numeric_limits<int>::max();
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return int(std::nearbyint(value));
}

int PrintMarkup::moveDistance(QStringView argument)
{
    // Every "." is read as "," first, so the number stops at it.
    QString arg = argument.toString();
    arg.replace(QLatin1Char('.'), QLatin1Char(','));
    const double value = leadingNumber(arg);
    return roundHalfEven(std::trunc(value));
}

PrintMarkup::Memo PrintMarkup::parseMemo(QStringView argument)
{
    Memo memo;
    const qsizetype first = argument.indexOf(QLatin1Char(','));
    const qsizetype second = first < 0 ? -1 : argument.indexOf(QLatin1Char(','), first + 1);
    QStringView widthField = first < 0 ? argument : argument.left(first);
    if (second >= 0) {
        memo.lines = roundHalfEven(leadingNumber(argument.mid(first + 1, second - first - 1)));
        memo.text = argument.mid(second + 1).toString();
    }
    widthField = widthField.trimmed();
    if (widthField.endsWith(QLatin1String("mm"), Qt::CaseInsensitive)) {
        memo.unit = MemoUnit::Millimetres;
        widthField.chop(2);
    } else if (widthField.endsWith(QLatin1String("tw"), Qt::CaseInsensitive)) {
        memo.unit = MemoUnit::Twips;
        widthField.chop(2);
    }
    memo.width = roundHalfEven(leadingNumber(widthField));
    return memo;
}

namespace {

struct Exact {
    const char* command;
    PrintMarkup::Op op;
    double number;
};

// The commands without argument, matched whole; they come before the prefixes.
const Exact exactCommands[] = {
    {"{storex}", PrintMarkup::Op::StoreX, 0},
    {"{storey}", PrintMarkup::Op::StoreY, 0},
    {"{restorex}", PrintMarkup::Op::RestoreX, 0},
    {"{restorey}", PrintMarkup::Op::RestoreY, 0},
    {"{portrait}", PrintMarkup::Op::Portrait, 0},
    {"{landscape}", PrintMarkup::Op::Landscape, 0},
    {"{elite}", PrintMarkup::Op::FontSize, 12},
    {"{fsize:12}", PrintMarkup::Op::FontSize, 12},
    {"{pica}", PrintMarkup::Op::FontSize, 10},
    {"{fsize:10}", PrintMarkup::Op::FontSize, 10},
    {"{faton}", PrintMarkup::Op::BoldOn, 0},
    {"{boldon}", PrintMarkup::Op::BoldOn, 0},
    {"{empon}", PrintMarkup::Op::BoldOn, 0},
    {"{fatoff}", PrintMarkup::Op::BoldOff, 0},
    {"{boldoff}", PrintMarkup::Op::BoldOff, 0},
    {"{empoff}", PrintMarkup::Op::BoldOff, 0},
    {"{unlon}", PrintMarkup::Op::UnderlineOn, 0},
    {"{unloff}", PrintMarkup::Op::UnderlineOff, 0},
    {"{cndon}", PrintMarkup::Op::FontSize, 7},
    {"{fsize:7}", PrintMarkup::Op::FontSize, 7},
    {"{cndoff}", PrintMarkup::Op::FontSize, 12},
    {"{widon}", PrintMarkup::Op::WideOn, 0},
    {"{wideon}", PrintMarkup::Op::WideOn, 0},
    {"{fsize:18}", PrintMarkup::Op::WideOn, 0},
    {"{widoff}", PrintMarkup::Op::WideOff, 0},
    {"{wideoff}", PrintMarkup::Op::WideOff, 0},
    {"{itaon}", PrintMarkup::Op::ItalicOn, 0},
    {"{itaoff}", PrintMarkup::Op::ItalicOff, 0},
    {"{crlf}", PrintMarkup::Op::CrLf, 0},
    {"{ff}", PrintMarkup::Op::FormFeed, 0},
    {"{formfeed}", PrintMarkup::Op::FormFeed, 0},
    {"{eod}", PrintMarkup::Op::EndOfDocument, 0},
    {"{eof}", PrintMarkup::Op::EndOfDocument, 0},
    {"{tod}", PrintMarkup::Op::TopOfPage, 0},
    {"{tof}", PrintMarkup::Op::TopOfPage, 0},
    {"{cr}", PrintMarkup::Op::CarriageReturn, 0},
    {"{lf}", PrintMarkup::Op::LineFeed, 0},
    {"{datum,t}", PrintMarkup::Op::DateLong, 0},
    {"{datum,n}", PrintMarkup::Op::DateShort, 0},
    {"{tijd}", PrintMarkup::Op::Time, 0},
};

bool startsWith(const QString& command, const char* prefix, QStringView& argument)
{
    const QLatin1String p(prefix);
    if (!command.startsWith(p, Qt::CaseInsensitive))
        return false;
    // Between the prefix and the closing brace.
    argument = QStringView(command).mid(p.size(), command.size() - p.size() - 1);
    return true;
}

} // namespace

PrintMarkup::Token PrintMarkup::command(const QString& command)
{
    Token token;
    token.text = command;
    token.source = command;
    for (const Exact& e : exactCommands) {
        if (command.compare(QLatin1String(e.command), Qt::CaseInsensitive) == 0) {
            token.op = e.op;
            token.number = e.number;
            return token;
        }
    }
    QStringView arg;
    if (startsWith(command, "{fsize:", arg)) {
        token.op = Op::FontSize;
        token.number = leadingNumber(arg);
    } else if (startsWith(command, "{fname:", arg)) {
        token.op = Op::FontName;
        token.text = arg.toString();
    } else if (startsWith(command, "{tab:", arg)) {
        token.op = Op::Tab;
        token.whole = roundHalfEven(leadingNumber(arg));
    } else if (startsWith(command, "{ftab:", arg)) {
        token.op = Op::FixedTab;
        token.whole = roundHalfEven(leadingNumber(arg));
    } else if (startsWith(command, "{move", arg)) {
        static const struct {
            const char* prefix;
            Op op;
        } moves[] = {{"{moveu:", Op::MoveUp},
                     {"{moved:", Op::MoveDown},
                     {"{movel:", Op::MoveLeft},
                     {"{mover:", Op::MoveRight}};
        token.op = Op::Ignored;
        for (const auto& m : moves) {
            if (startsWith(command, m.prefix, arg)) {
                token.op = m.op;
                token.whole = moveDistance(arg);
                break;
            }
        }
    } else if (startsWith(command, "{lwidth:", arg)) {
        token.op = Op::LineWidth;
        token.whole = roundHalfEven(leadingNumber(arg));
    } else if (startsWith(command, "{hline:", arg)) {
        token.op = Op::HLine;
        token.whole = roundHalfEven(leadingNumber(arg));
    } else if (startsWith(command, "{vline:", arg)) {
        token.op = Op::VLine;
        token.whole = roundHalfEven(leadingNumber(arg));
    } else if (startsWith(command, "{memo:", arg)) {
        token.op = Op::Memo;
        token.memo = parseMemo(arg);
    } else {
        // "{header:" and every word in braces that matches nothing.
        token.op = Op::Ignored;
    }
    return token;
}

QList<PrintMarkup::Token> PrintMarkup::parse(const QString& markup)
{
    QList<Token> tokens;
    qsizetype at = 0;
    const auto addText = [&tokens](const QString& text) {
        if (text.isEmpty())
            return;
        Token t;
        t.op = Op::Text;
        t.text = text;
        t.source = text;
        tokens.append(t);
    };
    while (at < markup.size()) {
        const qsizetype open = markup.indexOf(QLatin1Char('{'), at);
        if (open < 0) {
            addText(markup.mid(at));
            break;
        }
        const qsizetype close = markup.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0) {
            // An unclosed command is no command: the rest prints as it stands.
            addText(markup.mid(at));
            break;
        }
        addText(markup.mid(at, open - at));
        tokens.append(command(markup.mid(open, close - open + 1)));
        at = close + 1;
    }
    return tokens;
}

} // namespace vandrel
