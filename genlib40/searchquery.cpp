// A user's search words turned into an SQL condition over a list of fields, with operators,
// wildcards and the optional spelling-variant expansion for Dutch.
#include "abi.h"
#include "textops.h"
#include "vectorview.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace genlib;

namespace {

constexpr size_t kMaxWords = 99;

// Spelling variants (Windows-1252 bytes), tried in this order.
const std::array<std::pair<std::string_view, std::string_view>, 14> kVariantPairs = {{
    {"ouw", "ou"},
    {"ou", "au"},
    {"au", "ui"},
    {"ey", "eij"},
    {"eij", "ij"},
    {"y", "ij"},
    {"ij", "ei"},
    {"sch", "sg"},
    {"chr", "cr"},
    {"ue", "\xFC"},   // ü
    {"oe", "\xF6"},   // ö
    {"\xE6", "ae"},   // æ
    {"\xC6", "ae"},   // Æ
    {"ae", "aa"},
}};

// Letters that stand for each other, as pairs of a variant and its plain letter.
constexpr std::string_view kLetterClasses[] = {
    "\xC7" "c", "\xE2" "a", "\xE4" "a", "\xE0" "a", "\xE5" "a", "\xE1" "a", "\xE8" "e",
    "\xEA" "e", "\xEB" "e", "\xE8" "e", "\xEF" "i", "\xEE" "i", "\xEC" "i", "\xED" "i",
    "\xC4" "a", "\xC5" "a", "\xC9" "e", "\xF4" "o", "\xF6" "o", "\xF2" "o", "\xF3" "o",
    "\xD6" "o", "\xFB" "u", "\xFC" "u", "\xF9" "u", "\xFA" "u", "\xDC" "u", "\xFF" "y",
    "dt",       "ck",       "fv",       "iy",       "sz",
};

// Applied one after another the classes would bracket a letter again inside an earlier class
// ("[\xE2[\xE4" "a]]") and reach into "in[gk]". Instead the classes that share a letter are
// joined into one class per letter (a with its accents, c with k and Ç, i with y and their
// accents, ...), every character is replaced in a single pass, and text already inside
// brackets is left as it is, so patterns never nest.
class LetterClasses {
public:
    LetterClasses()
    {
        std::array<int, 256> group;
        group.fill(-1);
        std::vector<std::string> members;
        for (std::string_view cls : kLetterClasses) {
            int target = -1;
            for (unsigned char c : cls)
                if (group[c] >= 0)
                    target = target < 0 ? group[c] : target;
            if (target < 0) {
                target = int(members.size());
                members.emplace_back();
            }
            for (unsigned char c : cls) {
                int from = group[c];
                if (from == target)
                    continue;
                if (from >= 0) { // two classes meet: move the other one over
                    for (unsigned char m : members[size_t(from)])
                        group[m] = target;
                    members[size_t(target)] += members[size_t(from)];
                    members[size_t(from)].clear();
                } else {
                    group[c] = target;
                    members[size_t(target)] += char(c);
                }
            }
        }
        for (int c = 0; c < 256; ++c) {
            if (group[size_t(c)] < 0)
                continue;
            std::string m = members[size_t(group[size_t(c)])];
            // Plain letters first, for a readable pattern.
            std::stable_partition(m.begin(), m.end(), [](char x) { return (unsigned char)x < 128; });
            class_[size_t(c)] = "[" + m + "]";
        }
    }

    std::string apply(std::string_view word) const
    {
        std::string out;
        int depth = 0;
        for (char c : word) {
            if (c == '[')
                ++depth;
            const std::string& cls = class_[(unsigned char)c];
            if (depth == 0 && !cls.empty())
                out += cls;
            else
                out += c;
            if (c == ']' && depth > 0)
                --depth;
        }
        return out;
    }

private:
    std::array<std::string, 256> class_;
};

const LetterClasses& letterClasses()
{
    static const LetterClasses classes;
    return classes;
}

bool contains(std::string_view word, std::string_view part)
{
    return word.find(part) != std::string_view::npos;
}

bool listed(const std::vector<std::string>& words, std::string_view w)
{
    return std::any_of(words.begin(), words.end(), [&](const std::string& x) { return equalNoCase(x, w); });
}

// Variants are appended to the list and expanded in turn. The list holds at most 99 words:
// once it is full further variants are dropped, which also ends chains of variants.
void expandVariants(std::vector<std::string>& words)
{
    for (size_t i = 0; i < words.size(); ++i) {
        std::string w = lowerAscii(words[i]);
        if (w.find_first_of("[]") != std::string::npos) {
            words[i] = w;
            continue;
        }
        w = replaceText(w, "ink", "in[gk]");
        w = replaceText(w, "ing", "in[gk]");
        for (const auto& [first, second] : kVariantPairs) {
            std::string variant;
            if (contains(w, first))
                variant = replaceText(w, first, second);
            else if (contains(w, second))
                variant = replaceText(w, second, first);
            else
                continue;
            if (words.size() < kMaxWords && !listed(words, variant))
                words.push_back(variant);
        }
        words[i] = letterClasses().apply(w);
    }
}

bool descendingUpper(const std::string& a, const std::string& b)
{
    const std::string x = upperAscii(a);
    const std::string y = upperAscii(b);
    size_t n = std::min(x.size(), y.size());
    int c = n ? std::memcmp(x.data(), y.data(), n) : 0;
    return c > 0 || (c == 0 && x.size() > y.size());
}

} // namespace

// A "'" typed in a search word is doubled, so it cannot end the SQL literal early.
GENLIB_EXPORT BSTR SearchQuery(const char* query, SAFEARRAY** fields)
{
    return guard<BSTR>(nullptr, [&] {
        std::vector<std::string> fieldNames;
        {
            VectorView v(fields, sizeof(BSTR));
            for (int64_t i = v.lower(); v.valid() && i <= v.upper(); ++i)
                fieldNames.emplace_back(v.text(i));
        }
        if (fieldNames.empty())
            return newText({});

        std::string text(trimBlanks(textIn(query)));
        bool strict = false;
        bool variants = false;
        while (!text.empty() && (text[0] == '=' || text[0] == '~')) {
            (text[0] == '=' ? strict : variants) = true;
            text.erase(0, 1);
        }
        text = replaceText(text, "  ", " ", 0, true);
        std::vector<std::string> words = splitWords(text, " ", kMaxWords);
        std::stable_sort(words.begin(), words.end(), descendingUpper);
        if (variants)
            expandVariants(words);

        const std::string defaultJoiner = strict ? " AND " : " OR ";
        std::string previousJoiner = defaultJoiner;
        std::string result;
        for (std::string word : words) {
            if (word.empty())
                continue;
            word = replaceText(word, "_", "[_]");
            word = replaceText(word, "%", "[%]");
            word = replaceText(word, "?", "[a-z0-9]");
            word = replaceText(word, "'", "''");
            std::string negation;
            std::string fieldJoiner = "OR ";
            std::string wordJoiner = defaultJoiner;
            if (word.size() >= 2 && word[0] == '-') {
                word.erase(0, 1);
                negation = " NOT";
                fieldJoiner = "AND ";
                wordJoiner = " AND ";
            } else if (word.size() >= 2 && word[0] == '+') {
                word.erase(0, 1);
                wordJoiner = " AND ";
            }
            std::string condition;
            for (size_t f = 0; f < fieldNames.size(); ++f) {
                condition += fieldNames[f] + negation + " LIKE '%" + word + "%'";
                if (f + 1 < fieldNames.size())
                    condition += " " + fieldJoiner;
            }
            if (!result.empty()) {
                if (wordJoiner != previousJoiner) {
                    previousJoiner = wordJoiner;
                    result = "(" + result + ")" + wordJoiner;
                } else {
                    result += wordJoiner;
                }
            }
            result += "(" + condition + ")";
        }
        return newText(result);
    });
}
