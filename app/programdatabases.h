#pragma once

#include "browser/frmartinfo.h"

namespace vandrel {

// The main window's services: its databases and starting programs.
MainWindowServices programDatabaseServices();

} // namespace vandrel
