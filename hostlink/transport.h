#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace vandrel {

// One data stream to the host: a TCP socket or a serial port with a modem on it. The
// host link is the only user; sessions and helpers go through the link.
class Transport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The line is up: socket connected, or carrier present on the serial line.
    virtual bool isUp() const = 0;
    // Queues bytes; they go out as the event loop runs.
    virtual void write(const QByteArray& bytes) = 0;
    // Bytes queued and not yet handed to the system.
    virtual qint64 bytesToWrite() const = 0;
    virtual void clearOutput() = 0;
    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray readAll() = 0;
    virtual void close() = 0;

signals:
    void dataArrived();
    // Everything queued has been handed to the system.
    void sendComplete();
    // Socket connected/closed, carrier present/lost.
    void lineChanged(bool up);
    void failed(int number, const QString& description);
};

} // namespace vandrel
