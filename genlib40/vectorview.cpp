#include "vectorview.h"

namespace genlib {

VectorView::VectorView(SAFEARRAY** handle, size_t elementSize)
{
    if (!handle || !*handle)
        return;
    SAFEARRAY* psa = *handle;
    if (psa->cDims != 1 || psa->cbElements != elementSize)
        return;
    int32_t lb = 0;
    int32_t ub = 0;
    if (SafeArrayGetLBound(psa, 1, &lb) != S_OK || SafeArrayGetUBound(psa, 1, &ub) != S_OK)
        return;
    if (int64_t(ub) < int64_t(lb))
        return; // empty: nothing to work on
    void* data = nullptr;
    if (SafeArrayAccessData(psa, &data) != S_OK)
        return;
    if (!data) {
        SafeArrayUnaccessData(psa);
        return;
    }
    array_ = psa;
    data_ = data;
    lower_ = lb;
    count_ = size_t(int64_t(ub) - int64_t(lb) + 1);
}

VectorView::~VectorView()
{
    if (array_)
        SafeArrayUnaccessData(array_);
}

std::string_view VectorView::text(int64_t index) const
{
    if (!contains(index))
        return {};
    return bytesOf(slot(index));
}

void VectorView::setText(int64_t index, std::string_view bytes)
{
    if (!contains(index))
        return;
    BSTR fresh = newText(bytes);
    BSTR& s = slot(index);
    SysFreeString(s);
    s = fresh;
}

} // namespace genlib
