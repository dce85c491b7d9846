#pragma once

#include "tools/hostsim/hostsession.h"
#include "tools/hostsim/simconfig.h"
#include "tools/hostsim/transcript.h"

#include <QObject>
#include <QTcpServer>

#include <memory>

namespace vandrel::hostsim {

class ModemEmulator;

// The host service Orbisnet on loopback: the trace page over HTTP, the internet service
// with its login, and (on request) a modem on a pseudo-terminal. Sessions run on the
// caller's event loop, so tests drive program and host on one thread.
class HostSimulator : public QObject {
    Q_OBJECT
public:
    explicit HostSimulator(SimConfig config, QObject* parent = nullptr);
    ~HostSimulator() override;

    // Commands of the logged-in host; the session commands add theirs here.
    void addCommandHandler(std::shared_ptr<CommandHandler> handler);

    bool start(QString* error = nullptr);
    quint16 tcpPort() const;
    quint16 httpPort() const;
    QString ptyPath() const;
    // The page address the program's TraceAddress should name.
    QString traceAddress() const;

    SimConfig& config() { return config_; }
    Transcript& transcript() { return transcript_; }

private:
    void acceptTcp();
    void acceptHttp();

    SimConfig config_;
    Transcript transcript_;
    QList<std::shared_ptr<CommandHandler>> handlers_;
    QTcpServer tcpServer_;
    QTcpServer httpServer_;
    std::unique_ptr<ModemEmulator> modem_;
    int nextConnection_ = 1;
};

} // namespace vandrel::hostsim
