#pragma once

#include <QByteArray>
#include <QString>

namespace vandrel {

// The communication settings record: fixed-length text fields, blank-padded on the
// right and cut when a longer value is assigned. Values are 8-bit text (Windows-1252).
class CommSettings {
public:
    static constexpr int TelephoneLength = 20;
    static constexpr int ModemLength = 255;
    static constexpr int CodeLength = 20;
    static constexpr int TransferLength = 6;
    // The modem name that selects the internet connection.
    static const QString ViaInternet;

    const QString& telephoneNumber() const { return telephone_; }
    const QString& modemName() const { return modem_; }
    const QString& accessCode() const { return access_; }
    const QString& privateCode() const { return private_; }
    const QString& fileTransfer() const { return transfer_; }
    void setTelephoneNumber(const QString& v) { telephone_ = fit(v, TelephoneLength); }
    void setModemName(const QString& v) { modem_ = fit(v, ModemLength); }
    void setAccessCode(const QString& v) { access_ = fit(v, CodeLength); }
    void setPrivateCode(const QString& v) { private_ = fit(v, CodeLength); }
    void setFileTransfer(const QString& v) { transfer_ = fit(v, TransferLength); }

    // The trimmed modem name is ">>VIA INTERNET<<" (letter case ignored).
    bool viaInternet() const;
    // Connection mode of the sessions: 3 internet, 1 modem.
    int connectionMode() const { return viaInternet() ? 3 : 1; }

    static QString fit(const QString& value, int length);

private:
    QString telephone_ = fit({}, TelephoneLength);
    QString modem_ = fit({}, ModemLength);
    QString access_ = fit({}, CodeLength);
    QString private_ = fit({}, CodeLength);
    QString transfer_ = fit({}, TransferLength);
};

// The program's one record: loaded when the main window loads, saved by FrmSettings.
CommSettings& commSettings();

// "VANDREL4.SET" in the Windows directory: per field, in the order telephone number,
// modem name, access code, private code, file-transfer type, two ASCII length digits
// and the trimmed value through Encrypt2 with the key "tmr8;1".
namespace commsettingsfile {
QString fileName();
bool exists();
// Fields that cannot be read (missing or short file, bad length digits) stay empty.
CommSettings parse(const QByteArray& bytes);
// Values longer than 99 characters are cut to 99: the length has two digits.
QByteArray serialize(const CommSettings& settings);
CommSettings load();
// Replaces the file in one step; false (file unchanged) when it cannot be written.
bool save(const CommSettings& settings);
} // namespace commsettingsfile

} // namespace vandrel
