#include "hostlink/obxfer.h"

namespace vandrel::obxfer {

QByteArray BuildFrame(const QByteArray& payload)
{
    return frameStart + payload + frameEnd;
}

QByteArray TakeFrame(QByteArray& text)
{
    const qsizetype start = text.indexOf(frameStart);
    if (start < 0)
        return {};
    const qsizetype end = text.indexOf(frameEnd, start + frameStart.size());
    if (end < 0)
        return {};
    QByteArray payload = text.mid(start + frameStart.size(), end - start - frameStart.size());
    text.remove(0, end + frameEnd.size());
    return payload;
}

int FrameType(const QByteArray& payload)
{
    const QByteArray type = payload.left(2);
    if (type == "ID")
        return TypeID;
    if (type == "IU")
        return TypeIU;
    if (type == "UB")
        return TypeUB;
    if (type == "CD")
        return TypeCD;
    if (type == "NU")
        return TypeNU;
    if (type == "RU")
        return TypeRU;
    return TypeOther;
}

int CheckDigit(const QByteArray& data)
{
    // Only the last digit matters; a 64-bit total cannot overflow for any block, so the
    // remainder is taken once (a division per byte cost more than the rest of the sum).
    quint64 sum = 0;
    for (const char c : data)
        sum += static_cast<unsigned char>(c);
    return int(sum % 10);
}

QByteArray TakeField(QByteArray& text, int width)
{
    if (width > 0) {
        QByteArray field = text.left(width);
        text.remove(0, field.size());
        return field;
    }
    static const QByteArray separator = QByteArrayLiteral("%%%%");
    const qsizetype at = text.indexOf(separator);
    if (at < 0)
        return {};
    QByteArray field = text.left(at);
    text.remove(0, at + separator.size());
    return field;
}

void FrameAccumulator::append(const QByteArray& bytes)
{
    buffer_.append(bytes);
}

void FrameAccumulator::clear()
{
    buffer_.clear();
    head_ = 0;
    start_ = -1;
    searchFrom_ = 0;
}

QByteArray FrameAccumulator::takeRemaining()
{
    QByteArray rest = buffer_.mid(head_);
    clear();
    return rest;
}

bool FrameAccumulator::takeFrame(QByteArray& payload)
{
    if (start_ < 0) {
        const qsizetype at = buffer_.indexOf(frameStart, std::max(head_, searchFrom_));
        if (at < 0) {
            // Nothing here starts a frame, except perhaps the last few bytes.
            head_ = std::max(head_, buffer_.size() - (frameStart.size() - 1));
            searchFrom_ = head_;
            compact();
            return false;
        }
        head_ = at; // text before a frame is dropped with it
        start_ = at;
        searchFrom_ = at + frameStart.size();
    }
    const qsizetype end = buffer_.indexOf(frameEnd, searchFrom_);
    if (end < 0) {
        searchFrom_ = std::max(start_ + frameStart.size(), buffer_.size() - (frameEnd.size() - 1));
        compact();
        return false;
    }
    const qsizetype from = start_ + frameStart.size();
    payload = buffer_.mid(from, end - from);
    head_ = end + frameEnd.size();
    start_ = -1;
    searchFrom_ = head_;
    compact();
    return true;
}

void FrameAccumulator::compact()
{
    // Drop consumed bytes once they are the larger part: amortised linear.
    if (head_ == 0 || head_ < buffer_.size() / 2)
        return;
    buffer_.remove(0, head_);
    if (start_ >= 0)
        start_ -= head_;
    searchFrom_ -= head_;
    head_ = 0;
}

} // namespace vandrel::obxfer
