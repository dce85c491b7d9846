#include "documents/quotationedit.h"

#include "browser/articleclipboard.h"
#include "documents/articledrop.h"
#include "documents/quotationcalc.h"
#include "documents/quotationcatalog.h"
#include "documents/quotationline.h"

#include <cmath>
#include <limits>

namespace vandrel::quotationedit {

namespace {

qint32 wholeNumber(double v)
{
    if (!std::isfinite(v) || std::abs(v) > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(std::lround(v));
}

} // namespace

ClipboardArticle clipboardRow(const QString& line, const QLocale& locale)
{
    ClipboardArticle row;
    if (quotation::tabCount(line) == 0) {
        row.description = line;
        return row;
    }
    const QString quantity = quotation::field(line, 1);
    if (!quantity.contains(QLatin1Char('%')))
        row.quantity = wholeNumber(quotation::GenVal(quantity));
    const auto number = quotation::articleNumber(quotation::field(line, 2));
    if (number && *number <= std::numeric_limits<qint32>::max())
        row.articleNumber = qint32(*number);
    row.description = quotation::field(line, 4);
    row.gross = quotation::lineAmount(quotation::field(line, 3), locale).value_or(Currency());
    return row;
}

QString pastedLine(const ClipboardArticle& row, const QLocale& locale)
{
    if (row.quantity == 0)
        return row.description;
    return quotation::articleLine(QString::number(row.quantity), row.articleNumber, row.gross,
                                  row.description, locale);
}

QString droppedLine(const DroppedArticle& row, const QLocale& locale)
{
    return quotation::articleLine(QString::number(row.quantity), row.articleNumber, row.gross,
                                  row.description, locale);
}

QString rescaledAmount(const QString& rememberedQuantity, const QString& rememberedAmount,
                       const QString& newQuantity, const QLocale& locale)
{
    const double oldQuantity = quotation::GenVal(rememberedQuantity);
    const double unit = oldQuantity != 0 ? quotation::GenVal(rememberedAmount) / oldQuantity : 0;
    const auto amount = quotation::amountOf(quotation::GenVal(newQuantity) * unit);
    return amount.value_or(Currency()).toString(locale);
}

QString articleAmount(const QString& quantity, const QuotationArticle& article, const QLocale& locale)
{
    return pricedAmount(quantity, article, false).value_or(Currency()).toString(locale);
}

bool isAmountCharacter(QChar c)
{
    return c.isDigit() || c == QLatin1Char(',') || c == QLatin1Char('.') || c == QLatin1Char('%') ||
           c == QLatin1Char('-') || c == QLatin1Char('\t');
}

} // namespace vandrel::quotationedit
