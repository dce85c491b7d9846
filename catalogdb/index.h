#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace vandrel {

// An index of a table definition. Names are per table, as in the classic engine; in
// the SQLite file an index is called table + "." + name, or table + "!" + name when it
// is the primary index (names cannot hold either character).
class Index {
public:
    Index() = default;
    explicit Index(const QString& name) : name_(name) {}

    const QString& name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    // Column names joined by ";" (a leading "-" marks a descending column).
    QString fields() const { return fields_.join(u';'); }
    void setFields(const QString& fields);
    const QStringList& fieldList() const { return fields_; }
    bool unique() const { return unique_ || primary_; }
    void setUnique(bool unique) { unique_ = unique; }
    bool primary() const { return primary_; }
    void setPrimary(bool primary) { primary_ = primary; }

    QString sqliteName(const QString& table) const;
    // {table, name, primary} of an index name written by sqliteName.
    struct Parsed {
        QString table;
        QString name;
        bool primary = false;
    };
    static std::optional<Parsed> parseSqliteName(const QString& sqliteName);

private:
    friend class Connection;
    QString name_;
    QStringList fields_;
    bool unique_ = false;
    bool primary_ = false;
};

} // namespace vandrel
