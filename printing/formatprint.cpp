#include "printing/formatprint.h"

#include "printing/printdevice.h"
#include "printing/printmarkup.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <algorithm>

namespace vandrel {

FormatterState& formatterState()
{
    static FormatterState state;
    return state;
}

namespace {

using Op = PrintMarkup::Op;

// Positions compare after sums of text widths; a hair's difference is no difference.
constexpr double kSamePosition = 1e-6;

const QString courierNew = QStringLiteral("Courier New");

void tabTo(PrintDevice& d, int column)
{
    const double target = (std::max(column, 1) - 1) * d.averageCharWidth();
    if (d.currentX() > target + kSamePosition)
        d.endLine();
    d.setCurrentX(target);
}

// Font size (whole points), name and bold of the caller, to put back after measuring.
struct SavedFont {
    explicit SavedFont(const PrintDevice& d)
        : size(PrintMarkup::roundHalfEven(d.fontSize())), name(d.fontName()), bold(d.fontBold())
    {
    }
    void restore(PrintDevice& d) const
    {
        d.setFontSize(size);
        d.setFontName(name);
        d.setFontBold(bold);
    }
    int size;
    QString name;
    bool bold;
};

void useCourier12(PrintDevice& d)
{
    d.setFontSize(12);
    d.setFontName(courierNew);
    d.setFontBold(false);
}

void rule(PrintDevice& d, bool horizontal, int length)
{
    FormatterState& state = formatterState();
    {
        ScopedPrintScale mm(d, PrintScale::Millimetres);
        const double x0 = d.currentX();
        const double y0 = d.currentY();
        d.setDrawWidth(state.LineWidth);
        if (horizontal) {
            const double len = length < 1 ? d.printableWidth() : length;
            const double h = d.textHeight(QStringLiteral("W"));
            d.drawLine(x0, y0 + h / 2, x0 + len, y0 + h / 2);
        } else {
            const double len = length < 1 ? d.printableHeight() : length;
            const double w = d.textWidth(QStringLiteral("W"));
            d.drawLine(x0 + w / 2, y0, x0 + w / 2, y0 + len);
        }
        d.setDrawWidth(1);
        d.setCurrentX(x0);
        d.setCurrentY(y0);
    }
    if (horizontal)
        d.setCurrentY(d.currentY() + d.textHeight(QStringLiteral("W")));
    else
        d.setCurrentX(d.currentX() + d.textWidth(QStringLiteral("W")));
}

void move(PrintDevice& d, Op op, int n)
{
    ScopedPrintScale mm(d, PrintScale::Millimetres);
    switch (op) {
    case Op::MoveUp:
        d.setCurrentY(n > 0 ? d.currentY() - n : 0);
        break;
    case Op::MoveDown:
        d.setCurrentY(n > 0 ? d.currentY() + n : d.printableHeight());
        break;
    case Op::MoveLeft:
        d.setCurrentX(n > 0 ? d.currentX() - n : 0);
        break;
    default:
        d.setCurrentX(n > 0 ? d.currentX() + n : d.printableWidth());
        break;
    }
}

void memo(PrintDevice& d, const PrintMarkup::Memo& m)
{
    FormatterState& state = formatterState();
    const double x0 = PrintMarkup::roundHalfEven(d.currentX());
    const double y0 = PrintMarkup::roundHalfEven(d.currentY());
    const SavedFont saved(d);

    // The box is measured in 12-point Courier New; the text prints in the caller's font.
    useCourier12(d);
    double width = 0;
    switch (m.unit) {
    case PrintMarkup::MemoUnit::Millimetres:
        width = d.fromTwips(m.width * kTwipsPerMm);
        break;
    case PrintMarkup::MemoUnit::Twips:
        width = d.fromTwips(m.width);
        break;
    case PrintMarkup::MemoUnit::Characters:
        width = d.fromTwips(d.textWidthTwips(QString(std::max(m.width, 0), QLatin1Char('W'))));
        break;
    }
    const double height = d.fromTwips(d.lineHeightTwips() * std::max(m.lines, 0));
    saved.restore(d);

    // The top is rounded to whole units, the position itself is not: half a unit of
    // slack keeps a box of n lines at n lines wherever it starts.
    const double bottom = y0 + height - 0.5;
    QString pending;
    const auto finishLine = [&](const QString& line) {
        d.printText(line);
        d.endLine();
        d.setCurrentX(x0);
    };
    for (const QChar c : m.text) {
        if (c.unicode() >= 32 || c.unicode() == 9) {
            pending += c;
            if (d.textWidth(pending) > width) {
                const qsizetype cut = std::max(pending.lastIndexOf(QLatin1Char(' ')),
                                               pending.lastIndexOf(QLatin1Char('\t')));
                if (cut >= 0) {
                    const QString line = pending.left(cut);
                    pending = pending.mid(cut + 1);
                    finishLine(line);
                } else {
                    const QString line = pending.left(pending.size() - 1);
                    pending = pending.right(1);
                    finishLine(line);
                }
            }
        } else if (c.unicode() == 13) {
            finishLine(pending);
            pending.clear();
        }
        if (d.currentY() >= bottom)
            break;
    }
    if (d.currentY() < bottom && !pending.isEmpty())
        finishLine(pending);

    state.StoredY = float(d.currentY());
    state.StoredX = float(d.currentX());
    d.setCurrentX(x0 + width);
    d.setCurrentY(y0);
}

void execute(PrintDevice& d, const PrintMarkup::Token& t)
{
    FormatterState& state = formatterState();
    switch (t.op) {
    case Op::Text:
        d.printText(t.text);
        break;
    case Op::StoreX:
        state.StoredX = float(d.currentX());
        break;
    case Op::StoreY:
        state.StoredY = float(d.currentY());
        break;
    case Op::RestoreX:
        d.setCurrentX(state.StoredX);
        break;
    case Op::RestoreY:
        d.setCurrentY(state.StoredY);
        break;
    case Op::Portrait:
        d.setOrientation(PageOrientation::Portrait);
        break;
    case Op::Landscape:
        d.setOrientation(PageOrientation::Landscape);
        break;
    case Op::FontSize:
        d.setFontSize(t.number);
        break;
    case Op::WideOn:
        d.setFontSize(18);
        d.setFontBold(true);
        break;
    case Op::WideOff:
        d.setFontSize(12);
        d.setFontBold(false);
        break;
    case Op::BoldOn:
        d.setFontBold(true);
        break;
    case Op::BoldOff:
        d.setFontBold(false);
        break;
    case Op::UnderlineOn:
        d.setFontUnderline(true);
        break;
    case Op::UnderlineOff:
        d.setFontUnderline(false);
        break;
    case Op::ItalicOn:
        d.setFontItalic(true);
        break;
    case Op::ItalicOff:
        d.setFontItalic(false);
        break;
    case Op::CrLf:
        d.endLine();
        break;
    case Op::FormFeed:
        d.newPage();
        break;
    case Op::EndOfDocument:
        d.endDoc();
        state.StoredX = 0;
        state.StoredY = 0;
        break;
    case Op::TopOfPage:
        d.setCurrentX(0);
        d.setCurrentY(0);
        break;
    case Op::CarriageReturn:
        d.setCurrentX(0);
        break;
    case Op::LineFeed:
        d.setCurrentY(d.currentY() + d.textHeight(QStringLiteral("W")));
        break;
    case Op::DateLong:
        d.printText(QLocale().toString(QDate::currentDate(), QLocale::LongFormat));
        break;
    case Op::DateShort:
        d.printText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        break;
    case Op::Time:
        d.printText(QTime::currentTime().toString(QStringLiteral("hh:mm")));
        break;
    case Op::FontName:
        d.setFontName(t.text);
        break;
    case Op::Tab:
        tabTo(d, t.whole);
        break;
    case Op::FixedTab: {
        const SavedFont saved(d);
        useCourier12(d);
        tabTo(d, t.whole);
        saved.restore(d);
        break;
    }
    case Op::MoveUp:
    case Op::MoveDown:
    case Op::MoveLeft:
    case Op::MoveRight:
        move(d, t.op, t.whole);
        break;
    case Op::LineWidth:
        state.LineWidth = std::int16_t(std::clamp(t.whole, 1, 100));
        break;
    case Op::HLine:
        rule(d, true, t.whole);
        break;
    case Op::VLine:
        rule(d, false, t.whole);
        break;
    case Op::Memo:
        memo(d, t.memo);
        break;
    case Op::Ignored:
        break;
    }
}

QString pad(PrintDevice& d, const QString& text, int n, bool front)
{
    // Only blanks are trimmed, as the program always did.
    qsizetype b = 0;
    while (b < text.size() && text[b] == QLatin1Char(' '))
        ++b;
    qsizetype e = text.size();
    while (e > b && text[e - 1] == QLatin1Char(' '))
        --e;
    QString result = text.mid(b, e - b);
    const double field = n >= 1 ? d.textWidth(QString(n, QLatin1Char('8'))) : d.printableWidth();
    if (d.textWidth(QStringLiteral(" ")) <= 0)
        return result;
    int added = 0;
    while (d.textWidth(result) < field) {
        if (front)
            result.prepend(QLatin1Char(' '));
        else
            result.append(QLatin1Char(' '));
        ++added;
    }
    // Just inside the page: one blank less. Never a character of the text itself.
    if (n < 1 && added > 0) {
        if (front)
            result.remove(0, 1);
        else
            result.chop(1);
    }
    return result;
}

} // namespace

void FormatPrint(PrintDevice& device, const QString& text)
{
    FormatterState& state = formatterState();
    if (state.LineWidth == 0)
        state.LineWidth = 10;
    if (text.isEmpty())
        return;
    for (const PrintMarkup::Token& token : PrintMarkup::parse(text))
        execute(device, token);
}

void FormatPrint(const QString& text)
{
    FormatPrint(currentPrintDevice(), text);
}

QString PrintPadRight(PrintDevice& device, const QString& text, int n)
{
    return pad(device, text, n, false);
}

QString PrintPadLeft(PrintDevice& device, const QString& text, int n)
{
    return pad(device, text, n, true);
}

QString PrintPadRight(const QString& text, int n)
{
    return pad(currentPrintDevice(), text, n, false);
}

QString PrintPadLeft(const QString& text, int n)
{
    return pad(currentPrintDevice(), text, n, true);
}

} // namespace vandrel
