#pragma once

#include <QString>

#include <functional>

namespace vandrel {

class HostLink;
class SessionWindow;

// The catalog update over the host link: log in, ask the host to prepare the changes
// since the last product update, download "VDCDINFO.ZIP" (OB-XFER, or X/Y/ZMODEM over
// the modem), unpack it into the download folder and hand that folder to the import.
//
// Rules of this program where the dialogue leaves room:
// - over the internet the download always uses OB-XFER ("DL OB"): X/Y/ZMODEM need the
//   modem's serial line;
// - XMODEM carries no file name: the archive is received straight as "VDCDINFO.ZIP", the
//   name the unpacking looks for;
// - a connection lost during the download ends the session like a loss after the
//   preparation ("SysteemMelding: Verbinding werd onverwacht verbroken"), and nothing is
//   unpacked or imported;
// - the import runs only when the unpacking reported no error;
// - the download phase waits for the host's closing line and for an X/Y/ZMODEM transfer
//   only while the host sends something: two minutes without a byte from it end the
//   session with stalledMessage (hung up, nothing unpacked).
class CatalogUpdateSession {
public:
    struct Options {
        QString downloadDirectory; // ProductFile, ending in a separator
        QString settingsFile;      // VANDREL4.INI, for LastProducts
        QString customerNumber = QStringLiteral("0000000");
        QString version;           // "major.minor.revision"; empty: the program's own
        int obxferSilenceMs = 30000;
        int serialPauseMs = 2000;  // the pause between looks at a running X/Y/ZMODEM transfer
        int stallMs = 120000;      // the download phase ends after this long without a byte from the host
    };

    CatalogUpdateSession(HostLink& link, SessionWindow& window, Options options);

    // Step 11: the ASCII import in update mode on the download folder.
    void setImport(std::function<void(const QString& directory)> import) { import_ = std::move(import); }

    // Runs the whole session. True when the import was started.
    bool run();

    static const QString messageTitle; // "Orbisnet Update"
    static const QString stalledMessage;
    // The RUN command without its line end.
    static QByteArray runCommand(const QString& lastProducts, const QString& customerNumber,
                                 const QString& version);
    static QString programVersion();

private:
    bool end(const QString& message);
    bool download(int mode, const QString& type);

    HostLink& link_;
    SessionWindow& window_;
    Options options_;
    std::function<void(const QString&)> import_;
};

} // namespace vandrel
