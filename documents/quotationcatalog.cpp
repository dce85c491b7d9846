#include "documents/quotationcatalog.h"

#include <limits>

namespace vandrel {

std::optional<QuotationArticle> ProductsCursor::find(qint64 number) const
{
    // Article numbers are 32-bit: a larger number is in no catalog.
    if (number < 0 || number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    const std::optional<CatalogArticle> found = cursor_.find(qint32(number));
    if (!found)
        return std::nullopt;
    QuotationArticle a;
    a.number = number;
    a.brutoPrijs = found->gross;
    a.per = found->priceUnit;
    a.beschrijving = found->description;
    a.offerteOms = found->quotationText;
    return a;
}

} // namespace vandrel
