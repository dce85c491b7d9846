#include "hostlink/hostlink.h"

#include "app/core/cp1252.h"
#include "app/core/ui.h"
#include "hostlink/linkhelpers.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

namespace vandrel {
namespace {

constexpr qint64 second = 1000;
// How long a dial may stay unanswered before it is ended (a modem gives up after S7,
// typically 50 seconds, and says NO CARRIER; this catches a modem that says nothing).
constexpr qint64 dialLimitMs = 90 * second;
// Bounds on waits that the link would otherwise leave open: a socket connect, a close,
// a hang-up whose call states never come, a socket send that never completes.
constexpr qint64 connectLimitMs = 60 * second;
constexpr qint64 closeLimitMs = 10 * second;
constexpr qint64 hangUpLimitMs = 10 * second;
constexpr qint64 stallLimitMs = 15 * second;
constexpr qint64 lineInputLimitMs = 500 * second;

const QString loginFailedText =
    QStringLiteral("FOUT: Kan niet inloggen op de host. Controleer toegangscode en privecode!");

// Socket errors under the numbers of the sockets layer the messages have always shown.
int socketErrorNumber(int qtError)
{
    switch (QAbstractSocket::SocketError(qtError)) {
    case QAbstractSocket::ConnectionRefusedError: return 10061;
    case QAbstractSocket::RemoteHostClosedError: return 10054;
    case QAbstractSocket::HostNotFoundError: return 11001;
    case QAbstractSocket::SocketTimeoutError: return 10060;
    case QAbstractSocket::NetworkError: return 10050;
    case QAbstractSocket::SocketAccessError: return 10013;
    case QAbstractSocket::SocketResourceError: return 10055;
    default: return 10000 + qtError;
    }
}

} // namespace

HostLink::HostLink(LinkClock& clock, QObject* parent)
    : QObject(parent), clock_(clock), settings_(commSettings()), tapi_(comm_, clock)
{
    connect(&comm_, &Transport::dataArrived, this, &HostLink::onSerialData);
    connect(&comm_, &Transport::lineChanged, this,
            [this](bool up) { setLamp(Carrier, up ? LampYellow : LampGrey); });
    connect(&tapi_, &HayesModem::callStateChanged, this, &HostLink::onCallState);
    connect(&tapi_, &HayesModem::replyReceived, this, &HostLink::onReply);
    connect(&tapi_, &HayesModem::onlineData, this, [this](const QByteArray& bytes) { buffer_.append(bytes); });
    // The login runs from the event loop, not inside the socket's own signal.
    connect(&tcp_, &TcpTransport::connected, this, &HostLink::onTcpConnected, Qt::QueuedConnection);
    connect(&tcp_, &TcpTransport::closed, this, &HostLink::onTcpClosed);
    connect(&tcp_, &Transport::failed, this, &HostLink::onTcpError);
    connect(&tcp_, &Transport::sendComplete, this, &HostLink::onTcpSendComplete);
    connect(&tcp_, &Transport::dataArrived, this, [this] {
        setLamp(Receive, LampYellow);
        buffer_.append(tcp_.readAll());
        setLamp(Receive, LampOff);
    });
}

HostLink::~HostLink()
{
    disconnect(&tcp_, nullptr, this, nullptr);
    disconnect(&comm_, nullptr, this, nullptr);
    disconnect(&tapi_, nullptr, this, nullptr);
}

void HostLink::setModemMsg(const QString& text)
{
    modemMsg_ = text;
    emit modemMsgChanged(text);
}

void HostLink::setLamp(Lamp which, quint32 colour)
{
    lamps_[which] = colour;
    emit lampChanged(which, colour);
}

// ---------------------------------------------------------------------------------------
// Connect
// ---------------------------------------------------------------------------------------

bool HostLink::Connect(int mode)
{
    mode_ = mode;
    if (mode == 1)
        return connectModem();
    if (mode == 3)
        return connectInternet();
    return true; // modes 0 and 2 connect nothing
}

bool HostLink::connectModem()
{
    const QString modem = settings_.modemName().trimmed();
    setModemMsg(QStringLiteral("Initialiseren modem..."));
    emit showRequested();
    if (!tapi_.openLine(modem)) {
        msgBox(QStringLiteral("FOUT: Kan modem ") + modem +
                   QStringLiteral(" niet activeren. Controleer of het apparaat al in gebruik is door een andere "
                                  "applicatie, of stel het apparaat opnieuw in."),
               MsgIcon::Critical);
        return false;
    }
    setLamp(Ready, LampGreen);
    WaitForData(*this, -0.5f);

    setModemMsg(QStringLiteral("Voorbereiden verbindingsopbouw..."));
    callResult_ = -1;
    requestId_ = tapi_.dial(settings_.telephoneNumber().trimmed());
    if (!clock_.waitUntil([this] { return callResult_ != -1; }, dialLimitMs)) {
        tapi_.abortDial();
        if (callResult_ == -1)
            callResult_ = 2;
    }
    if (callResult_ != 0)
        return false;

    // Connected. The receive buffer was emptied when the modem said CONNECT, so host
    // text arriving in the same burst is kept.
    setLamp(Carrier, LampYellow);
    setModemMsg(QStringLiteral("Bezig met inloggen..."));
    if (!WaitForText(*this, "toegangscode", 5))
        return loginFailed(false);
    setModemMsg(QStringLiteral("Bezig met inloggen... (zenden toegangscode)"));
    SendOut(cp1252::fromUnicode(settings_.accessCode().trimmed()) + '\r');
    if (!WaitForText(*this, "privecode", 3))
        return loginFailed(false);
    setModemMsg(QStringLiteral("Bezig met inloggen... (zenden privecode)"));
    SendOut(cp1252::fromUnicode(settings_.privateCode().trimmed()) + '\r');
    if (!WaitForText(*this, "[C]ommand", 5))
        return loginFailed(false);
    SendOut("C");
    setModemMsg(QStringLiteral("Inloggen gereed..."));
    const qint64 promptAnswered = clock_.nowMs();
    for (;;) {
        clock_.pump();
        QByteArray line;
        ReadLine(*this, line, 5);
        const QByteArray upper = line.toUpper();
        if (upper.contains("[C]OMMAND")) {
            SendOut("C");
            setModemMsg(QStringLiteral("Bezig met inloggen... (3)"));
        } else if (upper.contains("READY")) {
            return true;
        }
        // Checked on every pass: a host that keeps repeating its prompt must not hold
        // the login for ever.
        if (clock_.nowMs() - promptAnswered > 15 * second)
            return loginFailed(true);
    }
}

bool HostLink::loginFailed(bool releaseWindow)
{
    Disconnect();
    tapi_.closeLine();
    msgBox(loginFailedText, MsgIcon::Critical);
    if (releaseWindow)
        emit releaseRequested();
    return false;
}

bool HostLink::connectInternet()
{
    const QString address = TraceHostIP();
    if (address.isEmpty()) {
        msgBox(QStringLiteral("Er kon geen verbinding met de website van ") + values_.webHost() +
                   QStringLiteral(", controleer uw internet instellingen."),
               MsgIcon::Critical);
        emit releaseRequested();
        return false;
    }
    setModemMsg(QStringLiteral("Verbinden via internet..."));
    emit showRequested();
    connecting_ = true;
    tcp_.connectToHost(address, values_.hostPort);
    if (!clock_.waitUntil([this] { return !connecting_; }, connectLimitMs))
        connecting_ = false;
    if (tcp_.state() == TcpTransport::StateConnected)
        return true;
    tcp_.abort();
    return false;
}

QString HostLink::TraceHostIP()
{
    QNetworkAccessManager network;
    QString address;
    for (int attempt = 0; attempt < 6 && address.isEmpty(); ++attempt) {
        if (attempt > 0)
            clock_.pause(1 * second);
        QNetworkRequest request{QUrl(values_.traceAddress)};
        request.setTransferTimeout(30 * int(second));
        QPointer<QNetworkReply> reply = network.get(request);
        if (!clock_.waitUntil([&] { return !reply || reply->isFinished(); }, 30 * second) && reply)
            reply->abort();
        if (reply) {
            if (reply->error() == QNetworkReply::NoError)
                address = traceAddressFromPage(reply->readAll());
            reply->deleteLater();
        }
    }
    if (address.isEmpty())
        return {};
    setModemMsg(QStringLiteral("verbinden met ") + values_.webHost() + QStringLiteral("..."));
    clock_.pause(1 * second);
    return address;
}

QString HostLink::traceAddressFromPage(const QByteArray& page)
{
    const qsizetype at = page.indexOf("TraceRoute:");
    if (at < 0)
        return {};
    const QByteArray field = page.mid(at + 11, 15).trimmed();
    qsizetype end = 0;
    while (end < field.size() && (std::isdigit(static_cast<unsigned char>(field[end])) || field[end] == '.'))
        ++end;
    const QString text = QString::fromLatin1(field.left(end));
    QHostAddress host;
    if (!host.setAddress(text) || host.protocol() != QAbstractSocket::IPv4Protocol)
        return {};
    return text;
}

bool HostLink::ZtLoginTCP(const QString& accessCode, const QString& privateCode)
{
    setModemMsg(QStringLiteral("Bezig met inloggen..."));
    const auto expect = [this](const char* word) {
        QByteArray line;
        return TCPlineinput(line) && line.compare(word, Qt::CaseInsensitive) == 0;
    };
    if (!expect("HELLO") || !expect("LOGIN"))
        return false;
    SendOut(cp1252::fromUnicode(accessCode) + "\r\n");
    if (!expect("PASWD"))
        return false;
    SendOut(cp1252::fromUnicode(privateCode) + "\r\n");
    if (!expect("OKLOG"))
        return false;
    QByteArray answer;
    if (!TCPlineinput(answer))
        return false;
    const QString title = QStringLiteral("Internet verbinding");
    const auto refuse = [&](const char* text) {
        msgBox(QString::fromUtf8(text), MsgIcon::Critical, MsgButtons::Ok, title);
        return false;
    };
    if (answer.compare("READY", Qt::CaseInsensitive) == 0)
        return true;
    if (answer.compare("ACEXP", Qt::CaseInsensitive) == 0)
        return refuse("Het wachtwoord voor deze account is verlopen. Neem kontakt op met de supportdesk van "
                      "Brisant Design.");
    if (answer.compare("ACPRE", Qt::CaseInsensitive) == 0)
        return refuse("Uw Account is nog niet geactiveerd. Neem kontakt op met de supportdesk van Brisant Design.");
    if (answer.compare("AXCLU", Qt::CaseInsensitive) == 0)
        return refuse("Uw Account is (tijdelijk) afgesloten. Neem kontakt op met de supportdesk van Brisant Design.");
    return false;
}

// ---------------------------------------------------------------------------------------
// Sending and receiving
// ---------------------------------------------------------------------------------------

void HostLink::SendOut(const QByteArray& text)
{
    // A send still under way below us (events run while it waits): wait for it, but not
    // for ever, since it cannot finish until we return.
    const qint64 waitStart = clock_.nowMs();
    while (sendBusy_) {
        clock_.pump();
        const bool drained = mode_ == 3 ? tcp_.bytesToWrite() == 0 : comm_.bytesToWrite() == 0;
        if (clock_.nowMs() - waitStart > 5 * second && drained)
            break;
    }
    sendBusy_ = true;
    if (!CDHolding()) {
        if (mode_ == 1)
            comm_.clearOutput();
        sendBusy_ = false;
        return;
    }
    setLamp(Transmit, LampYellow);
    if (mode_ == 3) {
        // The socket keeps sends in order: a send never waits for the one before it to
        // leave. Only one that has stayed pending too long means the host stopped
        // taking data: the same rule as the modem's stall.
        if (sendPending_ && clock_.nowMs() - pendingSince_ > stallLimitMs) {
            sendBusy_ = false;
            sendPending_ = false;
            Disconnect();
            setLamp(Transmit, LampOff);
            return;
        }
        if (!sendPending_)
            pendingSince_ = clock_.nowMs();
        sendPending_ = true;
        tcp_.write(text);
        sendBusy_ = false;
        return;
    }
    // Modem: one character at a time, paced against the port's output buffer.
    for (const char c : text) {
        comm_.write(QByteArray(1, c));
        const qint64 charStart = clock_.nowMs();
        while (comm_.bytesToWrite() > 0) {
            clock_.pump();
            if (!comm_.carrier())
                break;
            if (clock_.nowMs() - charStart > stallLimitMs) {
                Disconnect();
                comm_.clearOutput();
                setLamp(Transmit, LampOff);
                sendBusy_ = false;
                return;
            }
        }
        if (!comm_.carrier()) {
            // The modem is back in command mode: the rest would reach it as commands.
            comm_.clearOutput();
            break;
        }
    }
    setLamp(Transmit, LampOff);
    sendBusy_ = false;
}

void HostLink::onTcpSendComplete()
{
    sendPending_ = false;
    setLamp(Transmit, LampOff);
}

void HostLink::ReadOut()
{
    if (mode_ != 1 || !tapi_.online() || comm_.bytesAvailable() <= 0)
        return;
    comm_.setReceiveNotifications(false);
    setLamp(Receive, LampYellow);
    const QByteArray bytes = comm_.readAll();
    buffer_.append(bytes);
    tapi_.watchOnlineData(bytes);
    setLamp(Receive, LampOff);
    comm_.setReceiveNotifications(true);
}

void HostLink::onSerialData()
{
    if (tapi_.online())
        ReadOut();
}

bool HostLink::TCPlineinput(QByteArray& line)
{
    const qint64 start = clock_.nowMs();
    for (;;) {
        const qsizetype end = buffer_.bytes().indexOf("\r\n");
        if (end >= 0) {
            line = buffer_.bytes().left(end);
            buffer_.removeFront(end + 2);
            return true;
        }
        // A closed line brings nothing more: no point waiting out the limit.
        if (clock_.nowMs() - start > lineInputLimitMs || !CDHolding())
            return false;
        clock_.pump();
    }
}

bool HostLink::CDHolding() const
{
    switch (mode_) {
    case 1:
    case 2: return comm_.carrier();
    case 3: return tcp_.state() == TcpTransport::StateConnected;
    default: return false;
    }
}

// ---------------------------------------------------------------------------------------
// Disconnect and unload
// ---------------------------------------------------------------------------------------

void HostLink::Disconnect()
{
    if (mode_ == 1) {
        for (int attempt = 1; attempt <= hangUpAttempts; ++attempt) {
            const int result = tapi_.hangUp();
            if (result > 0) {
                hangUpDone_ = false;
                clock_.waitUntil([this] { return hangUpDone_; }, hangUpLimitMs);
                break;
            }
            if (result == 0)
                break;
            msgBox(QStringLiteral("Er is een fout opgetreden tijdens het verbreken van de telefoonverbinding. "
                                  "Controleer of de telefoonsessie is beëindigd. Foutmelding: ") +
                       tapi_.hangUpErrorText() + QStringLiteral(" (") + QString::number(tapi_.hangUpErrorNumber()) +
                       QStringLiteral(")."),
                   MsgIcon::Warning, MsgButtons::Ok, QStringLiteral("TAPI foutmelding:"));
            if (attempt == hangUpAttempts)
                tapi_.closeLine(); // closing the port drops DTR: the modem goes on hook
        }
    } else if (mode_ == 3) {
        if (tcp_.state() == TcpTransport::StateConnected) {
            tcp_.close();
            if (!clock_.waitUntil([this] { return tcp_.state() == TcpTransport::StateClosed; }, closeLimitMs))
                tcp_.abort();
        }
    }
    setLamp(Carrier, LampOff);
}

void HostLink::unload()
{
    if (comm_.isOpen()) {
        emit busyRequested();
        Disconnect();
        tapi_.closeLine();
        emit releaseRequested();
    }
}

// ---------------------------------------------------------------------------------------
// Events of the controls
// ---------------------------------------------------------------------------------------

void HostLink::onCallState(int state)
{
    switch (state) {
    case callstate::Idle:
        if (sessionState_ == 1) {
            setModemMsg(QStringLiteral("Modemsessie is afgesloten"));
            hangUpDone_ = true;
            sessionState_ = 0;
        } else if (sessionState_ == 2) {
            sessionState_ = 0;
        } else {
            setModemMsg(QStringLiteral("Geen verbinding mogelijk"));
            callResult_ = 2;
        }
        emit releaseRequested();
        break;
    case callstate::Dialtone: setModemMsg(QStringLiteral("Kiestoon gedetecteerd")); break;
    case callstate::Dialing: setModemMsg(QStringLiteral("Opbellen Orbisnet...")); break;
    case callstate::Busy: setModemMsg(QStringLiteral("In gesprek...")); break;
    case callstate::Connected:
        setModemMsg(QStringLiteral("Verbinding gereed..."));
        buffer_.clear();
        callResult_ = 0;
        sessionState_ = 1;
        break;
    case callstate::Disconnected:
        setModemMsg(QStringLiteral("Verbinding is beëindigd..."));
        callResult_ = 1;
        hangUpDone_ = true;
        sessionState_ = 2;
        break;
    default: break;
    }
}

void HostLink::onReply(qint32 requestId, qint32 code)
{
    if (requestId != requestId_ || code == 0)
        return;
    msgBox(QStringLiteral("Er kan geen verbinding worden gemaakt. Controleer alle instellingen en aansluitingen, Code:") +
               QLatin1Char(' ') + QString::number(code),
           MsgIcon::Critical);
    callResult_ = code;
}

void HostLink::onTcpConnected()
{
    if (tcp_.state() == TcpTransport::StateConnected) {
        setLamp(Carrier, LampYellow);
        if (tcp_.remotePort() == values_.hostPort) {
            if (ZtLoginTCP(settings_.accessCode().trimmed(), settings_.privateCode().trimmed())) {
                setLamp(Carrier, LampGreen);
            } else {
                msgBox(QStringLiteral("Login Failed"));
                setLamp(Carrier, LampRed);
                Disconnect();
            }
        }
    } else {
        setLamp(Carrier, LampRed);
        Disconnect();
    }
    connecting_ = false;
}

void HostLink::onTcpClosed()
{
    setLamp(Carrier, LampOff);
    connecting_ = false;
}

void HostLink::onTcpError(int number, const QString& description)
{
    connecting_ = false;
    // The host closing its end is an ordinary close, not a fault.
    if (QAbstractSocket::SocketError(number) == QAbstractSocket::RemoteHostClosedError)
        return;
    msgBox(QString::number(socketErrorNumber(number)) + QLatin1Char('\t') + description, MsgIcon::Warning,
           MsgButtons::Ok, QStringLiteral("TCP/IP Foutmelding"));
}

} // namespace vandrel
