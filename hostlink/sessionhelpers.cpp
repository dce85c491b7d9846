#include "hostlink/sessionhelpers.h"

#include "hostlink/hostlink.h"
#include "hostlink/linkhelpers.h"

namespace vandrel {

void waitForHangUp(HostLink& link, int timeoutMs)
{
    link.clock().waitUntil(
        [&link] {
            PollReceive(link);
            return !IsConnected(link);
        },
        timeoutMs);
}

} // namespace vandrel
