// The automation layer for platforms that have none: counted byte strings and one-dimensional
// safe arrays with the Windows memory layout, so that any C caller (or Python ctypes) can make
// what the exports read and free what they return.
#ifndef _WIN32

#include "abi.h"

#include <cstdlib>
#include <cstring>

namespace {

// Windows keeps 16 bytes in front of a SAFEARRAY; the variant type sits in its last 4.
constexpr size_t kHeader = 16;

size_t elementSize(VARTYPE vt)
{
    switch (vt) {
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_R4:
        return 4;
    case VT_R8:
    case VT_CY:
        return 8;
    case VT_BSTR:
        return sizeof(BSTR);
    default:
        return 0;
    }
}

bool isVector(const SAFEARRAY* psa)
{
    return psa && psa->cDims == 1;
}

void freeStrings(SAFEARRAY* psa, uint32_t from, uint32_t to)
{
    if (!(psa->fFeatures & FADF_BSTR) || !psa->pvData)
        return;
    auto* items = static_cast<BSTR*>(psa->pvData);
    for (uint32_t i = from; i < to; ++i) {
        SysFreeString(items[i]);
        items[i] = nullptr;
    }
}

} // namespace

namespace genlib {

// 4-byte length, the bytes, then a two-byte zero (a wide terminator, as Windows does).
BSTR allocCounted(const char* psz, uint32_t len, bool zero)
{
    if (len > 0x7FFFFFF0u)
        return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(size_t(len) + 6));
    if (!block)
        return nullptr;
    std::memcpy(block, &len, 4);
    if (psz)
        std::memcpy(block + 4, psz, len);
    else if (zero)
        std::memset(block + 4, 0, len);
    block[4 + size_t(len)] = 0;
    block[5 + size_t(len)] = 0;
    return reinterpret_cast<BSTR>(block + 4);
}

} // namespace genlib

extern "C" {

// Without psz the bytes are zeroed, so a caller never sees stale memory.
GENLIB40_API BSTR SysAllocStringByteLen(const char* psz, unsigned int len)
{
    return genlib::allocCounted(psz, len, true);
}

GENLIB40_API unsigned int SysStringByteLen(BSTR bstr)
{
    if (!bstr)
        return 0;
    uint32_t n;
    std::memcpy(&n, reinterpret_cast<unsigned char*>(bstr) - 4, 4);
    return n;
}

GENLIB40_API void SysFreeString(BSTR bstr)
{
    if (bstr)
        std::free(reinterpret_cast<unsigned char*>(bstr) - 4);
}

GENLIB40_API SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, int32_t lLbound, uint32_t cElements)
{
    size_t size = elementSize(vt);
    if (size == 0)
        return nullptr;
    // The upper bound must be representable.
    if (int64_t(lLbound) + int64_t(cElements) - 1 > INT32_MAX)
        return nullptr;
    if (cElements > SIZE_MAX / size / 2)
        return nullptr;
    auto* block = static_cast<unsigned char*>(std::calloc(1, kHeader + sizeof(SAFEARRAY)));
    if (!block)
        return nullptr;
    auto* psa = reinterpret_cast<SAFEARRAY*>(block + kHeader);
    uint32_t vt32 = vt;
    std::memcpy(block + kHeader - 4, &vt32, 4);
    psa->cDims = 1;
    psa->fFeatures = FADF_HAVEVARTYPE | (vt == VT_BSTR ? FADF_BSTR : 0);
    psa->cbElements = uint32_t(size);
    psa->cLocks = 0;
    psa->rgsabound[0].cElements = cElements;
    psa->rgsabound[0].lLbound = lLbound;
    psa->pvData = nullptr;
    if (cElements > 0) {
        psa->pvData = std::calloc(cElements, size);
        if (!psa->pvData) {
            std::free(block);
            return nullptr;
        }
    }
    return psa;
}

GENLIB40_API HRESULT SafeArrayGetLBound(SAFEARRAY* psa, unsigned int nDim, int32_t* plLbound)
{
    if (!psa || !plLbound)
        return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    // Windows keeps the bounds in reverse order of the dimensions.
    *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
    return S_OK;
}

GENLIB40_API HRESULT SafeArrayGetUBound(SAFEARRAY* psa, unsigned int nDim, int32_t* plUbound)
{
    if (!psa || !plUbound)
        return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = psa->rgsabound[psa->cDims - nDim];
    *plUbound = int32_t(int64_t(b.lLbound) + int64_t(b.cElements) - 1);
    return S_OK;
}

GENLIB40_API HRESULT SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew)
{
    if (!isVector(psa) || !psaboundNew || psa->cbElements == 0)
        return E_INVALIDARG;
    if (psa->cLocks > 0)
        return DISP_E_ARRAYISLOCKED;
    if (psa->fFeatures & (FADF_AUTO | FADF_STATIC | FADF_EMBEDDED | FADF_FIXEDSIZE))
        return E_INVALIDARG;
    uint32_t newCount = psaboundNew->cElements;
    if (int64_t(psaboundNew->lLbound) + int64_t(newCount) - 1 > INT32_MAX)
        return E_INVALIDARG;
    if (newCount > SIZE_MAX / psa->cbElements / 2)
        return E_OUTOFMEMORY;
    uint32_t oldCount = psa->rgsabound[0].cElements;
    size_t size = psa->cbElements;
    if (newCount < oldCount)
        freeStrings(psa, newCount, oldCount);
    if (newCount == 0) {
        std::free(psa->pvData);
        psa->pvData = nullptr;
    } else if (newCount != oldCount) {
        void* grown = std::realloc(psa->pvData, size_t(newCount) * size);
        if (!grown)
            return E_OUTOFMEMORY;
        if (newCount > oldCount)
            std::memset(static_cast<unsigned char*>(grown) + size_t(oldCount) * size, 0,
                        size_t(newCount - oldCount) * size);
        psa->pvData = grown;
    }
    psa->rgsabound[0] = *psaboundNew;
    return S_OK;
}

GENLIB40_API HRESULT SafeArrayDestroy(SAFEARRAY* psa)
{
    if (!psa)
        return S_OK;
    if (psa->cLocks > 0)
        return DISP_E_ARRAYISLOCKED;
    if (psa->cDims == 1)
        freeStrings(psa, 0, psa->rgsabound[0].cElements);
    std::free(psa->pvData);
    std::free(reinterpret_cast<unsigned char*>(psa) - kHeader);
    return S_OK;
}

GENLIB40_API HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData)
{
    if (!psa || !ppvData)
        return E_INVALIDARG;
    ++psa->cLocks;
    *ppvData = psa->pvData;
    return S_OK;
}

GENLIB40_API HRESULT SafeArrayUnaccessData(SAFEARRAY* psa)
{
    if (!psa)
        return E_INVALIDARG;
    if (psa->cLocks == 0)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

} // extern "C"

#endif
