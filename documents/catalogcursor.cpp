#include "documents/catalogcursor.h"

#include "catalogdb/database.h"
#include "catalogdb/engineerror.h"

namespace vandrel {

CatalogCursor::CatalogCursor(Database* catalog)
{
    if (catalog && catalog->isOpen()) {
        products_ = catalog->openRecordset(QStringLiteral("Products"), Recordset::Table);
        if (products_ && !products_->setIndex(QStringLiteral("PrimaryKey")))
            products_.reset();
    }
    PendingError::clear(); // errors are ignored: a missing cursor finds nothing
}

CatalogCursor::~CatalogCursor() = default;

void CatalogCursor::close()
{
    products_.reset();
}

std::optional<CatalogArticle> CatalogCursor::find(qint32 articleNumber)
{
    if (!products_ || !products_->seek(QStringLiteral("="), articleNumber) || products_->noMatch())
        return std::nullopt;
    CatalogArticle a;
    a.description = products_->value(QStringLiteral("Beschrijving")).toString();
    a.gross = products_->currency(QStringLiteral("BrutoPrijs"));
    a.net = products_->currency(QStringLiteral("NettoPrijs"));
    a.priceUnit = products_->value(QStringLiteral("Per")).toDouble();
    a.quotationText = products_->value(QStringLiteral("OfferteOms")).toString();
    const QVariant availability = products_->value(QStringLiteral("Beschikbaarheid"));
    if (!availability.isNull())
        a.availability = availability.toInt();
    return a;
}

} // namespace vandrel
