#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

namespace vandrel {

class SerialTransport;

// X/Y/ZMODEM over the modem's serial port through lrzsz: rx, rb or rz runs as a child
// process whose input and output are relayed to and from the port while it runs (the
// link's own receiving is switched off meanwhile). The session only needs to know
// whether the transfer runs, and to stop it.
//
// Files are received into the given folder: XMODEM carries no name, so it is written as
// the name given (the update settles "VDCDINFO.ZIP"); YMODEM and ZMODEM take the
// sender's name, in restricted mode (no paths, nothing outside the folder), letter case
// kept, an older file of the same name overwritten.
class SerialFileTransfer : public QObject {
    Q_OBJECT
public:
    enum class Protocol { Xmodem, Ymodem, Zmodem };

    explicit SerialFileTransfer(SerialTransport& port, QObject* parent = nullptr);
    ~SerialFileTransfer() override;

    // False when the program could not be started. alreadyReceived: what the link
    // collected from the line before the transfer took it over (the sender's first bytes).
    bool start(Protocol protocol, const QString& directory, const QString& xmodemFileName,
               const QByteArray& alreadyReceived = QByteArray());
    bool isRunning() const;
    // True once a started transfer has ended (whatever its outcome).
    bool finished() const { return finished_; }
    bool succeeded() const { return finished_ && exitCode_ == 0; }
    void stop();

    // Bytes taken from the line for the program so far: the session's measure of progress.
    qint64 bytesReceived() const { return bytesReceived_; }
    // What the line brought after the program's last answer, up to a short tail. The
    // host's closing text can arrive while the program is ending and be relayed into it
    // unread; the session takes these bytes back once the transfer has ended.
    QByteArray takeInputAfterLastAnswer();

    // The lrzsz program and its arguments for a protocol.
    static QStringList commandLine(Protocol protocol, const QString& xmodemFileName);

private:
    void relayFromPort();
    void relayToPort();
    void toProgram(const QByteArray& bytes);
    void ended(int exitCode);

    SerialTransport& port_;
    QProcess process_;
    bool finished_ = false;
    int exitCode_ = -1;
    bool relaying_ = false;
    qint64 bytesReceived_ = 0;
    QByteArray afterLastAnswer_;
};

} // namespace vandrel
