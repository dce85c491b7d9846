#pragma once

#include "hostlink/obxfer.h"
#include "tools/hostsim/sessionscript.h"

#include <QByteArray>

#include <functional>

namespace vandrel::hostsim {

// The host's side of OB-XFER: a header, then one data block per acknowledgement, the
// block asked for again on RU, an empty block at the end; CD stops it. Block numbers run
// 01 (header), 02, 03 ... modulo 100.
class ObxferSender {
public:
    using Send = std::function<void(const QByteArray&)>;

    ObxferSender(QByteArray content, const SessionScript& script, Send send, std::function<void()> hangUp);

    void start();
    // The program's frames; uses what it can of input. True once the transfer is over.
    bool onInput(QByteArray& input);
    bool cancelled() const { return cancelled_; }
    bool completed() const { return completed_; }
    int blocksSent() const { return blocksSent_; }

private:
    void sendFrame(const QByteArray& payload);
    void sendBlock();

    QByteArray content_;
    const SessionScript& script_;
    Send send_;
    std::function<void()> hangUp_;
    obxfer::FrameAccumulator frames_;
    qsizetype offset_ = 0; // start of the current block in content_
    int index_ = 0;        // 1-based number of the current data block, 0: header only
    bool endSent_ = false;
    bool silenced_ = false;
    bool badSent_ = false;
    bool cancelled_ = false;
    bool completed_ = false;
    int blocksSent_ = 0;
};

} // namespace vandrel::hostsim
