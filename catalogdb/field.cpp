#include "catalogdb/field.h"

#include "catalogdb/connection.h"
#include "catalogdb/jetsql.h"

#include <QRegularExpression>

namespace vandrel {

Field::Field(const QString& name, int type, int size) : name_(name), type_(type), size_(size) {}

bool Field::setName(const QString& name)
{
    auto conn = conn_.lock();
    if (conn && !table_.isEmpty()) {
        if (!conn->isOpen())
            return fail(conn->closedError());
        EngineError e;
        if (!execSql(*conn,
                     QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                         .arg(JetSql::quoteName(table_), JetSql::quoteName(name_), JetSql::quoteName(name)),
                     e))
            return fail(e);
    }
    name_ = name;
    return true;
}

int Field::size() const
{
    switch (type_) {
    case YesNo:
    case Byte:
        return 1;
    case Integer:
        return 2;
    case Long:
    case Single:
        return 4;
    case Currency:
    case Double:
    case DateTime:
        return 8;
    case Text:
        return size_ <= 0 ? 255 : size_;
    default:
        return 0;
    }
}

QString Field::declaration() const
{
    switch (type_) {
    case YesNo:
        return QStringLiteral("YESNO");
    case Byte:
        return QStringLiteral("TINYINT");
    case Integer:
        return QStringLiteral("SMALLINT");
    case Long:
        return isAutoIncrement() ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT") : QStringLiteral("INTEGER");
    case Currency:
        // REAL affinity: amounts stay REAL (rounded to four decimals by the writer).
        return QStringLiteral("CURRENCY REAL");
    case Single:
        return QStringLiteral("FLOAT");
    case Double:
        return QStringLiteral("DOUBLE");
    case DateTime:
        return QStringLiteral("DATETIME");
    case LongBinary:
        return QStringLiteral("LONGBLOB");
    case Memo:
        return QStringLiteral("LONGTEXT COLLATE NOCASE");
    case Text:
    default:
        return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(size());
    }
}

int Field::typeFromDeclared(const QString& declared, int* size)
{
    static const QRegularExpression sized(QStringLiteral(R"(\(\s*(\d+)\s*\))"));
    const QString d = declared.trimmed().toUpper();
    if (size)
        *size = 0;
    auto startsWith = [&](const char* s) { return d.startsWith(QLatin1String(s)); };
    if (startsWith("YESNO") || startsWith("BIT") || startsWith("BOOL") || startsWith("LOGICAL"))
        return YesNo;
    if (startsWith("TINYINT") || startsWith("BYTE"))
        return Byte;
    if (startsWith("SMALLINT") || startsWith("SHORT"))
        return Integer;
    if (startsWith("CURRENCY") || startsWith("MONEY"))
        return Currency;
    if (startsWith("FLOAT") || startsWith("SINGLE"))
        return Single;
    if (startsWith("DOUBLE") || startsWith("REAL") || startsWith("NUMERIC") || startsWith("DECIMAL"))
        return Double;
    if (startsWith("DATE") || startsWith("TIME"))
        return DateTime;
    if (startsWith("LONGTEXT") || startsWith("MEMO") || startsWith("CLOB") || d == u"TEXT")
        return Memo;
    if (startsWith("LONGBLOB") || startsWith("BLOB") || startsWith("LONGBINARY") || d.isEmpty())
        return d.isEmpty() ? Text : LongBinary;
    if (d.contains(u"INT") || startsWith("LONG") || startsWith("COUNTER"))
        return Long;
    if (d.contains(u"CHAR") || d.contains(u"TEXT") || d.contains(u"CLOB")) {
        const auto m = sized.match(d);
        if (size)
            *size = m.hasMatch() ? m.captured(1).toInt() : 255;
        return Text;
    }
    return Double;
}

} // namespace vandrel
