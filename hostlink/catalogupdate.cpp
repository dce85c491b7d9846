#include "hostlink/catalogupdate.h"

#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "app/core/ui.h"
#include "exchange/zipcommand.h"
#include "exchange/zipprogresswindow.h"
#include "hostlink/hostlink.h"
#include "hostlink/linkhelpers.h"
#include "hostlink/obxferlink.h"
#include "hostlink/serialfiletransfer.h"
#include "hostlink/sessionhelpers.h"
#include "hostlink/sessionwindow.h"

#include <QFile>

namespace vandrel {

const QString CatalogUpdateSession::messageTitle = QStringLiteral("Orbisnet Update");
const QString CatalogUpdateSession::stalledMessage =
    QStringLiteral("SysteemMelding: De download is afgebroken: Orbisnet heeft 2 minuten lang niets gestuurd.");

namespace {

const QByteArray archiveName = QByteArrayLiteral("VDCDINFO.ZIP");

bool has(const QByteArray& line, const char* text)
{
    return line.toUpper().contains(text);
}

QString hostText(const QByteArray& line)
{
    return QString::fromLatin1(line); // host lines are plain ASCII; keep every byte visible
}

} // namespace

QString CatalogUpdateSession::programVersion()
{
#ifdef VANDREL_VERSION_MAJOR
    return QStringLiteral("%1.%2.%3").arg(VANDREL_VERSION_MAJOR).arg(VANDREL_VERSION_MINOR).arg(VANDREL_VERSION_REVISION);
#else
    return QStringLiteral("4.0.0");
#endif
}

QByteArray CatalogUpdateSession::runCommand(const QString& lastProducts, const QString& customerNumber,
                                            const QString& version)
{
    return "RUN VDCDCLNT " + lastProducts.toLatin1() + " " + customerNumber.toLatin1() + " " + version.toLatin1()
        + " SYNC";
}

CatalogUpdateSession::CatalogUpdateSession(HostLink& link, SessionWindow& window, Options options)
    : link_(link), window_(window), options_(std::move(options))
{
    if (options_.version.isEmpty())
        options_.version = programVersion();
}

bool CatalogUpdateSession::end(const QString& message)
{
    msgBox(message, MsgIcon::Critical, MsgButtons::Ok, messageTitle);
    window_.setMainWindowEnabled(true);
    window_.unloadHostLink();
    return false;
}

bool CatalogUpdateSession::run()
{
    // 1. Connect.
    window_.setMainWindowEnabled(false);
    const int mode = link_.settings().connectionMode();
    if (!link_.Connect(mode)) {
        msgBox(QStringLiteral("Er kon geen verbinding worden gemaakt, controleer uw instellingen"), MsgIcon::Critical,
               MsgButtons::Ok, messageTitle);
        window_.unloadHostLink();
        window_.setMainWindowEnabled(true);
        return false;
    }

    // 2.-3. Ask for the update from the last product update on.
    link_.setModemMsg(QStringLiteral("Aanvragen update..."));
    const QString settingsFile = options_.settingsFile.isEmpty() ? settingsFileName() : options_.settingsFile;
    const QString last = PrivateProfile::getString(QStringLiteral("Updates"), QStringLiteral("LastProducts"),
                                                   QStringLiteral("19010101"), settingsFile, 256)
                             .trimmed();
    if (mode == 1)
        SendLine(link_, "\r");
    WaitForData(link_, -1);
    PollReceive(link_);
    SendLine(link_, runCommand(last, options_.customerNumber, options_.version) + (mode == 3 ? "\r\n" : "\r"));

    // 4. Preparation.
    QByteArray line;
    for (;;) {
        ReadLine(link_, line, 5);
        pumpEvents();
        if (!IsConnected(link_))
            return end(QStringLiteral("SysteemMelding: De verbinding werd verbroken"));
        if (has(line, "ERROR")) {
            HangUp(link_);
            return end(QStringLiteral("SysteemMelding: ") + hostText(line));
        }
        if (has(line, "* BEGIN APPLICATION (SYNC) *"))
            link_.setModemMsg(QStringLiteral("Uitvoeren on-line update..."));
        else if (has(line, "* APPLICATION ENDED (SYNC) *"))
            break;
    }

    // 5. The host's closing lines, until it is quiet for a second.
    link_.setModemMsg(QStringLiteral("On-line update gereed..."));
    do {
        ReadLine(link_, line, 1);
        if (!IsConnected(link_))
            return end(QStringLiteral("SysteemMelding: Verbinding werd onverwacht verbroken"));
    } while (!line.isEmpty());
    WaitForData(link_, 1);

    // 6.-8. Download.
    const QString type = link_.settings().fileTransfer().trimmed().toUpper();
    if (!download(mode, type))
        return false;

    // 9.-11. Unpack and import.
    const QString dir = AddBackslash(options_.downloadDirectory);
    for (const char* name : {"GRPINFO.TXT", "VDCDINFO", "ADDIINFO.TXT", "ALTEINFO.TXT"})
        QFile::remove(dir + QLatin1String(name));
    ZipProgressWindow unpacking;
    ZipCommand(QStringLiteral("UNZIP\t") + dir + QString::fromLatin1(archiveName) + QStringLiteral("\t") + dir
                   + QStringLiteral("\t*.*\tvdcdinfo\t-o"),
               unpacking);
    if (unpacking.failed())
        return false;
    if (import_)
        import_(dir);
    return true;
}

bool CatalogUpdateSession::download(int mode, const QString& configuredType)
{
    // Over the internet only the block protocol can carry the file.
    const QString type = mode == 3 ? QStringLiteral("OBXFER") : configuredType;
    QByteArray request;
    if (type == QLatin1String("XMODEM"))
        request = "DL XCRC " + archiveName;
    else if (type == QLatin1String("YMODEM"))
        request = "DL Y " + archiveName;
    else if (type == QLatin1String("ZMODEM"))
        request = "DL Z " + archiveName;
    else
        request = "DL OB " + archiveName;
    const bool blockProtocol = request.startsWith("DL OB");
    SendLine(link_, request + (blockProtocol && mode == 3 ? "\r\n" : "\r"));

    SerialFileTransfer serial(link_.comm());
    LinkClock& clock = link_.clock();
    qint64 lastHeard = clock.nowMs();
    const auto stalled = [&] {
        HangUp(link_);
        return end(stalledMessage);
    };
    QByteArray line;
    for (;;) {
        pumpEvents();
        ReadLine(link_, line, 5);
        if (!line.isEmpty())
            lastHeard = clock.nowMs();
        if (has(line, "ERR")) {
            const MsgAnswer answer = msgBox(
                QStringLiteral("Er is een fout opgetreden tijdens de bestandsoverdracht:") + QStringLiteral("\n")
                    + hostText(line) + QStringLiteral("\n\n") + QStringLiteral("Wilt u de overdracht herstarten?"),
                MsgIcon::Warning, MsgButtons::YesNo, messageTitle);
            if (answer != MsgAnswer::Yes) {
                HangUp(link_);
                window_.setMainWindowEnabled(true);
                window_.unloadHostLink();
                return false;
            }
            SendLine(link_, request + "\r");
            lastHeard = clock.nowMs();
            continue;
        }
        if (has(line, "* START DOWNLOAD *")) {
            link_.setModemMsg(QStringLiteral("Bezig met download..."));
            WaitForData(link_, -0.5f);
            if (serial.isRunning())
                serial.stop();
            if (blockProtocol) {
                ObxferTarget target;
                target.downloadDirectory = options_.downloadDirectory;
                target.silenceMs = options_.obxferSilenceMs;
                QString fileName;
                if (mode == 3) {
                    target.status = [this](const QString& text) { link_.setModemMsg(text); };
                    ReceiveFileTcp(link_, target, fileName);
                } else {
                    target.status = [this](const QString& text) { window_.setStatusCaption(text); };
                    ReceiveFile(link_, target, fileName);
                }
            } else {
                const auto protocol = type == QLatin1String("XMODEM") ? SerialFileTransfer::Protocol::Xmodem
                    : type == QLatin1String("YMODEM")                 ? SerialFileTransfer::Protocol::Ymodem
                                                                      : SerialFileTransfer::Protocol::Zmodem;
                if (serial.start(protocol, options_.downloadDirectory, QString::fromLatin1(archiveName),
                                 link_.receiveBuffer().takeAll())) {
                    qint64 received = 0;
                    lastHeard = clock.nowMs();
                    while (serial.isRunning() && IsConnected(link_)) {
                        clock.waitUntil([&] { return !serial.isRunning() || !IsConnected(link_); },
                                        options_.serialPauseMs);
                        if (serial.bytesReceived() != received) {
                            received = serial.bytesReceived();
                            lastHeard = clock.nowMs();
                        } else if (clock.nowMs() - lastHeard >= options_.stallMs) {
                            serial.stop();
                            return stalled();
                        }
                    }
                    if (serial.isRunning())
                        serial.stop();
                    // The host's closing text may have gone into the ending program unread.
                    link_.receiveBuffer().putBack(serial.takeInputAfterLastAnswer());
                }
            }
            lastHeard = clock.nowMs();
            continue;
        }
        if (has(line, "* DOWNLOAD OK:"))
            break;
        if (!IsConnected(link_))
            return end(QStringLiteral("SysteemMelding: Verbinding werd onverwacht verbroken"));
        if (clock.nowMs() - lastHeard >= options_.stallMs)
            return stalled();
    }

    // 8. Done with the host.
    link_.setModemMsg(QStringLiteral("Download gereed..."));
    pumpEvents();
    SendLine(link_, "BYE\r");
    pumpEvents();
    waitForHangUp(link_);
    window_.unloadHostLink();
    const bool ok = has(line, "DOWNLOAD OK");
    msgBox(QStringLiteral("SysteemMelding: ") + hostText(line), ok ? MsgIcon::Information : MsgIcon::Critical,
           MsgButtons::Ok, messageTitle);
    window_.setMainWindowEnabled(true);
    return true;
}

} // namespace vandrel
