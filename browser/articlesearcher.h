#pragma once

#include "browser/articlesearch.h"

#include <QString>

#include <functional>

namespace vandrel {

class ArticleGrid;
class Database;
class DataControl;
class Recordset;

// Runs the search bar's modes against the list (Data3 and its grid Table3).
class ArticleSearcher {
public:
    struct Window {
        DataControl* list = nullptr;   // Data3
        ArticleGrid* grid = nullptr;   // Table3
        std::function<Database*()> catalog;
        std::function<Database*()> illustrations;
        std::function<Recordset*()> products; // the kept Products table, index PrimaryKey
        std::function<QString()> scanFile;    // the scan file's path
        std::function<void()> showListView;
        std::function<void(bool)> showDetails; // DetailsVisible
        std::function<bool(const QString&)> getArtikel;
        std::function<void()> focusSearchBox;
        std::function<void()> openClassification; // KlasseForm; empty while there is none
    };

    explicit ArticleSearcher(Window window) : w_(std::move(window)) {}

    // Enter in the search box.
    void search(articlesearch::Mode mode, const QString& text);

    void ScanSearch(const QString& text);

private:
    void collectByCode(articlesearch::Mode mode, const QString& text);
    void showSource(const QString& source, const QString& status);
    void searchProductNumber(const QString& text);
    void searchSqlQuery(const QString& text);

    Window w_;
    bool tooManyHits_ = false; // the last description search stopped at its limit
};

} // namespace vandrel
