#pragma once

#include <QByteArray>

class QTextDocument;

namespace vandrel {

// True when the bytes start (after white space) with "{\rtf".
bool isRtf(const QByteArray& data);

// Replaces the document's content with the RTF text: fonts, sizes, colours, bold, italic,
// underline, strikethrough, super/subscript, alignment, indents, tab stops, tabs, line and
// paragraph breaks, \'hh (Windows-1252) and \u characters; destinations we do not show are
// skipped. Anything else is read as plain Windows-1252 text, as the rich-edit control
// does. Malformed input never fails: unbalanced braces close or open nothing, the nesting
// kept is bounded and time and memory stay linear in the input. The undo history is
// cleared.
void readRtf(const QByteArray& data, QTextDocument& document);

} // namespace vandrel
