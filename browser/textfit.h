#pragma once

#include <QFont>
#include <QString>

namespace vandrel {

struct FittedText {
    QString text;   // what fits: whole words, an ellipsis at the end when cut
    int lines = 0;  // lines the text takes when wrapped at the width
    bool cut = false;
};

// Wraps text at width pixels in font, as a word-wrapping label does, and keeps at most
// maxLines lines. A text that needs more ends after the last word that still fits on the
// last line, followed by "…", so a label never shows half a line.
FittedText fitTextToLines(const QString& text, const QFont& font, int width, int maxLines);

} // namespace vandrel
