#pragma once

namespace vandrel {

class HostLink;

// After "BYE" the host ends the call: waits (at most the given time, reading the line)
// until the line has dropped, so the link does not try to hang up a line that is gone.
void waitForHangUp(HostLink& link, int timeoutMs = 2000);

} // namespace vandrel
