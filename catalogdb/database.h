#pragma once

#include "catalogdb/engineerror.h"
#include "catalogdb/recordset.h"
#include "catalogdb/tabledef.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace vandrel {

class Connection;

// A database file. Failing calls return false (or null) and set the pending error.
class Database {
public:
    // The locale text the program creates its databases with.
    static inline const QString defaultLocale = QStringLiteral(";LANGID=0x0409;CP=1252;COUNTRY=0");

    // A new, empty database; null when the file exists or cannot be created. The locale
    // is honoured by creating every text column with a case-insensitive collation.
    static std::unique_ptr<Database> create(const QString& file, const QString& locale = defaultLocale);
    // Exclusive keeps the file locked against writers of other processes for the
    // lifetime of the handle.
    static std::unique_ptr<Database> open(const QString& file, bool exclusive = false, bool readOnly = false);

    enum class FileState { Missing, Damaged, Usable };
    // No file; not a database, truncated or unreadable schema; or usable. Reads the
    // header and the schema, not every page, so it is quick on a large catalog.
    static FileState checkFile(const QString& file);

    // Copies the database into a new file, rebuilt and without free space.
    static bool compact(const QString& source, const QString& destination);
    // Rebuilds the indexes and the file in place.
    static bool repair(const QString& file);
    // Closes every open database of the process (the classic "close the workspace").
    static void closeAll();

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& name() const;
    bool isOpen() const;
    bool isReadOnly() const;
    void close();

    // Table definitions in creation order; internal tables are left out.
    int tableDefCount() const;
    std::optional<TableDef> tableDef(int position) const;
    std::optional<TableDef> tableDef(const QString& name) const; // letter case ignored
    QList<TableDef> tableDefs() const;
    TableDef createTableDef(const QString& name) const { return TableDef(name); }
    // Creates the table with its fields and indexes in one transaction.
    bool appendTableDef(TableDef& tableDef);
    bool deleteTableDef(const QString& name);

    // One statement in the engine's dialect; a SELECT is refused.
    bool execute(const QString& statement);
    qint64 recordsAffected() const { return recordsAffected_; }

    // source: a table name or a SELECT. Table recordsets need a table name.
    std::unique_ptr<Recordset> openRecordset(const QString& source, Recordset::Type type = Recordset::Dynaset,
                                             int options = 0);

    // Nested transactions become savepoints.
    bool beginTrans();
    bool commitTrans();
    bool rollback();
    bool inTransaction() const;

    // Lets go of read locks during long loops (the page cache is kept: it stays valid,
    // and throwing it away would make the next batch read every page again).
    void idle();

    // For long bulk writes such as the catalog import: a page cache that holds the
    // indexes being filled (64 MB) and log checkpoints every 16 MB instead of every 4 MB;
    // false returns to the small defaults and folds the log back into the file.
    void setBulkWriting(bool on);

    std::shared_ptr<Connection> connection() const { return conn_; }

private:
    explicit Database(std::shared_ptr<Connection> conn);
    std::shared_ptr<Connection> conn_;
    QString name_;
    qint64 recordsAffected_ = 0;
};

} // namespace vandrel
