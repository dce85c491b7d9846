#include "app/firstpaintreport.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <chrono>

namespace vandrel {
namespace {

long peakResidentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

class FirstPaintWatch final : public QObject {
public:
    explicit FirstPaintWatch(QAbstractItemView* list)
        : QObject(list->viewport()), list_(list)
    {
        list->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && list_->model() && list_->model()->rowCount() > 0) {
            // Report once this paint is done.
            QTimer::singleShot(0, [] {
                // The steady clock counts from boot, the same in every process.
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("first-paint %lld %ld\n",
                            static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                            peakResidentKb());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    QAbstractItemView* list_;
};

} // namespace

bool firstPaintReportRequested() { return qEnvironmentVariableIsSet("VANDREL_REPORT_FIRST_PAINT"); }

void reportFirstPaint(QAbstractItemView* list)
{
    if (list)
        new FirstPaintWatch(list);
}

} // namespace vandrel
