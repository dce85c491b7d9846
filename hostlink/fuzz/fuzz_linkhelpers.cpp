// libFuzzer target for ReadLine and WaitForText over arbitrary received bytes: they must
// end (virtual clock), never read out of bounds, and only ever consume from the front.
#include "hostlink/hostlink.h"
#include "hostlink/linkhelpers.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vandrel;
    if (size < 2)
        return 0;
    // First byte: time-out and the length of the prompt looked for; the rest arrives.
    const int timeout = data[0] % 4;
    const qsizetype promptLength = 1 + data[1] % 12;
    const QByteArray received(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const QByteArray prompt = received.right(promptLength);
    if (received.isEmpty())
        return 0;

    ManualClock clock(250);
    clock.setProcessEvents(false);
    HostLink link(clock);
    link.receiveBuffer().append(received);
    qsizetype consumed = 0;
    for (int lines = 0; lines <= received.size() + 1; ++lines) {
        const QByteArray before = link.receiveBuffer().bytes();
        QByteArray line;
        ReadLine(link, line, timeout);
        if (line.isEmpty())
            break; // silence
        const QByteArray& after = link.receiveBuffer().bytes();
        if (!before.endsWith(after) || after.size() >= before.size())
            __builtin_trap(); // a line always consumes from the front
        if (line.contains('\n') && !line.contains('\x1b'))
            __builtin_trap();
        consumed += before.size() - after.size();
    }
    if (consumed > received.size())
        __builtin_trap();

    ReceiveBuffer& buffer = link.receiveBuffer();
    buffer.clear();
    buffer.append(received);
    if (WaitForText(link, prompt, float(timeout))) {
        if (!received.endsWith(buffer.bytes()) || buffer.size() >= received.size())
            __builtin_trap();
    } else if (buffer.bytes() != received) {
        __builtin_trap(); // not found: the buffer is left alone
    }
    return 0;
}
