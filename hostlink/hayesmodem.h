#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

namespace vandrel {

class LinkClock;
class SerialTransport;

// Call states as the host link knows them from the telephony service.
namespace callstate {
inline constexpr int Idle = 1;
inline constexpr int Dialtone = 8;
inline constexpr int Dialing = 16;
inline constexpr int Busy = 64;
inline constexpr int Connected = 256;
inline constexpr int Disconnected = 16384;
} // namespace callstate

// Failure codes of a dial request: the modem's numeric result codes.
namespace dialfailure {
inline constexpr int NoCarrier = 3;
inline constexpr int Error = 4;
inline constexpr int NoDialtone = 6;
inline constexpr int Busy = 7;
inline constexpr int NoAnswer = 8;
} // namespace dialfailure

// The telephony layer (the dialling control Tapi): a Hayes-compatible modem on a serial
// port, driven with AT commands. Call states come from the modem's answers ("CONNECT",
// "BUSY", "NO CARRIER", "NO DIALTONE", "ERROR") and from carrier detect where the port
// reports it. A Hayes modem does not announce a dial tone, so DIALTONE is never raised.
class HayesModem : public QObject {
    Q_OBJECT
public:
    HayesModem(SerialTransport& port, LinkClock& clock, QObject* parent = nullptr);

    // Opens the port and checks that a modem answers "AT" with "OK" (2 seconds).
    bool openLine(const QString& name);
    void closeLine();
    bool lineOpen() const;
    QString lineError() const { return lineError_; }

    // Starts a call; the outcome arrives as call states and, for a refused request, a
    // reply with a failure code. Returns the request identifier (> 0).
    qint32 dial(const QString& number);
    // Ends a dial that has not been answered in time.
    void abortDial();
    // > 0: hang-up under way (DISCONNECTED and IDLE follow); 0: nothing to hang up;
    // < 0: the modem did not go on hook (hangUpErrorText/Number tell why).
    int hangUp();
    QString hangUpErrorText() const { return hangUpErrorText_; }
    int hangUpErrorNumber() const { return hangUpErrorNumber_; }

    // In data mode (after CONNECT): received bytes belong to the host.
    bool online() const { return phase_ == Phase::Online; }
    // Data-mode bytes, watched for the modem's own "NO CARRIER" when the port has no
    // carrier line to read.
    void watchOnlineData(const QByteArray& bytes);

signals:
    void callStateChanged(int state);
    void replyReceived(qint32 requestId, qint32 code);
    // Host bytes that arrived in the same burst as "CONNECT".
    void onlineData(const QByteArray& bytes);

private:
    enum class Phase { Closed, Command, Dialing, Online, Escaping, HangingUp };

    void onData();
    void onCarrier(bool present);
    void handleLine(const QByteArray& line);
    void endCall(bool hungUpHere);
    bool waitForAnswer(const QByteArray& answer, qint64 timeoutMs);

    SerialTransport& port_;
    LinkClock& clock_;
    Phase phase_ = Phase::Closed;
    QByteArray pending_;   // command-mode bytes not yet ending in CR/LF
    QList<QByteArray> answers_; // modem lines since the last command
    qint32 requestId_ = 0;
    QString lineError_;
    QString hangUpErrorText_;
    int hangUpErrorNumber_ = 0;
};

} // namespace vandrel
