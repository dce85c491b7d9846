#pragma once

#include <QByteArray>

namespace vandrel {

// The lines of an order file's bytes as the sessions read them: a line ends at CR LF (or
// a lone CR or LF); byte 26 (Ctrl-Z) ends the text. A line longer than the limit is cut
// and its rest skipped, so the next read starts on the next line.
class OrderFileLines {
public:
    explicit OrderFileLines(QByteArray bytes) : bytes_(std::move(bytes)) {}

    QByteArray readLine(int maxLength);
    bool atEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == endMarker; }

    static constexpr char endMarker = 26;

private:
    QByteArray bytes_;
    qsizetype pos_ = 0;
};

} // namespace vandrel
