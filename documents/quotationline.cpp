#include "documents/quotationline.h"

#include "app/core/helpers.h"

#include <cmath>

namespace vandrel::quotation {

namespace {

const QChar kTab = QLatin1Char('\t');
const QChar kEmDash = QChar(0x2014); // byte 151 of Windows-1252

// The label with a tab on both sides.
bool hasLabel(const QString& line, QLatin1StringView tabbedLabel)
{
    return line.contains(tabbedLabel);
}

} // namespace

LineKind kindOf(const QString& line)
{
    if (line.isEmpty())
        return LineKind::Empty;
    if (!line.contains(kTab))
        return isPageBreak(line) ? LineKind::PageBreak : LineKind::Text;
    if (hasLabel(line, QLatin1StringView("\tSubtot:\t")))
        return LineKind::Subtotal;
    if (hasLabel(line, QLatin1StringView("\tBTW:\t")))
        return LineKind::Vat;
    if (hasLabel(line, QLatin1StringView("\tTotaal:\t")))
        return LineKind::Total;
    if (hasLabel(line, QLatin1StringView("\tKorting:\t")))
        return LineKind::Discount;
    return LineKind::Article;
}

bool isPageBreak(const QString& line)
{
    if (line.size() != pageBreakLength)
        return false;
    for (QChar c : line) {
        if (c != kEmDash)
            return false;
    }
    return true;
}

bool isCalculation(LineKind kind)
{
    return kind == LineKind::Discount || kind == LineKind::Subtotal || kind == LineKind::Vat ||
           kind == LineKind::Total;
}

int tabCount(const QString& line)
{
    return int(line.count(kTab));
}

QString field(const QString& line, int n)
{
    if (n < 1)
        return {};
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype tab = line.indexOf(kTab, start);
        if (tab < 0)
            return {};
        start = tab + 1;
    }
    if (n >= 4)
        return line.mid(start);
    const qsizetype end = line.indexOf(kTab, start);
    return end < 0 ? line.mid(start) : line.mid(start, end - start);
}

QString GetLineField(const QString& line, int n)
{
    if (tabCount(line) < 3)
        return QStringLiteral("0");
    const QString text = field(line, n);
    return text.isEmpty() ? QStringLiteral("0") : text;
}

bool SetLineValue(QString& line, Currency amount, const QLocale& locale)
{
    const qsizetype tab1 = line.indexOf(kTab);
    const qsizetype tab2 = tab1 < 0 ? -1 : line.indexOf(kTab, tab1 + 1);
    const qsizetype tab3 = tab2 < 0 ? -1 : line.indexOf(kTab, tab2 + 1);
    if (tab3 < 0)
        return false;
    const QString text = amount.toString(locale);
    if (QStringView(line).mid(tab2 + 1, tab3 - tab2 - 1) == text)
        return false;
    line.replace(tab2 + 1, tab3 - tab2 - 1, text);
    return true;
}

double GenVal(const QString& text)
{
    QString swapped = text;
    for (QChar& c : swapped) {
        if (c == QLatin1Char('.'))
            c = QLatin1Char(',');
        else if (c == QLatin1Char(','))
            c = QLatin1Char('.');
    }
    // Blanks after the sign do not make "10% " a thousand per cent.
    while (!swapped.isEmpty() && swapped.back().isSpace())
        swapped.chop(1);
    if (swapped.endsWith(QLatin1Char('%'))) {
        swapped.chop(1);
        return Val(swapped) / 100.0;
    }
    return Val(swapped);
}

std::optional<qint64> articleNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    qint64 n = 0;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        if (n > 999'999'999'999LL)
            return std::nullopt;
        n = n * 10 + t[i].digitValue();
        ++i;
    }
    if (i == 0)
        return std::nullopt;
    return n;
}

std::optional<Currency> lineAmount(const QString& text, const QLocale& locale)
{
    const std::optional<Currency> c = Currency::parse(text, locale);
    // Far beyond any quotation: keeps every sum of them exact.
    if (c && std::abs(c->raw()) < 1'000'000'000'000LL * Currency::scale)
        return c;
    return std::nullopt;
}

std::optional<Currency> amountOf(double value)
{
    if (!std::isfinite(value) || std::abs(value) >= 1e12)
        return std::nullopt;
    return Currency::fromDouble(value);
}

QString pageBreakLine()
{
    return QString(pageBreakLength, kEmDash);
}

QString discountLine()
{
    return QStringLiteral("\tKorting:\t0%\t ");
}

QString subtotalLine()
{
    return QStringLiteral("\tSubtot:\t0\t ");
}

QString vatLine()
{
    return QStringLiteral("19%\tBTW:\t0\t ");
}

QString totalLine()
{
    return QStringLiteral("\tTotaal:\t0\t ");
}

QString articleLine(const QString& quantity, qint64 article, Currency amount,
                    const QString& description, const QLocale& locale)
{
    return quantity + kTab + QStringLiteral("%1").arg(article, 7, 10, QLatin1Char('0')) + kTab +
           amount.toString(locale) + kTab + description;
}

} // namespace vandrel::quotation
