// Dutch postal codes: the search condition, the validity test and the KIX barcode text.
#include "abi.h"
#include "textops.h"

#include <algorithm>

using namespace genlib;

namespace {

// Four digits, blanks, then a run of letters "A"-"Z"; s is upper-cased and trimmed.
struct PostalParts {
    bool fourDigits = false;
    bool onlyDigits = false; // exactly the four digits
    std::string digits;
    std::string letters; // the run after the digits and blanks
    std::string rest;    // what follows the letters, trimmed
};

PostalParts splitPostal(const char* text)
{
    PostalParts p;
    const std::string s(trimBlanks(upperAscii(textIn(text))));
    if (s.size() < 4 || !std::all_of(s.begin(), s.begin() + 4, isDigit))
        return p;
    p.fourDigits = true;
    p.digits = s.substr(0, 4);
    p.onlyDigits = s.size() == 4;
    size_t i = 4;
    while (i < s.size() && s[i] == ' ')
        ++i;
    size_t start = i;
    while (i < s.size() && isUpperLetter(s[i]))
        ++i;
    p.letters = s.substr(start, i - start);
    p.rest = std::string(trimBlanks(std::string_view(s).substr(i)));
    return p;
}

std::string quoted(std::string_view s)
{
    return replaceText(s, "'", "''");
}

} // namespace

// The house number is user text inside a literal: its apostrophes are doubled.
GENLIB_EXPORT BSTR SearchPostalCode(const char* postalCode, const char* addressColumn,
                                    const char* postalCodeColumn)
{
    return guard<BSTR>(nullptr, [&] {
        PostalParts p = splitPostal(postalCode);
        if (!p.fourDigits)
            return newText("ERR:De postcode moet uit 4 cijfers bestaan, corrigeer de zoekopdracht.");
        const std::string column = textIn(postalCodeColumn);
        std::string condition = " (" + column + " LIKE '" + p.digits + "%'";
        if (p.onlyDigits)
            return newText(condition + ")");
        if (p.letters.size() != 2)
            return newText("ERR:De postcode moet uit 4 cijfers en 2 letters bestaan, corrigeer de "
                           "zoekopdracht.");
        condition += " AND " + column + " LIKE '%" + p.letters + "'";
        if (!p.rest.empty())
            condition += " AND " + textIn(addressColumn) + " LIKE '% " + quoted(p.rest) + "'";
        return newText(condition + ")");
    });
}

GENLIB_EXPORT int32_t ValidPostalCode(const char* postalCode)
{
    return guard<int32_t>(kFalse, [&] {
        PostalParts p = splitPostal(postalCode);
        if (!p.fourDigits)
            return kFalse;
        if (p.onlyDigits)
            return kTrue;
        if (p.letters.size() != 2)
            return kFalse;
        return boolResult(p.rest.empty() || isDigit(p.rest[0]));
    });
}

// The house part starts at the last digit that follows a blank. When no digit follows a blank
// ("Kerkstraat12"), it starts at the last run of digits, so the house number is still found.
GENLIB_EXPORT BSTR KIXCode(const char* address, const char* postalCode)
{
    return guard<BSTR>(nullptr, [&] {
        PostalParts p = splitPostal(postalCode);
        if (!p.fourDigits || p.onlyDigits || p.letters.size() != 2)
            return newText({});
        const std::string a(trimBlanks(upperAscii(textIn(address))));
        size_t from = std::string::npos;
        for (size_t i = 1; i < a.size(); ++i)
            if (isDigit(a[i]) && a[i - 1] == ' ')
                from = i;
        if (from == std::string::npos) {
            for (size_t i = 0; i < a.size(); ++i)
                if (isDigit(a[i]) && (i == 0 || !isDigit(a[i - 1])))
                    from = i;
        }
        std::string house;
        if (from != std::string::npos) {
            house = std::string(trimBlanks(std::string_view(a).substr(from)));
            for (char& c : house)
                if (!isDigit(c) && !isUpperLetter(c))
                    c = 'X';
        }
        return newText(p.digits + p.letters + house);
    });
}
