#pragma once

#include <QByteArray>

class QTextDocument;

namespace vandrel {

// The document as RTF (ANSI, code page 1252, \u for the rest) with a font and colour
// table, one \pard per paragraph and the character formats readRtf understands. Word
// processors (LibreOffice, WordPad, Word) open it.
QByteArray writeRtf(const QTextDocument& document);

// Twips to the document's layout units and back; both sides of the RTF use them for
// indents and tab stops.
double rtfTwipsToLayout(int twips);
int rtfLayoutToTwips(double units);

} // namespace vandrel
