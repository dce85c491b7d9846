#include "textops.h"

#include <algorithm>

namespace genlib {

char upperChar(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

char lowerChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

std::string upperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = upperChar(c);
    return out;
}

std::string lowerAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = lowerChar(c);
    return out;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperChar(a[i]) != upperChar(b[i]))
            return false;
    return true;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isUpperLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

std::string_view trimBlanks(std::string_view s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return s.substr(b, e - b);
}

size_t findNoCase(std::string_view hay, std::string_view needle, size_t from)
{
    if (needle.empty() || from > hay.size() || needle.size() > hay.size() - from)
        return std::string_view::npos;
    const char first = upperChar(needle[0]);
    for (size_t i = from; i + needle.size() <= hay.size(); ++i) {
        if (upperChar(hay[i]) != first)
            continue;
        size_t k = 1;
        while (k < needle.size() && upperChar(hay[i + k]) == upperChar(needle[k]))
            ++k;
        if (k == needle.size())
            return i;
    }
    return std::string_view::npos;
}

std::string replaceText(std::string_view text, std::string_view find, std::string_view replacement,
                        long maximum, bool restart)
{
    std::string out(text);
    if (find.empty())
        return out; // an empty find text occurs nowhere
    // A restart whose replacement holds the find text again would never end without a
    // limit; such a call works as one left-to-right pass instead.
    if (restart && maximum <= 0 && findNoCase(replacement, find) != std::string_view::npos)
        restart = false;
    // Safety net for rewrites that keep producing new occurrences from their neighbours.
    constexpr long kRestartLimit = 1L << 22;
    constexpr size_t kGrowthLimit = size_t(64) << 20;
    long done = 0;
    size_t pos = findNoCase(out, find, 0);
    while (pos != std::string::npos) {
        out.replace(pos, find.size(), replacement);
        ++done;
        if (maximum > 0 && done == maximum)
            break;
        if (restart) {
            if (done >= kRestartLimit || out.size() > kGrowthLimit)
                break;
            pos = findNoCase(out, find, 0);
        } else {
            pos = findNoCase(out, find, pos + replacement.size());
        }
    }
    return out;
}

std::vector<std::string> splitWords(std::string_view text, std::string_view separator,
                                    size_t capacity)
{
    // A character splits only when it is the whole separator text.
    const bool oneChar = separator.empty() || separator.size() == 1;
    const char sep = separator.empty() ? ' ' : separator[0];
    std::vector<std::string> words;
    bool inQuotes = false;
    bool wordStart = true;
    for (char c : text) {
        if (!inQuotes && oneChar && c == sep) {
            wordStart = true;
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (wordStart) {
            if (words.size() >= capacity)
                break;
            words.emplace_back(1, c);
            wordStart = false;
        } else {
            words.back().push_back(c);
        }
    }
    return words;
}

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = upperChar(c);
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One part of a group: comment after "'" dropped, blanks trimmed, leading hex digits read.
// Returns false for a value above FF, which gives no character.
bool partByte(std::string_view part, char& out)
{
    size_t quote = part.find('\'');
    if (quote != std::string_view::npos)
        part = part.substr(0, quote);
    part = trimBlanks(part);
    unsigned value = 0;
    for (char c : part) {
        int v = hexValue(c);
        if (v < 0)
            break;
        value = value * 16 + unsigned(v);
        if (value > 0xFF)
            return false;
    }
    out = char(value);
    return true;
}

} // namespace

std::string expandHex(std::string_view text)
{
    std::string s(text);
    for (;;) {
        size_t open = s.find('{');
        if (open == std::string::npos)
            return s;
        // A "}" before the first "{" is plain text: the group closes at the first "}" after it.
        size_t close = s.find('}', open + 1);
        if (close == std::string::npos)
            return s;
        std::string_view inside(s.data() + open + 1, close - open - 1);
        std::string bytes;
        size_t from = 0;
        for (;;) {
            size_t comma = inside.find(',', from);
            std::string_view part = inside.substr(from, comma == std::string_view::npos
                                                            ? std::string_view::npos
                                                            : comma - from);
            char b;
            if (partByte(part, b))
                bytes.push_back(b);
            if (comma == std::string_view::npos)
                break;
            from = comma + 1;
        }
        // The group shrinks at every step (braces go, at most one byte per part), so this ends.
        s.replace(open, close - open + 1, bytes);
    }
}

} // namespace genlib
