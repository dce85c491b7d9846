#pragma once

#include "app/core/currency.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

namespace vandrel {

// One order line as the file keeps it. Empty amounts stay empty.
struct OrderFileLine {
    qint32 quantity = 0;
    qint32 articleNumber = 0;
    QString description;
    std::optional<Currency> gross; // Verkoop: line total, excluding VAT
    std::optional<Currency> net;   // Inkoop
    bool operator==(const OrderFileLine&) const = default;
};

// What an order file holds: the header fields and the lines.
struct OrderFileContent {
    QString reference;    // txtReferentie
    QString deliveryDate; // txtLeverdatum, as typed
    QString address;      // txtAdres, lines separated by CR LF
    bool pickUp = false;  // chkAfhalen
    QList<OrderFileLine> lines;
};

// The order file (".vdb"): Windows-1252 text, CR LF line ends, the header, one block per
// line whose quantity and article number are both above 0, and CR Ctrl-Z at the end.
QByteArray writeOrderFile(const OrderFileContent& order, const QLocale& locale = QLocale());

struct OrderFileReadResult {
    bool ok = false;
    OrderFileContent order;
    // When not ok: what is wrong, in Dutch, for the message.
    QString problem;
};

// Reads an order file. A damaged or foreign file (no end marker, a number line that is no
// whole number, an amount that is no amount, a second line that is no date, an
// incomplete line block) is refused as a whole: nothing of it is taken. The delivery date
// comes back in the locale's short date format; an empty one stays empty.
OrderFileReadResult readOrderFile(const QByteArray& bytes, const QLocale& locale = QLocale());

// Reads a typed date the way the program always has: the locale's short format, then
// day-month-year with "-", "/" or "." (two- or four-digit year), then ISO.
std::optional<QDate> readDocumentDate(const QString& text, const QLocale& locale = QLocale());

} // namespace vandrel
