#pragma once

#include <QByteArray>

namespace vandrel::obxfer {

// OB-XFER, the host's block protocol for sending one file to us. A frame is
// ESC ESC "$$" + payload + ESC ESC "@@": no length and no escaping, a frame ends at the
// first end marker after its start. Payloads are a two-letter type and fixed-width
// fields. Everything is bytes: data blocks carry any byte value unchanged.

inline const QByteArray frameStart = QByteArrayLiteral("\x1b\x1b$$");
inline const QByteArray frameEnd = QByteArrayLiteral("\x1b\x1b@@");

enum FrameTypeCode {
    TypeID = 30, // recognised, no action
    TypeIU = 31, // header: block (2), file size (8), file name
    TypeUB = 32, // data: block (2), check digit (1), data
    TypeCD = 33, // cancel
    TypeNU = 34, // acknowledgement: send the next block
    TypeRU = 35, // repeat the block
    TypeOther = 99,
};

QByteArray BuildFrame(const QByteArray& payload);

// The payload of the first complete frame in text; everything up to and including that
// frame (text before its start too) is removed. Empty, with text untouched, when there is
// no complete frame. Fine for single frames; the receiver uses FrameAccumulator, which
// does the same in linear time over a long stream.
QByteArray TakeFrame(QByteArray& text);

int FrameType(const QByteArray& payload);

// The last decimal digit of the sum of the byte values (0 for no data).
int CheckDigit(const QByteArray& data);

// The first width bytes, removed from text. Width 0: the text before the separator
// "%%%%", removed with the separator; empty (text untouched) when there is none.
QByteArray TakeField(QByteArray& text, int width);

// Received bytes waiting to be cut into frames. Each byte is searched at most a constant
// number of times and consumed bytes are dropped in bulk, so taking frames from a
// stream of any length costs time in proportion to its length. Bytes that cannot begin
// a frame are dropped as they arrive, so noise cannot pile up.
class FrameAccumulator {
public:
    void append(const QByteArray& bytes);
    // The next complete frame's payload, or false when none is complete yet.
    bool takeFrame(QByteArray& payload);
    // Unconsumed bytes (for tests and diagnostics).
    qsizetype pending() const { return buffer_.size() - head_; }
    // The unconsumed bytes, leaving the accumulator empty.
    QByteArray takeRemaining();
    void clear();

private:
    void compact();

    QByteArray buffer_;
    qsizetype head_ = 0;       // first unconsumed byte
    qsizetype start_ = -1;     // position of the current frame's start marker, -1: none yet
    qsizetype searchFrom_ = 0; // where the next marker search resumes
};

} // namespace vandrel::obxfer
