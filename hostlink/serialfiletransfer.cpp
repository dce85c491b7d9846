#include "hostlink/serialfiletransfer.h"

#include "hostlink/serialtransport.h"

namespace vandrel {

namespace {

// Enough for the host's closing lines; the protocols' own last words are shorter.
constexpr qsizetype answerTailLimit = 1024;

} // namespace

SerialFileTransfer::SerialFileTransfer(SerialTransport& port, QObject* parent)
    : QObject(parent), port_(port)
{
    connect(&process_, &QProcess::readyReadStandardOutput, this, &SerialFileTransfer::relayToPort);
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        ended(status == QProcess::NormalExit ? code : -1);
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            ended(-1);
    });
}

SerialFileTransfer::~SerialFileTransfer()
{
    stop();
}

QStringList SerialFileTransfer::commandLine(Protocol protocol, const QString& xmodemFileName)
{
    switch (protocol) {
    case Protocol::Xmodem: return {QStringLiteral("rx"), QStringLiteral("-b"), QStringLiteral("-c"), QStringLiteral("-q"), xmodemFileName};
    case Protocol::Ymodem: return {QStringLiteral("rb"), QStringLiteral("-b"), QStringLiteral("-y"), QStringLiteral("-u"), QStringLiteral("-R"), QStringLiteral("-q")};
    case Protocol::Zmodem: return {QStringLiteral("rz"), QStringLiteral("-b"), QStringLiteral("-y"), QStringLiteral("-u"), QStringLiteral("-R"), QStringLiteral("-q")};
    }
    return {};
}

bool SerialFileTransfer::start(Protocol protocol, const QString& directory, const QString& xmodemFileName,
                               const QByteArray& alreadyReceived)
{
    stop();
    finished_ = false;
    exitCode_ = -1;
    bytesReceived_ = 0;
    afterLastAnswer_.clear();
    const QStringList command = commandLine(protocol, xmodemFileName);
    process_.setWorkingDirectory(directory);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setStandardErrorFile(QProcess::nullDevice());
    port_.setReceiveNotifications(false);
    connect(&port_.port(), &QSerialPort::readyRead, this, &SerialFileTransfer::relayFromPort,
            Qt::UniqueConnection);
    relaying_ = true;
    process_.start(command.first(), command.mid(1));
    if (!process_.waitForStarted(5000)) {
        ended(-1);
        return false;
    }
    if (!alreadyReceived.isEmpty())
        toProgram(alreadyReceived);
    relayFromPort(); // what arrived before the program was up
    return true;
}

bool SerialFileTransfer::isRunning() const
{
    return process_.state() != QProcess::NotRunning;
}

void SerialFileTransfer::relayFromPort()
{
    if (!relaying_ || process_.state() != QProcess::Running)
        return;
    const QByteArray bytes = port_.port().readAll();
    if (!bytes.isEmpty())
        toProgram(bytes);
}

void SerialFileTransfer::toProgram(const QByteArray& bytes)
{
    bytesReceived_ += bytes.size();
    afterLastAnswer_ += bytes;
    if (afterLastAnswer_.size() > answerTailLimit)
        afterLastAnswer_.remove(0, afterLastAnswer_.size() - answerTailLimit);
    process_.write(bytes);
}

QByteArray SerialFileTransfer::takeInputAfterLastAnswer()
{
    QByteArray bytes = std::move(afterLastAnswer_);
    afterLastAnswer_.clear();
    return bytes;
}

void SerialFileTransfer::relayToPort()
{
    const QByteArray bytes = process_.readAllStandardOutput();
    if (!bytes.isEmpty()) {
        afterLastAnswer_.clear();
        port_.write(bytes);
    }
}

void SerialFileTransfer::ended(int exitCode)
{
    if (!relaying_)
        return;
    // Its last words are sent on, but they need not precede what the line brought meanwhile.
    QByteArray unanswered = std::move(afterLastAnswer_);
    relayToPort();
    afterLastAnswer_ = std::move(unanswered);
    relaying_ = false;
    disconnect(&port_.port(), &QSerialPort::readyRead, this, &SerialFileTransfer::relayFromPort);
    port_.setReceiveNotifications(true);
    exitCode_ = exitCode;
    finished_ = true;
}

void SerialFileTransfer::stop()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(2000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    ended(-1);
}

} // namespace vandrel
