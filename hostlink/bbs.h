#pragma once

#include "hostlink/hostlink.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;

namespace vandrel {

// BBS, "Modemcommunicatie": the host link's window with the status line and the four
// lamps. It owns the one HostLink of a session; sessions call its operations through
// link() and the line helpers, and unload it (close) at their end, which hangs up.
class BBS : public QDialog {
    Q_OBJECT
public:
    // mainWindow is enabled again and focused when the window unloads.
    explicit BBS(QWidget* mainWindow = nullptr, LinkClock& clock = LinkClock::system());
    ~BBS() override;

    HostLink& link() { return link_; }
    // The window's operations under their own names.
    bool Connect(int mode) { return link_.Connect(mode); }
    void Disconnect() { link_.Disconnect(); }
    void SendOut(const QByteArray& text) { link_.SendOut(text); }
    bool CDHolding() const { return link_.CDHolding(); }
    QString ModemMsg() const { return link_.ModemMsg(); }
    void setModemMsg(const QString& text) { link_.setModemMsg(text); }

    // The lamp colour of a 0x00BBGGRR value (the off value is the button face).
    static QColor lampColour(quint32 value);
    QLabel* lampPanel(HostLink::Lamp lamp) const { return lamps_[lamp]; }
    QLineEdit* statusLine() const { return Modem_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLamp(int lamp, quint32 colour);
    void showStatus(const QString& text);
    void release();

    HostLink link_;
    QPointer<QWidget> mainWindow_;
    QLineEdit* Modem_ = nullptr;
    QLabel* lamps_[4] = {};
    bool unloaded_ = false;
};

} // namespace vandrel
