#include "catalogdb/database.h"

#include "catalogdb/connection.h"
#include "catalogdb/jetsql.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace vandrel {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

EngineError notFound(const QString& file)
{
    return {EngineError::FileNotFound, QStringLiteral("Het bestand '%1' is niet gevonden.").arg(native(file))};
}

bool validObjectName(const QString& name)
{
    if (name.trimmed().isEmpty() || name.size() > 64 || name.startsWith(u' '))
        return false;
    for (QChar c : name)
        if (c == u'.' || c == u'!' || c == u'[' || c == u']' || c == u'`' || c.unicode() < 32)
            return false;
    return !name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

quint32 bigEndian(const unsigned char* p) { return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3]; }

} // namespace

Database::Database(std::shared_ptr<Connection> conn) : conn_(std::move(conn)), name_(conn_->path()) {}

Database::~Database() { close(); }

std::unique_ptr<Database> Database::create(const QString& file, const QString& locale)
{
    // The locale fixes the sort order and code page of text; here every text column
    // sorts and compares without regard to case, and text is stored as UTF-8.
    Q_UNUSED(locale);
    if (QFileInfo::exists(file)) {
        PendingError::set({EngineError::DatabaseExists, QStringLiteral("De database '%1' bestaat al.").arg(native(file))});
        return nullptr;
    }
    EngineError e;
    auto conn = Connection::open(file, true, false, false, e);
    if (!conn) {
        PendingError::set(e);
        return nullptr;
    }
    // Writes the header, so the file is a database from now on.
    if (!execSql(*conn, QStringLiteral("PRAGMA application_id = 1447244620"), e)) {
        PendingError::set(e);
        return nullptr;
    }
    return std::unique_ptr<Database>(new Database(conn));
}

std::unique_ptr<Database> Database::open(const QString& file, bool exclusive, bool readOnly)
{
    if (!QFileInfo(file).isFile()) {
        PendingError::set(notFound(file));
        return nullptr;
    }
    EngineError e;
    auto conn = Connection::open(file, false, exclusive, readOnly, e);
    if (!conn) {
        PendingError::set(e);
        return nullptr;
    }
    return std::unique_ptr<Database>(new Database(conn));
}

Database::FileState Database::checkFile(const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return FileState::Missing;
    if (!info.isFile())
        return FileState::Damaged;
    {
        // Opening reads the schema (and rolls back what a crash left half written). A
        // lock is not waited for: the caller tells a busy file from a damaged one first.
        EngineError e;
        auto conn = Connection::open(file, false, false, false, e, 0);
        if (!conn && e.number != EngineError::Locked)
            conn = Connection::open(file, false, false, true, e, 0);
        if (!conn)
            return FileState::Damaged;
        conn->close();
    }
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return FileState::Damaged;
    const QByteArray head = f.read(100);
    const qint64 size = f.size();
    if (head.size() < 100 || !head.startsWith(QByteArray("SQLite format 3\0", 16)))
        return FileState::Damaged;
    const auto* h = reinterpret_cast<const unsigned char*>(head.constData());
    qint64 pageSize = (h[16] << 8) | h[17];
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)))
        return FileState::Damaged;
    if (size % pageSize != 0)
        return FileState::Damaged;
    // The page count in the header is valid when its change counter matches.
    if (bigEndian(h + 24) == bigEndian(h + 92)) {
        const qint64 pages = bigEndian(h + 28);
        if (pages == 0 || pages * pageSize > size)
            return FileState::Damaged;
    }
    return FileState::Usable;
}

bool Database::compact(const QString& source, const QString& destination)
{
    if (QFileInfo::exists(destination))
        return fail({EngineError::DatabaseExists, QStringLiteral("De database '%1' bestaat al.").arg(native(destination))});
    auto db = open(source, false, true);
    if (!db)
        return false;
    EngineError e;
    sqlite3_stmt* s = db->conn_->prepareSingle(QStringLiteral("VACUUM INTO ?1"), e);
    if (!s)
        return fail(e);
    const QByteArray dst = native(destination).toUtf8();
    sqlite3_bind_text(s, 1, dst.constData(), int(dst.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        return fail(db->conn_->errorFor(rc, destination));
    return true;
}

bool Database::repair(const QString& file)
{
    auto db = open(file, true, false);
    if (!db)
        return false;
    EngineError e;
    if (!execSql(*db->conn_, QStringLiteral("REINDEX"), e) || !execSql(*db->conn_, QStringLiteral("VACUUM"), e))
        return fail(e);
    return true;
}

void Database::closeAll()
{
    for (const auto& w : Connection::registry())
        if (auto c = w.lock())
            c->close();
    Connection::registry().clear();
}

const QString& Database::name() const { return name_; }
bool Database::isOpen() const { return conn_ && conn_->isOpen(); }
bool Database::isReadOnly() const { return conn_ && conn_->readOnly(); }

void Database::close()
{
    if (conn_)
        conn_->close();
}

int Database::tableDefCount() const { return isOpen() ? int(conn_->tableNames().size()) : 0; }

std::optional<TableDef> Database::tableDef(int position) const
{
    if (!isOpen())
        return fail(conn_->closedError()), std::nullopt;
    const QStringList names = conn_->tableNames();
    if (position < 0 || position >= names.size()) {
        PendingError::set({EngineError::ItemNotFound, QStringLiteral("Tabel %1 bestaat niet.").arg(position)});
        return std::nullopt;
    }
    return tableDef(names[position]);
}

std::optional<TableDef> Database::tableDef(const QString& name) const
{
    if (!isOpen())
        return fail(conn_->closedError()), std::nullopt;
    EngineError e;
    auto info = conn_->tableInfo(name, e);
    if (!info) {
        PendingError::set(e.number == EngineError::TableNotFound
                              ? EngineError{EngineError::ItemNotFound, QStringLiteral("De tabel '%1' bestaat niet.").arg(name)}
                              : e);
        return std::nullopt;
    }
    TableDef td(info->name);
    td.stored_ = true;
    td.fields_ = info->fields;
    td.indexes_ = info->indexes;
    td.conn_ = conn_;
    return td;
}

QList<TableDef> Database::tableDefs() const
{
    QList<TableDef> list;
    if (!isOpen())
        return list;
    for (const QString& n : conn_->tableNames())
        if (auto td = tableDef(n))
            list.append(*td);
    return list;
}

bool Database::appendTableDef(TableDef& td)
{
    if (!isOpen())
        return fail(conn_->closedError());
    if (td.stored_)
        return fail({EngineError::ObjectExists, QStringLiteral("De tabel '%1' bestaat al.").arg(td.name())});
    if (!validObjectName(td.name()))
        return fail({EngineError::InvalidName, QStringLiteral("'%1' is geen geldige tabelnaam.").arg(td.name())});
    if (td.fields_.isEmpty())
        return fail({EngineError::NoFields, QStringLiteral("De tabel '%1' heeft geen velden.").arg(td.name())});
    if (!conn_->tableNames().filter(QRegularExpression(u'^' + QRegularExpression::escape(td.name()) + u'$',
                                                       QRegularExpression::CaseInsensitiveOption))
             .isEmpty())
        return fail({EngineError::ObjectExists, QStringLiteral("De tabel '%1' bestaat al.").arg(td.name())});

    // Columns of a primary index cannot hold null, as in the classic engine.
    QStringList primaryCols;
    for (const Index& ix : td.indexes_)
        if (ix.primary())
            for (const QString& f : ix.fieldList())
                primaryCols << (f.startsWith(u'-') ? f.mid(1) : f);
    QStringList defs;
    for (const Field& f : td.fields_) {
        if (!validObjectName(f.name()))
            return fail({EngineError::InvalidName, QStringLiteral("'%1' is geen geldige veldnaam.").arg(f.name())});
        QString def = JetSql::quoteName(f.name()) + u' ' + f.declaration();
        if (!f.isAutoIncrement() && primaryCols.contains(f.name(), Qt::CaseInsensitive))
            def += QStringLiteral(" NOT NULL");
        defs << def;
    }
    EngineError e;
    if (!execSql(*conn_, QStringLiteral("SAVEPOINT jet_append"), e))
        return fail(e);
    bool ok = execSql(*conn_,
                      QStringLiteral("CREATE TABLE %1 (%2)").arg(JetSql::quoteName(td.name()), defs.join(QStringLiteral(", "))), e);
    for (qsizetype i = 0; ok && i < td.indexes_.size(); ++i)
        ok = execSql(*conn_, createIndexSql(td.name(), td.indexes_[i]), e);
    EngineError ignored;
    if (!ok) {
        execSql(*conn_, QStringLiteral("ROLLBACK TO jet_append"), ignored);
        execSql(*conn_, QStringLiteral("RELEASE jet_append"), ignored);
        return fail(e);
    }
    if (!execSql(*conn_, QStringLiteral("RELEASE jet_append"), e))
        return fail(e);
    if (auto stored = tableDef(td.name()))
        td = *stored;
    return true;
}

bool Database::deleteTableDef(const QString& name)
{
    if (!isOpen())
        return fail(conn_->closedError());
    EngineError e;
    if (!execSql(*conn_, QStringLiteral("DROP TABLE ") + JetSql::quoteName(name), e))
        return fail(e);
    return true;
}

bool Database::execute(const QString& statement)
{
    recordsAffected_ = 0;
    if (!isOpen())
        return fail(conn_->closedError());
    const auto tr = JetSql::translate(statement, [this](const QString& f) { return conn_->schemaFor(f); });
    if (!tr.ok)
        return fail(tr.error);
    if (tr.kind == JetSql::Kind::Select)
        return fail({EngineError::CannotExecuteSelect, QStringLiteral("Een selectiequery kan niet worden uitgevoerd.")});
    // Without the fail-on-error option the classic engine skips the rows that would
    // break a key or a required column and carries out the rest.
    QString sql = tr.sql;
    if (tr.kind == JetSql::Kind::Insert || tr.kind == JetSql::Kind::Update) {
        static const QRegularExpression head(QStringLiteral(R"(^(INSERT|UPDATE)\b(?!\s+OR\b))"),
                                             QRegularExpression::CaseInsensitiveOption);
        sql.replace(head, QStringLiteral("\\1 OR IGNORE"));
    }
    EngineError e;
    if (!execSql(*conn_, sql, e))
        return fail(e);
    recordsAffected_ = sqlite3_changes64(conn_->handle());
    return true;
}

std::unique_ptr<Recordset> Database::openRecordset(const QString& source, Recordset::Type type, int options)
{
    return Recordset::open(conn_, source, type, options);
}

bool Database::beginTrans()
{
    if (!isOpen())
        return fail(conn_->closedError());
    EngineError e;
    const int depth = conn_->transactionDepth;
    QString sql;
    if (depth == 0)
        sql = conn_->readOnly() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
    else
        sql = QStringLiteral("SAVEPOINT jet_trans_%1").arg(depth);
    sqlite3_stmt* s = conn_->prepare(sql, e);
    if (!s)
        return fail(e);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE)
        return fail(conn_->errorFor(rc));
    ++conn_->transactionDepth;
    return true;
}

bool Database::commitTrans()
{
    if (!isOpen())
        return fail(conn_->closedError());
    const int depth = conn_->transactionDepth;
    if (depth == 0)
        return fail({EngineError::TransactionError, QStringLiteral("Vastleggen zonder begonnen transactie.")});
    EngineError e;
    sqlite3_stmt* s = conn_->prepare(depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE jet_trans_%1").arg(depth - 1), e);
    if (!s)
        return fail(e);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE)
        return fail(conn_->errorFor(rc));
    --conn_->transactionDepth;
    return true;
}

bool Database::rollback()
{
    if (!isOpen())
        return fail(conn_->closedError());
    const int depth = conn_->transactionDepth;
    if (depth == 0)
        return fail({EngineError::TransactionError, QStringLiteral("Terugdraaien zonder begonnen transactie.")});
    EngineError e;
    bool ok;
    if (depth == 1) {
        ok = execSql(*conn_, QStringLiteral("ROLLBACK"), e);
    } else {
        ok = execSql(*conn_, QStringLiteral("ROLLBACK TO jet_trans_%1").arg(depth - 1), e)
             && execSql(*conn_, QStringLiteral("RELEASE jet_trans_%1").arg(depth - 1), e);
    }
    --conn_->transactionDepth;
    return ok || fail(e);
}

bool Database::inTransaction() const { return conn_ && conn_->transactionDepth > 0; }

void Database::idle()
{
    if (!isOpen())
        return;
    // A statement left stepping would keep a shared lock on the file.
    for (sqlite3_stmt* s = sqlite3_next_stmt(conn_->handle(), nullptr); s; s = sqlite3_next_stmt(conn_->handle(), s))
        if (sqlite3_stmt_busy(s))
            sqlite3_reset(s);
}

void Database::setBulkWriting(bool on)
{
    if (!isOpen())
        return;
    sqlite3* h = conn_->handle();
    sqlite3_exec(h, on ? "PRAGMA cache_size=-65536" : "PRAGMA cache_size=-2000", nullptr, nullptr, nullptr);
    sqlite3_wal_autocheckpoint(h, on ? 4096 : 1000);
    if (!on && !inTransaction())
        sqlite3_wal_checkpoint_v2(h, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

} // namespace vandrel
