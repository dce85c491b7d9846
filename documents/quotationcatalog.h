#pragma once

#include "app/core/currency.h"
#include "documents/catalogcursor.h"

#include <QString>

#include <memory>
#include <optional>

namespace vandrel {

class Database;

// What a quotation needs of a catalog article.
struct QuotationArticle {
    qint64 number = 0;
    Currency brutoPrijs;
    double per = 0; // price unit: the price is for this many pieces
    QString beschrijving;
    QString offerteOms; // the catalog's quotation text; empty when it has none

    // The price unit to divide by: Per when above 0, else 1.
    Currency priceUnit() const
    {
        return per > 0 ? Currency::fromDouble(per) : Currency::fromRaw(Currency::scale);
    }
};

// The quotation window's catalog cursor: look-ups of articles by number.
class QuotationCatalog {
public:
    virtual ~QuotationCatalog() = default;
    virtual std::optional<QuotationArticle> find(qint64 number) const = 0;
};

// The document windows' catalog cursor (Products on its PrimaryKey) as a quotation sees
// it; without a catalog nothing is ever found.
class ProductsCursor final : public QuotationCatalog {
public:
    explicit ProductsCursor(Database* catalog) : cursor_(catalog) {}
    std::optional<QuotationArticle> find(qint64 number) const override;

private:
    mutable CatalogCursor cursor_; // a look-up moves the cursor
};

} // namespace vandrel
