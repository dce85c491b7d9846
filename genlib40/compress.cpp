// The compression pair: a 4-byte little-endian length followed by one zlib stream at the
// default level. One output buffer, sized from the length, and a single zlib call.
#include "abi.h"

#include <zlib.h>

#include <cmath>
#include <cstring>

using namespace genlib;

namespace {

// c = n * 0.01 + n + 12 with 0.01 as a 32-bit float, rounded to nearest with halves to even.
uint64_t capacityFor(uint64_t n)
{
    double c = double(n) * double(0.01f) + double(n) + 12.0;
    return uint64_t(std::nearbyint(c));
}

// Deflate cannot expand more than 1032:1 (two bits per 258-byte match), so no stream of m
// bytes yields more than this; a stored length beyond it only claims memory that could never
// be filled. Capping there gives the same statuses as the full capacity.
uint64_t maxInflated(uint64_t m)
{
    return m * 1032 + 1024;
}

void putLength(unsigned char* p, uint32_t n)
{
    p[0] = uint8_t(n);
    p[1] = uint8_t(n >> 8);
    p[2] = uint8_t(n >> 16);
    p[3] = uint8_t(n >> 24);
}

} // namespace

GENLIB_EXPORT int32_t CompressString(BSTR* data)
{
    return guard<int32_t>(Z_MEM_ERROR, [&]() -> int32_t {
        if (!data)
            return Z_STREAM_ERROR;
        std::string_view in = bytesOf(*data);
        const uint64_t n = in.size();
        if (n > 0x7FFFFFFFu)
            return Z_MEM_ERROR; // the length field is 32-bit signed
        const uint64_t c = capacityFor(n);
        if (c + 4 > 0x7FFFFFF0u)
            return Z_MEM_ERROR;
        // Compress straight into the result string behind its length field.
        BSTR out = newTextBuffer(uint32_t(4 + c));
        if (!out)
            return Z_MEM_ERROR;
        auto* bytes = reinterpret_cast<unsigned char*>(out);
        uLongf k = uLongf(c);
        int status = compress(bytes + 4, &k, reinterpret_cast<const Bytef*>(in.data()), uLong(n));
        if (k > c)
            k = 0;
        putLength(bytes, uint32_t(n));
        out = cutText(out, uint32_t(4 + k));
        SysFreeString(*data);
        *data = out;
        return status;
    });
}

GENLIB_EXPORT int32_t DecompressString(BSTR* data)
{
    return guard<int32_t>(Z_MEM_ERROR, [&]() -> int32_t {
        if (!data)
            return Z_STREAM_ERROR;
        std::string_view in = bytesOf(*data);
        // Shorter than the length prefix, or a negative stored length: damaged data.
        if (in.size() < 4) {
            storeInOut(data, {});
            return Z_DATA_ERROR;
        }
        auto* head = reinterpret_cast<const unsigned char*>(in.data());
        const int32_t stored =
            int32_t(uint32_t(head[0]) | uint32_t(head[1]) << 8 | uint32_t(head[2]) << 16 |
                    uint32_t(head[3]) << 24);
        if (stored < 0) {
            storeInOut(data, {});
            return Z_DATA_ERROR;
        }
        const uint64_t m = in.size() - 4;
        uint64_t c = capacityFor(uint64_t(stored));
        if (c > maxInflated(m))
            c = maxInflated(m);
        if (c > 0x7FFFFFF0u)
            return Z_MEM_ERROR;
        BSTR out = newTextBuffer(uint32_t(c));
        if (!out)
            return Z_MEM_ERROR;
        uLongf k = uLongf(c);
        int status = uncompress(reinterpret_cast<Bytef*>(out), &k,
                                reinterpret_cast<const Bytef*>(in.data() + 4), uLong(m));
        if (k > c)
            k = 0;
        out = cutText(out, uint32_t(k));
        SysFreeString(*data);
        *data = out;
        return status;
    });
}
