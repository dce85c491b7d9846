#pragma once

#include "catalogdb/engineerror.h"
#include "catalogdb/field.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <memory>

namespace vandrel {

class Connection;
class Currency;
struct RecordsetImpl;

// A set of rows, of one of three kinds:
// - Table: one table in the order of its current index (setIndex), with seek;
// - Dynaset: the rows of a statement, fixed when opened (rows added through the
//   recordset come at the end), with absolute positions, bookmarks and findFirst;
// - ForwardOnly: as a dynaset, moving forward only.
// No statement stays open between calls, so a recordset never holds a lock.
// Values: yes/no as bool, whole numbers as int, currency and floats as double
// (currency rounded to four decimals), dates as QDateTime, text as QString,
// binary as QByteArray, null as an invalid QVariant. setValue also takes a Currency.
class Recordset {
public:
    enum Type { Table = 1, Dynaset = 2, ForwardOnly = 8 };
    enum Option { ReadOnly = 4 };
    enum class EditMode { None, Edit, AddNew };
    using Bookmark = qint64;

    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    Type type() const;
    bool isReadOnly() const;
    bool isUpdatable() const;

    bool bof() const;
    bool eof() const;
    // True when there is a current row.
    bool hasCurrent() const;

    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool move(qint64 rows);

    // Exact number of rows.
    qint64 recordCount();
    // 0-based position of the current row; -1 when there is none (dynaset/forward-only;
    // a table recordset counts, which costs a query).
    qint64 absolutePosition();
    bool setAbsolutePosition(qint64 position);

    Bookmark bookmark() const; // of the current row
    bool setBookmark(Bookmark bookmark);
    Bookmark lastModified() const;

    // Table recordsets.
    QString index() const;
    bool setIndex(const QString& name);
    // op: "=", ">=", ">", "<=", "<"; key: one value per leading index column.
    bool seek(const QString& op, const QVariantList& key);
    bool seek(const QString& op, const QVariant& key) { return seek(op, QVariantList{key}); }
    bool noMatch() const;

    // Dynaset: criteria in the engine's dialect on the recordset's columns.
    bool findFirst(const QString& criteria);
    bool findNext(const QString& criteria);

    int fieldCount() const;
    QString fieldName(int i) const;
    int fieldType(int i) const;
    int fieldIndex(const QString& name) const; // letter case ignored, -1 when absent
    QStringList fieldNames() const;

    QVariant value(int i) const;
    QVariant value(const QString& name) const;
    // A money column as the exact amount (null gives zero).
    Currency currency(int i) const;
    Currency currency(const QString& name) const;
    bool setValue(int i, const QVariant& value);
    bool setValue(const QString& name, const QVariant& value);
    // Part of a memo (QString) or binary (QByteArray) value, from offset, count units.
    QVariant getChunk(int i, qint64 offset, qint64 count) const;

    bool addNew();
    bool edit();
    bool update();
    void cancelUpdate();
    EditMode editMode() const;
    bool deleteRecord();

    // Visits every row from the first on, in the recordset's order: for each the
    // recordset stands on the row and visit runs (false from it stops there). A table
    // recordset reads them with one statement instead of one query per move, and only
    // the given columns (the others read as null while visiting), so bulk readers such as
    // the scan file build read the table in one pass. At the end the recordset is past
    // its last row; when visit stopped, it stands on that row with all its values.
    bool forEachRow(const QList<int>& columns, const std::function<bool()>& visit);

    // Runs the source again (dynaset/forward-only) and moves to the first row.
    bool requery();
    void close();

private:
    friend class Database;
    explicit Recordset(std::unique_ptr<RecordsetImpl> impl);
    static std::unique_ptr<Recordset> open(const std::shared_ptr<Connection>& conn, const QString& source,
                                           Type type, int options);
    std::unique_ptr<RecordsetImpl> d;
};

} // namespace vandrel
