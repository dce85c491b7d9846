// The library as an outside caller sees it: loaded with dlopen, every export resolved by its
// name, strings and arrays made with the library's own automation layer.
#pragma once

#include "genlib40.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace genlibtest {

#define GENLIB_FN(name) decltype(&::name) name = nullptr

struct GenlibApi {
    void* handle = nullptr;

    GENLIB_FN(SysAllocStringByteLen);
    GENLIB_FN(SysStringByteLen);
    GENLIB_FN(SysFreeString);
    GENLIB_FN(SafeArrayCreateVector);
    GENLIB_FN(SafeArrayGetLBound);
    GENLIB_FN(SafeArrayGetUBound);
    GENLIB_FN(SafeArrayRedim);
    GENLIB_FN(SafeArrayDestroy);
    GENLIB_FN(SafeArrayAccessData);
    GENLIB_FN(SafeArrayUnaccessData);

    GENLIB_FN(SortString);
    GENLIB_FN(SortInt);
    GENLIB_FN(SortLong);
    GENLIB_FN(SortSingle);
    GENLIB_FN(SortDouble);
    GENLIB_FN(SortCurrency);
    GENLIB_FN(ScanString);
    GENLIB_FN(InsertString);
    GENLIB_FN(DeleteString);
    GENLIB_FN(CompressString);
    GENLIB_FN(DecompressString);
    GENLIB_FN(CheckBackSlash);
    GENLIB_FN(CleanQuotes);
    GENLIB_FN(ReadUntil);
    GENLIB_FN(BuildString);
    GENLIB_FN(Decode);
    GENLIB_FN(IsNumber);
    GENLIB_FN(IsHexString);
    GENLIB_FN(IsCharString);
    GENLIB_FN(CleanUpString);
    GENLIB_FN(ReplaceString);
    GENLIB_FN(WordWrap);
    GENLIB_FN(Conv2Word);
    GENLIB_FN(HexString);
    GENLIB_FN(Opslag);
    GENLIB_FN(SQLText);
    GENLIB_FN(SQLCurText);
    GENLIB_FN(SearchQuery);
    GENLIB_FN(SearchPostalCode);
    GENLIB_FN(ValidPostalCode);
    GENLIB_FN(KIXCode);
    GENLIB_FN(ReadIni);
    GENLIB_FN(WriteIni);
    GENLIB_FN(MailExtractAddressee);
    GENLIB_FN(MailExtractSender);
    GENLIB_FN(MailExtractSubject);
    GENLIB_FN(ValidEmailAddress);
    GENLIB_FN(InFaxCount);
    GENLIB_FN(ListInFaxLogs);
    GENLIB_FN(InFaxDCXFile);
    GENLIB_FN(InFaxSenderID);
    GENLIB_FN(FaxSysDir);
    GENLIB_FN(ValidateFileName);
    GENLIB_FN(ShortName);
    GENLIB_FN(GetVolumeID);
    GENLIB_FN(GetFileVersion);
    GENLIB_FN(GetWinVersion);
    GENLIB_FN(GetWinPlatform);
    GENLIB_FN(FileCopyBoot);
    GENLIB_FN(SendToComm);
    GENLIB_FN(ReadFromComm);

    // Names that failed to resolve (empty when the library exports all of them).
    std::vector<std::string> missing;
};

#undef GENLIB_FN

// Loaded once per test run; aborts the test program when the library cannot be loaded.
GenlibApi& lib();

// A counted string owned by the test.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view bytes);
    // Takes ownership of a string returned by an export.
    static Bstr adopt(BSTR s);
    ~Bstr();
    Bstr(Bstr&& other) noexcept;
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR* handle() { return &s_; }
    BSTR get() const { return s_; }
    std::string bytes() const;

private:
    BSTR s_ = nullptr;
};

// The text of a returned string, which is freed.
std::string take(BSTR s);

// A one-dimensional safe array owned by the test.
class SafeArray {
public:
    SafeArray(VARTYPE vt, int32_t lower, uint32_t count);
    ~SafeArray();
    SafeArray(const SafeArray&) = delete;
    SafeArray& operator=(const SafeArray&) = delete;

    SAFEARRAY** handle() { return &psa_; }
    SAFEARRAY* get() const { return psa_; }
    int32_t lower() const;
    int32_t upper() const;
    template <class T> T* data() const { return static_cast<T*>(psa_->pvData); }

private:
    SAFEARRAY* psa_ = nullptr;
};

// String arrays: made from texts (lower bound given), and read back in order.
std::unique_ptr<SafeArray> newStrings(int32_t lower, std::initializer_list<std::string_view> values);
std::unique_ptr<SafeArray> newStrings(int32_t lower, const std::vector<std::string>& values);
std::vector<std::string> texts(const SafeArray& array);

} // namespace genlibtest
