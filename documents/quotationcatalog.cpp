#include "documents/quotationcatalog.h"

#include "catalogdb/database.h"
#include "catalogdb/recordset.h"

#include <limits>

namespace vandrel {

ProductsCursor::ProductsCursor(Database* catalog)
{
    if (!catalog)
        return;
    cursor_ = catalog->openRecordset(QStringLiteral("Products"), Recordset::Table);
    if (cursor_ && !cursor_->setIndex(QStringLiteral("PrimaryKey")))
        cursor_.reset();
}

ProductsCursor::~ProductsCursor() = default;

std::optional<QuotationArticle> ProductsCursor::find(qint64 number) const
{
    // Article numbers are 32-bit: a larger number is in no catalog.
    if (!cursor_ || number < 0 || number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    if (!cursor_->seek(QStringLiteral("="), QVariant(qint32(number))) || cursor_->noMatch())
        return std::nullopt;
    QuotationArticle a;
    a.number = number;
    a.brutoPrijs = cursor_->currency(QStringLiteral("BrutoPrijs"));
    a.per = cursor_->value(QStringLiteral("Per")).toDouble();
    a.beschrijving = cursor_->value(QStringLiteral("Beschrijving")).toString();
    a.offerteOms = cursor_->value(QStringLiteral("OfferteOms")).toString();
    return a;
}

} // namespace vandrel
