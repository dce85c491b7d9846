#include "hostlink/orderupload.h"

#include "app/core/events.h"
#include "app/core/ui.h"
#include "documents/documentlinereader.h"
#include "hostlink/hostlink.h"
#include "hostlink/linkhelpers.h"
#include "hostlink/sessionhelpers.h"
#include "hostlink/sessionwindow.h"

#include <QFile>

namespace vandrel {

const QString OrderUploadSession::messageTitle = QStringLiteral("Verzenden bestelling");

namespace {

bool has(const QByteArray& line, const char* text)
{
    return line.toUpper().contains(text);
}

} // namespace

OrderUploadSession::OrderUploadSession(HostLink& link, SessionWindow& window, Options options)
    : link_(link), window_(window), options_(std::move(options))
{
}

void OrderUploadSession::end(const QString& message)
{
    msgBox(message, MsgIcon::Critical, MsgButtons::Ok, messageTitle);
    window_.setMainWindowEnabled(true);
    window_.unloadHostLink();
}

void OrderUploadSession::sendOrderFile(const QString& path, int mode)
{
    link_.setModemMsg(QStringLiteral("Verzenden bestelling ") + QLatin1Char('"') + path + QLatin1Char('"')
                      + QStringLiteral("..."));
    pumpEvents();
    SendLine(link_, "%VANDRELACCOUNT:" + options_.customerNumber.toLatin1() + "\r\n");
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        DocumentLineReader reader(file.readAll());
        file.close();
        while (!reader.atEnd()) {
            SendLine(link_, reader.readLine(1024) + "\r\n");
            pumpEvents();
        }
    }
    SendLine(link_, mode == 3 ? QByteArray("\x1a\r\n") : QByteArray("\x1a"));
}

void OrderUploadSession::run(const QStringList& orders)
{
    // 1. Connect.
    window_.setMainWindowEnabled(false);
    const int mode = link_.settings().connectionMode();
    const QByteArray lineEnd = mode == 3 ? "\r\n" : "\r";
    if (!link_.Connect(mode)) {
        msgBox(QStringLiteral("Er kon geen verbinding worden gemaakt, controleer uw instellingen"), MsgIcon::Critical);
        window_.unloadHostLink();
        window_.setMainWindowEnabled(true);
        return;
    }
    link_.setModemMsg(QStringLiteral("Starten order upload..."));

    // 3. The orders, one by one.
    QByteArray line;
    bool stop = false;
    for (qsizetype i = 0; i < orders.size() && !stop && IsConnected(link_); ++i) {
        SendLine(link_, "TM TO " + options_.orderIntake.toLatin1() + lineEnd);
        for (;;) {
            pumpEvents();
            ReadLine(link_, line, 5);
            // An order the host stored counts even when the line dropped right after.
            if (!IsConnected(link_) && !has(line, "@@@END@@@"))
                break;
            if (has(line, "* ERROR:")) {
                const MsgAnswer answer = msgBox(
                    QStringLiteral("Er is een fout opgetreden tijdens de orderverzending:") + QStringLiteral("\n")
                        + QString::fromLatin1(line) + QStringLiteral("\n\n")
                        + QStringLiteral("Wilt u de verzending herstarten?"),
                    MsgIcon::Warning, MsgButtons::YesNo, messageTitle);
                if (answer != MsgAnswer::Yes) {
                    stop = true;
                    break;
                }
                do
                    ReadLine(link_, line, 5);
                while (!has(line, "READY") && IsConnected(link_));
                SendLine(link_, "TM TO " + options_.orderRestart.toLatin1() + "\r");
            } else if (has(line, "@@@BEGIN@@@")) {
                sendOrderFile(orders[i], mode);
            } else if (has(line, "@@@END@@@")) {
                if (print_)
                    print_(orders[i]);
                QFile::remove(orders[i]);
                if (!IsConnected(link_))
                    break;
            } else if (has(line, "READY")) {
                break;
            }
        }
    }

    // 4.-5. Processing.
    link_.setModemMsg(QStringLiteral("Aanvragen bestelling..."));
    SendLine(link_, "RUN VDORDERS " + link_.settings().accessCode().toLatin1() + " " + options_.customerNumber.toLatin1()
                        + " SYNC" + lineEnd);
    for (;;) {
        ReadLine(link_, line, 5);
        if (!IsConnected(link_))
            return end(QStringLiteral("SysteemMelding: De verbinding werd verbroken"));
        if (has(line, "ERROR")) {
            HangUp(link_);
            return end(QStringLiteral("SysteemMelding: ") + QString::fromLatin1(line));
        }
        if (has(line, "* BEGIN APPLICATION (SYNC) *"))
            link_.setModemMsg(QStringLiteral("Uitvoeren orderverwerking..."));
        else if (has(line, "* APPLICATION ENDED (SYNC) *")) {
            link_.setModemMsg(QStringLiteral("Uw bestelling is verwerkt..."));
            break;
        }
    }

    // 6. The host's closing lines, until it is quiet for a second.
    do {
        ReadLine(link_, line, 1);
        if (!IsConnected(link_))
            return end(QStringLiteral("SysteemMelding: Verbinding werd onverwacht verbroken"));
    } while (!line.isEmpty());

    // 7. Goodbye.
    WaitForData(link_, 1);
    pumpEvents();
    SendLine(link_, "BYE" + lineEnd);
    pumpEvents();
    waitForHangUp(link_);
    window_.unloadHostLink();
    msgBox(QStringLiteral("De bestelde artikelen zijn verwerkt in Orbisnet"), MsgIcon::Information, MsgButtons::Ok,
           messageTitle);
    window_.setMainWindowEnabled(true);
}

} // namespace vandrel
