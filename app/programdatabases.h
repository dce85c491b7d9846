#pragma once

#include "browser/frmartinfo.h"

namespace vandrel {

// The main window's services: its databases and starting programs. restartProgram
// marks the new copy as started after an import (takeStartedAfterImport).
MainWindowServices programDatabaseServices();

// True when this copy was started by an import's restart; the mark is taken away, so
// programs this copy starts do not inherit it.
bool takeStartedAfterImport();

} // namespace vandrel
