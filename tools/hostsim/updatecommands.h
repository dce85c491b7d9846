#pragma once

#include "tools/hostsim/hostsession.h"

#include <QStringList>

namespace vandrel::hostsim {

// The catalog update on the host: "RUN VDCDCLNT <date> <customer> <version> SYNC"
// prepares the update; "DL OB|XCRC|Y|Z VDCDINFO.ZIP" sends the archive named by --zip:
// over OB-XFER, or over the modem with sx, sb or sz (lrzsz) relayed through the line,
// then "* DOWNLOAD OK: VDCDINFO.ZIP" (or "* DOWNLOAD ERR: ..." when it failed).
class UpdateCommands final : public CommandHandler {
public:
    bool accepts(const QByteArray& line) const override;
    void handle(HostSession& session, const QByteArray& line) override;

    // The RUN lines received (for tests: the date and version the program sent).
    const QList<QByteArray>& runLines() const { return runLines_; }
    int downloadsCompleted() const { return completed_; }

private:
    void prepare(HostSession& session, const QByteArray& line);
    void download(HostSession& session, const QByteArray& protocol);
    void sendBlocks(HostSession& session, const QByteArray& content);
    void sendSerial(HostSession& session, const QByteArray& protocol, const QByteArray& content);

    QList<QByteArray> runLines_;
    int requests_ = 0;
    int completed_ = 0;
};

} // namespace vandrel::hostsim
