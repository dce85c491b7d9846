// The "##.###" mask of the system version text: digits only where the number has them, at
// most three decimals. A whole number is written without a decimal point ("6", not "6.").
#pragma once

#include <cstdio>
#include <string>

namespace genlib {

inline std::string versionText(unsigned major, unsigned minor)
{
    const double value = double(major) + double(minor) / 100.0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    std::string s = buffer;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    if (s.size() > 1 && s[0] == '0' && s[1] == '.')
        s.erase(0, 1); // "#" before the point: no leading zero
    return s;
}

} // namespace genlib
