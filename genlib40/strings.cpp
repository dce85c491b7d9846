// Plain text routines: paths and quotes, cutting at a delimiter, the shared build buffer,
// character-class tests and cleaning, replacement, word splitting and wrapping, hexadecimal
// groups, the digit encoding and the margin price.
#include "textops.h"
#include "vectorview.h"

#include <algorithm>
#include <cmath>
#include <mutex>

using namespace genlib;

namespace {

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::string_view kLettersDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kCleanText = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ .,@&-()/\\:";

bool inSet(std::string_view set, char c)
{
    return set.find(c) != std::string_view::npos;
}

std::string withBackSlash(std::string s)
{
    if (s.empty() || s.back() != '\\')
        s.push_back('\\');
    return s;
}

// One build buffer and write position for the whole process.
struct BuildBuffer {
    std::mutex lock;
    std::string text;
    int64_t position = 1;
};

BuildBuffer& buildBuffer()
{
    static BuildBuffer buffer;
    return buffer;
}

} // namespace

GENLIB_EXPORT BSTR CheckBackSlash(const char* path)
{
    return guard<BSTR>(nullptr, [&] { return newText(withBackSlash(textIn(path))); });
}

GENLIB_EXPORT BSTR CleanQuotes(const char* text, int32_t backslash)
{
    return guard<BSTR>(nullptr, [&] {
        std::string s = textIn(text);
        if (!s.empty() && s.front() == '"')
            s.erase(0, 1);
        if (!s.empty() && s.back() == '"')
            s.pop_back();
        if (backslash)
            s = withBackSlash(std::move(s));
        return newText(s);
    });
}

// An empty delimiter occurs nowhere, so a caller's loop over ReadUntil still ends.
GENLIB_EXPORT BSTR ReadUntil(BSTR* text, const char* delimiter)
{
    return guard<BSTR>(nullptr, [&] {
        std::string s = readInOut(text);
        const std::string d = textIn(delimiter);
        size_t p = d.empty() ? std::string::npos : s.find(d);
        if (p == std::string::npos) {
            storeInOut(text, {});
            return newText(s);
        }
        BSTR head = newText(std::string_view(s).substr(0, p));
        storeInOut(text, std::string_view(s).substr(p + d.size()));
        return head;
    });
}

GENLIB_EXPORT BSTR BuildString(int32_t* size, const char* text)
{
    return guard<BSTR>(nullptr, [&] {
        BuildBuffer& b = buildBuffer();
        std::lock_guard hold(b.lock);
        const int32_t request = size ? *size : 0;
        const std::string t = textIn(text);
        if (request > 0) {
            b.text.clear();
            b.position = 1;
            b.text.assign(size_t(request), ' '); // may throw: the buffer then stays empty
        }
        // Characters beyond the buffer's end are dropped; the position counts them all.
        const int64_t at = b.position - 1;
        if (at < int64_t(b.text.size())) {
            size_t room = b.text.size() - size_t(at);
            b.text.replace(size_t(at), std::min(room, t.size()), t.substr(0, room));
        }
        b.position += int64_t(t.size());
        const int64_t built = b.position - 1;
        BSTR result = nullptr;
        if (request < 0)
            result = newText(std::string_view(b.text).substr(
                0, size_t(std::min<int64_t>(built, int64_t(b.text.size())))));
        else
            result = newText({});
        if (size)
            *size = int32_t(std::min<int64_t>(built, INT32_MAX));
        return result;
    });
}

GENLIB_EXPORT BSTR Decode(const char* text)
{
    return guard<BSTR>(nullptr, [&] {
        std::string out;
        for (unsigned char c : textIn(text)) {
            std::string digits = " " + std::to_string(unsigned(c));
            size_t keep = c < 200 ? 2 : 1;
            out += digits.substr(digits.size() - keep);
        }
        return newText(out);
    });
}

GENLIB_EXPORT int32_t IsNumber(const char* text, int32_t allowMinus)
{
    return guard<int32_t>(kFalse, [&] {
        const std::string s = textIn(text);
        size_t others = std::count_if(s.begin(), s.end(), [](char c) { return !inSet(kDigits, c); });
        if (others == 0)
            return kTrue;
        return boolResult(allowMinus && others == 1 && s.front() == '-');
    });
}

GENLIB_EXPORT int32_t IsHexString(const char* text)
{
    return guard<int32_t>(kFalse, [&] {
        const std::string s = upperAscii(textIn(text));
        return boolResult(std::all_of(s.begin(), s.end(), [](char c) { return inSet(kHexDigits, c); }));
    });
}

GENLIB_EXPORT int32_t IsCharString(const char* text, int32_t strict)
{
    return guard<int32_t>(kFalse, [&] {
        std::string s = textIn(text);
        if (!strict)
            s = upperAscii(s);
        return boolResult(
            std::all_of(s.begin(), s.end(), [](char c) { return inSet(kLettersDigits, c); }));
    });
}

GENLIB_EXPORT BSTR CleanUpString(const char* text, int32_t strict)
{
    return guard<BSTR>(nullptr, [&] {
        std::string s = textIn(text);
        for (char& c : s)
            if (!inSet(kCleanText, strict ? c : upperChar(c)))
                c = ' ';
        return newText(s);
    });
}

GENLIB_EXPORT void ReplaceString(BSTR* text, const char* find, const char* replacement,
                                 int32_t* maximum, int32_t restart)
{
    guardVoid([&] {
        if (!text)
            return;
        const std::string s = readInOut(text);
        std::string out =
            replaceText(s, textIn(find), textIn(replacement), maximum ? *maximum : 0, restart != 0);
        if (out != s)
            storeInOut(text, out);
    });
}

// Words are stored from element 1 upwards whatever the lower bound; the list is full when the
// count reaches the upper bound. An array whose lower bound is above 1 has no element 1 and
// takes no words.
GENLIB_EXPORT void Conv2Word(const char* text, SAFEARRAY** list, int32_t* count,
                             const char* separator)
{
    guardVoid([&] {
        if (count)
            *count = 0;
        VectorView v(list, sizeof(BSTR));
        if (!v.valid() || v.lower() > 1 || v.upper() < 1)
            return;
        std::vector<std::string> words =
            splitWords(textIn(text), textIn(separator), size_t(v.upper()));
        for (size_t i = 0; i < words.size(); ++i)
            v.setText(int64_t(i) + 1, words[i]);
        if (count)
            *count = int32_t(words.size());
    });
}

GENLIB_EXPORT BSTR WordWrap(const char* text, int32_t width, const char* lineBreak)
{
    return guard<BSTR>(nullptr, [&] {
        const std::string brk = textIn(lineBreak);
        std::string out;
        int64_t column = 0;
        for (const std::string& word : splitWords(textIn(text), " ", 999)) {
            const int64_t len = int64_t(word.size());
            if (word == brk) {
                out += word;
                column = 0;
            } else if (len + column > width) {
                out += brk;
                out += word;
                column = len;
            } else {
                out += ' ';
                out += word;
                column += 1 + len;
            }
        }
        return newText(trimBlanks(out));
    });
}

GENLIB_EXPORT BSTR HexString(const char* text)
{
    return guard<BSTR>(nullptr, [&] { return newText(expandHex(textIn(text))); });
}

// Money is value x 10000. A result beyond the money range is held at its limit.
GENLIB_EXPORT int64_t Opslag(int64_t price, float percentage)
{
    return guard<int64_t>(price, [&]() -> int64_t {
        if (percentage == 0.0f)
            return price;
        const float f = (100.0f - percentage) / 100.0f;
        const double raised = f > 0.0f ? double(price) / double(f) : double(price) * 100.0;
        if (std::isnan(raised))
            return price;
        if (raised >= 9223372036854775807.0)
            return INT64_MAX;
        if (raised <= -9223372036854775808.0)
            return INT64_MIN;
        return int64_t(std::nearbyint(raised));
    });
}
