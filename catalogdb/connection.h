#pragma once

#include "catalogdb/engineerror.h"
#include "catalogdb/field.h"
#include "catalogdb/index.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace vandrel {

// What the engine layer knows of a stored table.
struct TableInfo {
    QString name; // as stored
    QList<Field> fields;
    QList<Index> indexes;
    int fieldIndex(const QString& name) const; // letter case ignored; -1 when absent
};

// One SQLite connection, shared by a Database and the recordsets opened on it, so a
// recordset that outlives its database fails cleanly instead of crashing.
class Connection : public std::enable_shared_from_this<Connection> {
public:
    ~Connection();
    // busyTimeoutMs: how long a lock held by another connection is waited for (-1: the
    // program's usual wait).
    static std::shared_ptr<Connection> open(const QString& path, bool create, bool exclusive,
                                            bool readOnly, EngineError& error, int busyTimeoutMs = -1);

    sqlite3* handle() const { return db_; }
    bool isOpen() const { return db_ != nullptr; }
    const QString& path() const { return path_; }
    bool readOnly() const { return readOnly_; }
    void close();

    // A prepared statement from the cache, reset and unbound. Null on error (error set).
    sqlite3_stmt* prepare(const QString& sql, EngineError& error);
    // Prepares sql that must hold exactly one statement (not cached).
    sqlite3_stmt* prepareSingle(const QString& sql, EngineError& error);

    // The error for the connection's last SQLite failure.
    EngineError errorFor(int rc, const QString& context = QString()) const;
    EngineError closedError() const;

    // Schema under which a file of "IN '<file>'" is attached; empty on failure.
    QString schemaFor(const QString& file);

    std::optional<TableInfo> tableInfo(const QString& table, EngineError& error);
    QStringList tableNames(); // in creation order, internal tables left out

    int transactionDepth = 0;
    int tempCounter = 0;

    static QList<std::weak_ptr<Connection>>& registry();

private:
    sqlite3* db_ = nullptr;
    QString path_;
    bool readOnly_ = false;
    QHash<QString, sqlite3_stmt*> cache_;
    QHash<QString, QString> attached_;
};

// Runs a statement that returns no rows; false with error set on failure.
bool execSql(Connection& c, const QString& sql, EngineError& error);

// Sets the pending error and returns false; for one-line error paths.
inline bool fail(const EngineError& e)
{
    PendingError::set(e);
    return false;
}

} // namespace vandrel
