#pragma once

#include "tools/demodata/catalogworld.h"

#include <QByteArray>
#include <QImage>

namespace vandrel::demodata {

// Pictures of the illustration database, drawn for each illustration and line drawing:
// a schematic of what it shows, with its number and title on it.
QImage renderIllustration(const Picture& picture);
QImage renderLineDrawing(const Picture& picture);
QSize illustrationSize(const Picture& picture);
QSize lineDrawingSize();

// Stored forms, both readable by every picture loader: illustrations as JPEG, line
// drawings as 8-bit grey BMP (it compresses to almost nothing).
QByteArray encodeIllustration(const QImage& image);
QByteArray encodeLineDrawing(const QImage& image);

} // namespace vandrel::demodata
