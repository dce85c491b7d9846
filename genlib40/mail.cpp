// Header values picked out of a mail text, and the plausibility test of an e-mail address.
#include "abi.h"
#include "textops.h"

#include <algorithm>
#include <initializer_list>

using namespace genlib;

namespace {

struct Keyword {
    std::string_view text;
    bool upperCased; // searched in the upper-cased text, else in the lower-cased text
    size_t skip;     // the value starts this many characters after the keyword's start
};

std::string extract(const char* mail, std::initializer_list<Keyword> keywords)
{
    const std::string text = textIn(mail);
    const std::string lower = lowerAscii(text);
    const std::string upper = upperAscii(text);
    for (const Keyword& k : keywords) {
        size_t at = (k.upperCased ? upper : lower).find(k.text);
        if (at == std::string::npos)
            continue;
        size_t start = std::min(at + k.skip, text.size());
        size_t end = text.find("\r\n", start);
        return std::string(trimBlanks(std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start)));
    }
    return {};
}

} // namespace

// "to:" counts only at the start of a line after the first, so "reply-to:" is not taken for it.
GENLIB_EXPORT BSTR MailExtractAddressee(const char* mail)
{
    return guard<BSTR>(nullptr, [&] {
        return newText(extract(mail, {{"\r\nto:", false, 5}, {"aan:", false, 4}, {"@ADDRESSEE:", true, 11}}));
    });
}

GENLIB_EXPORT BSTR MailExtractSender(const char* mail)
{
    return guard<BSTR>(nullptr, [&] {
        return newText(extract(mail, {{"reply-to:", false, 9}, {"from:", false, 5}, {"@SENDER:", true, 8}}));
    });
}

GENLIB_EXPORT BSTR MailExtractSubject(const char* mail)
{
    return guard<BSTR>(nullptr, [&] {
        return newText(extract(mail, {{"subject:", false, 8}, {"onderwerp:", false, 10}, {"betreft:", false, 8}}));
    });
}

GENLIB_EXPORT int32_t ValidEmailAddress(const char* address)
{
    return guard<int32_t>(kFalse, [&] {
        const std::string s = textIn(address);
        size_t at = s.find('@');
        size_t dot = s.rfind('.');
        return boolResult(at != std::string::npos && dot != std::string::npos && dot > at);
    });
}
