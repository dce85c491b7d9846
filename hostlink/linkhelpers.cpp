#include "hostlink/linkhelpers.h"

#include "hostlink/hostlink.h"

#include <cmath>

namespace vandrel {

void HangUp(HostLink& link)
{
    link.Disconnect();
}

void SendLine(HostLink& link, const QByteArray& text)
{
    link.SendOut(text);
}

void PollReceive(HostLink& link)
{
    link.ReadOut();
}

void ReadLine(HostLink& link, QByteArray& line, int timeoutSeconds)
{
    LinkClock& clock = link.clock();
    ReceiveBuffer& buffer = link.receiveBuffer();
    line.clear();
    // Whole seconds counted as ticks of the rounded time: a time-out of n gives up after
    // n + 1 to n + 2 seconds of silence.
    const auto roundedSecond = [&clock] { return (clock.nowMs() + 500) / 1000; };
    qint64 lastSecond = roundedSecond();
    qint64 ticks = 0;
    qsizetype cr = -1;
    for (;;) {
        PollReceive(link);
        const qint64 nowSecond = roundedSecond();
        if (nowSecond != lastSecond) {
            ++ticks;
            lastSecond = nowSecond;
        }
        if (ticks >= qint64(timeoutSeconds) + 2) {
            line.clear();
            return;
        }
        if (!buffer.isEmpty())
            line += buffer.takeAll();
        cr = line.indexOf('\r');
        const qsizetype esc = line.indexOf('\x1b');
        clock.pump();
        if (cr >= 0)
            break;
        if (esc >= 0)
            return; // raw: the caller is looking at a frame
    }
    buffer.putBack(line.mid(cr + 1));
    line.truncate(cr);
    line.replace('\n', QByteArray());
    if (line.isEmpty())
        line = " ";
}

void WaitForData(HostLink& link, float seconds)
{
    LinkClock& clock = link.clock();
    const qint64 limitMs = qint64(std::llround(std::fabs(double(seconds)) * 1000.0));
    if (seconds <= 0) {
        clock.pause(limitMs);
        return;
    }
    const qint64 start = clock.nowMs();
    while (link.receiveBuffer().isEmpty() && clock.nowMs() - start <= limitMs) {
        PollReceive(link);
        if (!link.receiveBuffer().isEmpty())
            break;
        clock.pump();
    }
}

bool WaitForText(HostLink& link, const QByteArray& text, float timeoutSeconds)
{
    LinkClock& clock = link.clock();
    ReceiveBuffer& buffer = link.receiveBuffer();
    const qint64 limitMs = qint64(std::llround(double(timeoutSeconds) * 1000.0));
    const qint64 start = clock.nowMs();
    qsizetype at = -1;
    for (;;) {
        if (clock.nowMs() - start >= limitMs)
            return false;
        PollReceive(link);
        at = buffer.indexOfCaseBlind(text);
        if (at >= 0)
            break;
        clock.pump();
    }
    buffer.removeFront(qMin(buffer.size(), at + text.size() + 1));
    return true;
}

bool IsConnected(HostLink& link)
{
    return link.CDHolding();
}

} // namespace vandrel
