#pragma once

#include "catalogdb/field.h"
#include "catalogdb/index.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace vandrel {

class Connection;

// A table definition: new (collects fields and indexes until Database::appendTableDef)
// or taken from a stored table (appending a field or an index changes the table).
class TableDef {
public:
    TableDef() = default;
    explicit TableDef(const QString& name) : name_(name) {}

    const QString& name() const { return name_; }
    bool isStored() const { return stored_; }

    int fieldCount() const { return int(fields_.size()); }
    // By position; the field stays bound to a stored table (renames act on it).
    Field& field(int position) { return fields_[position]; }
    const Field& field(int position) const { return fields_[position]; }
    // By name, letter case ignored; null when absent.
    Field* field(const QString& name);
    QList<Field>& fields() { return fields_; }

    Field createField(const QString& name, int type, int size = 0) const { return Field(name, type, size); }
    // On a stored table: adds the column (false with the pending error when it exists).
    bool appendField(const Field& field);

    int indexCount() const { return int(indexes_.size()); }
    const Index& index(int position) const { return indexes_[position]; }
    const Index* index(const QString& name) const;
    const QList<Index>& indexes() const { return indexes_; }
    Index createIndex(const QString& name) const { return Index(name); }
    // On a stored table: creates the index.
    bool appendIndex(const Index& index);

private:
    friend class Database;
    QString name_;
    bool stored_ = false;
    QList<Field> fields_;
    QList<Index> indexes_;
    std::weak_ptr<Connection> conn_;
};

// SQL that creates an index of a table.
QString createIndexSql(const QString& table, const Index& index);

} // namespace vandrel
