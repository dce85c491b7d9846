#pragma once

#include <QString>

namespace vandrel {

// The value as an SQL text literal; with wildcards it is surrounded by "*". Apostrophes
// are doubled; a value holding both kinds of quote is cut before the first occurrence of
// the quote that occurs later and enclosed in that one.
QString SqlQuote(const QString& value, bool wildcards);

// The text with its apostrophes doubled, for use inside '...'.
QString sqlEscaped(const QString& text);

} // namespace vandrel
