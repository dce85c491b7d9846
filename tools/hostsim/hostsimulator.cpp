#include "tools/hostsim/hostsimulator.h"

#include "tools/hostsim/modememulator.h"
#include "tools/hostsim/ordercommands.h"
#include "tools/hostsim/updatecommands.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace vandrel::hostsim {
namespace {

// A session over one accepted socket; deletes itself with the socket.
class TcpChannel : public QObject, public SessionChannel {
public:
    TcpChannel(QTcpSocket* socket, const QString& name, const SimConfig& config,
               const QList<std::shared_ptr<CommandHandler>>& handlers, Transcript& transcript)
        : QObject(socket), socket_(socket), session_(*this, name, config, handlers, transcript)
    {
        QObject::connect(socket, &QTcpSocket::readyRead, this, [this] { session_.receive(socket_->readAll()); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        session_.start();
    }
    void send(const QByteArray& bytes) override { socket_->write(bytes); }
    void hangUp() override { socket_->disconnectFromHost(); }
    bool isModem() const override { return false; }

private:
    QTcpSocket* socket_;
    HostSession session_;
};

} // namespace

HostSimulator::HostSimulator(SimConfig config, QObject* parent) : QObject(parent), config_(std::move(config))
{
    connect(&tcpServer_, &QTcpServer::newConnection, this, &HostSimulator::acceptTcp);
    connect(&httpServer_, &QTcpServer::newConnection, this, &HostSimulator::acceptHttp);
    addCommandHandler(std::make_shared<OrderCommands>());
    addCommandHandler(std::make_shared<UpdateCommands>());
}

HostSimulator::~HostSimulator() = default;

void HostSimulator::addCommandHandler(std::shared_ptr<CommandHandler> handler)
{
    handlers_ << std::move(handler);
}

bool HostSimulator::start(QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!config_.logFile.isEmpty() && !transcript_.openLog(config_.logFile))
        return fail(QStringLiteral("cannot write the log file ") + config_.logFile);
    if (!tcpServer_.listen(QHostAddress::LocalHost, config_.tcpPort))
        return fail(QStringLiteral("tcp: ") + tcpServer_.errorString());
    if (!httpServer_.listen(QHostAddress::LocalHost, config_.httpPort))
        return fail(QStringLiteral("http: ") + httpServer_.errorString());
    if (config_.modem) {
        modem_ = std::make_unique<ModemEmulator>(config_, handlers_, transcript_);
        QString why;
        if (!modem_->open(&why))
            return fail(why);
    }
    return true;
}

quint16 HostSimulator::tcpPort() const
{
    return tcpServer_.serverPort();
}

quint16 HostSimulator::httpPort() const
{
    return httpServer_.serverPort();
}

QString HostSimulator::ptyPath() const
{
    return modem_ ? modem_->slavePath() : QString();
}

QString HostSimulator::traceAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1/traceip.html").arg(httpPort());
}

void HostSimulator::acceptTcp()
{
    while (QTcpSocket* socket = tcpServer_.nextPendingConnection()) {
        const QString name = QStringLiteral("tcp#%1").arg(nextConnection_++);
        transcript_.note(name, QStringLiteral("connected"));
        new TcpChannel(socket, name, config_, handlers_, transcript_);
    }
}

void HostSimulator::acceptHttp()
{
    while (QTcpSocket* socket = httpServer_.nextPendingConnection()) {
        const QString name = QStringLiteral("http#%1").arg(nextConnection_++);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, name] {
            QByteArray request = socket->property("request").toByteArray() + socket->readAll();
            socket->setProperty("request", request);
            if (!request.contains("\r\n\r\n"))
                return;
            transcript_.record(name, Transcript::FromClient, request);
            const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
            const QByteArray path = first.size() > 1 ? first[1] : QByteArray();
            QByteArray reply;
            if (config_.tracePage && first[0] == "GET" && path.endsWith("/traceip.html")) {
                // The address in a field of 15 characters, as the program reads it.
                const QByteArray body = "<html><body><p>TraceRoute:" +
                                        QByteArray("127.0.0.1").leftJustified(15, ' ') + "</p></body></html>\r\n";
                reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                        QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            } else {
                const QByteArray body = "niet gevonden\r\n";
                reply = "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\nContent-Length: " +
                        QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            }
            transcript_.record(name, Transcript::ToClient, reply);
            socket->write(reply);
            socket->disconnectFromHost();
        });
    }
}

} // namespace vandrel::hostsim
