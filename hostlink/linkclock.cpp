#include "hostlink/linkclock.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

namespace vandrel {

void LinkClock::pump()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!QCoreApplication::instance() || !dispatcher)
        return;
    // Something ran (data arrived, a send went out): the caller looks at once. Sleeping
    // here as well would cost every block of a transfer a slice.
    if (dispatcher->processEvents(QEventLoop::AllEvents))
        return;
    // Nothing was waiting: sleep until the next event, but never longer than a short
    // slice, so waits stay responsive without spinning the processor.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(2);
    dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
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
