// libFuzzer target for the order file reader: any bytes must give either a whole order
// or a refusal, never a crash, a hang or a half-read order; what it reads must write
// back and read again to the same order.
#include "documents/orderfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    const vandrel::OrderFileReadResult r = vandrel::readOrderFile(bytes, nl);
    if (!r.ok) {
        if (r.problem.isEmpty() || !r.order.lines.isEmpty())
            __builtin_trap();
        return 0;
    }
    if (r.order.lines.size() > qsizetype(size))
        __builtin_trap();
    const vandrel::OrderFileReadResult again = vandrel::readOrderFile(vandrel::writeOrderFile(r.order, nl), nl);
    if (!again.ok)
        __builtin_trap();
    return 0;
}
