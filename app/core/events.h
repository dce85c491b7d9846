#pragma once

#include <functional>

namespace vandrel {

// Lets pending window events run once.
void pumpEvents();

// Pumps events until the condition holds or the time-out (milliseconds, measured on a
// monotonic clock) has passed. True when the condition held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

// The hourglass pointer for the lifetime of the object.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool active_ = false;
};

} // namespace vandrel
