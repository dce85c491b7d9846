#pragma once

#include "documents/orderfile.h"
#include "documents/orderrules.h"

#include <QStringList>

namespace vandrel {

class PrintDevice;
class ProgressMeter;

// "Vandrel bestelling:" on the printer as one job: title, header fields, the delivery
// address unless the goods are collected, the lines with the catalog's delivery times,
// the totals and the currency note. Every step is one FormatPrint call; the texts handed
// to it are returned in order. Lines without a quantity are left out. A meter (already
// open) follows the lines and is refreshed, which lets window events run, every
// orderPrintStep lines and once more at the end; it is closed before the job is sent.
constexpr int orderPrintStep = 25;
QStringList printOrder(PrintDevice& device, const OrderFileContent& order, const ArticleLookup& lookup,
                       ProgressMeter* meter = nullptr);

// The delivery-time note of an article: "   Levertijd ca. 3 weken", "... 1 week" or
// "   Standaard voorradig" (none, 0 or less).
QString availabilityText(std::optional<int> weeks);

} // namespace vandrel
