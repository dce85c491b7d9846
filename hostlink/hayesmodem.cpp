#include "hostlink/hayesmodem.h"

#include "hostlink/linkclock.h"
#include "hostlink/serialtransport.h"

#include <QTimer>

namespace vandrel {
namespace {

constexpr qint64 answerTimeoutMs = 2000;
// Guard time around the escape sequence "+++" (the modem's S12, one second).
constexpr qint64 escapeGuardMs = 1100;

} // namespace

HayesModem::HayesModem(SerialTransport& port, LinkClock& clock, QObject* parent)
    : QObject(parent), port_(port), clock_(clock)
{
    connect(&port_, &Transport::dataArrived, this, &HayesModem::onData);
    connect(&port_, &Transport::lineChanged, this, &HayesModem::onCarrier);
}

bool HayesModem::openLine(const QString& name)
{
    lineError_.clear();
    pending_.clear();
    if (name.trimmed().isEmpty() || !port_.open(name.trimmed())) {
        lineError_ = port_.errorText();
        phase_ = Phase::Closed;
        return false;
    }
    phase_ = Phase::Command;
    answers_.clear();
    port_.write("AT\r");
    if (!waitForAnswer("OK", answerTimeoutMs)) {
        lineError_ = QStringLiteral("geen antwoord op AT");
        closeLine();
        return false;
    }
    return true;
}

void HayesModem::closeLine()
{
    port_.close();
    phase_ = Phase::Closed;
    pending_.clear();
}

bool HayesModem::lineOpen() const
{
    return phase_ != Phase::Closed && port_.isOpen();
}

qint32 HayesModem::dial(const QString& number)
{
    ++requestId_;
    if (!lineOpen()) {
        const qint32 id = requestId_;
        QTimer::singleShot(0, this, [this, id] {
            emit replyReceived(id, dialfailure::Error);
            emit callStateChanged(callstate::Idle);
        });
        return id;
    }
    pending_.clear();
    phase_ = Phase::Dialing;
    port_.write("ATDT" + number.trimmed().toLatin1() + "\r");
    emit callStateChanged(callstate::Dialing);
    return requestId_;
}

void HayesModem::abortDial()
{
    if (phase_ != Phase::Dialing)
        return;
    answers_.clear();
    port_.write("\r"); // any character ends the dial
    waitForAnswer(QByteArray(), answerTimeoutMs);
    if (phase_ == Phase::Dialing)
        endCall(true);
}

int HayesModem::hangUp()
{
    hangUpErrorText_.clear();
    hangUpErrorNumber_ = 0;
    switch (phase_) {
    case Phase::Closed:
    case Phase::Command:
        return 0;
    case Phase::Dialing:
        abortDial();
        return 1;
    default:
        break;
    }
    if (!port_.isOpen()) {
        hangUpErrorText_ = QStringLiteral("de seriële poort is gesloten");
        hangUpErrorNumber_ = 1;
        return -1;
    }
    // Back to command mode: silence, "+++", silence; then ATH0.
    phase_ = Phase::Escaping;
    pending_.clear();
    clock_.pause(escapeGuardMs);
    answers_.clear();
    port_.write("+++");
    clock_.pause(escapeGuardMs);
    if (!waitForAnswer("OK", answerTimeoutMs)) {
        hangUpErrorText_ = QStringLiteral("de modem reageert niet op +++");
        hangUpErrorNumber_ = 2;
        phase_ = Phase::Online;
        return -2;
    }
    phase_ = Phase::HangingUp;
    answers_.clear();
    port_.write("ATH0\r");
    if (!waitForAnswer("OK", answerTimeoutMs)) {
        hangUpErrorText_ = QStringLiteral("de modem reageert niet op ATH0");
        hangUpErrorNumber_ = 3;
        phase_ = Phase::Online;
        return -3;
    }
    QTimer::singleShot(0, this, [this] { endCall(true); });
    return 1;
}

void HayesModem::watchOnlineData(const QByteArray& bytes)
{
    if (phase_ != Phase::Online || port_.reportsCarrier())
        return;
    // Without a carrier line the modem's own result is the only sign of a lost call.
    if (bytes.endsWith("\r\nNO CARRIER\r\n") || bytes == "NO CARRIER\r\n")
        QTimer::singleShot(0, this, [this] {
            if (phase_ == Phase::Online)
                endCall(false);
        });
}

void HayesModem::onData()
{
    if (phase_ == Phase::Online || phase_ == Phase::Closed)
        return; // the host link reads data-mode bytes
    pending_ += port_.readAll();
    for (;;) {
        qsizetype end = -1;
        for (qsizetype i = 0; i < pending_.size(); ++i)
            if (pending_[i] == '\r' || pending_[i] == '\n') {
                end = i;
                break;
            }
        if (end < 0)
            return;
        const QByteArray line = pending_.left(end).trimmed();
        pending_.remove(0, end + 1);
        if (!line.isEmpty())
            handleLine(line);
        if (phase_ == Phase::Online) {
            // What follows CONNECT is the host's.
            if (pending_.startsWith('\n'))
                pending_.remove(0, 1);
            QByteArray rest;
            rest.swap(pending_);
            if (!rest.isEmpty())
                emit onlineData(rest);
            return;
        }
    }
}

void HayesModem::handleLine(const QByteArray& line)
{
    answers_ << line;
    if (phase_ != Phase::Dialing)
        return; // answers to AT, +++ and ATH0 are waited for in answers_
    if (line.startsWith("CONNECT")) {
        phase_ = Phase::Online;
        port_.setAssumedCarrier(true);
        emit callStateChanged(callstate::Connected);
    } else if (line == "BUSY") {
        phase_ = Phase::Command;
        emit callStateChanged(callstate::Busy);
        emit callStateChanged(callstate::Idle);
    } else if (line == "NO CARRIER" || line == "NO ANSWER") {
        endCall(false);
    } else if (line == "NO DIALTONE" || line == "NO DIAL TONE" || line == "ERROR") {
        phase_ = Phase::Command;
        emit replyReceived(requestId_, line == "ERROR" ? dialfailure::Error : dialfailure::NoDialtone);
        emit callStateChanged(callstate::Idle);
    }
    // Anything else (the echo of the command, "OK", "RING") changes nothing.
}

void HayesModem::onCarrier(bool present)
{
    if (!present && phase_ == Phase::Online && port_.reportsCarrier())
        endCall(false);
}

void HayesModem::endCall(bool hungUpHere)
{
    port_.setAssumedCarrier(false);
    phase_ = port_.isOpen() ? Phase::Command : Phase::Closed;
    pending_.clear();
    // A call we drop goes straight to IDLE; one the other side or the line ends is
    // DISCONNECTED first.
    if (!hungUpHere)
        emit callStateChanged(callstate::Disconnected);
    emit callStateChanged(callstate::Idle);
}

bool HayesModem::waitForAnswer(const QByteArray& answer, qint64 timeoutMs)
{
    // Lines since the command went out; the echo of the command is one of them.
    return clock_.waitUntil(
        [&] { return answer.isEmpty() ? !answers_.isEmpty() : answers_.contains(answer); }, timeoutMs);
}

} // namespace vandrel
