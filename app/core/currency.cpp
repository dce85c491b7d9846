#include "app/core/currency.h"

#include <cmath>

namespace vandrel {

std::int64_t divideRoundHalfEven(__int128 n, __int128 d)
{
    if (d < 0) {
        n = -n;
        d = -d;
    }
    __int128 q = n / d;
    __int128 r = n % d;
    if (r < 0) { // floor division
        q -= 1;
        r += d;
    }
    const __int128 twice = 2 * r;
    if (twice > d || (twice == d && (q & 1) != 0))
        q += 1;
    return static_cast<std::int64_t>(q);
}

Currency Currency::fromDouble(double value)
{
    // Via the shortest decimal text so 0.1 stays 0.1000 and not 0.09999...
    const std::optional<Currency> c =
        parse(QString::number(value, 'f', 8), QLocale::c());
    if (c)
        return *c;
    return fromRaw(static_cast<std::int64_t>(std::nearbyint(value * scale)));
}

std::optional<Currency> Currency::parse(const QString& input, const QLocale& locale)
{
    QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QChar decimal = locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint()[0];
    const QChar group = locale.groupSeparator().isEmpty() ? QChar() : locale.groupSeparator()[0];
    bool negative = false;
    qsizetype i = 0;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
        negative = text[0] == QLatin1Char('-');
        ++i;
    }
    // A lone '.' or ',' is the decimal sign when the locale's sign does not occur.
    const bool hasLocaleDecimal = text.contains(decimal);
    __int128 whole = 0;
    __int128 frac = 0;
    int fracDigits = 0;
    bool inFraction = false;
    bool anyDigit = false;
    int extraRoundDigit = -1;
    bool stickyBeyond = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit()) {
            anyDigit = true;
            const int d = c.digitValue();
            if (!inFraction) {
                whole = whole * 10 + d;
                if (whole > (__int128(1) << 62))
                    return std::nullopt;
            } else if (fracDigits < 4) {
                frac = frac * 10 + d;
                ++fracDigits;
            } else if (extraRoundDigit < 0) {
                extraRoundDigit = d;
            } else if (d != 0) {
                stickyBeyond = true;
            }
        } else if (!inFraction && (c == decimal || (!hasLocaleDecimal && (c == QLatin1Char('.') || c == QLatin1Char(','))))) {
            inFraction = true;
        } else if (!inFraction && !group.isNull() && c == group) {
            continue;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    while (fracDigits < 4) {
        frac *= 10;
        ++fracDigits;
    }
    __int128 raw = whole * scale + frac;
    if (extraRoundDigit > 5 || (extraRoundDigit == 5 && (stickyBeyond || (raw & 1))))
        raw += 1;
    return fromRaw(static_cast<std::int64_t>(negative ? -raw : raw));
}

Currency Currency::rounded(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    std::int64_t unit = 1;
    for (int i = decimals; i < 4; ++i)
        unit *= 10;
    return fromRaw(divideRoundHalfEven(raw_, unit) * unit);
}

QString Currency::format(int decimals, const QLocale& locale) const
{
    decimals = std::clamp(decimals, 0, 4);
    const Currency r = rounded(decimals);
    const std::int64_t absRaw = r.raw_ < 0 ? -r.raw_ : r.raw_;
    QString text = QString::number(absRaw / scale);
    if (decimals > 0) {
        const QString frac = QStringLiteral("%1").arg(absRaw % scale, 4, 10, QLatin1Char('0'));
        text += locale.decimalPoint() + frac.left(decimals);
    }
    if (r.raw_ < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

Currency operator*(Currency a, Currency b)
{
    return Currency::fromRaw(divideRoundHalfEven(__int128(a.raw_) * b.raw_, Currency::scale));
}

Currency operator/(Currency a, Currency b)
{
    if (b.raw_ == 0)
        return Currency();
    return Currency::fromRaw(divideRoundHalfEven(__int128(a.raw_) * Currency::scale, b.raw_));
}

} // namespace vandrel
