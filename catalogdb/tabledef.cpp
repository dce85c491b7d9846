#include "catalogdb/tabledef.h"

#include "catalogdb/connection.h"
#include "catalogdb/jetsql.h"

namespace vandrel {

Field* TableDef::field(const QString& name)
{
    for (Field& f : fields_)
        if (f.name().compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const Index* TableDef::index(const QString& name) const
{
    for (const Index& ix : indexes_)
        if (ix.name().compare(name, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

bool TableDef::appendField(const Field& field)
{
    if (field.name().trimmed().isEmpty())
        return fail({EngineError::InvalidName, QStringLiteral("Een veld moet een naam hebben.")});
    if (!stored_) {
        if (this->field(field.name()))
            return fail({3191, QStringLiteral("De kolom bestaat al: %1.").arg(field.name())});
        fields_.append(field);
        return true;
    }
    auto conn = conn_.lock();
    if (!conn || !conn->isOpen())
        return fail({EngineError::ObjectClosed, QStringLiteral("Het database-object is gesloten.")});
    if (field.isAutoIncrement())
        return fail({EngineError::NotSupported,
                     QStringLiteral("Een teller kan niet aan een bestaande tabel worden toegevoegd.")});
    EngineError e;
    if (!execSql(*conn,
                 QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                     .arg(JetSql::quoteName(name_), JetSql::quoteName(field.name()), field.declaration()),
                 e))
        return fail(e);
    Field bound = field;
    bound.conn_ = conn_;
    bound.table_ = name_;
    fields_.append(bound);
    return true;
}

bool TableDef::appendIndex(const Index& index)
{
    if (index.name().isEmpty() || index.name().contains(u'.') || index.name().contains(u'!'))
        return fail({EngineError::InvalidName, QStringLiteral("Ongeldige indexnaam '%1'.").arg(index.name())});
    if (index.fieldList().isEmpty())
        return fail({EngineError::NoFields, QStringLiteral("De index '%1' heeft geen velden.").arg(index.name())});
    if (this->index(index.name()))
        return fail({EngineError::ObjectExists, QStringLiteral("De index '%1' bestaat al.").arg(index.name())});
    if (!stored_) {
        indexes_.append(index);
        return true;
    }
    auto conn = conn_.lock();
    if (!conn || !conn->isOpen())
        return fail({EngineError::ObjectClosed, QStringLiteral("Het database-object is gesloten.")});
    EngineError e;
    if (!execSql(*conn, createIndexSql(name_, index), e))
        return fail(e);
    indexes_.append(index);
    return true;
}

QString createIndexSql(const QString& table, const Index& index)
{
    QStringList cols;
    for (const QString& f : index.fieldList())
        cols.append(f.startsWith(u'-') ? JetSql::quoteName(f.mid(1)) + QStringLiteral(" DESC") : JetSql::quoteName(f));
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.unique() ? QStringLiteral("UNIQUE ") : QString(),
             JetSql::quoteName(index.sqliteName(table)), JetSql::quoteName(table), cols.join(QStringLiteral(", ")));
}

} // namespace vandrel
