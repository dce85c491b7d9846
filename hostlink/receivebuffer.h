#pragma once

#include <QByteArray>

namespace vandrel {

// Received host data not yet consumed: 8-bit bytes, appended at the end by the link,
// consumed at the front by the line helpers and the block download. Every byte value
// passes unchanged.
class ReceiveBuffer {
public:
    void append(const QByteArray& bytes) { data_.append(bytes); }
    // Everything, leaving the buffer empty.
    QByteArray takeAll();
    // Puts text back in front of what is there (a line reader read too far).
    void putBack(const QByteArray& front) { data_.prepend(front); }
    void removeFront(qsizetype count) { data_.remove(0, count); }
    void clear() { data_.clear(); }
    bool isEmpty() const { return data_.isEmpty(); }
    qsizetype size() const { return data_.size(); }
    const QByteArray& bytes() const { return data_; }
    // Position (0-based) of text ignoring the case of ASCII letters; -1 when absent.
    qsizetype indexOfCaseBlind(const QByteArray& text) const;

private:
    QByteArray data_;
};

// Case-blind (ASCII letters) search used by every prompt test of the host dialogue.
qsizetype indexOfCaseBlind(const QByteArray& haystack, const QByteArray& needle, qsizetype from = 0);
bool containsCaseBlind(const QByteArray& haystack, const QByteArray& needle);

} // namespace vandrel
