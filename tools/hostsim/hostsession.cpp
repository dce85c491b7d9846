#include "tools/hostsim/hostsession.h"

#include "tools/hostsim/transcript.h"

namespace vandrel::hostsim {

HostSession::HostSession(SessionChannel& channel, QString name, const SimConfig& config,
                         const QList<std::shared_ptr<CommandHandler>>& handlers, Transcript& transcript,
                         QObject* parent)
    : QObject(parent), channel_(channel), name_(std::move(name)), config_(config), handlers_(handlers),
      transcript_(transcript), promptRepeats_(config.commandPromptRepeats)
{
}

void HostSession::start()
{
    if (channel_.isModem()) {
        send("\r\nOrbisnet - Vandrel Technische Groothandel\r\nUw toegangscode: ");
        return;
    }
    for (const QByteArray& line : config_.tcpGreeting)
        sendLine(line);
}

void HostSession::send(const QByteArray& bytes)
{
    if (phase_ == Phase::Ended)
        return;
    transcript_.record(name_, Transcript::ToClient, bytes);
    channel_.send(bytes);
}

void HostSession::end()
{
    if (phase_ == Phase::Ended)
        return;
    phase_ = Phase::Ended;
    transcript_.note(name_, QStringLiteral("host hangs up"));
    channel_.hangUp();
    emit ended();
}

void HostSession::receive(const QByteArray& bytes)
{
    if (phase_ == Phase::Ended)
        return;
    transcript_.record(name_, Transcript::FromClient, bytes);
    input_ += bytes;
    process();
}

void HostSession::process()
{
    while (phase_ != Phase::Ended && !input_.isEmpty()) {
        if (capture_) {
            const qsizetype before = input_.size();
            if (capture_(*this, input_))
                capture_ = nullptr;
            else if (input_.size() == before)
                return; // needs more input
            continue;
        }
        if (phase_ == Phase::CommandPrompt) {
            // The program answers the prompt with a bare "C".
            const qsizetype c = input_.toUpper().indexOf('C');
            if (c < 0) {
                input_.clear();
                return;
            }
            input_.remove(0, c + 1);
            if (promptRepeats_ != 0) {
                if (promptRepeats_ > 0)
                    --promptRepeats_;
                sendCommandPrompt();
            } else {
                phase_ = Phase::Commands;
                send("\r\nREADY\r\n");
            }
            continue;
        }
        const qsizetype cr = input_.indexOf('\r');
        if (cr < 0)
            return;
        QByteArray line = input_.left(cr);
        input_.remove(0, cr + 1);
        if (input_.startsWith('\n'))
            input_.remove(0, 1);
        line.replace('\n', QByteArray());
        handleLine(line);
    }
}

void HostSession::sendCommandPrompt()
{
    // A line of its own: the program reads the repeated prompt line by line.
    send("\r\n[C]ommand\r\n");
}

void HostSession::handleLine(const QByteArray& line)
{
    switch (phase_) {
    case Phase::Code:
        accountCode_ = QString::fromLatin1(line.trimmed());
        phase_ = Phase::Private;
        if (channel_.isModem()) {
            if (config_.privecodePrompt)
                send("\r\nUw privecode: ");
            else
                send("\r\n");
        } else {
            sendLine("PASWD");
        }
        break;
    case Phase::Private: checkAccount(line.trimmed()); break;
    case Phase::Commands: {
        if (line.trimmed().compare("BYE", Qt::CaseInsensitive) == 0) {
            sendLine("BYE");
            end();
            return;
        }
        for (const auto& handler : handlers_)
            if (handler->accepts(line)) {
                handler->handle(*this, line);
                return;
            }
        if (!line.trimmed().isEmpty())
            sendLine("?ONBEKENDE OPDRACHT");
        break;
    }
    default: break;
    }
}

void HostSession::checkAccount(const QByteArray& privateCode)
{
    const Account* account = config_.account(accountCode_);
    const bool known = account && account->privateCode == QString::fromLatin1(privateCode);
    if (channel_.isModem()) {
        if (!known || account->status != "READY") {
            send("\r\nToegang geweigerd.\r\n");
            end();
            return;
        }
        phase_ = Phase::CommandPrompt;
        sendCommandPrompt();
        return;
    }
    if (!known) {
        sendLine("NOLOG");
        end();
        return;
    }
    sendLine("OKLOG");
    sendLine(account->status);
    if (account->status != "READY")
        end();
    else
        phase_ = Phase::Commands;
}

} // namespace vandrel::hostsim
