// libFuzzer target for the exports that read outside input: DecompressString (stored data),
// HexString (serial output text) and SearchQuery (what a user types). The first byte picks
// the export; the rest is its input.
#include "genlib40.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t which = data[0] % 3;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const size_t length = size - 1;
    if (which == 0) {
        BSTR s = SysAllocStringByteLen(bytes, unsigned(length));
        if (DecompressString(&s) == 0) {
            // What came out must go back in.
            CompressString(&s);
            DecompressString(&s);
        }
        SysFreeString(s);
        return 0;
    }
    // The text exports take zero-terminated text.
    const std::string text(bytes, length);
    if (which == 1) {
        SysFreeString(HexString(text.c_str()));
        return 0;
    }
    // SearchQuery: the text up to a "|" is the query, the rest a list of field names.
    size_t bar = text.find('|');
    std::string query = text.substr(0, bar);
    std::string rest = bar == std::string::npos ? std::string("F") : text.substr(bar + 1);
    SAFEARRAY* fields = SafeArrayCreateVector(VT_BSTR, int32_t(length % 5) - 2, 1 + length % 3);
    BSTR* names = static_cast<BSTR*>(fields->pvData);
    for (uint32_t i = 0; i < fields->rgsabound[0].cElements; ++i)
        names[i] = SysAllocStringByteLen(rest.c_str(), unsigned(rest.size()));
    SysFreeString(SearchQuery(query.c_str(), &fields));
    SafeArrayDestroy(fields);
    return 0;
}
