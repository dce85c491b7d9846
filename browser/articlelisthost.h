#pragma once

#include <QString>
#include <QVariant>

namespace vandrel {

class ArticleGrid;
class Database;
class DataControl;

// What the selection windows need of the main window: its databases, the article list
// (Data3 with its grid Table3) and the list view.
class ArticleListHost {
public:
    virtual ~ArticleListHost() = default;
    virtual Database* catalogDatabase() const = 0;
    virtual Database* illustrationDatabase() const = 0;
    virtual DataControl* listData() const = 0;  // Data3; its caption is the status line
    virtual ArticleGrid* listGrid() const = 0;  // Table3
    virtual void showListView() = 0;
    // KleurenWaaier of the details' series row (Data5); null when there is no series row.
    virtual QVariant seriesColourFan() const = 0;
};

} // namespace vandrel
