#pragma once

#include <QList>
#include <QString>

namespace vandrel {

// The article columns a grid can show and the layout strings that say which, in which
// order and how wide.
namespace columnlayout {

enum Alignment { AlignLeft = 0, AlignRight = 1, AlignGeneral = 3 };

struct ColumnSpec {
    QString dataField;   // the grid column's field name
    QString storedItem;  // what a stored layout writes for it
    QString numberFormat; // "0000000", "Standard" or empty
    Alignment alignment;
    int defaultWidth;
    Alignment restoreAlignment; // right after "&Herstel kolomweergave"
};

const QList<ColumnSpec>& columnSet();
// Nullptr for a field that is not one of the nine.
const ColumnSpec* specFor(const QString& dataField);
int defaultWidthFor(const QString& dataField); // 100 for any other field

// The grid's layout strings: Table3 has the View pair, every other grid the Detail pair.
bool isListGrid(const QString& gridName);

// The column definition (select list) of a grid; an empty layout resets the pair to
// the defaults first.
QString ReeksDef(const QString& gridName);

// A stored layout the program can put into a statement: a list of items separated by
// commas, each one of the column set's items (as stored or as the default writes them;
// letter case and blanks ignored) or a bare column name. Anything else (a clause, a
// second statement, a stray bracket) would break the list query or change its meaning.
bool usableLayoutText(const QString& layout);

// The widths of a sizes string; blanks around the numbers are ignored.
QList<int> parseSizes(const QString& sizes);

struct GridColumn {
    QString dataField;
    double width = 0;
    bool visible = true;
};

// Builds the layout and sizes strings from the visible columns in display order;
// fields outside the column set are left out.
void buildLayout(const QList<GridColumn>& displayOrder, QString& layout, QString& sizes);

// Stores the pair as the grid's own and saves the settings; shows the message when
// saving fails.
void storeLayout(const QString& gridName, const QString& layout, const QString& sizes);

// The part of a record source from its first WHERE on (letter case ignored), or "".
QString whereTail(const QString& recordSource);

} // namespace columnlayout
} // namespace vandrel
