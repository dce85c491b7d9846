#include "hostlink/obxferlink.h"

#include "hostlink/hostlink.h"
#include "hostlink/linkhelpers.h"

#include <QCoreApplication>

namespace vandrel {

namespace {

// Waiting on the link's clock: a pass with a frame still waiting only lets events run.
void waitOnLink(HostLink& link, int maxWaitMs, const std::function<bool()>& arrived)
{
    if (maxWaitMs <= 0) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        link.clock().waitUntil(arrived, maxWaitMs);
    }
}

class TcpChannel final : public ObxferChannel {
public:
    explicit TcpChannel(HostLink& link) : link_(link) {}
    bool isConnected() override { return IsConnected(link_); }
    QByteArray receive(int maxWaitMs) override
    {
        ReceiveBuffer& buffer = link_.receiveBuffer();
        if (buffer.isEmpty())
            waitOnLink(link_, maxWaitMs, [&buffer] { return !buffer.isEmpty(); });
        return buffer.takeAll();
    }
    void send(const QByteArray& bytes) override { SendLine(link_, bytes); }
    void setTransferInProgress(bool on) override { link_.setTransferInProgress(on); }
    void putBack(const QByteArray& bytes) override { link_.receiveBuffer().putBack(bytes); }

private:
    HostLink& link_;
};

class SerialChannel final : public ObxferChannel {
public:
    explicit SerialChannel(HostLink& link) : link_(link)
    {
        // What the link had already collected comes first; then the port's own input.
        pending_ = link_.receiveBuffer().takeAll();
        link_.comm().setReceiveNotifications(false);
    }
    ~SerialChannel() override { link_.comm().setReceiveNotifications(true); }
    bool isConnected() override { return IsConnected(link_); }
    QByteArray receive(int maxWaitMs) override
    {
        SerialTransport& port = link_.comm();
        if (pending_.isEmpty() && port.bytesAvailable() == 0)
            waitOnLink(link_, maxWaitMs, [&port] { return port.bytesAvailable() > 0; });
        QByteArray bytes = std::move(pending_);
        pending_.clear();
        bytes += port.readAll();
        return bytes;
    }
    void send(const QByteArray& bytes) override { SendLine(link_, bytes); }
    void setTransferInProgress(bool on) override { link_.setTransferInProgress(on); }
    void putBack(const QByteArray& bytes) override { link_.receiveBuffer().putBack(pending_ + bytes); pending_.clear(); }

private:
    HostLink& link_;
    QByteArray pending_;
};

bool receiveOver(ObxferChannel& channel, HostLink& link, const ObxferTarget& target, bool internet,
                 QString& fileName)
{
    ObxferReceiver::Options options;
    options.downloadDirectory = target.downloadDirectory;
    options.internet = internet;
    options.silenceMs = target.silenceMs;
    ObxferReceiver receiver(channel, options);
    receiver.setClock([&link] { return link.clock().nowMs(); });
    receiver.setStatus(target.status);
    return receiver.receive(fileName);
}

} // namespace

bool ReceiveFileTcp(HostLink& link, const ObxferTarget& target, QString& fileName)
{
    TcpChannel channel(link);
    return receiveOver(channel, link, target, true, fileName);
}

bool ReceiveFile(HostLink& link, const ObxferTarget& target, QString& fileName)
{
    SerialChannel channel(link);
    return receiveOver(channel, link, target, false, fileName);
}

} // namespace vandrel
