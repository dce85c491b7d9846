#include "browser/selectedarticles.h"

#include "app/core/sharedstate.h"
#include "browser/articlegrid.h"
#include "browser/datacontrol.h"
#include "browser/recordsetmodel.h"
#include "catalogdb/recordset.h"

namespace vandrel {

QList<SelectedArticle> readSelectedArticles(ArticleGrid& grid)
{
    QList<SelectedArticle> rows;
    RecordsetModel* model = grid.recordsetModel();
    Recordset* rs = model ? model->recordset() : nullptr;
    if (!rs)
        return rows;
    const bool wasBatch = shared().BatchInProgress;
    shared().BatchInProgress = true;
    const Recordset::Bookmark remembered = rs->hasCurrent() ? rs->bookmark() : -1;
    const int aantal = rs->fieldIndex(QStringLiteral("Aantal"));
    const int artikelNr = rs->fieldIndex(QStringLiteral("ArtikelNr"));
    const int beschrijving = rs->fieldIndex(QStringLiteral("Beschrijving"));
    const int bruto = rs->fieldIndex(QStringLiteral("Bruto excl"));
    const int netto = rs->fieldIndex(QStringLiteral("Netto excl"));
    const int per = rs->fieldIndex(QStringLiteral("Per"));
    for (int row : grid.selectedRowsInOrder()) {
        const Recordset::Bookmark bookmark = model->bookmarkOf(row);
        if (bookmark < 0 || !rs->setBookmark(bookmark))
            continue;
        SelectedArticle a;
        a.hasQuantity = aantal >= 0;
        if (aantal >= 0)
            a.quantity = rs->value(aantal).toInt();
        if (artikelNr >= 0)
            a.articleNumber = rs->value(artikelNr).toInt();
        if (beschrijving >= 0)
            a.description = rs->value(beschrijving).toString();
        if (bruto >= 0)
            a.grossExcl = rs->currency(bruto);
        if (netto >= 0)
            a.netExcl = rs->currency(netto);
        if (per >= 0)
            a.priceUnit = rs->value(per).toDouble();
        rows << a;
    }
    if (remembered >= 0)
        rs->setBookmark(remembered);
    shared().BatchInProgress = wasBatch;
    return rows;
}

} // namespace vandrel
