#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

#include <functional>

namespace vandrel {

// The clock every wait of the host link runs on. Time-outs are measured on it and every
// wait pumps events through it, so tests can make the dialogue's seconds pass quickly.
class LinkClock {
public:
    virtual ~LinkClock() = default;
    // Monotonic milliseconds; only differences count (a wait across midnight holds).
    virtual qint64 nowMs() const = 0;
    // Lets pending events run; blocks at most a few milliseconds when none is waiting.
    virtual void pump();

    // Pumps until the condition holds or the time has passed; true when it held.
    bool waitUntil(const std::function<bool()>& condition, qint64 timeoutMs);
    // A pure pause: pumps for the whole time, whatever arrives.
    void pause(qint64 ms);

    // The program's clock (real time).
    static LinkClock& system();
};

// Real monotonic time.
class SteadyClock : public LinkClock {
public:
    SteadyClock() { timer_.start(); }
    qint64 nowMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

// Real time running `factor` times faster: for tests against a live peer (sockets,
// pseudo-terminals), where events still need real time to arrive.
class ScaledClock : public LinkClock {
public:
    explicit ScaledClock(int factor) : factor_(factor) { timer_.start(); }
    qint64 nowMs() const override { return timer_.elapsed() * factor_; }

private:
    QElapsedTimer timer_;
    int factor_;
};

// Virtual time that advances by a fixed step on each pump: deterministic tests of the
// waits over a receive buffer that the test fills itself (onPump sees the time).
class ManualClock : public LinkClock {
public:
    explicit ManualClock(qint64 stepMs = 10) : step_(stepMs) {}
    qint64 nowMs() const override { return now_; }
    void pump() override;
    void advance(qint64 ms) { now_ += ms; }
    void onPump(std::function<void(qint64 nowMs)> hook) { hook_ = std::move(hook); }
    // Leaves out the event processing (for the fuzz targets, which run without an app).
    void setProcessEvents(bool on) { processEvents_ = on; }

private:
    qint64 now_ = 0;
    qint64 step_;
    bool processEvents_ = true;
    std::function<void(qint64)> hook_;
};

} // namespace vandrel
