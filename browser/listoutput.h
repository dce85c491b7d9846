#pragma once

#include "browser/articleclipboard.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vandrel {

class ArticleGrid;
class PrintDevice;

// What the main window sends out of the shown article list: the printed list, the
// series text for the system clipboard and the selected rows for the article clipboard.
namespace listoutput {

// One visible column of a grid, in display order, as the outputs read it.
struct Column {
    int modelColumn = 0;
    QString caption;
    int widthPixels = 0;
    double widthChars = 0; // at 120 twips a character
    bool rightAligned = false;
    QString numberFormat;
};
QList<Column> visibleColumns(const ArticleGrid& grid);

// The list's font size: A = page width less the width of "88888888", B = the width of T
// digits "8" (twips, rounded); 10 x (A \ B), at least 5. Without columns (B = 0) 10.
int fontSize(double pageWidthTwips, double eightsTwips, double digitsTwips);

// The width total T of the list grid: per visible column its width in characters plus 2,
// the running total rounded (halves to even) after each addition.
int widthTotal(const QList<Column>& listGridColumns);

struct ListPrint {
    QString title;  // "Vandrel Artikeloverzicht" or "Vandrel Productinformatie"
    QString query;  // the search box text
    QList<Column> columns;  // of the grid printed
    int widthTotal = 0;     // T, always of the list grid
    int rowCount = 0;
    // The value of a row in a column, formatted with the column's number format.
    std::function<QString(int row, const Column& column)> value;
    // Runs between rows, so the window stays responsive.
    std::function<void()> pump;
};

// Prints the list as one job through FormatPrint; returns the markup texts in order.
QStringList printList(PrintDevice& device, const ListPrint& list);

// "K&opieer tekst": "Reeks:" TAB series CR LF, the header (each caption padded with blanks
// and cut to the column's width in pixels), then a line per row; cells end in TAB.
QString seriesText(const QString& seriesName, const QList<Column>& columns, int rowCount,
                   const std::function<QString(int row, const Column& column)>& value);

// "&Kopiëren selectie": the selected rows of the grid in selection order as clipboard
// rows (quantity = Aantal, or 1 without that column; amounts times the quantity; price
// unit Per, or 1), and the same as text lines for the system clipboard.
QList<ClipboardArticle> copySelection(ArticleGrid& grid, QString& text);

} // namespace listoutput
} // namespace vandrel
