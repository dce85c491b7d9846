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

namespace {

// Case-blind matcher of one find text (Knuth-Morris-Pratt): feeding it one character
// at a time costs amortised constant time, so a whole text is scanned once.
class NoCaseMatcher {
public:
    explicit NoCaseMatcher(std::string_view find) : needle_(upperAscii(find)), fail_(needle_.size(), 0)
    {
        for (size_t i = 1, k = 0; i < needle_.size(); ++i) {
            while (k > 0 && needle_[i] != needle_[k])
                k = fail_[k - 1];
            if (needle_[i] == needle_[k])
                ++k;
            fail_[i] = k;
        }
    }
    size_t size() const { return needle_.size(); }
    // The state after c, from state q (characters of the find text matched so far).
    size_t next(size_t q, char c) const
    {
        const char u = upperChar(c);
        if (q == needle_.size())
            q = fail_[q - 1];
        while (q > 0 && needle_[q] != u)
            q = fail_[q - 1];
        return needle_[q] == u ? q + 1 : q;
    }

private:
    std::string needle_;
    std::vector<size_t> fail_;
};

} // namespace

// Both modes run in time linear in the text and the replacements made: the text is
// built by appending, never by shifting its tail at each replacement.
std::string replaceText(std::string_view text, std::string_view find, std::string_view replacement,
                        long maximum, bool restart)
{
    if (find.empty())
        return std::string(text); // an empty find text occurs nowhere
    // A restart whose replacement holds the find text again would never end without a
    // limit; such a call works as one left-to-right pass instead.
    if (restart && maximum <= 0 && findNoCase(replacement, find) != std::string_view::npos)
        restart = false;
    const NoCaseMatcher matcher(find);
    const size_t m = matcher.size();
    std::string out;
    out.reserve(text.size());
    long done = 0;

    if (!restart) {
        // The search goes on after the inserted replacement, so the replacement is never
        // searched: one pass over the original text.
        size_t q = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            out.push_back(text[i]);
            q = matcher.next(q, text[i]);
            if (q != m)
                continue;
            out.resize(out.size() - m);
            out.append(replacement);
            q = 0;
            if (maximum > 0 && ++done == maximum) {
                out.append(text.substr(i + 1));
                return out;
            }
        }
        return out;
    }

    // Restart: each search starts at position 1 again. The text before a replacement
    // held no occurrence, so the next one ends inside the replacement or after it: the
    // matcher resumes from its state at the start of the replacement (kept per character
    // of the output), and the replacement is fed to it as new input.
    // Safety net for rewrites that keep producing new occurrences from their neighbours.
    constexpr long kRestartLimit = 1L << 22;
    constexpr size_t kGrowthLimit = size_t(64) << 20;
    std::string pending(text.rbegin(), text.rend()); // the input still to feed, back to front
    std::vector<size_t> states;                        // matcher state after each output character
    states.reserve(text.size());
    while (!pending.empty()) {
        const char c = pending.back();
        pending.pop_back();
        const size_t q = matcher.next(states.empty() ? 0 : states.back(), c);
        out.push_back(c);
        states.push_back(q);
        if (q != m)
            continue;
        out.resize(out.size() - m);
        states.resize(states.size() - m);
        ++done;
        const bool stop = (maximum > 0 && done == maximum) || done >= kRestartLimit
                          || out.size() + pending.size() + replacement.size() > kGrowthLimit;
        if (stop) {
            out.append(replacement);
            out.append(pending.rbegin(), pending.rend());
            return out;
        }
        pending.append(replacement.rbegin(), replacement.rend());
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
