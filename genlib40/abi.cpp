#include "abi.h"

#include <cstring>

namespace genlib {

std::string_view bytesOf(BSTR s)
{
    if (!s)
        return {};
    return {reinterpret_cast<const char*>(s), SysStringByteLen(s)};
}

BSTR newText(std::string_view bytes)
{
    if (bytes.size() > 0x7FFFFFF0u)
        return nullptr;
    return SysAllocStringByteLen(bytes.data(), static_cast<unsigned int>(bytes.size()));
}

std::string readInOut(BSTR* handle)
{
    if (!handle)
        return {};
    return std::string(bytesOf(*handle));
}

void storeInOut(BSTR* handle, std::string_view bytes)
{
    if (!handle)
        return;
    BSTR fresh = newText(bytes);
    SysFreeString(*handle);
    *handle = fresh;
}

BSTR newTextBuffer(uint32_t len)
{
    if (len > 0x7FFFFFF0u)
        return nullptr;
#ifdef _WIN32
    return SysAllocStringByteLen(nullptr, len);
#else
    return allocCounted(nullptr, len, false);
#endif
}

BSTR cutText(BSTR s, uint32_t len)
{
    if (!s || len >= SysStringByteLen(s))
        return s;
#ifdef _WIN32
    BSTR shorter = SysAllocStringByteLen(reinterpret_cast<const char*>(s), len);
    if (shorter) {
        SysFreeString(s);
        return shorter;
    }
#endif
    // Our own layer: the length prefix is ours to lower; the allocation keeps its slack.
    auto* bytes = reinterpret_cast<unsigned char*>(s);
    std::memcpy(bytes - 4, &len, 4);
    bytes[len] = 0;
    bytes[len + 1] = 0;
    return s;
}

} // namespace genlib
