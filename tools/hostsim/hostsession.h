#pragma once

#include "tools/hostsim/simconfig.h"

#include <QByteArray>
#include <QObject>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace vandrel::hostsim {

class HostSession;
class Transcript;

// Where a session's bytes go: a TCP connection or the modem's data mode.
class SessionChannel {
public:
    virtual ~SessionChannel() = default;
    virtual void send(const QByteArray& bytes) = 0;
    // The host ends the connection (closes the socket, or the modem drops carrier).
    virtual void hangUp() = 0;
    virtual bool isModem() const = 0;
};

// A host command after the login ("BYE", and in the sessions "TM TO", "RUN ...",
// "DL ..."). The first handler whose accepts() is true gets the line.
class CommandHandler {
public:
    virtual ~CommandHandler() = default;
    virtual bool accepts(const QByteArray& line) const = 0;
    virtual void handle(HostSession& session, const QByteArray& line) = 0;
};

// One conversation with the program: the login of its kind (internet or modem), then
// command lines handed to the handlers. A handler may take the raw input over for a
// while (an order's lines, block-protocol answers) with captureInput.
class HostSession : public QObject {
    Q_OBJECT
public:
    // Gets the input not yet used; removes what it uses; returns true when it is done
    // (the session goes back to reading command lines).
    using InputCapture = std::function<bool(HostSession&, QByteArray& input)>;

    HostSession(SessionChannel& channel, QString name, const SimConfig& config,
                const QList<std::shared_ptr<CommandHandler>>& handlers, Transcript& transcript,
                QObject* parent = nullptr);

    void start();
    void receive(const QByteArray& bytes);

    // For handlers.
    void send(const QByteArray& bytes);
    // The text and the line end of the connection (CR LF; the modem host also CR LF).
    void sendLine(const QByteArray& text) { send(text + "\r\n"); }
    void captureInput(InputCapture capture) { capture_ = std::move(capture); }
    void end();
    bool loggedIn() const { return phase_ == Phase::Commands; }
    bool isModem() const { return channel_.isModem(); }
    const SimConfig& config() const { return config_; }
    const QString& accountCode() const { return accountCode_; }
    const QString& name() const { return name_; }
    // Per-session state for handlers that need it across lines.
    QVariantMap& state() { return state_; }

signals:
    void ended();

private:
    enum class Phase { Code, Private, CommandPrompt, Commands, Ended };

    void process();
    void handleLine(const QByteArray& line);
    void checkAccount(const QByteArray& privateCode);
    void sendCommandPrompt();

    SessionChannel& channel_;
    QString name_;
    const SimConfig& config_;
    const QList<std::shared_ptr<CommandHandler>>& handlers_;
    Transcript& transcript_;
    Phase phase_ = Phase::Code;
    QByteArray input_;
    InputCapture capture_;
    QString accountCode_;
    int promptRepeats_ = 0;
    QVariantMap state_;
};

} // namespace vandrel::hostsim
