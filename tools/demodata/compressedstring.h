#pragma once

#include <QByteArray>

namespace vandrel::demodata {

// The stored-picture format: 4-byte little-endian uncompressed length, then one zlib
// stream at the default level.
QByteArray compressString(const QByteArray& data);

} // namespace vandrel::demodata
