#pragma once

#include "app/core/currency.h"

#include <QList>
#include <QString>

namespace vandrel {

// One copied article row: what "&Kopiëren selectie" takes from a grid and "&Plakken"
// puts into a document.
struct ClipboardArticle {
    qint32 quantity = 0;
    qint32 articleNumber = 0;
    QString description;
    Currency gross;
    Currency net;
    float priceUnit = 0;
    bool operator==(const ClipboardArticle&) const = default;
};

// The program-wide article clipboard. It keeps its rows until the next copy replaces
// them.
class ArticleClipboard {
public:
    const QList<ClipboardArticle>& rows() const { return rows_; }
    int count() const { return int(rows_.size()); }
    void replace(QList<ClipboardArticle> rows) { rows_ = std::move(rows); }
    void clear() { rows_.clear(); }

private:
    QList<ClipboardArticle> rows_;
};

ArticleClipboard& articleClipboard();

} // namespace vandrel
