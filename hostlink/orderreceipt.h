#pragma once

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QStringList>

#include <functional>
#include <optional>

namespace vandrel {

class PrintDevice;

// The receipt of an order the host accepted, printed through the print markup: the
// order file's header (reference, delivery date, pick-up or delivery address) and a row
// per article with its availability, then the totals of the sale and purchase prices.
class OrderReceipt {
public:
    // Beschikbaarheid of an article in Products (delivery time in weeks); nothing when
    // the article is not in the catalog.
    using Availability = std::function<std::optional<int>(qint32 articleNumber)>;

    // Prints the receipt of the order file's bytes and ends the print job. Returns the
    // markup handed to FormatPrint, one entry per call.
    static QStringList print(PrintDevice& device, const QByteArray& orderFile, const Availability& availability,
                             const QDate& today = QDate::currentDate(), const QLocale& locale = QLocale());
};

} // namespace vandrel
