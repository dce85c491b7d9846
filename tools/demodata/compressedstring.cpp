#include "tools/demodata/compressedstring.h"

#include <zlib.h>

namespace vandrel::demodata {

QByteArray compressString(const QByteArray& data)
{
    const uLong n = uLong(data.size());
    uLongf k = compressBound(n);
    QByteArray out(int(4 + k), Qt::Uninitialized);
    auto* p = reinterpret_cast<unsigned char*>(out.data());
    p[0] = uint8_t(n);
    p[1] = uint8_t(n >> 8);
    p[2] = uint8_t(n >> 16);
    p[3] = uint8_t(n >> 24);
    if (compress(p + 4, &k, reinterpret_cast<const Bytef*>(data.constData()), n) != Z_OK)
        return {};
    out.truncate(int(4 + k));
    return out;
}

} // namespace vandrel::demodata
