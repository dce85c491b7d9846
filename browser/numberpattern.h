#pragma once

#include <QLocale>
#include <QString>

namespace vandrel {

// Formats a number with a pattern of the kind "####", "###,###,###", "###,###,###.0##"
// or "F ###,###.##": "#" an optional digit, "0" a required one, "," groups thousands,
// "." the decimal sign; other characters appear as they are. Group and decimal signs
// come from the locale.
QString formatNumberPattern(double value, const QString& pattern, const QLocale& locale = QLocale());

} // namespace vandrel
