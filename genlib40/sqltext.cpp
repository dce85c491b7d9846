// SQL string literals and the rounded currency-conversion column.
#include "abi.h"
#include "textops.h"

#include <cmath>
#include <cstdio>

using namespace genlib;

GENLIB_EXPORT BSTR SQLText(const char* text, int32_t wildcards)
{
    return guard<BSTR>(nullptr, [&] {
        std::string s = textIn(text);
        if (wildcards)
            s = "%" + s + "%";
        std::string out = "'";
        for (char c : s) {
            if (c == '\'')
                out += "''";
            else if (c == '"')
                out += "' + CHAR(34) + '";
            else
                out += c;
        }
        out += "'";
        return newText(out);
    });
}

namespace {

// The rate rounded to six decimals in plain decimal notation, "." as the decimal point
// whatever the locale, no trailing zeros.
std::string rateText(double rate)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.6f", rate);
    std::string s = buffer;
    size_t point = s.find('.');
    if (point != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return s;
}

} // namespace

// Built in one pass rather than by filling in a template, so a column or alias that itself
// holds "|1" or "|2" comes out as given.
GENLIB_EXPORT BSTR SQLCurText(const char* field, double rate, const char* alias)
{
    return guard<BSTR>(nullptr, [&] {
        if (!std::isfinite(rate))
            return newText({}); // no SQL number for it
        const std::string column = textIn(field);
        std::string name = textIn(alias);
        if (name.empty())
            name = column;
        return newText(" ROUND(" + column + " / " + rateText(rate) + ",2) As " + name + " ");
    });
}
