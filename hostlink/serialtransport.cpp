#include "hostlink/serialtransport.h"


namespace vandrel {

SerialTransport::SerialTransport(QObject* parent) : Transport(parent)
{
    carrierPoll_.setInterval(200);
    connect(&carrierPoll_, &QTimer::timeout, this, &SerialTransport::pollCarrier);
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        pollCarrier();
        if (notify_)
            emit dataArrived();
    });
    connect(&port_, &QSerialPort::bytesWritten, this, [this] {
        pollCarrier();
        if (port_.bytesToWrite() == 0)
            emit sendComplete();
    });
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::NoError)
            return;
        emit failed(int(error), port_.errorString());
        if (error == QSerialPort::ResourceError) {
            // The device went away (cable pulled, peer closed): the line is down.
            port_.close();
            pollCarrier();
        }
    });
}

bool SerialTransport::open(const QString& name)
{
    if (port_.isOpen())
        port_.close();
    // A port name ("ttyUSB0") or a full device path ("/dev/pts/3") alike.
    port_.setPortName(name);
    if (!port_.open(QIODevice::ReadWrite))
        return false;
    port_.setBaudRate(QSerialPort::Baud2400);
    port_.setParity(QSerialPort::NoParity);
    port_.setDataBits(QSerialPort::Data8);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setDataTerminalReady(true);
    port_.clearError();
    // A pseudo-terminal or a three-wire cable has no modem lines to read.
    port_.pinoutSignals();
    reportsCarrier_ = port_.error() == QSerialPort::NoError;
    port_.clearError();
    assumedCarrier_ = false;
    lastCarrier_ = carrier();
    if (reportsCarrier_)
        carrierPoll_.start();
    return true;
}

bool SerialTransport::carrier() const
{
    if (!port_.isOpen())
        return false;
    if (reportsCarrier_)
        return (const_cast<QSerialPort&>(port_).pinoutSignals() & QSerialPort::DataCarrierDetectSignal) != 0;
    return assumedCarrier_;
}

void SerialTransport::setAssumedCarrier(bool present)
{
    assumedCarrier_ = present;
    pollCarrier();
}

void SerialTransport::pollCarrier()
{
    const bool now = carrier();
    if (now != lastCarrier_) {
        lastCarrier_ = now;
        emit lineChanged(now);
    }
}

void SerialTransport::clearOutput()
{
    if (port_.isOpen())
        port_.clear(QSerialPort::Output);
}

void SerialTransport::close()
{
    // Closing drops DTR, which makes a real modem hang up.
    carrierPoll_.stop();
    if (port_.isOpen())
        port_.close();
    assumedCarrier_ = false;
    pollCarrier();
}

} // namespace vandrel
