// The exported automation layer keeps the Windows layout, so outside callers can build what
// the exports read and free what they return.
#include "genlibapi.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace genlibtest;

TEST(Genlib40Abi, EveryExportResolvesByName)
{
    EXPECT_TRUE(lib().missing.empty()) << "missing: " << ::testing::PrintToString(lib().missing);
}

TEST(Genlib40Abi, CountedStringHasLengthBeforeAndZeroAfter)
{
    const char bytes[] = {'a', 0, 'b'};
    BSTR s = lib().SysAllocStringByteLen(bytes, 3);
    ASSERT_NE(s, nullptr);
    auto* p = reinterpret_cast<const unsigned char*>(s);
    uint32_t prefix;
    std::memcpy(&prefix, p - 4, 4);
    EXPECT_EQ(prefix, 3u);
    EXPECT_EQ(lib().SysStringByteLen(s), 3u);
    EXPECT_EQ(std::memcmp(p, bytes, 3), 0);
    EXPECT_EQ(p[3], 0);
    lib().SysFreeString(s);

    EXPECT_EQ(lib().SysStringByteLen(nullptr), 0u);
    lib().SysFreeString(nullptr);
    BSTR zeroed = lib().SysAllocStringByteLen(nullptr, 5);
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(zeroed), 5), std::string(5, '\0'));
    lib().SysFreeString(zeroed);
}

TEST(Genlib40Abi, SafeArrayVectorLayoutAndBounds)
{
    SAFEARRAY* psa = lib().SafeArrayCreateVector(VT_I4, -2, 5);
    ASSERT_NE(psa, nullptr);
    EXPECT_EQ(psa->cDims, 1);
    EXPECT_EQ(psa->cbElements, 4u);
    EXPECT_EQ(psa->rgsabound[0].cElements, 5u);
    EXPECT_EQ(psa->rgsabound[0].lLbound, -2);
    EXPECT_EQ(offsetof(SAFEARRAY, pvData), sizeof(void*) == 8 ? 16u : 12u);
    int32_t lb = 0, ub = 0;
    EXPECT_EQ(lib().SafeArrayGetLBound(psa, 1, &lb), S_OK);
    EXPECT_EQ(lib().SafeArrayGetUBound(psa, 1, &ub), S_OK);
    EXPECT_EQ(lb, -2);
    EXPECT_EQ(ub, 2);
    EXPECT_EQ(lib().SafeArrayGetUBound(psa, 2, &ub), DISP_E_BADINDEX);

    void* data = nullptr;
    ASSERT_EQ(lib().SafeArrayAccessData(psa, &data), S_OK);
    EXPECT_EQ(data, psa->pvData);
    static_cast<int32_t*>(data)[4] = 42;
    SAFEARRAYBOUND grow{8, 1};
    EXPECT_EQ(lib().SafeArrayRedim(psa, &grow), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(lib().SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(lib().SafeArrayUnaccessData(psa), S_OK);
    EXPECT_EQ(lib().SafeArrayUnaccessData(psa), E_UNEXPECTED);

    ASSERT_EQ(lib().SafeArrayRedim(psa, &grow), S_OK);
    EXPECT_EQ(lib().SafeArrayGetLBound(psa, 1, &lb), S_OK);
    EXPECT_EQ(lib().SafeArrayGetUBound(psa, 1, &ub), S_OK);
    EXPECT_EQ(lb, 1);
    EXPECT_EQ(ub, 8);
    EXPECT_EQ(static_cast<int32_t*>(psa->pvData)[4], 42);
    EXPECT_EQ(static_cast<int32_t*>(psa->pvData)[7], 0);
    EXPECT_EQ(lib().SafeArrayDestroy(psa), S_OK);
}

TEST(Genlib40Abi, StringArrayRedimFreesDroppedStrings)
{
    // Run under AddressSanitizer this shows neither a leak nor a double free.
    auto a = newStrings(0, {"een", "twee", "drie"});
    SAFEARRAYBOUND shrink{1, 0};
    ASSERT_EQ(lib().SafeArrayRedim(a->get(), &shrink), S_OK);
    EXPECT_EQ(texts(*a), std::vector<std::string>{"een"});
    SAFEARRAYBOUND grow{3, 0};
    ASSERT_EQ(lib().SafeArrayRedim(a->get(), &grow), S_OK);
    EXPECT_EQ(texts(*a), (std::vector<std::string>{"een", "", ""}));
}

TEST(Genlib40Abi, UnsupportedOrOverflowingVectorsAreRefused)
{
    EXPECT_EQ(lib().SafeArrayCreateVector(12 /* VT_VARIANT */, 0, 3), nullptr);
    EXPECT_EQ(lib().SafeArrayCreateVector(VT_I4, INT32_MAX, 2), nullptr);
    EXPECT_EQ(lib().SafeArrayDestroy(nullptr), S_OK);
    int32_t lb;
    EXPECT_EQ(lib().SafeArrayGetLBound(nullptr, 1, &lb), E_INVALIDARG);
}
