#include "tools/hostsim/obxfersender.h"

namespace vandrel::hostsim {

using namespace obxfer;

namespace {

QByteArray number(int n)
{
    return QByteArray::number(n % 100).rightJustified(2, '0');
}

} // namespace

ObxferSender::ObxferSender(QByteArray content, const SessionScript& script, Send send, std::function<void()> hangUp)
    : content_(std::move(content)), script_(script), send_(std::move(send)), hangUp_(std::move(hangUp))
{
}

void ObxferSender::sendFrame(const QByteArray& payload)
{
    const QByteArray frame = BuildFrame(payload);
    if (script_.splitFrames <= 0) {
        send_(frame);
        return;
    }
    for (qsizetype i = 0; i < frame.size(); i += script_.splitFrames)
        send_(frame.mid(i, script_.splitFrames));
}

void ObxferSender::start()
{
    sendFrame("IU01" + QByteArray::number(content_.size()).rightJustified(8, '0') + script_.fileName);
}

void ObxferSender::sendBlock()
{
    const int size = std::max(1, script_.blockSize);
    const QByteArray data = content_.mid(offset_, size);
    endSent_ = data.isEmpty();
    int check = CheckDigit(data);
    const bool bad = script_.badCheckAlways || (index_ == script_.badCheckBlock && !badSent_);
    if (bad) {
        check = (check + 1) % 10;
        badSent_ = badSent_ || index_ == script_.badCheckBlock;
    }
    sendFrame("UB" + number(index_ + 1) + QByteArray::number(check) + data);
    ++blocksSent_;
    if (endSent_ && !bad)
        completed_ = true;
    if (script_.dropAfterBlock > 0 && index_ == script_.dropAfterBlock && hangUp_)
        hangUp_();
}

bool ObxferSender::onInput(QByteArray& input)
{
    frames_.append(input);
    input.clear();
    QByteArray payload;
    while (!completed_ && !cancelled_ && frames_.takeFrame(payload)) {
        switch (FrameType(payload)) {
        case TypeNU:
            if (index_ > 0 && index_ == script_.silenceAfterBlock && !silenced_) {
                silenced_ = true; // the program's acknowledgement goes unanswered
                break;
            }
            offset_ += index_ > 0 ? std::max(1, script_.blockSize) : 0;
            ++index_;
            sendBlock();
            break;
        case TypeRU:
            if (index_ > 0)
                sendBlock();
            break;
        case TypeCD:
            cancelled_ = true;
            break;
        default:
            break;
        }
    }
    return completed_ || cancelled_;
}

} // namespace vandrel::hostsim
