#pragma once

#include "app/core/currency.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QStringList>

#include <optional>

namespace vandrel {

// Reads the delivered catalog text files (Windows-1252): lines end at CR LF or a lone
// LF, byte 26 (Ctrl-Z) ends the text. Lines are kept whole, however long: cutting one
// would lose its last fields and glue the next record to it.
class ArticleFile {
public:
    static constexpr int maxFields = 32;

    explicit ArticleFile(QIODevice& device);

    // The next line without its line end; false at the end of the text.
    bool readLine(QByteArray& line);
    // The next record of the article file: lines joined with CR LF until one ends with
    // "|" (blanks after that last "|" are dropped) or the text ends; split at "|", at
    // most 32 fields. False at the end of the text.
    bool readRecord(QStringList& fields);

    // Lines of a file as readLine counts them; 0 when it cannot be read.
    static qint64 countLines(const QString& fileName);

private:
    bool fill();

    QIODevice& device_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool ended_ = false; // device exhausted or Ctrl-Z seen
};

// The fields of one record: split at "|"; the "|" that closes the record adds no field.
QStringList splitFields(const QByteArray& record, int maxFields = ArticleFile::maxFields);

// An article number field: 1 to 7 digits (blanks around allowed), not 0.
std::optional<qint32> articleNumber(const QString& field);
// A whole number field of the complementary/alternative files: digits only, 1..2^31-1.
std::optional<qint32> wholeNumber(const QString& field);
// A price field in cents as an exact amount: the field's leading number (as VAL reads
// it: blanks skipped, "." as decimal sign, no number = 0) divided by 100. Nullopt when
// it is too large for a currency column.
std::optional<Currency> priceFromCents(const QString& field);
// Field 25: "*** VERVALLEN ***", letter case and surrounding blanks ignored.
bool isWithdrawn(const QString& description);
// A change date in one of the forms delivered files use: yyyymmdd, yyyy-mm-dd,
// dd-mm-yyyy (also with "/" or "." and one-digit day or month, two-digit years as
// 1930..2029), optionally followed by a time hh:mm[:ss]. Nullopt when empty, "0" or
// not a date. The value carries no time zone (UTC), so it is stored as written.
std::optional<QDateTime> changeDate(const QString& field);

} // namespace vandrel
