#pragma once

class QWidget;

namespace vandrel {

class ArticleGrid;
class DataControl;

// The file menu's article exports of the grid on screen: "&Standaard ASCII..." (standard)
// or "&Huidig overzicht..." (the visible columns). Progress shows in the status line
// (statusLine's caption, put back afterwards) and the progress window; mainWindow takes
// no input meanwhile. Widths of the current overview are in characters: the column's
// width in pixels divided by the grid font's average character width.
void exportShownList(QWidget* mainWindow, ArticleGrid* grid, DataControl* statusLine, bool standard);

} // namespace vandrel
