#pragma once

#include "browser/frmartinfo.h"

namespace vandrel {

// Fills in the main window's ways to the document windows: new order windows on the
// program's databases, and commands through a window's Action channel.
void addDocumentServices(MainWindowServices& services);

} // namespace vandrel
