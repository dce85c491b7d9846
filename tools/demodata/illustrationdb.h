#pragma once

#include "tools/demodata/catalogworld.h"

#include <QString>

namespace vandrel::demodata {

struct IllustrationDbCounts {
    int illustrations = 0;
    int drawings = 0;
    int hotspots = 0;
};

// Writes the illustration database (an existing file is replaced) with its ten tables;
// every picture is drawn, encoded and stored in the compressed-string format.
// All schema knowledge of that database lives in this one file.
bool writeIllustrationDatabase(const CatalogWorld& world, const QString& file, QString* error = nullptr,
                               IllustrationDbCounts* counts = nullptr);

} // namespace vandrel::demodata
