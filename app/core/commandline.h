#pragma once

#include <QString>
#include <QStringList>

namespace vandrel {

// The program's command line, upper-cased as one text: switches are found anywhere in
// it ("/DEBUG", "/DELETE"), also inside a longer word.
namespace commandline {

void set(const QStringList& arguments); // without the program name
QString upperCased();
bool has(const QString& switchText);

} // namespace commandline
} // namespace vandrel
