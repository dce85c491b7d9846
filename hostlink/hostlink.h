#pragma once

#include "hostlink/commsettings.h"
#include "hostlink/hayesmodem.h"
#include "hostlink/hostvalues.h"
#include "hostlink/linkclock.h"
#include "hostlink/receivebuffer.h"
#include "hostlink/serialtransport.h"
#include "hostlink/tcptransport.h"

#include <QObject>

namespace vandrel {

// The one connection to the host service Orbisnet, without its window: connect by modem
// (mode 1) or over the internet (mode 3), log in, send, collect received bytes, tell
// whether the line is up, disconnect. The window BBS shows its status line and lamps;
// sessions use it through the line helpers (linkhelpers.h). Every wait pumps events on
// the link's clock.
class HostLink : public QObject {
    Q_OBJECT
public:
    enum Lamp { Carrier, Ready, Transmit, Receive };
    // Lamp colours as 0x00BBGGRR values; LampOff is the system button face.
    static constexpr quint32 LampYellow = 0x00FFFF;
    static constexpr quint32 LampGreen = 0x00FF00;
    static constexpr quint32 LampRed = 0x0000FF;
    static constexpr quint32 LampGrey = 0xC0C0C0;
    static constexpr quint32 LampOff = 0x8000000F;

    // Bound on the attempts to hang up after the modem reported an error.
    static constexpr int hangUpAttempts = 3;

    explicit HostLink(LinkClock& clock = LinkClock::system(), QObject* parent = nullptr);
    ~HostLink() override;

    // What the link connects with: by default the program's record and the default host
    // values (BBS sets the installation's from VANDREL4.INI).
    void setSettings(const CommSettings& settings) { settings_ = settings; }
    void setHostValues(const HostValues& values) { values_ = values; }
    const CommSettings& settings() const { return settings_; }
    const HostValues& hostValues() const { return values_; }

    bool Connect(int mode);
    void Disconnect();
    void SendOut(const QByteArray& text);
    void ReadOut();
    bool TCPlineinput(QByteArray& line);
    bool CDHolding() const;
    QString ModemMsg() const { return modemMsg_; }
    void setModemMsg(const QString& text);
    QString TraceHostIP();
    bool ZtLoginTCP(const QString& accessCode, const QString& privateCode);
    // What unloading the window does for the link: hang up when the serial port is open.
    void unload();

    int mode() const { return mode_; }
    ReceiveBuffer& receiveBuffer() { return buffer_; }
    LinkClock& clock() { return clock_; }
    bool transferInProgress() const { return transferInProgress_; }
    void setTransferInProgress(bool on) { transferInProgress_ = on; }
    quint32 lamp(Lamp which) const { return lamps_[which]; }
    int callResult() const { return callResult_; }
    int sessionState() const { return sessionState_; }

    // The controls, for the block download and the file transfers of the sessions.
    TcpTransport& tcp() { return tcp_; }
    SerialTransport& comm() { return comm_; }
    HayesModem& tapi() { return tapi_; }

    // The 15 characters after "TraceRoute:" in the page, trimmed; only a numeric IPv4
    // address counts (markup after a short address is not part of it). Empty otherwise.
    static QString traceAddressFromPage(const QByteArray& page);

signals:
    void modemMsgChanged(const QString& text);
    void lampChanged(int lamp, quint32 colour);
    // The window is to be shown (not modal).
    void showRequested();
    // The window is to be enabled again with its normal pointer.
    void releaseRequested();
    // The window is to be disabled with the hourglass while it hangs up.
    void busyRequested();

private:
    bool connectModem();
    bool connectInternet();
    bool loginFailed(bool releaseWindow);
    void setLamp(Lamp which, quint32 colour);
    void onSerialData();
    void onCallState(int state);
    void onReply(qint32 requestId, qint32 code);
    void onTcpConnected();
    void onTcpClosed();
    void onTcpError(int number, const QString& description);
    void onTcpSendComplete();

    LinkClock& clock_;
    CommSettings settings_;
    HostValues values_;
    SerialTransport comm_;
    HayesModem tapi_;
    TcpTransport tcp_;
    ReceiveBuffer buffer_;
    QString modemMsg_;
    quint32 lamps_[4] = {LampOff, LampOff, LampOff, LampOff};
    int mode_ = 0;
    bool sendBusy_ = false;
    bool sendPending_ = false;
    qint64 pendingSince_ = 0; // when the socket last went from drained to pending
    bool connecting_ = false;
    int callResult_ = -1;
    qint32 requestId_ = 0;
    bool hangUpDone_ = true;
    int sessionState_ = 0;
    bool transferInProgress_ = false;
};

} // namespace vandrel
