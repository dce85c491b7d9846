#include "app/core/commandline.h"

namespace vandrel::commandline {

namespace {
QString& text()
{
    static QString upper;
    return upper;
}
} // namespace

void set(const QStringList& arguments) { text() = arguments.join(QLatin1Char(' ')).toUpper(); }
QString upperCased() { return text(); }
bool has(const QString& switchText) { return text().contains(switchText.toUpper()); }

} // namespace vandrel::commandline
