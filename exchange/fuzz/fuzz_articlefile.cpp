// libFuzzer target for the readers of the delivered catalog files: records, lines and
// the field conversions must never crash, hang or read out of bounds.
#include "exchange/articlefile.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        vandrel::ArticleFile file(buffer);
        QStringList fields;
        int records = 0;
        while (file.readRecord(fields)) {
            if (fields.isEmpty() || fields.size() > vandrel::ArticleFile::maxFields)
                __builtin_trap();
            for (const QString& f : fields) {
                (void)vandrel::articleNumber(f);
                (void)vandrel::wholeNumber(f);
                (void)vandrel::priceFromCents(f);
                (void)vandrel::changeDate(f);
                (void)vandrel::isWithdrawn(f);
            }
            if (++records > int(size) + 1)
                __builtin_trap(); // every record consumes input
        }
    }
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        vandrel::ArticleFile file(buffer);
        QByteArray line;
        while (file.readLine(line))
            (void)vandrel::splitFields(line, 3);
    }
    return 0;
}
