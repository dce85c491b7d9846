#include "genlibapi.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace genlibtest {

namespace {

template <class F> void resolve(GenlibApi& api, F& fn, const char* name)
{
    fn = reinterpret_cast<F>(dlsym(api.handle, name));
    if (!fn)
        api.missing.emplace_back(name);
}

GenlibApi* load()
{
    auto* api = new GenlibApi;
    api->handle = dlopen(GENLIB40_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!api->handle) {
        std::fprintf(stderr, "cannot load %s: %s\n", GENLIB40_PATH, dlerror());
        std::abort();
    }
#define R(name) resolve(*api, api->name, #name)
    R(SysAllocStringByteLen);
    R(SysStringByteLen);
    R(SysFreeString);
    R(SafeArrayCreateVector);
    R(SafeArrayGetLBound);
    R(SafeArrayGetUBound);
    R(SafeArrayRedim);
    R(SafeArrayDestroy);
    R(SafeArrayAccessData);
    R(SafeArrayUnaccessData);
    R(SortString);
    R(SortInt);
    R(SortLong);
    R(SortSingle);
    R(SortDouble);
    R(SortCurrency);
    R(ScanString);
    R(InsertString);
    R(DeleteString);
    R(CompressString);
    R(DecompressString);
    R(CheckBackSlash);
    R(CleanQuotes);
    R(ReadUntil);
    R(BuildString);
    R(Decode);
    R(IsNumber);
    R(IsHexString);
    R(IsCharString);
    R(CleanUpString);
    R(ReplaceString);
    R(WordWrap);
    R(Conv2Word);
    R(HexString);
    R(Opslag);
    R(SQLText);
    R(SQLCurText);
    R(SearchQuery);
    R(SearchPostalCode);
    R(ValidPostalCode);
    R(KIXCode);
    R(ReadIni);
    R(WriteIni);
    R(MailExtractAddressee);
    R(MailExtractSender);
    R(MailExtractSubject);
    R(ValidEmailAddress);
    R(InFaxCount);
    R(ListInFaxLogs);
    R(InFaxDCXFile);
    R(InFaxSenderID);
    R(FaxSysDir);
    R(ValidateFileName);
    R(ShortName);
    R(GetVolumeID);
    R(GetFileVersion);
    R(GetWinVersion);
    R(GetWinPlatform);
    R(FileCopyBoot);
    R(SendToComm);
    R(ReadFromComm);
#undef R
    return api;
}

} // namespace

GenlibApi& lib()
{
    static GenlibApi* api = load();
    return *api;
}

Bstr::Bstr(std::string_view bytes)
    : s_(lib().SysAllocStringByteLen(bytes.data(), unsigned(bytes.size())))
{
}

Bstr Bstr::adopt(BSTR s)
{
    Bstr b;
    b.s_ = s;
    return b;
}

Bstr::~Bstr()
{
    lib().SysFreeString(s_);
}

Bstr::Bstr(Bstr&& other) noexcept : s_(other.s_)
{
    other.s_ = nullptr;
}

Bstr& Bstr::operator=(Bstr&& other) noexcept
{
    if (this != &other) {
        lib().SysFreeString(s_);
        s_ = other.s_;
        other.s_ = nullptr;
    }
    return *this;
}

std::string Bstr::bytes() const
{
    if (!s_)
        return {};
    return std::string(reinterpret_cast<const char*>(s_), lib().SysStringByteLen(s_));
}

std::string take(BSTR s)
{
    return Bstr::adopt(s).bytes();
}

SafeArray::SafeArray(VARTYPE vt, int32_t lower, uint32_t count)
    : psa_(lib().SafeArrayCreateVector(vt, lower, count))
{
    if (!psa_)
        std::abort();
}

SafeArray::~SafeArray()
{
    lib().SafeArrayDestroy(psa_);
}

int32_t SafeArray::lower() const
{
    int32_t lb = 0;
    lib().SafeArrayGetLBound(psa_, 1, &lb);
    return lb;
}

int32_t SafeArray::upper() const
{
    int32_t ub = 0;
    lib().SafeArrayGetUBound(psa_, 1, &ub);
    return ub;
}

std::unique_ptr<SafeArray> newStrings(int32_t lower, const std::vector<std::string>& values)
{
    auto a = std::make_unique<SafeArray>(VT_BSTR, lower, uint32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        a->data<BSTR>()[i] =
            lib().SysAllocStringByteLen(values[i].data(), unsigned(values[i].size()));
    return a;
}

std::unique_ptr<SafeArray> newStrings(int32_t lower, std::initializer_list<std::string_view> values)
{
    std::vector<std::string> v;
    for (auto s : values)
        v.emplace_back(s);
    return newStrings(lower, v);
}

std::vector<std::string> texts(const SafeArray& array)
{
    std::vector<std::string> out;
    int64_t n = int64_t(array.upper()) - array.lower() + 1;
    for (int64_t i = 0; i < n; ++i) {
        BSTR s = array.data<BSTR>()[i];
        out.emplace_back(s ? std::string(reinterpret_cast<const char*>(s), lib().SysStringByteLen(s))
                           : std::string());
    }
    return out;
}

} // namespace genlibtest
