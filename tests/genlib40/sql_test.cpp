// SQL text, search-query, postal-code and KIX routines through the C interface.
#include "genlibapi.h"

#include <gtest/gtest.h>

using namespace genlibtest;

namespace {

std::string search(const char* query, std::initializer_list<std::string_view> fields)
{
    auto list = newStrings(0, fields);
    return take(lib().SearchQuery(query, list->handle()));
}

} // namespace

TEST(Genlib40Sql, SQLTextQuotesForALiteral)
{
    EXPECT_EQ(take(lib().SQLText("O'Neil", 1)), "'%O''Neil%'");
    EXPECT_EQ(take(lib().SQLText("O'Neil", 0)), "'O''Neil'");
    EXPECT_EQ(take(lib().SQLText("12\" buis", 0)), "'12' + CHAR(34) + ' buis'");
    EXPECT_EQ(take(lib().SQLText("", 0)), "''");
    EXPECT_EQ(take(lib().SQLText(nullptr, 1)), "'%%'");
}

TEST(Genlib40Sql, SQLCurTextBuildsTheRoundedColumn)
{
    struct Case {
        const char* field;
        double rate;
        const char* alias;
        const char* out;
    } cases[] = {
        {"Prijs", 2.20371, "", " ROUND(Prijs / 2.20371,2) As Prijs "},
        {"Prijs", 1.95583, "DM", " ROUND(Prijs / 1.95583,2) As DM "},
        {"Prijs", 2.0, "", " ROUND(Prijs / 2,2) As Prijs "},
        {"Prijs", 1.23456789, "", " ROUND(Prijs / 1.234568,2) As Prijs "},
        {"Prijs", 40.3399, "[Bruto BEF]", " ROUND(Prijs / 40.3399,2) As [Bruto BEF] "},
        {"A|2", 3.0, "", " ROUND(A|2 / 3,2) As A|2 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(take(lib().SQLCurText(c.field, c.rate, c.alias)), c.out) << c.rate;
    EXPECT_EQ(take(lib().SQLCurText("Prijs", 1.0 / 0.0, "")), "");
}

TEST(Genlib40Search, OperatorsJoinersAndWildcards)
{
    struct Case {
        const char* query;
        const char* out;
    } cases[] = {
        {"=a b", "(F LIKE '%b%') AND (F LIKE '%a%')"},
        {"a b", "(F LIKE '%b%') OR (F LIKE '%a%')"},
        {"+", "(F LIKE '%+%')"},
        {"-", "(F LIKE '%-%')"},
        {"5?0", "(F LIKE '%5[a-z0-9]0%')"},
        {"10%_x", "(F LIKE '%10[%][_]x%')"},
        {"  a    b  ", "(F LIKE '%b%') OR (F LIKE '%a%')"},
        {"", ""},
        {"   ", ""},
        {"=", ""},
        {"+kraan -chroom", "((F NOT LIKE '%chroom%')) AND (F LIKE '%kraan%')"},
        {"a +b", "((F LIKE '%a%')) AND (F LIKE '%b%')"},
        {"\"rode kraan\" x", "(F LIKE '%x%') OR (F LIKE '%rode kraan%')"},
        {"O'Neil", "(F LIKE '%O''Neil%')"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(search(c.query, {"F"}), c.out) << c.query;
}

TEST(Genlib40Search, WordConditionCoversEveryField)
{
    EXPECT_EQ(search("geiser -gas", {"A", "B"}),
              "((A LIKE '%geiser%' OR B LIKE '%geiser%')) AND "
              "(A NOT LIKE '%gas%' AND B NOT LIKE '%gas%')");
    // Fields come from the whole array, whatever its lower bound.
    auto fields = newStrings(-1, {"X", "Y", "Z"});
    EXPECT_EQ(take(lib().SearchQuery("k", fields->handle())),
              "(X LIKE '%k%' OR Y LIKE '%k%' OR Z LIKE '%k%')");
    SAFEARRAY* none = nullptr;
    EXPECT_EQ(take(lib().SearchQuery("k", &none)), "");
    EXPECT_EQ(take(lib().SearchQuery("k", nullptr)), "");
}

TEST(Genlib40Search, AtMostNinetyNineWords)
{
    std::string query;
    for (int i = 0; i < 150; ++i)
        query += "w" + std::to_string(1000 + i) + " ";
    std::string out = search(query.c_str(), {"F"});
    EXPECT_EQ(size_t(std::count(out.begin(), out.end(), '(')), 99u);
    EXPECT_NE(out.find("w1098"), std::string::npos);
    EXPECT_EQ(out.find("w1099"), std::string::npos);
}

TEST(Genlib40Search, SpellingVariantsUseOneClassPerLetter)
{
    // "ouw": variant pairs append "ou"-forms; letter classes never nest.
    std::string out = search("~Kouw", {"F"});
    EXPECT_EQ(out.find("[["), std::string::npos) << out;
    EXPECT_NE(out.find("F LIKE '%[ck\xC7][o\xF4\xF6\xF2\xF3\xD6][u\xFB\xFC\xF9\xFA\xDC]w%'"),
              std::string::npos)
        << out;
    // The "ou" variant of "kouw" is "kou" and is expanded in turn.
    EXPECT_NE(out.find("F LIKE '%[ck\xC7][o\xF4\xF6\xF2\xF3\xD6][u\xFB\xFC\xF9\xFA\xDC]%'"),
              std::string::npos)
        << out;

    // "ing" becomes "in[gk]" and the classes stay out of those brackets.
    out = search("~ring", {"F"});
    EXPECT_EQ(out, "(F LIKE '%r[iy\xEF\xEE\xEC\xED\xFF]n[gk]%')");

    // The variants of an "ij" word join as alternatives.
    out = search("~wijn", {"F"});
    EXPECT_EQ(out.rfind("(F LIKE '%w[iy\xEF\xEE\xEC\xED\xFF]jn%') OR ", 0), 0u) << out;
    EXPECT_NE(out.find("(F LIKE '%w[e\xE8\xEA\xEB\xC9][iy\xEF\xEE\xEC\xED\xFF]n%')"),
              std::string::npos) << "the ei variant: " << out;
    EXPECT_EQ(out.find("[["), std::string::npos) << out;

}

TEST(Genlib40Search, VariantChainsStopAtTheFullList)
{
    // Many words that each bring variants: the list never passes 99 words and the call ends.
    std::string query = "~";
    for (int i = 0; i < 60; ++i)
        query += "schouwey" + std::to_string(i) + " ";
    std::string out = search(query.c_str(), {"F"});
    size_t likes = 0;
    for (size_t p = out.find("LIKE"); p != std::string::npos; p = out.find("LIKE", p + 1))
        ++likes;
    EXPECT_EQ(likes, 99u);
    EXPECT_EQ(out.find("[["), std::string::npos);
}

TEST(Genlib40Postal, SearchPostalCode)
{
    struct Case {
        const char* code;
        const char* out;
    } cases[] = {
        {"1234 ab 12", " (Postcode LIKE '1234%' AND Postcode LIKE '%AB' AND Adres LIKE '% 12')"},
        {"1234", " (Postcode LIKE '1234%')"},
        {" 1234AB ", " (Postcode LIKE '1234%' AND Postcode LIKE '%AB')"},
        {"12345", "ERR:De postcode moet uit 4 cijfers en 2 letters bestaan, corrigeer de zoekopdracht."},
        {"1234 ABC", "ERR:De postcode moet uit 4 cijfers en 2 letters bestaan, corrigeer de zoekopdracht."},
        {"123", "ERR:De postcode moet uit 4 cijfers bestaan, corrigeer de zoekopdracht."},
        {"12a4", "ERR:De postcode moet uit 4 cijfers bestaan, corrigeer de zoekopdracht."},
        {"", "ERR:De postcode moet uit 4 cijfers bestaan, corrigeer de zoekopdracht."},
        {"1234AB 1'1", " (Postcode LIKE '1234%' AND Postcode LIKE '%AB' AND Adres LIKE '% 1''1')"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(take(lib().SearchPostalCode(c.code, "Adres", "Postcode")), c.out) << c.code;
}

TEST(Genlib40Postal, ValidPostalCode)
{
    for (const char* good : {"1234AB", "1234 ab", "1234 AB 5", "1234", " 1234  ab "})
        EXPECT_EQ(lib().ValidPostalCode(good), -1) << good;
    for (const char* bad : {"1234 A", "123A", "1234 AB x", "", "12345", "1234 ABC", "abcd"})
        EXPECT_EQ(lib().ValidPostalCode(bad), 0) << bad;
}

TEST(Genlib40Postal, KIXCode)
{
    struct Case {
        const char* address;
        const char* code;
        const char* out;
    } cases[] = {
        {"Kerkstraat 12 a", "1234 ab", "1234AB12XA"},
        {"Kerkstraat 12-14", "1234 ab", "1234AB12X14"},
        {"Kerkstraat", "1234AB", "1234AB"},
        {"Kerkstraat 12", "1234", ""},
        {"Kerkstraat 12", "1234 A", ""},
        {"Kerkstraat 12", "12", ""},
        {"2e Molenstraat 5 bis", "1234AB", "1234AB5XBIS"},
        {"Kerkstraat12", "1234AB", "1234AB12"},    // no blank before the number
        {"Laan 1940-1945 3", "1234AB", "1234AB3"},
        {"12", "1234AB", "1234AB12"},
        {"", "1234AB", "1234AB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(take(lib().KIXCode(c.address, c.code)), c.out) << c.address << " / " << c.code;
}
