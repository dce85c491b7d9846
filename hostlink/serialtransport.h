#pragma once

#include "hostlink/transport.h"

#include <QSerialPort>
#include <QTimer>

namespace vandrel {

// The modem's serial port (the serial control Comm), "2400,n,8,1". Carrier detect comes
// from the port's DCD line where the port reports one; a port without modem lines (a
// pseudo-terminal) takes the carrier from the modem's answers (setAssumedCarrier).
class SerialTransport : public Transport {
    Q_OBJECT
public:
    explicit SerialTransport(QObject* parent = nullptr);

    // name: a port name ("ttyUSB0") or a device path ("/dev/pts/3").
    bool open(const QString& name);
    bool isOpen() const { return port_.isOpen(); }
    QString errorText() const { return port_.errorString(); }
    QString portName() const { return port_.portName(); }
    bool reportsCarrier() const { return reportsCarrier_; }
    bool carrier() const;
    void setAssumedCarrier(bool present);
    // Receive notifications (the control's threshold 1/0): off while a reader polls itself.
    void setReceiveNotifications(bool on) { notify_ = on; }
    QSerialPort& port() { return port_; }

    bool isUp() const override { return carrier(); }
    void write(const QByteArray& bytes) override { port_.write(bytes); }
    qint64 bytesToWrite() const override { return port_.bytesToWrite(); }
    void clearOutput() override;
    qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
    QByteArray readAll() override { return port_.readAll(); }
    void close() override;

private:
    void pollCarrier();

    QSerialPort port_;
    QTimer carrierPoll_; // modem lines raise no event of their own
    bool reportsCarrier_ = false;
    bool assumedCarrier_ = false;
    bool lastCarrier_ = false;
    bool notify_ = true;
};

} // namespace vandrel
