// Sorting and searching arrays; inserting into and deleting from string arrays. The caller's
// bounds are used as they are and never changed; indexes outside them do nothing.
#include "textops.h"
#include "vectorview.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

using namespace genlib;

namespace {

template <class T> void sortNumbers(SAFEARRAY** list)
{
    VectorView v(list, sizeof(T));
    if (!v.valid())
        return;
    T* first = v.elements<T>();
    if constexpr (std::is_floating_point_v<T>) {
        // NaN has no place in an order; keeping it out of the comparison keeps the sort sound.
        // NaNs go to the end.
        T* nans = std::partition(first, first + v.count(), [](T x) { return !std::isnan(x); });
        std::sort(first, nans);
    } else {
        std::sort(first, first + v.count());
    }
}

// Byte order on the character codes; a prefix sorts before the longer string.
bool bytesLess(BSTR a, BSTR b)
{
    std::string_view x = bytesOf(a);
    std::string_view y = bytesOf(b);
    size_t n = std::min(x.size(), y.size());
    int c = n ? std::memcmp(x.data(), y.data(), n) : 0;
    return c < 0 || (c == 0 && x.size() < y.size());
}

// Element index removed: later elements move down one place, the last becomes "".
void removeAt(VectorView& v, int64_t index)
{
    BSTR gone = v.slot(index);
    for (int64_t i = index; i < v.upper(); ++i)
        v.slot(i) = v.slot(i + 1);
    v.slot(v.upper()) = newText({});
    SysFreeString(gone);
}

} // namespace

GENLIB_EXPORT void SortString(SAFEARRAY** list)
{
    guardVoid([&] {
        VectorView v(list, sizeof(BSTR));
        if (v.valid())
            std::sort(v.elements<BSTR>(), v.elements<BSTR>() + v.count(), bytesLess);
    });
}

GENLIB_EXPORT void SortInt(SAFEARRAY** list)
{
    guardVoid([&] { sortNumbers<int16_t>(list); });
}

GENLIB_EXPORT void SortLong(SAFEARRAY** list)
{
    guardVoid([&] { sortNumbers<int32_t>(list); });
}

GENLIB_EXPORT void SortSingle(SAFEARRAY** list)
{
    guardVoid([&] { sortNumbers<float>(list); });
}

GENLIB_EXPORT void SortDouble(SAFEARRAY** list)
{
    guardVoid([&] { sortNumbers<double>(list); });
}

GENLIB_EXPORT void SortCurrency(SAFEARRAY** list)
{
    guardVoid([&] { sortNumbers<int64_t>(list); });
}

// The range list(start) .. list(start + count - 1) is clipped to the array's bounds; the
// position is still counted from list(start).
GENLIB_EXPORT int32_t ScanString(SAFEARRAY** list, int32_t start, int32_t* count,
                                 const char* text, int32_t remove)
{
    return guard<int32_t>(0, [&]() -> int32_t {
        if (!count)
            return 0;
        VectorView v(list, sizeof(BSTR));
        if (!v.valid() || *count <= 0)
            return 0;
        const std::string wanted = textIn(text);
        const int64_t first = std::max<int64_t>(start, v.lower());
        const int64_t last = std::min<int64_t>(int64_t(start) + *count - 1, v.upper());
        for (int64_t i = first; i <= last; ++i) {
            if (!equalNoCase(v.text(i), wanted))
                continue;
            if (remove) {
                removeAt(v, i);
                --*count;
            }
            return int32_t(i - start + 1);
        }
        return 0;
    });
}

GENLIB_EXPORT void InsertString(SAFEARRAY** list, int32_t index, const char* text)
{
    guardVoid([&] {
        VectorView v(list, sizeof(BSTR));
        if (!v.contains(index))
            return;
        BSTR fresh = newText(textIn(text));
        BSTR lost = v.slot(v.upper());
        for (int64_t i = v.upper(); i > index; --i)
            v.slot(i) = v.slot(i - 1);
        v.slot(index) = fresh;
        SysFreeString(lost);
    });
}

GENLIB_EXPORT void DeleteString(SAFEARRAY** list, int32_t index)
{
    guardVoid([&] {
        VectorView v(list, sizeof(BSTR));
        if (v.contains(index))
            removeAt(v, index);
    });
}
