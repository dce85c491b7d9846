#include "hostlink/orderfilelines.h"

namespace vandrel {

QByteArray OrderFileLines::readLine(int maxLength)
{
    const qsizetype start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n' && bytes_[pos_] != endMarker)
        ++pos_;
    QByteArray line = bytes_.mid(start, std::min<qsizetype>(pos_ - start, maxLength));
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r')
        ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
        ++pos_;
    return line;
}

} // namespace vandrel
