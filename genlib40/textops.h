// Text algorithms shared by several export families (the splitter, the replacement and the
// hexadecimal expansion are used by the SQL, search and serial helpers as well).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace genlib {

// Case folding touches "a"-"z" / "A"-"Z" only, whatever the code page holds beyond them.
char upperChar(char c);
char lowerChar(char c);
std::string upperAscii(std::string_view s);
std::string lowerAscii(std::string_view s);
bool equalNoCase(std::string_view a, std::string_view b);
bool isDigit(char c);
bool isUpperLetter(char c);

// Leading and trailing blanks (code 32) removed.
std::string_view trimBlanks(std::string_view s);

// Position of needle in hay at or after from, ignoring case; npos when absent or empty.
size_t findNoCase(std::string_view hay, std::string_view needle, size_t from = 0);

// Replacement with a case-insensitive search; maximum <= 0 means no limit. With restart each
// search starts again at the beginning.
std::string replaceText(std::string_view text, std::string_view find, std::string_view replacement,
                        long maximum = 0, bool restart = false);

// Word splitting: separator outside double quotes splits, quotes group and are dropped. At
// most capacity words are taken; the splitting stops at the first word that does not fit.
std::vector<std::string> splitWords(std::string_view text, std::string_view separator,
                                    size_t capacity);

// Brace groups of hexadecimal byte values expanded into those bytes.
std::string expandHex(std::string_view text);

} // namespace genlib
