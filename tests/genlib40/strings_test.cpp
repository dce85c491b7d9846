// The string routines through the C interface: worked examples and edge cases.
#include "genlibapi.h"

#include <gtest/gtest.h>

#include <random>

using namespace genlibtest;

using Texts = std::vector<std::string>;

TEST(Genlib40Strings, PathsAndQuotes)
{
    EXPECT_EQ(take(lib().CheckBackSlash("C:\\data")), "C:\\data\\");
    EXPECT_EQ(take(lib().CheckBackSlash("C:\\data\\")), "C:\\data\\");
    EXPECT_EQ(take(lib().CheckBackSlash("")), "\\");
    EXPECT_EQ(take(lib().CheckBackSlash(nullptr)), "\\");

    struct Case {
        const char* in;
        int32_t flag;
        const char* out;
    } cases[] = {
        {"\"C:\\my dir\"", 0, "C:\\my dir"}, {"\"C:\\my dir\"", -1, "C:\\my dir\\"},
        {"\"", 0, ""},                       {"\"\"", 0, ""},
        {"a\"b", 0, "a\"b"},                 {"abc\"", 1, "abc\\"},
        {"", 1, "\\"},                       {"\"x\\\"", 1, "x\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(take(lib().CleanQuotes(c.in, c.flag)), c.out) << c.in;
}

TEST(Genlib40Strings, ReadUntilTakesTheLeadingPart)
{
    struct Case {
        const char* text;
        const char* delimiter;
        const char* head;
        const char* rest;
    } cases[] = {
        {"a,b,c", ",", "a", "b,c"}, {"abc", ",", "abc", ""}, {"a::b", "::", "a", "b"},
        {",x", ",", "", "x"},       {"aXb", "x", "aXb", ""}, {"", ",", "", ""},
        {"abc", "", "abc", ""}, // an empty delimiter occurs nowhere
    };
    for (const Case& c : cases) {
        Bstr text(c.text);
        EXPECT_EQ(take(lib().ReadUntil(text.handle(), c.delimiter)), c.head) << c.text;
        EXPECT_EQ(text.bytes(), c.rest) << c.text;
    }
    EXPECT_EQ(take(lib().ReadUntil(nullptr, ",")), "");
}

TEST(Genlib40Strings, BuildStringFillsTheSharedBuffer)
{
    int32_t size = 5;
    EXPECT_EQ(take(lib().BuildString(&size, "abc")), "");
    EXPECT_EQ(size, 3);
    size = 0;
    EXPECT_EQ(take(lib().BuildString(&size, "def")), "");
    EXPECT_EQ(size, 6);
    size = -1;
    EXPECT_EQ(take(lib().BuildString(&size, "")), "abcde");
    EXPECT_EQ(size, 6);

    // A fresh start; the result holds what was appended when it fits.
    size = 10;
    EXPECT_EQ(take(lib().BuildString(&size, "12")), "");
    size = -1;
    EXPECT_EQ(take(lib().BuildString(&size, "34")), "1234");
    EXPECT_EQ(size, 4);
    // Without a size to read, the call appends and returns "".
    EXPECT_EQ(take(lib().BuildString(nullptr, "5")), "");
    size = -1;
    EXPECT_EQ(take(lib().BuildString(&size, "")), "12345");
}

TEST(Genlib40Strings, CharacterClassTests)
{
    struct Case {
        int32_t (*fn)(const char*, int32_t);
        const char* text;
        int32_t flag;
        int32_t expected;
    } cases[] = {
        {lib().IsNumber, "0123", 0, -1},   {lib().IsNumber, "-12", 0, 0},
        {lib().IsNumber, "-12", 1, -1},    {lib().IsNumber, "1-2", 1, 0},
        {lib().IsNumber, "", 0, -1},       {lib().IsNumber, "-", 1, -1},
        {lib().IsNumber, "--1", 1, 0},     {lib().IsNumber, "1.5", 0, 0},
        {lib().IsCharString, "Ab1", 0, -1}, {lib().IsCharString, "Ab1", 1, 0},
        {lib().IsCharString, "AB1", 1, -1}, {lib().IsCharString, "a b", 0, 0},
        {lib().IsCharString, "", 1, -1},    {lib().IsCharString, "\xC9", 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fn(c.text, c.flag), c.expected) << c.text << " flag " << c.flag;

    EXPECT_EQ(lib().IsHexString("09afAF"), -1);
    EXPECT_EQ(lib().IsHexString(""), -1);
    EXPECT_EQ(lib().IsHexString("0x1F"), 0);
    EXPECT_EQ(lib().IsHexString("G"), 0);
}

TEST(Genlib40Strings, CleanUpStringKeepsTheLength)
{
    EXPECT_EQ(take(lib().CleanUpString("abc#1", 0)), "abc 1");
    EXPECT_EQ(take(lib().CleanUpString("abc#1", 1)), "    1");
    EXPECT_EQ(take(lib().CleanUpString("A.B,@&-()/\\:x", 1)), "A.B,@&-()/\\: ");
    EXPECT_EQ(take(lib().CleanUpString("caf\xE9\t!", 0)), "caf   ");
    EXPECT_EQ(take(lib().CleanUpString("", 0)), "");
}

TEST(Genlib40Strings, ReplaceStringIgnoresCaseAndHonoursTheMaximum)
{
    struct Case {
        const char* text;
        const char* find;
        const char* replacement;
        int32_t maximum;
        int32_t restart;
        const char* out;
    } cases[] = {
        {"aXa", "a", "b", 0, 0, "bXb"},
        {"aXa", "a", "b", 1, 0, "bXa"},
        {"AxA", "a", "b", 0, 0, "bxb"},
        {"a    b  c", "  ", " ", 0, -1, "a b c"},
        {"a    b", "  ", " ", 0, 0, "a  b"},
        {"aaa", "a", "aa", 0, 0, "aaaaaa"},  // continues after the inserted replacement
        {"aaa", "a", "Aa", 0, -1, "AaAaAa"}, // would never end: done as one pass
        {"xyz", "", "q", 0, 0, "xyz"},
        {"Straat", "STRAAT", "weg", 0, 0, "weg"},
        {"aXaXa", "a", "", 2, -1, "XXa"},
        {"ababcc", "abc", "c", 0, -1, "cc"}, // a new occurrence across the replacement's start
        {"ababcc", "abc", "c", 0, 0, "abcc"},
        {"aaaa", "aa", "b", 0, -1, "bb"},
        {"abab", "ab", "ba", 0, -1, "bbaa"},
        {"abab", "ab", "ba", 2, -1, "baba"},
    };
    for (const Case& c : cases) {
        Bstr text(c.text);
        int32_t maximum = c.maximum;
        lib().ReplaceString(text.handle(), c.find, c.replacement, &maximum, c.restart);
        EXPECT_EQ(text.bytes(), c.out) << c.text << " " << c.find;
        EXPECT_EQ(maximum, c.maximum);
    }
    Bstr text("aXa");
    lib().ReplaceString(text.handle(), "a", "b", nullptr, 0);
    EXPECT_EQ(text.bytes(), "bXb");
    lib().ReplaceString(nullptr, "a", "b", nullptr, 0);
}

namespace {

// The replacement as the routine describes it, step by step on the whole text.
std::string replaceByTheRules(std::string text, const std::string& find, const std::string& replacement,
                              int maximum, bool restart)
{
    const auto upper = [](std::string t) {
        for (char& c : t)
            c = (c >= 'a' && c <= 'z') ? char(c - 32) : c;
        return t;
    };
    int done = 0;
    size_t pos = upper(text).find(upper(find));
    while (pos != std::string::npos) {
        text.replace(pos, find.size(), replacement);
        if (maximum > 0 && ++done == maximum)
            break;
        pos = upper(text).find(upper(find), restart ? 0 : pos + replacement.size());
    }
    return text;
}

} // namespace

TEST(Genlib40Strings, ReplaceStringFollowsTheStepByStepRulesOnRandomTexts)
{
    std::mt19937 rng(7);
    const auto randomText = [&](size_t maxLength) {
        std::string t(rng() % (maxLength + 1), ' ');
        for (char& c : t)
            c = "abAB"[rng() % 4];
        return t;
    };
    for (int i = 0; i < 2000; ++i) {
        const std::string text = randomText(24);
        std::string find = randomText(3);
        if (find.empty())
            find = "a";
        const std::string replacement = randomText(3);
        const bool restart = rng() % 2;
        const int maximum = rng() % 3 == 0 ? int(rng() % 4) + 1 : 0;
        // Restarts whose replacement brings the find text back are done as one pass.
        const bool loops = restart && maximum == 0 && replaceByTheRules(replacement, find, "", 1, false) != replacement;
        const std::string expected = replaceByTheRules(text, find, replacement, maximum, restart && !loops);
        Bstr b(text.c_str());
        int32_t max = maximum;
        lib().ReplaceString(b.handle(), find.c_str(), replacement.c_str(), &max, restart ? -1 : 0);
        ASSERT_EQ(b.bytes(), expected) << text << " / " << find << " / " << replacement << " max " << maximum
                                       << (restart ? " restart" : "");
    }
}

namespace {

Texts conv2Word(const char* text, const char* separator, int32_t lower, uint32_t size,
                int32_t* countOut = nullptr)
{
    SafeArray a(VT_BSTR, lower, size);
    int32_t count = -7;
    lib().Conv2Word(text, a.handle(), &count, separator);
    if (countOut)
        *countOut = count;
    Texts all = texts(a);
    return all;
}

} // namespace

TEST(Genlib40Strings, Conv2WordSplitsWithQuotes)
{
    int32_t count = 0;
    Texts words = conv2Word("one  \"two three\"  four", "", 0, 10, &count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(Texts(words.begin(), words.begin() + 5), (Texts{"", "one", "two three", "four", ""}));

    EXPECT_EQ(conv2Word("a;b;;c", ";", 0, 4, &count), (Texts{"", "a", "b", "c"}));
    EXPECT_EQ(conv2Word("a b", ";;", 0, 3, &count), (Texts{"", "a b", ""})) << "two-character separator";
    EXPECT_EQ(conv2Word("\"\"x \"\"", "", 0, 3, &count), (Texts{"", "x", ""}));
    EXPECT_EQ(count, 1);
}

TEST(Genlib40Strings, Conv2WordFillsFromElementOneUpToTheUpperBound)
{
    int32_t count = 0;
    // Lower bound 1: elements 1..3 hold the words; the fourth word does not fit.
    EXPECT_EQ(conv2Word("a b c d", "", 1, 3, &count), (Texts{"a", "b", "c"}));
    EXPECT_EQ(count, 3);
    // Lower bound -2: element 1 is the fourth element; element 0 and below are left alone.
    EXPECT_EQ(conv2Word("a b c", "", -2, 5, &count), (Texts{"", "", "", "a", "b"}));
    EXPECT_EQ(count, 2);
    // An array without element 1 takes no words.
    EXPECT_EQ(conv2Word("a b", "", 2, 3, &count), (Texts{"", "", ""}));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(conv2Word("a b", "", 0, 1, &count), (Texts{""}));
    EXPECT_EQ(count, 0);
    lib().Conv2Word("a", nullptr, &count, "");
    EXPECT_EQ(count, 0);
}

TEST(Genlib40Strings, WordWrapBreaksByWidth)
{
    struct Case {
        const char* text;
        int32_t width;
        const char* lineBreak;
        const char* out;
    } cases[] = {
        {"aaaa bbbbb cc", 10, "|", "aaaa bbbbb|cc"},
        {"aaaaaaaaaaaa b", 5, "|", "|aaaaaaaaaaaa|b"},
        {"a | b", 10, "|", "a| b"},
        {"een \"twee drie\" vier", 9, "\r\n", "een\r\ntwee drie\r\nvier"},
        {"", 10, "|", ""},
        {"a b", -1, "|", "|a|b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(take(lib().WordWrap(c.text, c.width, c.lineBreak)), c.out) << c.text;

    // At most 999 words are taken.
    std::string many;
    for (int i = 0; i < 1200; ++i)
        many += "w ";
    std::string wrapped = take(lib().WordWrap(many.c_str(), 100000, "|"));
    EXPECT_EQ(std::count(wrapped.begin(), wrapped.end(), 'w'), 999);
}

TEST(Genlib40Strings, HexStringExpandsBraceGroups)
{
    struct Case {
        std::string in;
        std::string out;
    } cases[] = {
        {"AB{41, 42 'two}CD", "ABABCD"},
        {"{}", std::string(1, '\0')},
        {"{1B,40}", "\x1B\x40"},
        {"x{ 0a ,ff}y", "x\n\xFFy"},
        {"{41}{42}", "AB"},
        {"no groups", "no groups"},
        {"open {41", "open {41"},
        {"A}B{43}", "A}BC"},       // a "}" before the first "{" is plain text
        {"{141,41}", "A"},         // a value above FF gives no character
        {"{G1,4G}", std::string("\0\x04", 2)}, // reading stops at a non-hex character
        {"{7B}41}", "A"},          // expanded braces take part in the next search
        {"{,}", std::string(2, '\0')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(take(lib().HexString(c.in.c_str())), c.out) << c.in;
}

TEST(Genlib40Strings, DecodeWritesDigitsPerCharacter)
{
    EXPECT_EQ(take(lib().Decode("A")), "65");
    EXPECT_EQ(take(lib().Decode("\x05")), " 5");
    EXPECT_EQ(take(lib().Decode("\x96")), "50");  // 150
    EXPECT_EQ(take(lib().Decode("\xEA")), "4");   // 234
    EXPECT_EQ(take(lib().Decode("\xC7\xC8")), "990"); // 199, 200
    EXPECT_EQ(take(lib().Decode("Ab")), "6598");
    EXPECT_EQ(take(lib().Decode("")), "");
}

TEST(Genlib40Strings, OpslagRaisesByMarginOfTheSellingPrice)
{
    struct Case {
        int64_t price;
        float percentage;
        int64_t out;
    } cases[] = {
        {800000, 20.0f, 1000000},     // 80.00 at 20 % gives 100.00
        {800000, 0.0f, 800000},
        {123456, 100.0f, 12345600},   // 100 % or more: price x 100
        {123456, 150.0f, 12345600},
        {100000, -25.0f, 80000},      // f = 1.25
        {10000, 33.0f, 14925},        // 1 / 0.67 rounded to four decimals
        {INT64_MAX / 10, 100.0f, INT64_MAX}, // held at the money range
    };
    for (const Case& c : cases)
        EXPECT_EQ(lib().Opslag(c.price, c.percentage), c.out) << c.price << " " << c.percentage;
}
