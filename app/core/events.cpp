#include "app/core/events.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

namespace vandrel {

void pumpEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

WaitCursor::WaitCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        active_ = true;
    }
}

WaitCursor::~WaitCursor()
{
    if (active_)
        QApplication::restoreOverrideCursor();
}

} // namespace vandrel
