#include "catalogdb/index.h"

namespace vandrel {

void Index::setFields(const QString& fields)
{
    fields_.clear();
    for (const QString& part : fields.split(u';', Qt::SkipEmptyParts)) {
        QString f = part.trimmed();
        if (f.startsWith(u'+'))
            f = f.mid(1).trimmed();
        if (!f.isEmpty())
            fields_.append(f);
    }
}

QString Index::sqliteName(const QString& table) const
{
    return table + (primary_ ? u'!' : u'.') + name_;
}

std::optional<Index::Parsed> Index::parseSqliteName(const QString& sqliteName)
{
    const qsizetype dot = sqliteName.indexOf(u'.');
    const qsizetype bang = sqliteName.indexOf(u'!');
    qsizetype at = dot;
    if (at < 0 || (bang >= 0 && bang < at))
        at = bang;
    if (at <= 0 || at == sqliteName.size() - 1)
        return std::nullopt;
    return Parsed{sqliteName.left(at), sqliteName.mid(at + 1), sqliteName[at] == u'!'};
}

} // namespace vandrel
