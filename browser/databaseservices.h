#pragma once

#include "browser/frmartinfo.h"

namespace vandrel {

// The main window's database services on the handles the program holds for its run
// (OpenCatalogDatabases and OpenIllustrationDatabase on the stored folders).
MainWindowServices databaseServices();

} // namespace vandrel
