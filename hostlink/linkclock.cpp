#include "hostlink/linkclock.h"

#include <QCoreApplication>
#include <QTimer>

namespace vandrel {

void LinkClock::pump()
{
    if (!QCoreApplication::instance())
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Sleep until the next event, but never longer than a short slice: waits stay
    // responsive to socket and serial events without spinning the processor.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(2);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

bool LinkClock::waitUntil(const std::function<bool()>& condition, qint64 timeoutMs)
{
    const qint64 start = nowMs();
    while (!condition()) {
        if (nowMs() - start >= timeoutMs)
            return false;
        pump();
    }
    return true;
}

void LinkClock::pause(qint64 ms)
{
    const qint64 start = nowMs();
    while (nowMs() - start < ms)
        pump();
}

LinkClock& LinkClock::system()
{
    static SteadyClock clock;
    return clock;
}

void ManualClock::pump()
{
    if (processEvents_ && QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    now_ += step_;
    if (hook_)
        hook_(now_);
}

} // namespace vandrel
