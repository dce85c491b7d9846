#pragma once

#include "tools/hostsim/hostsession.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>

namespace vandrel::hostsim {

class Transcript;

// A Hayes modem on a pseudo-terminal: the program opens the slave side as its serial
// port. Command mode answers AT commands (echo on, "OK"); ATD answers with the
// configured result and, on CONNECT, the host's modem login follows in data mode.
// "+++" alone returns to command mode; ATH hangs up. When the host ends the session the
// modem says NO CARRIER.
class ModemEmulator : public QObject, public SessionChannel {
    Q_OBJECT
public:
    ModemEmulator(const SimConfig& config, const QList<std::shared_ptr<CommandHandler>>& handlers,
                  Transcript& transcript, QObject* parent = nullptr);
    ~ModemEmulator() override;

    bool open(QString* error);
    // The device path the program opens ("/dev/pts/N").
    QString slavePath() const { return slavePath_; }
    bool online() const { return online_; }

private:
    void onReadable();
    void commandBytes(const QByteArray& bytes);
    void command(const QByteArray& line);
    void answer(const QByteArray& text);
    void writeRaw(const QByteArray& bytes);

public: // SessionChannel
    void send(const QByteArray& bytes) override { writeRaw(bytes); }
    void hangUp() override;
    bool isModem() const override { return true; }

private:

    const SimConfig& config_;
    const QList<std::shared_ptr<CommandHandler>>& handlers_;
    Transcript& transcript_;
    int master_ = -1;
    int slave_ = -1; // kept open so the master never sees the slave vanish
    QString slavePath_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray commandLine_;
    bool echo_ = true;
    bool online_ = false;
    std::unique_ptr<HostSession> session_;
};

} // namespace vandrel::hostsim
