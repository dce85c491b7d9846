#pragma once

#include "app/core/currency.h"

#include <QList>
#include <QString>

namespace vandrel {

class ArticleGrid;

// The catalog fields of one selected grid row, as the drop target and the article
// clipboard read them. A field the grid's layout does not carry reads as 0 or empty;
// hasQuantity says whether the list has an Aantal column at all (the related-article
// list has one).
struct SelectedArticle {
    bool hasQuantity = false;
    qint32 quantity = 0;
    qint32 articleNumber = 0;
    QString description;
    Currency grossExcl; // "Bruto excl"
    Currency netExcl;   // "Netto excl"
    double priceUnit = 0; // "Per"; 0 when empty
};

// Reads the selected rows of the grid in the order they were selected (the current row
// when none is), moving the grid's recordset over them and back to where it stood.
// BatchInProgress is held meanwhile, so the main window's move handlers stay quiet.
QList<SelectedArticle> readSelectedArticles(ArticleGrid& grid);

} // namespace vandrel
