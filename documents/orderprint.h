#pragma once

#include "documents/orderfile.h"
#include "documents/orderrules.h"

#include <QStringList>

namespace vandrel {

class PrintDevice;

// "Vandrel bestelling:" on the printer as one job: title, header fields, the delivery
// address unless the goods are collected, the lines with the catalog's delivery times,
// the totals and the currency note. Every step is one FormatPrint call; the texts handed
// to it are returned in order. Lines without a quantity are left out.
QStringList printOrder(PrintDevice& device, const OrderFileContent& order, const ArticleLookup& lookup);

// The delivery-time note of an article: "   Levertijd ca. 3 weken", "... 1 week" or
// "   Standaard voorradig" (none, 0 or less).
QString availabilityText(std::optional<int> weeks);

} // namespace vandrel
