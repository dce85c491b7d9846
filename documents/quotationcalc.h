#pragma once

#include <QList>
#include <QLocale>
#include <QStringList>

#include "app/core/currency.h"

#include <optional>

namespace vandrel {

class QuotationCatalog;
struct QuotationArticle;

// quantity (read by GenVal) x gross price / price unit, x 1.19 when VAT is included;
// nullopt when out of range.
std::optional<Currency> pricedAmount(const QString& quantity, const QuotationArticle& article,
                                     bool vatIncluded);

struct RecalcOptions {
    // Take every article amount again from the catalog: quantity x gross price / price unit.
    bool reprice = false;
    // chkBTW: the amounts include VAT (re-pricing x 1.19, VAT lines 0).
    bool vatIncluded = false;
    const QuotationCatalog* catalog = nullptr;
    QLocale locale;
};

// Fills in the amounts of the calculation lines (and, re-pricing, of the article lines).
// A subtotal closes a section, a discount acts on the open section, a VAT line adds its
// amount to the open section, a total adds up all sections and starts again from zero.
// Sums carry four decimals; each article line counts with its shown amount. A step whose
// numbers cannot be read, or whose result would be out of range, is skipped.
// The number of sections is not limited. Returns the indices of the lines that changed.
QList<int> recalcQuotation(QStringList& lines, const RecalcOptions& options);

} // namespace vandrel
