#pragma once

#include "app/core/currency.h"

#include <QList>
#include <QString>

class QDropEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QMimeData;
class QObject;

namespace vandrel {

class ArticleGrid;

// An article dropped on a document: quantity (the source's Aantal, or 1 when the list
// has none) and the line totals quantity x price / price unit.
struct DroppedArticle {
    qint32 quantity = 1;
    qint32 articleNumber = 0;
    QString description;
    Currency gross; // from "Bruto excl"
    Currency net;   // from "Netto excl"
};

// The main window's article grid a drag comes from; null for any other drag (files, text,
// rows of another document window).
ArticleGrid* articleDragSource(const QMimeData* mime, QObject* source);

// Accepts a drag of catalog rows on enter/move; ignores every other drag.
bool acceptArticleDrag(QDragEnterEvent* event);
bool acceptArticleDrag(QDragMoveEvent* event);

// The selected rows of the source grid in selection order, read through its recordset
// (BatchInProgress held meanwhile, the grid's position kept).
QList<DroppedArticle> droppedArticles(ArticleGrid& source);

} // namespace vandrel
