#include "documents/documentlinereader.h"

namespace vandrel {

QByteArray DocumentLineReader::readLine(int maxLength)
{
    QByteArray line;
    ++lines_;
    const qsizetype size = bytes_.size();
    const auto append = [&](char c) {
        if (line.size() < maxLength)
            line.append(c);
    };
    while (pos_ < size) {
        const char c = bytes_[pos_];
        if (c == endMarker)
            break; // a CR just before it was held back and ends the line
        ++pos_;
        if (c == '\n')
            break;
        if (c == '\r') {
            if (pos_ < size && bytes_[pos_] == '\n') {
                ++pos_;
                break;
            }
            if (pos_ >= size || bytes_[pos_] == endMarker)
                break;
        }
        append(c);
    }
    return line;
}

} // namespace vandrel
