#include "catalogdb/connection.h"

#include "catalogdb/jetfunctions.h"
#include "catalogdb/journalmode.h"
#include "catalogdb/jetsql.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vandrel {

namespace {
// A second copy of the program on the same data waits this long for a lock.
constexpr int busyTimeoutMs = 10000;

QString utf8(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

// The database header's read and write versions are 2 in write-ahead logging mode.
bool usesWriteAheadLog(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(20);
    return head.size() == 20 && head.startsWith(QByteArray("SQLite format 3\0", 16)) && head[18] == 2;
}
} // namespace

int TableInfo::fieldIndex(const QString& name) const
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (fields[i].name().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QList<std::weak_ptr<Connection>>& Connection::registry()
{
    static QList<std::weak_ptr<Connection>> list;
    return list;
}

Connection::~Connection() { close(); }

std::shared_ptr<Connection> Connection::open(const QString& path, bool create, bool exclusive,
                                             bool readOnly, EngineError& error, int busyTimeout)
{
    auto c = std::shared_ptr<Connection>(new Connection);
    c->path_ = path;
    c->readOnly_ = readOnly;
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create)
        flags |= SQLITE_OPEN_CREATE;
    // An exclusive handle keeps other writers out but lets readers in, which only the
    // rollback journal allows (in write-ahead logging an exclusive lock shuts out every
    // other copy). A read-only file still in write-ahead logging is opened writable just
    // to set the rollback journal, and then refuses writes.
    bool queryOnly = readOnly && exclusive && !create && usesWriteAheadLog(path);
    if (queryOnly)
        flags = SQLITE_OPEN_READWRITE;
    const QByteArray name = QDir::toNativeSeparators(path).toUtf8();
    int rc = sqlite3_open_v2(name.constData(), &c->db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK && queryOnly) {
        // A read-only medium: as it is.
        c->close();
        queryOnly = false;
        rc = sqlite3_open_v2(name.constData(), &c->db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    }
    if (rc != SQLITE_OK) {
        error = c->errorFor(rc, path);
        if (rc == SQLITE_CANTOPEN)
            error = {EngineError::FileNotFound,
                     QStringLiteral("Het bestand '%1' kan niet worden geopend.").arg(QDir::toNativeSeparators(path))};
        c->close();
        return nullptr;
    }
    sqlite3_extended_result_codes(c->db_, 1);
    sqlite3_busy_timeout(c->db_, busyTimeout < 0 ? busyTimeoutMs : busyTimeout);
    JetFunctions::registerAll(c->db_);
    if (queryOnly) {
        sqlite3_exec(c->db_, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        sqlite3_exec(c->db_, "PRAGMA query_only=1", nullptr, nullptr, nullptr);
    }
    if (exclusive)
        sqlite3_exec(c->db_, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
    // Reading the schema finds out whether this is a database at all (and rolls back a
    // hot journal left by a crash).
    rc = sqlite3_exec(c->db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        error = c->errorFor(rc, path);
        c->close();
        return nullptr;
    }
    // Write-ahead logging on a local disk (commits need no disk wait; a crash loses at
    // most the last commits), the rollback journal on a network share (journalmode.h).
    // An existing empty file is left alone: choosing the journal would write a database
    // header into it.
    if (!readOnly && (create || QFileInfo(path).size() > 0)) {
        if (!exclusive && journalModeFor(path) == JournalMode::WriteAheadLog) {
            sqlite3_exec(c->db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
            sqlite3_exec(c->db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
        } else {
            sqlite3_exec(c->db_, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        }
    }
    auto& reg = registry();
    reg.removeIf([](const std::weak_ptr<Connection>& w) { return w.expired(); });
    reg.append(c);
    return c;
}

void Connection::close()
{
    if (!db_)
        return;
    for (sqlite3_stmt* s : std::as_const(cache_))
        sqlite3_finalize(s);
    cache_.clear();
    // v2: statements of live recordsets are finalized by them later.
    sqlite3_close_v2(db_);
    db_ = nullptr;
    attached_.clear();
}

sqlite3_stmt* Connection::prepare(const QString& sql, EngineError& error)
{
    if (!db_) {
        error = closedError();
        return nullptr;
    }
    if (sqlite3_stmt* s = cache_.value(sql)) {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        return s;
    }
    sqlite3_stmt* s = prepareSingle(sql, error);
    if (s)
        cache_.insert(sql, s);
    return s;
}

sqlite3_stmt* Connection::prepareSingle(const QString& sql, EngineError& error)
{
    if (!db_) {
        error = closedError();
        return nullptr;
    }
    const QByteArray u = sql.toUtf8();
    sqlite3_stmt* s = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db_, u.constData(), int(u.size()), &s, &tail);
    if (rc != SQLITE_OK) {
        error = errorFor(rc);
        return nullptr;
    }
    if (tail) {
        for (; *tail; ++tail) {
            if (!isspace(static_cast<unsigned char>(*tail))) {
                sqlite3_finalize(s);
                error = {EngineError::CharactersAfterEnd,
                         QStringLiteral("Er staan tekens na het einde van de SQL-instructie.")};
                return nullptr;
            }
        }
    }
    if (!s) {
        error = {EngineError::SyntaxError, QStringLiteral("Lege SQL-instructie.")};
        return nullptr;
    }
    return s;
}

EngineError Connection::closedError() const
{
    return {EngineError::ObjectClosed, QStringLiteral("Het database-object is gesloten.")};
}

EngineError Connection::errorFor(int rc, const QString& context) const
{
    const QString msg = db_ ? utf8(sqlite3_errmsg(db_)) : utf8(sqlite3_errstr(rc));
    const QString file = QDir::toNativeSeparators(context.isEmpty() ? path_ : context);
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return {EngineError::Locked,
                QStringLiteral("De gegevens zijn vergrendeld door een andere gebruiker; probeer het later opnieuw.")};
    case SQLITE_READONLY:
        return {EngineError::ReadOnly, QStringLiteral("Kan niet bijwerken: de database of het object is alleen-lezen.")};
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return {EngineError::NotADatabase,
                QStringLiteral("'%1' is geen database of de database is beschadigd.").arg(file)};
    case SQLITE_CANTOPEN:
        return {EngineError::CannotOpen, QStringLiteral("Het bestand '%1' kan niet worden geopend.").arg(file)};
    case SQLITE_FULL:
        return {EngineError::DiskFull, QStringLiteral("De schijf is vol.")};
    case SQLITE_IOERR:
        return {EngineError::DiskError, QStringLiteral("Schijffout bij het lezen of schrijven van '%1'.").arg(file)};
    case SQLITE_CONSTRAINT:
        if (rc == SQLITE_CONSTRAINT_NOTNULL)
            return {3058, QStringLiteral("Een index of primaire sleutel kan geen lege waarde (Null) bevatten.")};
        return {EngineError::DuplicateKey,
                QStringLiteral("De wijziging is niet gelukt: ze zou dubbele waarden geven in een index of primaire sleutel.")};
    case SQLITE_TOOBIG:
        return {EngineError::FieldTooSmall, QStringLiteral("De waarde is te groot.")};
    default:
        break;
    }
    if (msg.startsWith(u"no such table"))
        return {EngineError::TableNotFound,
                QStringLiteral("De tabel '%1' is niet gevonden.").arg(msg.section(u':', 1).trimmed())};
    if (msg.startsWith(u"no such column"))
        return {3061, QStringLiteral("Onbekende kolom: %1.").arg(msg.section(u':', 1).trimmed())};
    if (msg.startsWith(u"duplicate column"))
        return {3191, QStringLiteral("De kolom bestaat al: %1.").arg(msg.section(u':', 1).trimmed())};
    if (msg.contains(u"already exists"))
        return {EngineError::ObjectExists, QStringLiteral("Het object bestaat al (%1).").arg(msg)};
    if (msg.contains(u"syntax error") || msg.contains(u"incomplete input"))
        return {EngineError::SyntaxError, QStringLiteral("Syntaxisfout in de SQL-instructie (%1).").arg(msg)};
    return {EngineError::General, QStringLiteral("Databasefout: %1.").arg(msg)};
}

QString Connection::schemaFor(const QString& file)
{
    if (!db_)
        return {};
    const QFileInfo info(file);
    if (!info.exists())
        return {};
    const QString key = info.absoluteFilePath();
    if (auto it = attached_.constFind(key); it != attached_.constEnd())
        return *it;
    const QString schema = QStringLiteral("jet_in_%1").arg(attached_.size() + 1);
    EngineError e;
    sqlite3_stmt* s = prepareSingle(QStringLiteral("ATTACH DATABASE ?1 AS ") + schema, e);
    if (!s)
        return {};
    const QByteArray path = QDir::toNativeSeparators(key).toUtf8();
    sqlite3_bind_text(s, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        return {};
    attached_.insert(key, schema);
    return schema;
}

QStringList Connection::tableNames()
{
    QStringList names;
    EngineError e;
    sqlite3_stmt* s = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                             "AND name NOT LIKE 'sqlite#_%' ESCAPE '#' ORDER BY rowid"),
                              e);
    if (!s)
        return names;
    while (sqlite3_step(s) == SQLITE_ROW)
        names.append(utf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))));
    sqlite3_reset(s);
    return names;
}

std::optional<TableInfo> Connection::tableInfo(const QString& table, EngineError& error)
{
    sqlite3_stmt* s = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                             "AND name = ?1 COLLATE NOCASE"),
                              error);
    if (!s)
        return std::nullopt;
    const QByteArray t = table.toUtf8();
    sqlite3_bind_text(s, 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    TableInfo info;
    if (sqlite3_step(s) == SQLITE_ROW)
        info.name = utf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_reset(s);
    if (info.name.isEmpty()) {
        error = {EngineError::TableNotFound, QStringLiteral("De tabel '%1' is niet gevonden.").arg(table)};
        return std::nullopt;
    }
    const QString qname = JetSql::quoteName(info.name);
    s = prepareSingle(QStringLiteral("PRAGMA table_info(%1)").arg(qname), error);
    if (!s)
        return std::nullopt;
    const std::weak_ptr<Connection> self = weak_from_this();
    while (sqlite3_step(s) == SQLITE_ROW) {
        Field f;
        f.name_ = utf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 1)));
        const QString declared = utf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 2)));
        f.type_ = Field::typeFromDeclared(declared, &f.size_);
        if (sqlite3_column_int(s, 5) == 1 && declared.compare(u"INTEGER", Qt::CaseInsensitive) == 0)
            f.attributes_ = Field::AutoIncrement;
        f.conn_ = self;
        f.table_ = info.name;
        info.fields.append(f);
    }
    sqlite3_finalize(s);

    // Indexes in creation order.
    s = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1 "
                               "ORDER BY rowid"),
                error);
    if (!s)
        return std::nullopt;
    const QByteArray tn = info.name.toUtf8();
    sqlite3_bind_text(s, 1, tn.constData(), int(tn.size()), SQLITE_TRANSIENT);
    QStringList indexNames;
    while (sqlite3_step(s) == SQLITE_ROW)
        indexNames.append(utf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))));
    sqlite3_reset(s);

    QHash<QString, bool> uniqueOf;
    s = prepareSingle(QStringLiteral("PRAGMA index_list(%1)").arg(qname), error);
    if (!s)
        return std::nullopt;
    while (sqlite3_step(s) == SQLITE_ROW)
        uniqueOf.insert(utf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 1))),
                        sqlite3_column_int(s, 2) != 0);
    sqlite3_finalize(s);

    for (const QString& sqliteName : std::as_const(indexNames)) {
        Index ix;
        const auto parsed = Index::parseSqliteName(sqliteName);
        if (parsed && parsed->table.compare(info.name, Qt::CaseInsensitive) == 0) {
            ix.name_ = parsed->name;
            ix.primary_ = parsed->primary;
        } else {
            ix.name_ = sqliteName;
        }
        ix.unique_ = uniqueOf.value(sqliteName);
        s = prepareSingle(QStringLiteral("PRAGMA index_xinfo(%1)").arg(JetSql::quoteName(sqliteName)), error);
        if (!s)
            return std::nullopt;
        while (sqlite3_step(s) == SQLITE_ROW) {
            if (sqlite3_column_int(s, 5) == 0 || sqlite3_column_int(s, 1) < 0)
                continue; // the implicit rowid column
            const QString col = utf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 2)));
            ix.fields_.append(sqlite3_column_int(s, 3) ? u'-' + col : col);
        }
        sqlite3_finalize(s);
        info.indexes.append(ix);
    }
    return info;
}

bool execSql(Connection& c, const QString& sql, EngineError& error)
{
    sqlite3_stmt* s = c.prepareSingle(sql, error);
    if (!s)
        return false;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
    }
    const bool ok = rc == SQLITE_DONE;
    if (!ok)
        error = c.errorFor(rc);
    sqlite3_finalize(s);
    return ok;
}

} // namespace vandrel
