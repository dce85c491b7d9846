#pragma once

#include <QString>

#include <memory>

namespace vandrel {

class Connection;

// A column of a table definition. A field taken from a stored table stays bound to it:
// setName renames the column in place (indexes follow).
class Field {
public:
    // Type codes of the classic engine.
    enum Type : int {
        YesNo = 1,
        Byte = 2,
        Integer = 3, // 16-bit
        Long = 4,    // 32-bit
        Currency = 5,
        Single = 6,
        Double = 7,
        DateTime = 8,
        Text = 10, // size = maximum characters, 0 = 255
        LongBinary = 11,
        Memo = 12,
    };
    enum Attribute : int { AutoIncrement = 16 };

    Field() = default;
    Field(const QString& name, int type, int size = 0);

    const QString& name() const { return name_; }
    // On a stored table: renames the column; false with the pending error set on failure.
    bool setName(const QString& name);
    int type() const { return type_; }
    // Text: maximum characters; others: bytes of the type.
    int size() const;
    int attributes() const { return attributes_; }
    void setAttributes(int attributes) { attributes_ = attributes; }
    bool isAutoIncrement() const { return attributes_ & AutoIncrement; }

    // The SQLite column definition (without the name).
    QString declaration() const;
    // Type code and size from a declared SQLite type.
    static int typeFromDeclared(const QString& declared, int* size = nullptr);

private:
    friend class Connection;
    friend class TableDef;
    QString name_;
    int type_ = Text;
    int size_ = 0;
    int attributes_ = 0;
    std::weak_ptr<Connection> conn_;
    QString table_;
};

} // namespace vandrel
