#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace vandrel {

class Database;

// The catalog database's own note of its last import, in table "ImportStatus" (one row),
// so it travels with the data: written "bezig" before the first article is stored and
// "gereed" once the scan file is rebuilt. An import that was cut off (killed, power
// lost, stopped by a damaged database) leaves "bezig" behind, and the next start offers
// to run it again.
class ImportRecord {
public:
    static const QString tableName;

    struct Entry {
        bool finished = false;
        QString directory; // the import directory, ending in a separator
        bool updateMode = false;
        QDateTime started;
        QDateTime ended; // invalid while under way
        qint64 articles = 0;
    };

    // Notes that an import from directory begins (committed at once). False when the
    // note cannot be written (the pending error is set).
    static bool markStarted(Database& catalog, const QString& directory, bool updateMode);
    // Notes that the import finished, with its article count.
    static bool markFinished(Database& catalog, qint64 articles);
    // The last note; nullopt when the database holds none (never imported by this
    // program, or the table cannot be read).
    static std::optional<Entry> read(Database& catalog);
    // The last import was begun and never finished.
    static bool interrupted(Database& catalog);
};

} // namespace vandrel
