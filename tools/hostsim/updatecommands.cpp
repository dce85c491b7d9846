#include "tools/hostsim/updatecommands.h"

#include "tools/hostsim/obxfersender.h"

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>

namespace vandrel::hostsim {

namespace {

const QByteArray archiveName = "VDCDINFO.ZIP";

} // namespace

bool UpdateCommands::accepts(const QByteArray& line) const
{
    const QByteArray upper = line.trimmed().toUpper();
    return upper.startsWith("RUN VDCDCLNT") || upper.startsWith("DL ");
}

void UpdateCommands::handle(HostSession& session, const QByteArray& line)
{
    const QByteArray upper = line.trimmed().toUpper();
    if (upper.startsWith("RUN VDCDCLNT")) {
        prepare(session, line.trimmed());
        return;
    }
    const QList<QByteArray> words = upper.split(' ');
    download(session, words.value(1));
}

void UpdateCommands::prepare(HostSession& session, const QByteArray& line)
{
    runLines_ << line;
    const QList<QByteArray> words = line.split(' ');
    session.sendLine("* BEGIN APPLICATION (SYNC) *");
    session.sendLine("Wijzigingen verzamelen sinds " + words.value(2));
    if (session.config().sessions.prepareError) {
        session.sendLine("ERROR: de update kan nu niet worden voorbereid");
        return;
    }
    session.sendLine("Bestand " + archiveName + " klaargezet");
    session.sendLine("* APPLICATION ENDED (SYNC) *");
    session.sendLine("READY");
}

void UpdateCommands::download(HostSession& session, const QByteArray& protocol)
{
    ++requests_;
    if (requests_ <= session.config().sessions.downloadErrors) {
        session.sendLine("* DOWNLOAD ERR: " + archiveName + " is nog niet beschikbaar");
        return;
    }
    QFile file(session.config().zipFile);
    if (session.config().zipFile.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        session.sendLine("* DOWNLOAD ERR: " + archiveName + " niet gevonden");
        return;
    }
    const QByteArray content = file.readAll();
    if (protocol == "OB") {
        sendBlocks(session, content);
    } else if ((protocol == "XCRC" || protocol == "Y" || protocol == "Z") && session.isModem()) {
        sendSerial(session, protocol, content);
    } else {
        session.sendLine("* DOWNLOAD ERR: protocol " + protocol + " niet mogelijk op deze verbinding");
    }
}

void UpdateCommands::sendBlocks(HostSession& session, const QByteArray& content)
{
    session.sendLine("* START DOWNLOAD *");
    // The host's own words come before the first frame; the receiver drops them.
    session.send("Verzenden " + archiveName + " via OB-XFER\r\n");
    HostSession* s = &session;
    auto sender = std::make_shared<ObxferSender>(
        content, session.config().sessions, [s](const QByteArray& bytes) { s->send(bytes); },
        [s] { s->end(); });
    sender->start();
    session.captureInput([this, sender](HostSession& hs, QByteArray& input) {
        if (!sender->onInput(input))
            return false;
        if (sender->completed()) {
            ++completed_;
            hs.sendLine("");
            hs.sendLine("* DOWNLOAD OK: " + archiveName);
        } else {
            hs.sendLine("");
            hs.sendLine("* DOWNLOAD ERR: overdracht afgebroken door het programma");
        }
        return true;
    });
}

void UpdateCommands::sendSerial(HostSession& session, const QByteArray& protocol, const QByteArray& content)
{
    // The sender names the file after its own copy: always VDCDINFO.ZIP.
    auto folder = std::make_shared<QTemporaryDir>();
    QFile copy(folder->filePath(QString::fromLatin1(archiveName)));
    if (!folder->isValid() || !copy.open(QIODevice::WriteOnly) || copy.write(content) != content.size()) {
        session.sendLine("* DOWNLOAD ERR: " + archiveName + " kan niet worden klaargezet");
        return;
    }
    copy.close();
    session.sendLine("* START DOWNLOAD *");
    if (session.config().sessions.serialSilence) {
        session.captureInput([](HostSession&, QByteArray& input) {
            input.clear();
            return false;
        });
        return;
    }

    const QString program = protocol == "Z" ? QStringLiteral("sz") : protocol == "Y" ? QStringLiteral("sb") : QStringLiteral("sx");
    auto process = std::make_shared<QProcess>();
    process->setWorkingDirectory(folder->path());
    process->setStandardErrorFile(QProcess::nullDevice());
    QPointer<HostSession> s(&session);
    auto done = std::make_shared<bool>(false);
    QObject::connect(process.get(), &QProcess::readyReadStandardOutput, &session, [s, p = process.get()] {
        const QByteArray bytes = p->readAllStandardOutput();
        if (s)
            s->send(bytes);
    });
    QObject::connect(process.get(), &QProcess::finished, &session, [this, s, done, folder](int code, QProcess::ExitStatus status) {
        *done = true;
        if (!s)
            return;
        const bool ok = status == QProcess::NormalExit && code == 0;
        if (ok)
            ++completed_;
        s->sendLine("");
        s->sendLine(ok ? "* DOWNLOAD OK: " + archiveName : "* DOWNLOAD ERR: overdracht mislukt");
    });
    QStringList arguments{QStringLiteral("-b"), QStringLiteral("-q")};
    if (protocol == "XCRC")
        arguments << QStringLiteral("-k"); // 1 KB blocks
    arguments << QString::fromLatin1(archiveName);
    process->start(program, arguments);
    session.captureInput([process, done](HostSession&, QByteArray& input) {
        if (*done) {
            // The receiver's closing "OO" is not a command; none starts with an O.
            while (input.startsWith('O'))
                input.remove(0, 1);
            return true; // the line is the host's again
        }
        process->write(input);
        input.clear();
        return false;
    });
}

} // namespace vandrel::hostsim
