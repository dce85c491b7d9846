#pragma once

#include <QString>

namespace vandrel::demodata {

// The wholesaler's own help pages, as delivered beside the catalog: folder "groothandel"
// in dir with a contents file, the topic numbers the program's "&Vandrel" menu opens
// (461 address, 462 contact persons, 199 terms of delivery) and a page for each.
inline const QString wholesalerHelpFolder = QStringLiteral("groothandel");
bool writeWholesalerHelp(const QString& dir, QString* error = nullptr);

} // namespace vandrel::demodata
