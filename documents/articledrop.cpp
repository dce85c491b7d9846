#include "documents/articledrop.h"

#include "browser/articlegrid.h"
#include "browser/recordsetmodel.h"
#include "browser/selectedarticles.h"
#include "documents/orderrules.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QMimeData>

namespace vandrel {

ArticleGrid* articleDragSource(const QMimeData* mime, QObject* source)
{
    auto* grid = qobject_cast<ArticleGrid*>(source);
    if (!grid || !mime || !grid->recordsetModel())
        return nullptr;
    for (const QString& type : grid->recordsetModel()->mimeTypes()) {
        if (mime->hasFormat(type))
            return grid;
    }
    return nullptr;
}

bool acceptArticleDrag(QDragEnterEvent* event)
{
    if (!articleDragSource(event->mimeData(), event->source()))
        return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

bool acceptArticleDrag(QDragMoveEvent* event)
{
    if (!articleDragSource(event->mimeData(), event->source()))
        return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

QList<DroppedArticle> droppedArticles(ArticleGrid& source)
{
    QList<DroppedArticle> rows;
    for (const SelectedArticle& a : readSelectedArticles(source)) {
        DroppedArticle d;
        d.quantity = a.hasQuantity ? a.quantity : 1;
        d.articleNumber = a.articleNumber;
        d.description = a.description;
        d.gross = lineAmount(d.quantity, a.grossExcl, a.priceUnit);
        d.net = lineAmount(d.quantity, a.netExcl, a.priceUnit);
        rows << d;
    }
    return rows;
}

} // namespace vandrel
