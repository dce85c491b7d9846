#pragma once

#include "app/core/currency.h"

#include <QString>

#include <memory>
#include <optional>

namespace vandrel {

class Database;
class Recordset;

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

// The catalog table Products opened as a table on its index PrimaryKey.
class ProductsCursor final : public QuotationCatalog {
public:
    // Opens the cursor on the catalog database; without a database (or when Products
    // cannot be opened) nothing is ever found.
    explicit ProductsCursor(Database* catalog);
    ~ProductsCursor() override;
    std::optional<QuotationArticle> find(qint64 number) const override;
    bool isOpen() const { return cursor_ != nullptr; }

private:
    std::unique_ptr<Recordset> cursor_;
};

} // namespace vandrel
