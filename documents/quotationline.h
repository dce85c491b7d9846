#pragma once

#include "app/core/currency.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace vandrel::quotation {

// A quotation line is one text; fields are separated by tabs. Field n is the text between
// the (n-1)th and nth tab, field 4 runs to the end of the line. Only lines with at least
// three tabs have fields.
enum class LineKind {
    Empty,     // ""
    Text,      // any text without a tab
    PageBreak, // 80 em dashes
    Article,   // any other line with a tab
    Discount,  // \tKorting:\t
    Subtotal,  // \tSubtot:\t
    Vat,       // \tBTW:\t
    Total,     // \tTotaal:\t
};

inline constexpr int pageBreakLength = 80;

// Tests in the order subtotal, VAT, total, discount, as the calculation does.
LineKind kindOf(const QString& line);
bool isPageBreak(const QString& line);
bool isCalculation(LineKind kind);

// Text of field n (1..4); empty when the line has fewer tabs than that needs.
QString field(const QString& line, int n);
int tabCount(const QString& line);

// The field's text; "0" when the field is empty or the line has fewer than three tabs.
QString GetLineField(const QString& line, int n);
// Field 3 becomes the amount formatted "0.00" (regional decimal sign). Lines with fewer
// than three tabs are left alone. True when the line changed.
bool SetLineValue(QString& line, Currency amount, const QLocale& locale = QLocale());

// "." and "," swapped (a decimal comma becomes a point), then the leading number; a text
// ending in "%" (blanks after it do not count) is read without it and divided by 100.
// "19%" -> 0.19, "12,5%" -> 0.125, "2,5" -> 2.5, "10% " -> 0.10.
double GenVal(const QString& text);

// The leading whole number of a text as an article number ("0000123" -> 123); nullopt
// when the text does not start with one.
std::optional<qint64> articleNumber(const QString& text);

// An amount in a line, read under the regional settings ("12,50"); nullopt when the text
// is no amount.
std::optional<Currency> lineAmount(const QString& text, const QLocale& locale = QLocale());

// A number as an exact amount with four decimals; nullopt when it is out of range.
std::optional<Currency> amountOf(double value);

// New lines as the popup menu inserts them.
QString pageBreakLine();
QString discountLine();
QString subtotalLine();
QString vatLine();
QString totalLine();

// quantity + tab + article number "0000000" + tab + amount "0.00" + tab + description.
QString articleLine(const QString& quantity, qint64 article, Currency amount,
                    const QString& description, const QLocale& locale = QLocale());

} // namespace vandrel::quotation
