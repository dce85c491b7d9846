#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace vandrel {

// The quotation file (".vdo"): Windows-1252 text with CR LF line ends: the reference, the
// quotation date as shown, every list line, then CR and Ctrl-Z.
struct QuotationFileContent {
    QString reference;
    QString date; // as stored
    QStringList lines;
};

namespace quotationfile {

inline constexpr int headerLineLength = 128;
inline constexpr int listLineLength = 512;

QByteArray encode(const QuotationFileContent& content);

// Reads the lines as the file routines' line reader does: a line ends at CR LF (or a
// lone LF); Ctrl-Z and the physical end end the file; the first two lines keep at most
// 128 characters, list lines at most 512 (the rest of a longer line is dropped).
// The CR of the closing CR Ctrl-Z is the end marker, not one more (empty) list line.
QuotationFileContent decode(const QByteArray& bytes);

// The date of the file's second line: day-month-year with "-", "/" or "." (year of two or
// four digits) or the regional short format. Invalid when the text is no date.
QDate readDate(const QString& text);

} // namespace quotationfile
} // namespace vandrel
