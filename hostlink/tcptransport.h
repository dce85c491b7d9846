#pragma once

#include "hostlink/transport.h"

#include <QTcpSocket>

namespace vandrel {

// The internet connection (the socket control TCP1).
class TcpTransport : public Transport {
    Q_OBJECT
public:
    // Socket states as the host link reports them (the socket control's numbering).
    static constexpr int StateClosed = 0;
    static constexpr int StateConnecting = 4;
    static constexpr int StateConnected = 7;
    static constexpr int StateClosing = 8;

    explicit TcpTransport(QObject* parent = nullptr);

    void connectToHost(const QString& host, quint16 port);
    int state() const;
    quint16 remotePort() const { return remotePort_; }

    bool isUp() const override;
    void write(const QByteArray& bytes) override;
    qint64 bytesToWrite() const override { return socket_.bytesToWrite(); }
    void clearOutput() override {}
    qint64 bytesAvailable() const override { return socket_.bytesAvailable(); }
    QByteArray readAll() override { return socket_.readAll(); }
    void close() override;
    void abort() { socket_.abort(); }

signals:
    void connected();
    void closed();

private:
    QTcpSocket socket_;
    quint16 remotePort_ = 0;
};

} // namespace vandrel
