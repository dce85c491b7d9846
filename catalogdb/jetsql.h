#pragma once

#include "catalogdb/engineerror.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace vandrel {

// Translates the classic engine's SQL dialect, as the program and the user's free
// conditions write it, into SQLite SQL. Pure text work: the only outside knowledge is
// the schema name under which a file named by "IN '<file>'" is attached, which the
// caller supplies.
//
// What it does: "DELETE * FROM" and "DELETE t.* FROM"; "TOP n" (a trailing LIMIT);
// [names] and `names`; "..." text; #date# literals (stored form "yyyy-MM-dd HH:mm:ss");
// TRUE/FALSE as -1/0; & as null-tolerant concatenation; MOD; the dialect's functions
// (VAL, MID, LEFT, RIGHT, LEN, UCASE, LCASE, TRIM, IIF, NZ) mapped to the jet_* SQL
// functions; text literals compared without regard to case; "table IN '<file>'";
// type names in CREATE/ALTER TABLE. LIKE keeps its form: the connection's like()
// understands * ? # [...]. A second statement after ";" is an error, never run.
class JetSql {
public:
    enum class Kind { Select, Insert, Update, Delete, Create, Alter, Drop, Other };

    struct Result {
        bool ok = false;
        QString sql;
        Kind kind = Kind::Other;
        EngineError error;
    };

    // Maps a database file to the schema name it is (or will be) attached under.
    using SchemaForFile = std::function<QString(const QString& file)>;

    // A whole statement.
    static Result translate(const QString& statement, const SchemaForFile& schemaFor = {});
    // A condition or expression (FindFirst criteria, a free WHERE condition).
    static Result translateExpression(const QString& expression,
                                      const SchemaForFile& schemaFor = {});

    // A SELECT of one table without grouping, union, DISTINCT or aggregates: its parts,
    // translated. Null for anything else (or a statement that does not translate).
    struct SimpleSelect {
        QString list;  // the select list
        QString table; // the table's name
        QString alias; // empty when none
        QString tail;  // WHERE and ORDER BY clauses, possibly empty
    };
    static std::optional<SimpleSelect> simpleSelect(const QString& statement, const SchemaForFile& schemaFor = {});

    // "'" + text with apostrophes doubled + "'".
    static QString quoteText(const QString& text);
    // A name in SQLite's double quotes.
    static QString quoteName(const QString& name);
    // A date/time in the stored form.
    static QString dateText(const QDateTime& value);
};

} // namespace vandrel
