#include "hostlink/tcptransport.h"

namespace vandrel {

TcpTransport::TcpTransport(QObject* parent) : Transport(parent)
{
    // Host lines are short and interactive: no coalescing delay.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        emit connected();
        emit lineChanged(true);
    });
    connect(&socket_, &QTcpSocket::disconnected, this, [this] {
        emit closed();
        emit lineChanged(false);
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &Transport::dataArrived);
    connect(&socket_, &QTcpSocket::bytesWritten, this, [this] {
        if (socket_.bytesToWrite() == 0)
            emit sendComplete();
    });
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        emit failed(int(error), socket_.errorString());
    });
}

void TcpTransport::connectToHost(const QString& host, quint16 port)
{
    remotePort_ = port;
    socket_.connectToHost(host, port);
}

int TcpTransport::state() const
{
    switch (socket_.state()) {
    case QAbstractSocket::UnconnectedState: return StateClosed;
    case QAbstractSocket::ConnectedState: return StateConnected;
    case QAbstractSocket::ClosingState: return StateClosing;
    default: return StateConnecting;
    }
}

bool TcpTransport::isUp() const
{
    return socket_.state() == QAbstractSocket::ConnectedState;
}

void TcpTransport::write(const QByteArray& bytes)
{
    socket_.write(bytes);
}

void TcpTransport::close()
{
    if (socket_.state() != QAbstractSocket::UnconnectedState)
        socket_.disconnectFromHost();
}

} // namespace vandrel
