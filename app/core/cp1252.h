#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace vandrel {

// Text files of the program are Windows-1252; these are the only conversions at the
// file boundary. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in 1252 and
// map to the C1 controls of the same number, so every byte survives a round trip.
namespace cp1252 {

QString toUnicode(const QByteArray& bytes);
// Characters outside the code page become "?".
QByteArray fromUnicode(const QString& text);

// Lower case of each byte as the code page has it, so case-blind byte searches also
// match Dutch accented letters.
const std::array<unsigned char, 256>& lowerCaseTable();

} // namespace cp1252
} // namespace vandrel
