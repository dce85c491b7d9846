#pragma once

#include <QStringList>

namespace vandrel {

class FrmArtinfo;

// The host sessions as the main window starts them, each with its own host link window
// (BBS) on the program's communication settings and the "Orbisnet" values of
// VANDREL4.INI: the catalog update (update menu "via &Orbisnet", and the start-up
// reminder's "Ja"), which imports into the main window's catalog, and the order upload
// (order menu "&Verzenden..."), which prints a receipt of each order on the program's
// printer.
void runCatalogUpdate(FrmArtinfo& window);
void runOrderUpload(FrmArtinfo& window, const QStringList& orderFiles);

} // namespace vandrel
