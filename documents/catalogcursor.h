#pragma once

#include "app/core/currency.h"

#include <QString>

#include <memory>
#include <optional>

namespace vandrel {

class Database;
class Recordset;

// The catalog fields a document line takes from an article.
struct CatalogArticle {
    QString description;  // Beschrijving
    Currency gross;       // BrutoPrijs
    Currency net;         // NettoPrijs
    double priceUnit = 0; // Per; 0 when empty
    std::optional<int> availability; // Beschikbaarheid: delivery time in weeks
    QString quotationText; // OfferteOms: the text a quotation may print instead
};

// A document window's catalog cursor: Products opened as a table on its PrimaryKey when
// the window loads, to look articles up by number.
class CatalogCursor {
public:
    explicit CatalogCursor(Database* catalog);
    ~CatalogCursor();
    CatalogCursor(const CatalogCursor&) = delete;
    CatalogCursor& operator=(const CatalogCursor&) = delete;

    std::optional<CatalogArticle> find(qint32 articleNumber);
    void close();

private:
    std::unique_ptr<Recordset> products_;
};

} // namespace vandrel
