// Helpers shared by every export: reading the argument kinds and making results.
#pragma once

#include "genlib40.h"

#include <cstdint>
#include <string>
#include <string_view>

#define GENLIB_EXPORT extern "C" GENLIB40_API

namespace genlib {

// Exceptions (out of memory) must never cross the C interface: every export runs its body
// through guard() and falls back to the stated failure value.
template <class R, class F> R guard(R fallback, F&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

template <class F> void guardVoid(F&& body) noexcept
{
    try {
        body();
    } catch (...) {
    }
}

// "text in": copied on entry; a null pointer reads as the empty text.
inline std::string textIn(const char* p)
{
    return p ? std::string(p) : std::string();
}

// The bytes of a counted string (null = empty).
std::string_view bytesOf(BSTR s);

// A newly allocated counted string (null only when memory ran out).
BSTR newText(std::string_view bytes);

// "text in/out": the current bytes, and replacing them (the old string is freed).
std::string readInOut(BSTR* handle);
void storeInOut(BSTR* handle, std::string_view bytes);

// A counted string of len bytes to be filled in place, and cutting it to a shorter length
// afterwards; used where the result is produced straight into its final buffer. Only the
// bytes written count: the buffer is not zeroed first.
BSTR newTextBuffer(uint32_t len);
#ifndef _WIN32
BSTR allocCounted(const char* psz, uint32_t len, bool zero);
#endif
BSTR cutText(BSTR s, uint32_t len);

constexpr int32_t kTrue = -1;
constexpr int32_t kFalse = 0;
inline int32_t boolResult(bool b)
{
    return b ? kTrue : kFalse;
}

} // namespace genlib
