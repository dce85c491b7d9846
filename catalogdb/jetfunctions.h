#pragma once

#include <QString>

#include <optional>

struct sqlite3;

namespace vandrel {

// The dialect's functions and its LIKE, registered on every connection. In SQL they are
// jet_val, jet_mid, ... (the translator maps the dialect's names), and like() itself.
class JetFunctions {
public:
    static void registerAll(sqlite3* db);

    // LIKE with * (any text), ? (one character), # (one digit), [abc], [a-z], [!abc];
    // letter case ignored. Nullopt for a malformed pattern (an unclosed "[").
    static std::optional<bool> like(const QString& text, const QString& pattern);
    // VAL: the leading number of a text, blanks ignored, "&H"/"&O" prefixes, 0 when none.
    static double val(const QString& text);
};

} // namespace vandrel
