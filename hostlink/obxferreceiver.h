#pragma once

#include "hostlink/obxfer.h"

#include <QFile>
#include <QString>

#include <functional>
#include <memory>

namespace vandrel {

// The connection as the OB-XFER receiver sees it. The modem and internet links adapt
// themselves to it (the modem one reads the serial port, the internet one takes the
// host link's receive buffer).
class ObxferChannel {
public:
    virtual ~ObxferChannel() = default;
    virtual bool isConnected() = 0;
    // Lets pending window events run, waiting at most maxWaitMs for data, and hands back
    // every byte received since the last call (the first call: what was already waiting).
    virtual QByteArray receive(int maxWaitMs) = 0;
    virtual void send(const QByteArray& bytes) = 0;
    // While true the link leaves the line to the receiver.
    virtual void setTransferInProgress(bool) {}
    // Bytes received after the transfer's last frame (the host's next line), handed back
    // to the link when the receiver ends.
    virtual void putBack(const QByteArray&) {}
};

// Receives one file over OB-XFER into the download directory: one loop for both links.
//
// Rules of this program where the protocol leaves room:
// - a file name from the host that is empty, holds a path separator, a drive colon, a
//   control character, or is "." or "..", is refused like a file that cannot be created:
//   nothing is ever written outside the download directory;
// - when the transfer ends well the file is cut to the bytes actually received (the
//   header's length is set beforehand, so a short transfer must not leave zeros behind);
// - a header announcing size 0 shows 100 % at once;
// - what arrived after the last frame is handed back to the link, so a host line that
//   came in the same read as the end block is not lost;
// - bytes that cannot begin a frame are dropped as they arrive, and the 30 seconds of
//   silence count whenever no complete frame is waiting (also after such noise).
class ObxferReceiver {
public:
    struct Options {
        QString downloadDirectory; // ends in a separator
        bool internet = true;      // the header text names the protocol on the internet link
        int silenceMs = 30000;
        int maxBadBlocks = 50;     // the next bad block cancels
        int pollMs = 100;          // longest single wait for data
    };

    ObxferReceiver(ObxferChannel& channel, Options options);
    ~ObxferReceiver();

    // Monotonic milliseconds; tests install a clock they move themselves.
    void setClock(std::function<qint64()> nowMs) { now_ = std::move(nowMs); }
    // Where the progress and status texts go.
    void setStatus(std::function<void(const QString&)> status) { status_ = std::move(status); }

    // True when the file arrived whole; fileName receives the header's name.
    bool receive(QString& fileName);

    // Title of the receiver's messages.
    static const QString messageTitle;

private:
    bool receiveFrames(QString& fileName);
    bool handleHeader(const QByteArray& rest, QString& fileName);
    // 1: file done, 0: go on, -1: cancelled.
    int handleData(const QByteArray& rest);
    bool cancel(const QString& message, const QString& status);
    void showStatus(const QString& text);
    void closeFile();

    ObxferChannel& channel_;
    Options options_;
    std::function<qint64()> now_;
    std::function<void(const QString&)> status_;

    obxfer::FrameAccumulator accumulator_;
    QByteArray blockNumber_ = "00";
    QByteArray acknowledgement_;
    std::unique_ptr<QFile> file_;
    QString name_;
    qint64 fileSize_ = 0;
    qint64 bytesWritten_ = 0;
    int errorCount_ = 0;
    qint64 silenceSince_ = 0;
};

// A file name from a host header is acceptable as a plain name inside the download
// directory.
bool isPlainFileName(const QString& name);

} // namespace vandrel
