// libFuzzer target for the archive command's text: field splitting, the operation and
// switch rules, file masks and archive entry names must never crash or hang,
// and no accepted entry path may climb out of its folder.
#include "exchange/ziparchive.h"
#include "exchange/zipcommand.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto request = vandrel::parseZipCommand(text)) {
        for (const auto& run : request->adds)
            if (run.spec.isEmpty())
                __builtin_trap();
        if (request->operation == vandrel::ZipRequest::Operation::Unzip && request->specs.isEmpty())
            __builtin_trap();
    }
    // First line: a name; the rest: a file mask to match against it.
    const qsizetype cut = text.indexOf(QLatin1Char('\n'));
    const QString name = cut < 0 ? text : text.left(cut);
    const QString spec = cut < 0 ? QString() : text.mid(cut + 1);
    (void)vandrel::matchesFileSpec(name, spec);
    const QString path = vandrel::safeEntryPath(name);
    if (!path.isEmpty()) {
        if (path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\'))
            || (path.size() >= 2 && path[1] == QLatin1Char(':')))
            __builtin_trap();
        for (const QString& part : path.split(QLatin1Char('/')))
            if (part.isEmpty() || part == QLatin1String("..") || part == QLatin1String("."))
                __builtin_trap();
    }
    return 0;
}
