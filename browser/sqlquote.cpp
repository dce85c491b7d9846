#include "browser/sqlquote.h"

namespace vandrel {

QString sqlEscaped(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return t;
}

QString SqlQuote(const QString& value, bool wildcards)
{
    const QString w = wildcards ? QStringLiteral("*") : QString();
    const qsizetype apostrophe = value.indexOf(QLatin1Char('\''));
    const qsizetype doubleQuote = value.indexOf(QLatin1Char('"'));
    if (apostrophe < 0 || doubleQuote < 0)
        return QLatin1Char('\'') + w + sqlEscaped(value) + w + QLatin1Char('\'');
    const qsizetype later = std::max(apostrophe, doubleQuote);
    const QChar quote = value[later];
    return quote + w + value.left(later) + QLatin1Char('*') + quote;
}

} // namespace vandrel
