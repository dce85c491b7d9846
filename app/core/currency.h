#pragma once

#include <QLocale>
#include <QString>

#include <compare>
#include <cstdint>
#include <optional>

namespace vandrel {

// Money: an exact fixed-point amount with four decimals (value x 10000), as the catalog
// and the documents keep prices. Never a bare double.
class Currency {
public:
    static constexpr std::int64_t scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw)
    {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    static constexpr Currency fromCents(std::int64_t cents) { return fromRaw(cents * 100); }
    // Rounds to four decimals, halves to even.
    static Currency fromDouble(double value);
    // Reads "12,50", "12.50", "-3", "1.234,56" (grouping of the locale). Nullopt when the
    // text is no amount.
    static std::optional<Currency> parse(const QString& text, const QLocale& locale = QLocale());

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return double(raw_) / scale; }

    // Rounded to the given number of decimals (0..4), halves to even.
    Currency rounded(int decimals) const;

    // "0.00" formatting: two decimals with the locale's decimal sign, no grouping.
    QString toString(const QLocale& locale = QLocale()) const { return format(2, locale); }
    QString format(int decimals, const QLocale& locale = QLocale()) const;

    friend constexpr Currency operator+(Currency a, Currency b) { return fromRaw(a.raw_ + b.raw_); }
    friend constexpr Currency operator-(Currency a, Currency b) { return fromRaw(a.raw_ - b.raw_); }
    constexpr Currency operator-() const { return fromRaw(-raw_); }
    Currency& operator+=(Currency o) { raw_ += o.raw_; return *this; }
    Currency& operator-=(Currency o) { raw_ -= o.raw_; return *this; }
    // Product of two amounts (or an amount and a factor such as 1.19 held as Currency),
    // kept at four decimals, halves to even.
    friend Currency operator*(Currency a, Currency b);
    friend Currency operator*(Currency a, std::int64_t n) { return fromRaw(a.raw_ * n); }
    // Quotient rounded to four decimals, halves to even; division by zero gives zero.
    friend Currency operator/(Currency a, Currency b);
    friend constexpr auto operator<=>(Currency a, Currency b) = default;

private:
    std::int64_t raw_ = 0;
};

// Integer division of n by d rounding halves to even (d > 0).
std::int64_t divideRoundHalfEven(__int128 n, __int128 d);

} // namespace vandrel
