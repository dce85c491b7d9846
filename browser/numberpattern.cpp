#include "browser/numberpattern.h"

#include <QRegularExpression>

#include <cmath>

namespace vandrel {

QString formatNumberPattern(double value, const QString& pattern, const QLocale& locale)
{
    // Split the pattern into literal prefix, integer part, fraction part and suffix.
    qsizetype first = 0;
    while (first < pattern.size() && pattern[first] != QLatin1Char('#') && pattern[first] != QLatin1Char('0') &&
           pattern[first] != QLatin1Char(',') && pattern[first] != QLatin1Char('.'))
        ++first;
    qsizetype end = first;
    while (end < pattern.size() && QStringLiteral("#0,.").contains(pattern[end]))
        ++end;
    const QString prefix = pattern.left(first);
    const QString suffix = pattern.mid(end);
    const QString body = pattern.mid(first, end - first);
    const qsizetype point = body.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? body : body.left(point);
    const QString fractionPart = point < 0 ? QString() : body.mid(point + 1);
    const bool grouping = integerPart.contains(QLatin1Char(','));
    const int requiredInteger = int(integerPart.count(QLatin1Char('0')));
    const int requiredDecimals = int(fractionPart.count(QLatin1Char('0')));
    const int maxDecimals = requiredDecimals + int(fractionPart.count(QLatin1Char('#')));

    if (!std::isfinite(value))
        return QString();
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    QString digits = QString::number(magnitude, 'f', maxDecimals);
    QString whole = digits;
    QString fraction;
    if (maxDecimals > 0) {
        const qsizetype dot = digits.indexOf(QLatin1Char('.'));
        whole = digits.left(dot);
        fraction = digits.mid(dot + 1);
        while (fraction.size() > requiredDecimals && fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
    }
    if (whole == QLatin1String("0") && requiredInteger == 0)
        whole.clear(); // "#" shows no digit for a zero
    while (whole.size() < requiredInteger)
        whole.prepend(QLatin1Char('0'));
    if (grouping && whole.size() > 3) {
        const QString group = locale.groupSeparator();
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, group);
    }
    QString text = whole;
    if (!fraction.isEmpty() || requiredDecimals > 0)
        text += locale.decimalPoint() + fraction;
    if (negative && (text.contains(QRegularExpression(QStringLiteral("[1-9]")))))
        text.prepend(locale.negativeSign());
    return prefix + text + suffix;
}

} // namespace vandrel
