#pragma once

#include <QString>

#include <cstdint>

namespace vandrel {

class PrintDevice;

// The formatter's program-wide state, kept between calls (all zero at start).
struct FormatterState {
    float StoredX = 0;      // scale units of the device
    float StoredY = 0;
    std::int16_t LineWidth = 0; // device pixels; 0 means not set (10 on the next call)
};
FormatterState& formatterState();

// Prints print markup at the device's position: text pieces and the commands in braces.
void FormatPrint(PrintDevice& device, const QString& text);
// The same on the program's printer (currentPrintDevice()).
void FormatPrint(const QString& text);

// The text trimmed of blanks and padded with blanks behind (PrintPadRight) or in front
// (PrintPadLeft) until it prints at least as wide as n "8" digits in the device's
// current font; for n < 1 the field is the printable width, less one blank.
QString PrintPadRight(PrintDevice& device, const QString& text, int n);
QString PrintPadLeft(PrintDevice& device, const QString& text, int n);
QString PrintPadRight(const QString& text, int n);
QString PrintPadLeft(const QString& text, int n);

} // namespace vandrel
