#pragma once

#include <QByteArray>

namespace vandrel {

// Reads the lines of a document file's bytes as the program's line input does: a line
// ends at CR LF (or a lone LF); byte 26 (Ctrl-Z) ends the text, and a CR in front of it,
// or at the physical end, ends the last line. A line longer than the limit is cut and
// the rest of it skipped, so the next read still starts on the next line.
class DocumentLineReader {
public:
    explicit DocumentLineReader(QByteArray bytes) : bytes_(std::move(bytes)) {}

    QByteArray readLine(int maxLength);
    // True when nothing is left to read: the physical end or the Ctrl-Z marker.
    bool atEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == endMarker; }
    // True once the reader stands on the Ctrl-Z marker (a complete document file).
    bool atEndMarker() const { return pos_ < bytes_.size() && bytes_[pos_] == endMarker; }
    // 1-based number of the last line read.
    int lineNumber() const { return lines_; }

    static constexpr char endMarker = 26;

private:
    QByteArray bytes_;
    qsizetype pos_ = 0;
    int lines_ = 0;
};

} // namespace vandrel
