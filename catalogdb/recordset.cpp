#include "catalogdb/recordset.h"

#include "catalogdb/connection.h"
#include "catalogdb/jetsql.h"

#include "app/core/currency.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QHash>
#include <QLocale>

#include <cmath>
#include <limits>
#include <unordered_set>
#include <vector>

namespace vandrel {

namespace {


double roundCurrency(double v) { return std::round(v * 10000.0) / 10000.0; }

struct Column {
    QString name;
    int type = 0;      // 0: not known (an expression)
    int size = 0;
    QString baseName;  // column of the base table; empty: not updatable
    bool autoIncrement = false;
};

// A column value as SQLite gave it; converted only when someone reads it.
struct RawValue {
    int kind = SQLITE_NULL;
    qint64 i = 0;
    double d = 0;
    qsizetype offset = 0; // text and binary: place in the row's byte store
    qsizetype length = 0;
};

QDateTime parseStoredDate(QByteArrayView t)
{
    // Fast path for the stored form "yyyy-MM-dd HH:mm:ss".
    const char* p = t.constData();
    auto num = [&](int at, int n) {
        int v = 0;
        for (int k = 0; k < n; ++k) {
            const char c = p[at + k];
            if (c < '0' || c > '9')
                return -1;
            v = v * 10 + (c - '0');
        }
        return v;
    };
    if (t.size() == 19 && p[4] == '-' && p[7] == '-' && p[10] == ' ' && p[13] == ':' && p[16] == ':') {
        const QDate date(num(0, 4), num(5, 2), num(8, 2));
        const QTime time(num(11, 2), num(14, 2), num(17, 2));
        if (date.isValid() && time.isValid())
            return QDateTime(date, time);
    }
    return QDateTime::fromString(QString::fromUtf8(t), Qt::ISODate);
}

QVariant wholeNumber(qint64 v)
{
    if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
        return QVariant(int(v));
    return QVariant(qlonglong(v));
}

QVariant convert(const RawValue& r, const QByteArray& store, int type)
{
    const QByteArrayView bytes(store.constData() + r.offset, r.length);
    const int st = r.kind;
    if (st == SQLITE_NULL)
        return {};
    const bool numeric = st == SQLITE_INTEGER || st == SQLITE_FLOAT;
    const double asDouble = st == SQLITE_INTEGER ? double(r.i) : r.d;
    switch (type) {
    case Field::YesNo:
        if (numeric)
            return QVariant(asDouble != 0);
        break;
    case Field::Byte:
    case Field::Integer:
    case Field::Long:
        if (numeric)
            return wholeNumber(st == SQLITE_INTEGER ? r.i : qint64(r.d));
        break;
    case Field::Currency:
        if (numeric)
            return QVariant(roundCurrency(asDouble));
        break;
    case Field::Single:
    case Field::Double:
        if (numeric)
            return QVariant(asDouble);
        break;
    case Field::DateTime:
        if (st == SQLITE_TEXT) {
            const QDateTime dt = parseStoredDate(bytes);
            if (dt.isValid())
                return dt;
        }
        break;
    case Field::LongBinary:
        if (st == SQLITE_BLOB || st == SQLITE_TEXT)
            return bytes.toByteArray();
        break;
    default:
        break;
    }
    switch (st) {
    case SQLITE_INTEGER:
        return wholeNumber(r.i);
    case SQLITE_FLOAT:
        return r.d;
    case SQLITE_BLOB:
        if (type != Field::Text && type != Field::Memo)
            return bytes.toByteArray();
        [[fallthrough]];
    default:
        return QString::fromUtf8(bytes);
    }
}

// The current row: raw values, converted on first read.
class LazyRow {
public:
    void assign(const QList<Column>* cols, size_t n)
    {
        cols_ = cols;
        raw_.assign(n, RawValue());
        conv_.assign(n, QVariant());
        done_.assign(n, 1);
    }
    size_t size() const { return raw_.size(); }
    void capture(sqlite3_stmt* s, int first);
    // Only the given columns, read from statement columns first, first + 1, ...; the
    // others become null.
    void captureColumns(sqlite3_stmt* s, int first, const QList<int>& columns);
    void clear()
    {
        for (size_t i = 0; i < raw_.size(); ++i) {
            raw_[i].kind = SQLITE_NULL;
            conv_[i] = QVariant();
            done_[i] = 1;
        }
    }
    bool isNull(int i) const { return raw_[i].kind == SQLITE_NULL; }
    const QVariant& operator[](int i) const;
    std::vector<QVariant> all() const
    {
        std::vector<QVariant> out(raw_.size());
        for (size_t i = 0; i < raw_.size(); ++i)
            out[i] = (*this)[int(i)];
        return out;
    }

private:
    const QList<Column>* cols_ = nullptr;
    std::vector<RawValue> raw_;
    mutable std::vector<QVariant> conv_;
    mutable std::vector<char> done_;
    QByteArray store_; // the text and binary bytes of the row, one after the other
    void captureOne(RawValue& r, sqlite3_stmt* s, int c);
};

void LazyRow::captureOne(RawValue& r, sqlite3_stmt* s, int c)
{
    r.kind = sqlite3_column_type(s, c);
    switch (r.kind) {
    case SQLITE_INTEGER:
        r.i = sqlite3_column_int64(s, c);
        break;
    case SQLITE_FLOAT:
        r.d = sqlite3_column_double(s, c);
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const char* p = r.kind == SQLITE_TEXT ? reinterpret_cast<const char*>(sqlite3_column_text(s, c))
                                              : static_cast<const char*>(sqlite3_column_blob(s, c));
        r.offset = store_.size();
        r.length = sqlite3_column_bytes(s, c);
        store_.append(p, r.length);
        break;
    }
    default:
        break;
    }
}

void LazyRow::capture(sqlite3_stmt* s, int first)
{
    store_.resize(0); // keeps its capacity: no allocation per row
    for (size_t i = 0; i < raw_.size(); ++i) {
        captureOne(raw_[i], s, first + int(i));
        done_[i] = 0;
    }
}

void LazyRow::captureColumns(sqlite3_stmt* s, int first, const QList<int>& columns)
{
    store_.resize(0);
    for (size_t i = 0; i < raw_.size(); ++i) {
        raw_[i].kind = SQLITE_NULL;
        done_[i] = 0;
    }
    for (qsizetype k = 0; k < columns.size(); ++k)
        captureOne(raw_[size_t(columns[k])], s, first + int(k));
}

const QVariant& LazyRow::operator[](int i) const
{
    if (!done_[i]) {
        conv_[i] = convert(raw_[i], store_, (*cols_)[i].type);
        done_[i] = 1;
    }
    return conv_[i];
}

std::optional<double> toNumber(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<Currency>())
        return v.value<Currency>().toDouble();
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        bool ok = false;
        double d = QLocale::c().toDouble(t, &ok);
        if (!ok)
            d = QLocale().toDouble(t, &ok);
        if (!ok)
            return std::nullopt;
        return d;
    }
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

EngineError mismatch(const QString& field)
{
    return {EngineError::DataTypeMismatch,
            QStringLiteral("De waarde past niet bij het gegevenstype van veld '%1'.").arg(field)};
}

// Binds a value the way the column stores it; an error when it does not fit.
std::optional<EngineError> bindValue(sqlite3_stmt* s, int idx, const QVariant& v, const Column& c)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(s, idx);
        return std::nullopt;
    }
    switch (c.type) {
    case Field::YesNo: {
        bool truth;
        if (v.typeId() == QMetaType::QString) {
            const QString t = v.toString().trimmed();
            if (t.compare(u"true", Qt::CaseInsensitive) == 0 || t.compare(u"yes", Qt::CaseInsensitive) == 0)
                truth = true;
            else if (t.compare(u"false", Qt::CaseInsensitive) == 0 || t.compare(u"no", Qt::CaseInsensitive) == 0)
                truth = false;
            else if (auto d = toNumber(v))
                truth = *d != 0;
            else
                return mismatch(c.name);
        } else {
            auto d = toNumber(v);
            if (!d)
                return mismatch(c.name);
            truth = *d != 0;
        }
        sqlite3_bind_int(s, idx, truth ? -1 : 0);
        return std::nullopt;
    }
    case Field::Byte:
    case Field::Integer:
    case Field::Long: {
        auto d = toNumber(v);
        if (!d)
            return mismatch(c.name);
        const double r = std::nearbyint(*d);
        const double lo = c.type == Field::Byte ? 0 : c.type == Field::Integer ? -32768 : -2147483648.0;
        const double hi = c.type == Field::Byte ? 255 : c.type == Field::Integer ? 32767 : 2147483647.0;
        if (!(r >= lo && r <= hi))
            return EngineError{EngineError::NumericOverflow,
                               QStringLiteral("De waarde is te groot voor veld '%1'.").arg(c.name)};
        sqlite3_bind_int64(s, idx, qint64(r));
        return std::nullopt;
    }
    case Field::Currency: {
        auto d = toNumber(v);
        if (!d || !std::isfinite(*d) || std::fabs(*d) > 922337203685477.0)
            return mismatch(c.name);
        sqlite3_bind_double(s, idx, roundCurrency(*d));
        return std::nullopt;
    }
    case Field::Single:
    case Field::Double: {
        auto d = toNumber(v);
        if (!d)
            return mismatch(c.name);
        sqlite3_bind_double(s, idx, *d);
        return std::nullopt;
    }
    case Field::DateTime: {
        QDateTime dt;
        if (v.typeId() == QMetaType::QDate)
            dt = QDateTime(v.toDate(), QTime(0, 0));
        else if (v.typeId() == QMetaType::QDateTime)
            dt = v.toDateTime();
        else if (v.typeId() == QMetaType::QString) {
            const QString t = v.toString().trimmed();
            dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!dt.isValid())
                dt = QDateTime::fromString(t, Qt::ISODate);
            if (!dt.isValid())
                dt = QDateTime(QLocale().toDate(t, QLocale::ShortFormat), QTime(0, 0));
        }
        if (!dt.isValid())
            return mismatch(c.name);
        const QByteArray u = JetSql::dateText(dt).toUtf8();
        sqlite3_bind_text(s, idx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        return std::nullopt;
    }
    case Field::LongBinary: {
        const QByteArray b = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
        sqlite3_bind_blob64(s, idx, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
        return std::nullopt;
    }
    case Field::Text: {
        const QString t = v.toString();
        if (c.size > 0 && t.size() > c.size)
            return EngineError{EngineError::FieldTooSmall,
                               QStringLiteral("Het veld '%1' is te klein voor de ingevoerde gegevens (ten hoogste %2 tekens).")
                                   .arg(c.name)
                                   .arg(c.size)};
        const QByteArray u = t.toUtf8();
        sqlite3_bind_text(s, idx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        return std::nullopt;
    }
    default: {
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Short:
            sqlite3_bind_int64(s, idx, v.toLongLong());
            break;
        case QMetaType::Bool:
            sqlite3_bind_int(s, idx, v.toBool() ? -1 : 0);
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(s, idx, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            sqlite3_bind_blob64(s, idx, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray u = v.toString().toUtf8();
            sqlite3_bind_text(s, idx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        }
        }
        return std::nullopt;
    }
    }
}

void bindPlain(sqlite3_stmt* s, int idx, const QVariant& v)
{
    Column any;
    bindValue(s, idx, v, any);
}

EngineError noCurrent() { return {EngineError::NoCurrentRecord, QStringLiteral("Er is geen huidige record.")}; }
EngineError notSupported()
{
    return {EngineError::NotSupported, QStringLiteral("Deze bewerking wordt niet ondersteund voor dit soort recordset.")};
}

} // namespace

struct RecordsetImpl {
    enum Mode { TableMode, KeysetMode, TempMode };

    std::shared_ptr<Connection> conn;
    Recordset::Type type = Recordset::Dynaset;
    Mode mode = KeysetMode;
    bool readOnly = false;
    QString source;
    int options = 0;

    QString table;      // base table (as stored) or temp table
    QString qtable;     // quoted, with schema
    QString ref;        // qualifier of rowid in keyset statements
    QString fromClause; // keyset: table [alias]
    QString rowSql;     // keyset/temp: row by rowid
    QString selectList; // keyset: the select list
    QString createSql;  // temp: the statement whose rows are copied
    TableInfo info;     // base table
    QList<Column> cols;
    QHash<QString, int> byName;

    // Current row.
    bool valid = false;
    bool deleted = false;
    qint64 rowid = 0;
    LazyRow row;
    bool atBof = true;
    bool atEof = true;

    // Keyset/temp.
    std::vector<qint64> keys;
    qint64 pos = -1;
    sqlite3_stmt* rowStmt = nullptr;

    // Table mode.
    QString indexName;
    QList<int> keyCols; // positions in cols
    QString selectCols;
    QString order, orderDesc;
    QHash<quint32, sqlite3_stmt*> stmts;
    bool noMatch = false;
    qint64 countCache = -1;

    // Editing.
    Recordset::EditMode editMode = Recordset::EditMode::None;
    std::vector<QVariant> buffer;
    std::vector<char> dirty;
    qint64 editRowid = 0;
    qint64 lastModified = 0;
    QHash<QByteArray, sqlite3_stmt*> writeStmts;

    ~RecordsetImpl()
    {
        // The recordset owns its statements (also after its database has closed: the
        // connection lingers until they are finalized).
        for (sqlite3_stmt* s : std::as_const(stmts))
            sqlite3_finalize(s);
        for (sqlite3_stmt* s : std::as_const(writeStmts))
            sqlite3_finalize(s);
        sqlite3_finalize(rowStmt);
        if (mode == TempMode && conn && conn->isOpen()) {
            EngineError e;
            execSql(*conn, QStringLiteral("DROP TABLE IF EXISTS temp.") + JetSql::quoteName(table), e);
        }
    }

    bool alive() const
    {
        if (conn && conn->isOpen())
            return true;
        PendingError::set({EngineError::ObjectClosed, QStringLiteral("Het database-object is gesloten.")});
        return false;
    }

    void setColumns()
    {
        byName.clear();
        for (int i = 0; i < cols.size(); ++i)
            if (!byName.contains(cols[i].name))
                byName.insert(cols[i].name, i);
        row.assign(&cols, size_t(cols.size()));
    }

    int fieldIndex(const QString& name) const
    {
        if (auto it = byName.constFind(name); it != byName.constEnd())
            return *it;
        for (int i = 0; i < cols.size(); ++i)
            if (cols[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot > 0)
            return fieldIndex(name.mid(dot + 1));
        return -1;
    }

    template <typename MakeSql>
    sqlite3_stmt* cached(quint32 key, MakeSql&& sql)
    {
        if (sqlite3_stmt* s = stmts.value(key)) {
            sqlite3_reset(s);
            sqlite3_clear_bindings(s);
            return s;
        }
        EngineError e;
        sqlite3_stmt* s = conn->prepareSingle(sql(), e);
        if (!s) {
            PendingError::set(e);
            return nullptr;
        }
        stmts.insert(key, s);
        return s;
    }

    // Reads the row the statement stands on: rowid in column 0, values after it.
    void takeRow(sqlite3_stmt* s, int first)
    {
        rowid = sqlite3_column_int64(s, 0);
        row.capture(s, first);
        valid = true;
        deleted = false;
    }

    // Table mode: runs a positioning statement; true when it found a row.
    bool stepTable(sqlite3_stmt* s)
    {
        const int rc = sqlite3_step(s);
        bool found = false;
        if (rc == SQLITE_ROW) {
            takeRow(s, 1);
            found = true;
        } else if (rc != SQLITE_DONE) {
            PendingError::set(conn->errorFor(rc));
        }
        sqlite3_reset(s);
        return found;
    }

    QString keyName(int k) const { return JetSql::quoteName(cols[keyCols[k]].name); }

    // Rows strictly after (or before) the current key in index order.
    QString beyond(bool after, const std::vector<bool>& nulls) const
    {
        const int n = int(keyCols.size());
        bool anyNull = false;
        for (bool b : nulls)
            anyNull |= b;
        if (after && !anyNull) {
            QStringList k, p;
            for (int i = 0; i < n; ++i) {
                k << keyName(i);
                p << QStringLiteral("?");
            }
            k << QStringLiteral("rowid");
            p << QStringLiteral("?");
            return u'(' + k.join(u',') + QStringLiteral(") > (") + p.join(u',') + u')';
        }
        QString expr = after ? QStringLiteral("rowid > ?") : QStringLiteral("rowid < ?");
        for (int i = n - 1; i >= 0; --i) {
            const QString c = keyName(i);
            if (after)
                expr = nulls[i] ? QStringLiteral("(%1 IS NOT NULL OR (%1 IS NULL AND %2))").arg(c, expr)
                                : QStringLiteral("(%1 > ? OR (%1 = ? AND %2))").arg(c, expr);
            else
                expr = nulls[i] ? QStringLiteral("(%1 IS NULL AND %2)").arg(c, expr)
                                : QStringLiteral("(%1 < ? OR %1 IS NULL OR (%1 = ? AND %2))").arg(c, expr);
        }
        return expr;
    }

    void bindBeyond(sqlite3_stmt* s, bool after, bool rowValue, const std::vector<bool>& nulls)
    {
        int idx = 1;
        const int n = int(keyCols.size());
        if (rowValue) {
            for (int i = 0; i < n; ++i)
                bindPlain(s, idx++, row[keyCols[i]]);
        } else {
            // Nested form: per non-null key column two parameters, outermost first.
            for (int i = 0; i < n; ++i) {
                if (nulls[i])
                    continue;
                bindPlain(s, idx++, row[keyCols[i]]);
                bindPlain(s, idx++, row[keyCols[i]]);
            }
        }
        Q_UNUSED(after);
        sqlite3_bind_int64(s, idx, rowid);
    }

    bool tableStep(bool forward)
    {
        std::vector<bool> nulls(keyCols.size());
        quint32 mask = 0;
        for (int i = 0; i < keyCols.size(); ++i) {
            nulls[i] = row.isNull(keyCols[i]);
            if (nulls[i])
                mask |= 1u << i;
        }
        const bool rowValue = forward && mask == 0;
        const quint32 key = (forward ? 0x01000000u : 0x02000000u) | mask;
        sqlite3_stmt* s = cached(key, [&] {
            return QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1")
                .arg(selectCols, qtable, beyond(forward, nulls), forward ? order : orderDesc);
        });
        if (!s)
            return false;
        bindBeyond(s, forward, rowValue, nulls);
        return stepTable(s);
    }

    bool tableEnd(bool first)
    {
        sqlite3_stmt* s = cached(first ? 0x03000000u : 0x04000000u, [&] {
            return QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 LIMIT 1").arg(selectCols, qtable, first ? order : orderDesc);
        });
        return s && stepTable(s);
    }

    bool tableByRowid(qint64 id)
    {
        sqlite3_stmt* s = cached(0x05000000u, [&] {
            return QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(selectCols, qtable);
        });
        if (!s)
            return false;
        sqlite3_bind_int64(s, 1, id);
        return stepTable(s);
    }

    void setOrder()
    {
        QStringList asc, desc;
        for (int i = 0; i < keyCols.size(); ++i) {
            asc << keyName(i);
            desc << keyName(i) + QStringLiteral(" DESC");
        }
        asc << QStringLiteral("rowid");
        desc << QStringLiteral("rowid DESC");
        order = asc.join(QStringLiteral(", "));
        orderDesc = desc.join(QStringLiteral(", "));
        for (sqlite3_stmt* s : std::as_const(stmts))
            sqlite3_finalize(s);
        stmts.clear();
    }

    // Keyset/temp: loads the row at pos.
    bool fetchAt(qint64 p)
    {
        p = std::clamp<qint64>(p, -1, qint64(keys.size()));
        pos = p;
        atBof = p < 0;
        atEof = p >= qint64(keys.size());
        valid = false;
        deleted = false;
        if (atBof || atEof)
            return false;
        if (!rowStmt) {
            EngineError e;
            rowStmt = conn->prepareSingle(rowSql, e);
            if (!rowStmt) {
                PendingError::set(e);
                return false;
            }
        }
        sqlite3_reset(rowStmt);
        sqlite3_bind_int64(rowStmt, 1, keys[p]);
        const int rc = sqlite3_step(rowStmt);
        if (rc == SQLITE_ROW) {
            row.capture(rowStmt, 0);
            rowid = keys[p];
            valid = true;
        } else {
            // Deleted meanwhile, perhaps by another copy of the program.
            row.clear();
            rowid = keys[p];
            deleted = true;
            if (rc != SQLITE_DONE)
                PendingError::set(conn->errorFor(rc));
        }
        sqlite3_reset(rowStmt);
        return valid;
    }

    bool createTemp()
    {
        EngineError e;
        execSql(*conn, QStringLiteral("DROP TABLE IF EXISTS ") + qtable, e);
        if (!execSql(*conn, QStringLiteral("CREATE TEMP TABLE %1 AS %2").arg(JetSql::quoteName(table), createSql), e))
            return fail(e);
        return true;
    }

    bool loadKeys(const QString& sql)
    {
        keys.clear();
        EngineError e;
        sqlite3_stmt* s = conn->prepareSingle(sql, e);
        if (!s) {
            PendingError::set(e);
            return false;
        }
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW)
            keys.push_back(sqlite3_column_int64(s, 0));
        sqlite3_finalize(s);
        if (rc != SQLITE_DONE) {
            PendingError::set(conn->errorFor(rc));
            return false;
        }
        return true;
    }

    bool run();
    bool writeRow();
};

bool RecordsetImpl::run()
{
    editMode = Recordset::EditMode::None;
    valid = false;
    noMatch = false;
    countCache = -1;
    if (mode == TableMode) {
        atBof = atEof = false;
        if (!tableEnd(true))
            atBof = atEof = true;
        return true;
    }
    bool ok;
    if (mode == KeysetMode) {
        ok = loadKeys(QStringLiteral("SELECT %1.rowid FROM %2 %3").arg(ref, fromClause, source));
    } else {
        ok = loadKeys(QStringLiteral("SELECT rowid FROM temp.%1 ORDER BY rowid").arg(JetSql::quoteName(table)));
    }
    if (!ok)
        return false;
    fetchAt(0);
    if (keys.empty())
        atBof = atEof = true;
    return true;
}

bool RecordsetImpl::writeRow()
{
    QByteArray mask(int(cols.size()) + 1, '0');
    mask[0] = editMode == Recordset::EditMode::AddNew ? 'A' : 'E';
    for (int i = 0; i < cols.size(); ++i)
        if (dirty[i])
            mask[i + 1] = '1';
    sqlite3_stmt* s = writeStmts.value(mask);
    if (s) {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    } else {
        QStringList names, params;
        for (int i = 0; i < cols.size(); ++i)
            if (dirty[i]) {
                names << JetSql::quoteName(cols[i].baseName);
                params << QStringLiteral("?");
            }
        const QString base = JetSql::quoteName(info.name);
        QString sql;
        if (editMode == Recordset::EditMode::AddNew) {
            sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(base)
                                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                        .arg(base, names.join(u','), params.join(u','));
        } else {
            QStringList sets;
            for (const QString& n : std::as_const(names))
                sets << n + QStringLiteral(" = ?");
            if (sets.isEmpty())
                return true;
            sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(base, sets.join(u','));
        }
        EngineError e;
        s = conn->prepareSingle(sql, e);
        if (!s)
            return fail(e);
        writeStmts.insert(mask, s);
    }
    int idx = 1;
    for (int i = 0; i < cols.size(); ++i) {
        if (!dirty[i])
            continue;
        if (auto e = bindValue(s, idx++, buffer[i], cols[i])) {
            sqlite3_reset(s);
            return fail(*e);
        }
    }
    if (editMode == Recordset::EditMode::Edit)
        sqlite3_bind_int64(s, idx, editRowid);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE)
        return fail(conn->errorFor(rc));
    if (editMode == Recordset::EditMode::AddNew)
        lastModified = sqlite3_last_insert_rowid(conn->handle());
    else
        lastModified = editRowid;
    return true;
}

// ---------------------------------------------------------------------------------------

std::unique_ptr<Recordset> Recordset::open(const std::shared_ptr<Connection>& conn, const QString& source, Type type,
                                           int options)
{
    if (!conn || !conn->isOpen()) {
        PendingError::set({EngineError::ObjectClosed, QStringLiteral("Het database-object is gesloten.")});
        return nullptr;
    }
    auto d = std::make_unique<RecordsetImpl>();
    d->conn = conn;
    d->type = type;
    d->options = options;
    d->readOnly = (options & ReadOnly) || conn->readOnly();
    const QString src = source.trimmed();
    const bool isName = !src.contains(u' ') || (src.startsWith(u'[') && src.endsWith(u']') && src.count(u']') == 1);
    QString tableName = src;
    if (tableName.startsWith(u'[') && tableName.endsWith(u']'))
        tableName = tableName.mid(1, tableName.size() - 2);
    EngineError e;

    auto baseColumns = [&](const TableInfo& info) {
        d->cols.clear();
        for (const Field& f : info.fields) {
            Column c;
            c.name = f.name();
            c.type = f.type();
            c.size = f.type() == Field::Text ? f.size() : 0;
            c.baseName = f.name();
            c.autoIncrement = f.isAutoIncrement();
            d->cols.append(c);
        }
    };

    if (type == Table) {
        if (!isName) {
            PendingError::set({EngineError::NotSupported,
                               QStringLiteral("Een tabel-recordset kan alleen op een tabel worden geopend.")});
            return nullptr;
        }
        auto info = conn->tableInfo(tableName, e);
        if (!info) {
            PendingError::set(e);
            return nullptr;
        }
        d->mode = RecordsetImpl::TableMode;
        d->info = *info;
        d->table = info->name;
        d->qtable = JetSql::quoteName(info->name);
        baseColumns(*info);
        QStringList sel{QStringLiteral("rowid")};
        for (const Column& c : std::as_const(d->cols))
            sel << JetSql::quoteName(c.name);
        d->selectCols = sel.join(QStringLiteral(", "));
        d->setColumns();
        d->setOrder();
    } else {
        const QString statement = isName ? QStringLiteral("SELECT * FROM [%1]").arg(tableName) : src;
        auto schemaFor = [&](const QString& f) { return conn->schemaFor(f); };
        const auto tr = JetSql::translate(statement, schemaFor);
        if (!tr.ok) {
            PendingError::set(tr.error);
            return nullptr;
        }
        if (tr.kind != JetSql::Kind::Select) {
            PendingError::set({EngineError::SyntaxError,
                               QStringLiteral("Een recordset vraagt een SELECT-instructie of een tabelnaam.")});
            return nullptr;
        }
        const auto simple = JetSql::simpleSelect(statement, schemaFor);
        std::optional<TableInfo> info;
        if (simple)
            info = conn->tableInfo(simple->table, e);
        if (info) {
            d->mode = RecordsetImpl::KeysetMode;
            d->info = *info;
            d->table = info->name;
            d->qtable = JetSql::quoteName(info->name);
            d->ref = simple->alias.isEmpty() ? d->qtable : JetSql::quoteName(simple->alias);
            d->fromClause = d->qtable + (simple->alias.isEmpty() ? QString() : u' ' + JetSql::quoteName(simple->alias));
            d->source = simple->tail;
            d->selectList = simple->list;
            d->rowSql = QStringLiteral("SELECT %1 FROM %2 WHERE %3.rowid = ?1").arg(simple->list, d->fromClause, d->ref);
            sqlite3_stmt* s = conn->prepareSingle(d->rowSql, e);
            if (!s) {
                PendingError::set(e);
                return nullptr;
            }
            for (int i = 0; i < sqlite3_column_count(s); ++i) {
                Column c;
                c.name = QString::fromUtf8(sqlite3_column_name(s, i));
                const char* origin = sqlite3_column_origin_name(s, i);
                const char* tbl = sqlite3_column_table_name(s, i);
                if (origin && tbl && QString::fromUtf8(tbl).compare(info->name, Qt::CaseInsensitive) == 0) {
                    const int fi = info->fieldIndex(QString::fromUtf8(origin));
                    if (fi >= 0) {
                        const Field& f = info->fields[fi];
                        c.baseName = f.name();
                        c.type = f.type();
                        c.size = f.type() == Field::Text ? f.size() : 0;
                        c.autoIncrement = f.isAutoIncrement();
                    }
                } else if (const char* decl = sqlite3_column_decltype(s, i)) {
                    c.type = Field::typeFromDeclared(QString::fromUtf8(decl), &c.size);
                }
                d->cols.append(c);
            }
            sqlite3_finalize(s);
        } else {
            // Joins, unions, grouping: the rows are copied into a temporary table.
            d->mode = RecordsetImpl::TempMode;
            d->readOnly = true;
            sqlite3_stmt* s = conn->prepareSingle(tr.sql, e);
            if (!s) {
                PendingError::set(e);
                return nullptr;
            }
            for (int i = 0; i < sqlite3_column_count(s); ++i) {
                Column c;
                c.name = QString::fromUtf8(sqlite3_column_name(s, i));
                if (const char* decl = sqlite3_column_decltype(s, i))
                    c.type = Field::typeFromDeclared(QString::fromUtf8(decl), &c.size);
                d->cols.append(c);
            }
            sqlite3_finalize(s);
            d->table = QStringLiteral("jet_rs_%1").arg(++conn->tempCounter);
            d->qtable = QStringLiteral("temp.") + JetSql::quoteName(d->table);
            d->createSql = tr.sql;
            if (!d->createTemp())
                return nullptr;
            d->rowSql = QStringLiteral("SELECT * FROM %1 WHERE rowid = ?1").arg(d->qtable);
        }
        d->setColumns();
    }
    if (!d->run())
        return nullptr;
    return std::unique_ptr<Recordset>(new Recordset(std::move(d)));
}

Recordset::Recordset(std::unique_ptr<RecordsetImpl> impl) : d(std::move(impl)) {}
Recordset::~Recordset() = default;

Recordset::Type Recordset::type() const { return d->type; }
bool Recordset::isReadOnly() const { return d->readOnly; }
bool Recordset::isUpdatable() const { return !d->readOnly && d->mode != RecordsetImpl::TempMode; }
bool Recordset::bof() const { return d->atBof; }
bool Recordset::eof() const { return d->atEof; }
bool Recordset::hasCurrent() const { return d->valid && !d->deleted; }

bool Recordset::moveFirst()
{
    if (!d->alive())
        return false;
    cancelUpdate();
    if (d->mode == RecordsetImpl::TableMode) {
        d->noMatch = false;
        const bool found = d->tableEnd(true);
        d->atBof = d->atEof = !found;
        if (!found)
            d->valid = false;
        return found;
    }
    if (d->keys.empty()) {
        d->atBof = d->atEof = true;
        return fail(noCurrent());
    }
    return d->fetchAt(0);
}

bool Recordset::moveLast()
{
    if (!d->alive())
        return false;
    if (d->type == ForwardOnly)
        return fail(notSupported());
    cancelUpdate();
    if (d->mode == RecordsetImpl::TableMode) {
        const bool found = d->tableEnd(false);
        d->atBof = d->atEof = !found;
        if (!found)
            d->valid = false;
        return found;
    }
    if (d->keys.empty()) {
        d->atBof = d->atEof = true;
        return fail(noCurrent());
    }
    return d->fetchAt(qint64(d->keys.size()) - 1);
}

bool Recordset::moveNext()
{
    if (!d->alive())
        return false;
    cancelUpdate();
    if (d->atEof)
        return fail(noCurrent());
    if (d->mode == RecordsetImpl::TableMode) {
        if (d->atBof && !d->valid)
            return moveFirst();
        if (!d->tableStep(true)) {
            d->valid = false;
            d->atEof = true;
            return false;
        }
        d->atBof = false;
        return true;
    }
    // After a delete the next row has moved into the deleted row's place.
    const qint64 next = d->deleted && d->pos >= 0 && d->pos < qint64(d->keys.size())
                            && d->keys[d->pos] != d->rowid
                        ? d->pos
                        : d->pos + 1;
    return d->fetchAt(next);
}

bool Recordset::movePrevious()
{
    if (!d->alive())
        return false;
    if (d->type == ForwardOnly)
        return fail(notSupported());
    cancelUpdate();
    if (d->atBof)
        return fail(noCurrent());
    if (d->mode == RecordsetImpl::TableMode) {
        if (d->atEof && !d->valid)
            return moveLast();
        if (!d->tableStep(false)) {
            d->valid = false;
            d->atBof = true;
            return false;
        }
        d->atEof = false;
        return true;
    }
    return d->fetchAt(d->pos - 1);
}

bool Recordset::move(qint64 rows)
{
    if (rows == 0)
        return hasCurrent() || fail(noCurrent());
    if (d->mode != RecordsetImpl::TableMode) {
        if (rows < 0 && d->type == ForwardOnly)
            return fail(notSupported());
        const qint64 target = std::clamp<qint64>(d->pos + rows, -1, qint64(d->keys.size()));
        return d->fetchAt(target);
    }
    bool ok = true;
    for (qint64 i = 0; i < std::llabs(rows) && ok; ++i)
        ok = rows > 0 ? moveNext() : movePrevious();
    return ok;
}

qint64 Recordset::recordCount()
{
    if (d->mode != RecordsetImpl::TableMode)
        return qint64(d->keys.size());
    if (d->countCache < 0 && d->alive()) {
        EngineError e;
        sqlite3_stmt* s = d->conn->prepare(QStringLiteral("SELECT count(*) FROM ") + d->qtable, e);
        if (!s)
            return fail(e), 0;
        if (sqlite3_step(s) == SQLITE_ROW)
            d->countCache = sqlite3_column_int64(s, 0);
        sqlite3_reset(s);
    }
    return std::max<qint64>(d->countCache, 0);
}

qint64 Recordset::absolutePosition()
{
    if (!d->valid)
        return -1;
    if (d->mode != RecordsetImpl::TableMode)
        return d->pos;
    // Rows before the current one in index order.
    std::vector<bool> nulls(d->keyCols.size());
    for (int i = 0; i < d->keyCols.size(); ++i)
        nulls[i] = d->row.isNull(d->keyCols[i]);
    EngineError e;
    sqlite3_stmt* s = d->conn->prepare(
        QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(d->qtable, d->beyond(false, nulls)), e);
    if (!s)
        return fail(e), -1;
    d->bindBeyond(s, false, false, nulls);
    qint64 n = -1;
    if (sqlite3_step(s) == SQLITE_ROW)
        n = sqlite3_column_int64(s, 0);
    sqlite3_reset(s);
    return n;
}

bool Recordset::setAbsolutePosition(qint64 position)
{
    if (!d->alive())
        return false;
    if (d->type == ForwardOnly && position < d->pos)
        return fail(notSupported());
    if (position < 0 || position >= recordCount())
        return fail({EngineError::NoCurrentRecord, QStringLiteral("Ongeldige positie in de recordset.")});
    cancelUpdate();
    if (d->mode != RecordsetImpl::TableMode)
        return d->fetchAt(position);
    EngineError e;
    sqlite3_stmt* s = d->conn->prepare(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 LIMIT 1 OFFSET ?1").arg(d->selectCols, d->qtable, d->order), e);
    if (!s)
        return fail(e);
    sqlite3_bind_int64(s, 1, position);
    const bool found = d->stepTable(s);
    d->atBof = d->atEof = false;
    return found;
}

Recordset::Bookmark Recordset::bookmark() const
{
    if (!d->valid) {
        PendingError::set(noCurrent());
        return 0;
    }
    return d->rowid;
}

bool Recordset::setBookmark(Bookmark bookmark)
{
    if (!d->alive())
        return false;
    if (d->type == ForwardOnly)
        return fail(notSupported());
    cancelUpdate();
    if (d->mode == RecordsetImpl::TableMode) {
        if (!d->tableByRowid(bookmark))
            return fail({EngineError::NoCurrentRecord, QStringLiteral("Ongeldige bladwijzer.")});
        d->atBof = d->atEof = false;
        return true;
    }
    if (d->pos >= 0 && d->pos < qint64(d->keys.size()) && d->keys[d->pos] == bookmark)
        return d->fetchAt(d->pos);
    for (qint64 i = 0; i < qint64(d->keys.size()); ++i)
        if (d->keys[i] == bookmark)
            return d->fetchAt(i);
    return fail({EngineError::NoCurrentRecord, QStringLiteral("Ongeldige bladwijzer.")});
}

Recordset::Bookmark Recordset::lastModified() const { return d->lastModified; }

QString Recordset::index() const { return d->indexName; }

bool Recordset::setIndex(const QString& name)
{
    if (d->mode != RecordsetImpl::TableMode)
        return fail(notSupported());
    if (!d->alive())
        return false;
    const Index* found = nullptr;
    for (const Index& ix : d->info.indexes)
        if (ix.name().compare(name, Qt::CaseInsensitive) == 0)
            found = &ix;
    if (!found)
        return fail({EngineError::ItemNotFound,
                     QStringLiteral("De index '%1' bestaat niet in de tabel '%2'.").arg(name, d->table)});
    QList<int> keys;
    for (QString f : found->fieldList()) {
        if (f.startsWith(u'-'))
            f = f.mid(1);
        const int i = d->fieldIndex(f);
        if (i < 0)
            return fail({EngineError::ItemNotFound, QStringLiteral("Onbekende indexkolom '%1'.").arg(f)});
        keys << i;
    }
    cancelUpdate();
    d->indexName = found->name();
    d->keyCols = keys;
    d->setOrder();
    d->noMatch = false;
    return moveFirst() || true;
}

bool Recordset::seek(const QString& op, const QVariantList& key)
{
    if (d->mode != RecordsetImpl::TableMode || d->keyCols.isEmpty())
        return fail({EngineError::NotSupported, QStringLiteral("Zoeken met Seek vraagt een tabel-recordset met een index.")});
    if (!d->alive())
        return false;
    static const QStringList ops = {QStringLiteral("="), QStringLiteral(">="), QStringLiteral(">"),
                                    QStringLiteral("<="), QStringLiteral("<")};
    int opIndex = -1;
    for (int k = 0; k < ops.size() && opIndex < 0; ++k)
        if (op == ops[k])
            opIndex = k;
    if (opIndex < 0)
        opIndex = int(ops.indexOf(op.trimmed()));
    if (opIndex < 0)
        return fail({EngineError::SyntaxError, QStringLiteral("Ongeldige vergelijking '%1' bij Seek.").arg(op)});
    if (key.isEmpty() || key.size() > d->keyCols.size())
        return fail({EngineError::SyntaxError, QStringLiteral("Het aantal zoekwaarden past niet bij de index.")});
    cancelUpdate();
    const int m = int(key.size());
    quint32 mask = 0;
    for (int i = 0; i < m; ++i)
        if (!key[i].isValid() || key[i].isNull())
            mask |= 1u << i;
    const quint32 cacheKey = 0x10000000u | (quint32(opIndex) << 20) | (quint32(m) << 16) | mask;
    sqlite3_stmt* s = d->cached(cacheKey, [&] {
        QString where;
        const bool backwards = opIndex >= 3;
        if (opIndex == 0 || mask) {
            // Equality (and a null key part) per column.
            QStringList conds;
            for (int i = 0; i < m; ++i)
                conds << d->keyName(i) + ((mask >> i) & 1 ? QStringLiteral(" IS ?") : QStringLiteral(" = ?"));
            where = conds.join(QStringLiteral(" AND "));
            if (opIndex != 0) {
                // A null in the key: the nearest row in index order from the non-null parts.
                QStringList k, p;
                for (int i = 0; i < m; ++i)
                    if (!((mask >> i) & 1)) {
                        k << d->keyName(i);
                        p << QStringLiteral("?");
                    }
                where = k.isEmpty() ? QStringLiteral("1")
                                    : u'(' + k.join(u',') + QStringLiteral(") ") + ops[opIndex] + QStringLiteral(" (")
                                          + p.join(u',') + u')';
            }
        } else {
            QStringList k, p;
            for (int i = 0; i < m; ++i) {
                k << d->keyName(i);
                p << QStringLiteral("?");
            }
            where = u'(' + k.join(u',') + QStringLiteral(") ") + ops[opIndex] + QStringLiteral(" (") + p.join(u',') + u')';
        }
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1")
            .arg(d->selectCols, d->qtable, where, backwards ? d->orderDesc : d->order);
    });
    if (!s)
        return false;
    int idx = 1;
    for (int i = 0; i < m; ++i) {
        const bool isNullPart = (mask >> i) & 1;
        if (opIndex != 0 && mask && isNullPart)
            continue;
        if (isNullPart) {
            sqlite3_bind_null(s, idx++);
            continue;
        }
        // Bound as the column stores it, without its size limit (a longer key matches
        // nothing, it is no error).
        const Column& col = d->cols[d->keyCols[i]];
        const bool sized = col.type == Field::Text;
        if (auto e = sized ? bindValue(s, idx++, key[i], Column{col.name, Field::Memo, 0, {}, false})
                           : bindValue(s, idx++, key[i], col)) {
            // A key that cannot be a value of the column matches nothing.
            Q_UNUSED(e);
            d->noMatch = true;
            d->valid = false;
            d->atEof = true;
            sqlite3_reset(s);
            return true;
        }
    }
    const bool found = d->stepTable(s);
    d->noMatch = !found;
    if (found) {
        d->atBof = d->atEof = false;
    } else {
        d->valid = false;
        d->atEof = true;
    }
    return true;
}

bool Recordset::noMatch() const { return d->noMatch; }

static bool findFrom(RecordsetImpl* d, const QString& criteria, qint64 start)
{
    if (d->mode == RecordsetImpl::TableMode || d->type == Recordset::ForwardOnly)
        return fail(notSupported());
    if (!d->alive())
        return false;
    auto schemaFor = [&](const QString& f) { return d->conn->schemaFor(f); };
    const auto tr = JetSql::translateExpression(criteria, schemaFor);
    if (!tr.ok)
        return fail(tr.error);
    QString sql;
    if (d->mode == RecordsetImpl::KeysetMode) {
        // The criteria name the recordset's columns, so test them on its own rows.
        sql = QStringLiteral("SELECT jet_bookmark FROM (SELECT %1, %2.rowid AS jet_bookmark FROM %3) WHERE (%4)")
                  .arg(d->selectList, d->ref, d->fromClause, tr.sql);
    } else {
        sql = QStringLiteral("SELECT rowid FROM %1 WHERE (%2)").arg(d->qtable, tr.sql);
    }
    EngineError e;
    sqlite3_stmt* s = d->conn->prepareSingle(sql, e);
    if (!s)
        return fail(e);
    std::unordered_set<qint64> hits;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
        hits.insert(sqlite3_column_int64(s, 0));
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        return fail(d->conn->errorFor(rc));
    for (qint64 i = std::max<qint64>(start, 0); i < qint64(d->keys.size()); ++i) {
        if (hits.count(d->keys[i])) {
            d->noMatch = false;
            return d->fetchAt(i);
        }
    }
    d->noMatch = true;
    return true;
}

bool Recordset::findFirst(const QString& criteria)
{
    cancelUpdate();
    return findFrom(d.get(), criteria, 0);
}

bool Recordset::findNext(const QString& criteria)
{
    cancelUpdate();
    return findFrom(d.get(), criteria, d->pos + 1);
}

int Recordset::fieldCount() const { return int(d->cols.size()); }
QString Recordset::fieldName(int i) const { return i >= 0 && i < d->cols.size() ? d->cols[i].name : QString(); }
int Recordset::fieldType(int i) const { return i >= 0 && i < d->cols.size() ? d->cols[i].type : 0; }
int Recordset::fieldIndex(const QString& name) const { return d->fieldIndex(name); }
QStringList Recordset::fieldNames() const
{
    QStringList names;
    for (const Column& c : d->cols)
        names << c.name;
    return names;
}

QVariant Recordset::value(int i) const
{
    if (i < 0 || i >= d->cols.size()) {
        PendingError::set({EngineError::ItemNotFound, QStringLiteral("Het veld %1 bestaat niet.").arg(i)});
        return {};
    }
    if (d->editMode != EditMode::None)
        return d->buffer[i];
    if (!d->valid || d->deleted) {
        PendingError::set(d->deleted ? EngineError{EngineError::RecordDeleted, QStringLiteral("De record is verwijderd.")}
                                     : noCurrent());
        return {};
    }
    return d->row[i];
}

Currency Recordset::currency(int i) const
{
    const QVariant v = value(i);
    return v.isValid() ? Currency::fromDouble(v.toDouble()) : Currency();
}

Currency Recordset::currency(const QString& name) const
{
    const QVariant v = value(name);
    return v.isValid() ? Currency::fromDouble(v.toDouble()) : Currency();
}

QVariant Recordset::value(const QString& name) const
{
    const int i = d->fieldIndex(name);
    if (i < 0) {
        PendingError::set({EngineError::ItemNotFound, QStringLiteral("Het veld '%1' bestaat niet.").arg(name)});
        return {};
    }
    return value(i);
}

bool Recordset::setValue(int i, const QVariant& value)
{
    if (d->editMode == EditMode::None)
        return fail({EngineError::NoEditInProgress, QStringLiteral("Bijwerken zonder AddNew of Edit.")});
    if (i < 0 || i >= d->cols.size())
        return fail({EngineError::ItemNotFound, QStringLiteral("Het veld %1 bestaat niet.").arg(i)});
    const Column& c = d->cols[i];
    if (c.baseName.isEmpty() || c.autoIncrement)
        return fail({3164, QStringLiteral("Het veld '%1' kan niet worden bijgewerkt.").arg(c.name)});
    if (c.type == Field::Text && c.size > 0 && !value.isNull() && value.toString().size() > c.size)
        return fail({EngineError::FieldTooSmall,
                     QStringLiteral("Het veld '%1' is te klein voor de ingevoerde gegevens (ten hoogste %2 tekens).")
                         .arg(c.name)
                         .arg(c.size)});
    d->buffer[i] = value;
    d->dirty[i] = 1;
    return true;
}

bool Recordset::setValue(const QString& name, const QVariant& value)
{
    const int i = d->fieldIndex(name);
    if (i < 0)
        return fail({EngineError::ItemNotFound, QStringLiteral("Het veld '%1' bestaat niet.").arg(name)});
    return setValue(i, value);
}

QVariant Recordset::getChunk(int i, qint64 offset, qint64 count) const
{
    const QVariant v = value(i);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray().mid(offset, count);
    if (!v.isValid())
        return {};
    return v.toString().mid(offset, count);
}

bool Recordset::addNew()
{
    if (!d->alive())
        return false;
    if (!isUpdatable())
        return fail({EngineError::ReadOnly, QStringLiteral("Kan niet bijwerken: de database of het object is alleen-lezen.")});
    d->editMode = EditMode::AddNew;
    d->buffer.assign(d->cols.size(), QVariant());
    d->dirty.assign(d->cols.size(), 0);
    return true;
}

bool Recordset::edit()
{
    if (!d->alive())
        return false;
    if (!isUpdatable())
        return fail({EngineError::ReadOnly, QStringLiteral("Kan niet bijwerken: de database of het object is alleen-lezen.")});
    if (!d->valid || d->deleted)
        return fail(noCurrent());
    d->editMode = EditMode::Edit;
    d->buffer = d->row.all();
    d->dirty.assign(d->cols.size(), 0);
    d->editRowid = d->rowid;
    return true;
}

bool Recordset::update()
{
    if (d->editMode == EditMode::None)
        return fail({EngineError::NoEditInProgress, QStringLiteral("Bijwerken zonder AddNew of Edit.")});
    if (!d->alive())
        return false;
    if (!d->writeRow())
        return false;
    const EditMode mode = d->editMode;
    d->editMode = EditMode::None;
    if (mode == EditMode::AddNew) {
        d->countCache = -1;
        // The new row comes at the end of a dynaset; the current row stays current.
        if (d->mode == RecordsetImpl::KeysetMode) {
            d->keys.push_back(d->lastModified);
            if (d->keys.size() == 1) {
                d->pos = -1;
                d->atBof = true;
                d->atEof = false;
            }
        } else if (d->atBof && d->atEof) {
            d->atBof = true;
            d->atEof = false;
        }
    } else {
        // Re-read the edited row (values as stored).
        if (d->mode == RecordsetImpl::TableMode)
            d->tableByRowid(d->editRowid);
        else
            d->fetchAt(d->pos);
    }
    return true;
}

void Recordset::cancelUpdate() { d->editMode = EditMode::None; }
Recordset::EditMode Recordset::editMode() const { return d->editMode; }

bool Recordset::deleteRecord()
{
    if (!d->alive())
        return false;
    if (!isUpdatable())
        return fail({EngineError::ReadOnly, QStringLiteral("Kan niet bijwerken: de database of het object is alleen-lezen.")});
    if (!d->valid || d->deleted)
        return fail(noCurrent());
    cancelUpdate();
    EngineError e;
    sqlite3_stmt* s = d->conn->prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(JetSql::quoteName(d->info.name)), e);
    if (!s)
        return fail(e);
    sqlite3_bind_int64(s, 1, d->rowid);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE)
        return fail(d->conn->errorFor(rc));
    d->countCache = -1;
    d->deleted = true;
    d->valid = false;
    if (d->mode == RecordsetImpl::KeysetMode && d->pos >= 0 && d->pos < qint64(d->keys.size()))
        d->keys.erase(d->keys.begin() + d->pos);
    // Table mode keeps the deleted row's key as the place to move on from.
    if (d->mode == RecordsetImpl::TableMode)
        d->valid = true, d->deleted = true;
    return true;
}

bool Recordset::forEachRow(const QList<int>& columns, const std::function<bool()>& visit)
{
    if (!d->alive())
        return false;
    cancelUpdate();
    if (d->mode != RecordsetImpl::TableMode) {
        for (moveFirst(); hasCurrent() && !eof(); moveNext())
            if (!visit())
                return true;
        return true;
    }
    QStringList names{QStringLiteral("rowid")};
    for (int c : columns) {
        if (c < 0 || c >= d->cols.size())
            return fail({EngineError::ItemNotFound, QStringLiteral("Het veld bestaat niet in deze verzameling.")});
        names << JetSql::quoteName(d->cols[c].name);
    }
    EngineError e;
    sqlite3_stmt* s = d->conn->prepareSingle(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(names.join(QStringLiteral(", ")), d->qtable, d->order), e);
    if (!s)
        return fail(e);
    d->noMatch = false;
    d->atBof = d->atEof = false;
    int rc;
    bool stopped = false;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        d->rowid = sqlite3_column_int64(s, 0);
        d->row.captureColumns(s, 1, columns);
        d->valid = true;
        d->deleted = false;
        if (!visit()) {
            stopped = true;
            break;
        }
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        PendingError::set(d->conn->errorFor(rc));
    if (stopped)
    {
        d->tableByRowid(d->rowid);
        return true;
    }
    d->valid = false;
    d->atEof = true;
    return rc == SQLITE_DONE;
}

bool Recordset::requery()
{
    if (!d->alive())
        return false;
    if (d->mode == RecordsetImpl::TempMode && !d->createTemp())
        return false;
    return d->run();
}

void Recordset::close()
{
    d->valid = false;
    d->keys.clear();
    d->atBof = d->atEof = true;
    d->editMode = EditMode::None;
}

} // namespace vandrel
