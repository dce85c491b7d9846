#pragma once

#include <QRectF>

#include <functional>

class QImage;
class QTextDocument;

namespace vandrel {

class PrintDevice;

// Paints the picture at (left, top) as large as fits in the sheet less the margins
// (twips), keeping its proportions. The caller ends the document. A picture without
// size, or margins that leave no room, print nothing.
void PrintPictureFitted(PrintDevice& device, const QImage& picture, int topMargin,
                        int bottomMargin, int leftMargin, int rightMargin);

// Prints the document into the sheet less the margins (twips) page by page, then ends
// the document.
void PrintRichText(PrintDevice& device, const QTextDocument& document, int leftMargin,
                   int topMargin, int rightMargin, int bottomMargin);

// Lays the document out into a rectangle of the printable area (twips), one rectangle a
// page, starting on the current page and opening new pages as needed. The number of
// pages used.
// pageStarted, when given, runs as each page begins (for headers and footers).
int printRichTextPages(PrintDevice& device, const QTextDocument& document,
                       const QRectF& rectTwips,
                       const std::function<void(int page)>& pageStarted = {});

} // namespace vandrel
