#pragma once

#include "catalogdb/database.h"

#include <QString>

#include <memory>

namespace vandrel {

class SettingsWindow;

// What the opening routines leave behind. EndProgram: the user chose not to go on, or
// the database is unusable; the caller ends the program (a library must not exit).
enum class OpenOutcome { Opened, NotOpened, EndProgram };

// Opens (building, checking and upgrading where needed) the catalog and orders
// databases in directory (the ProductFile path) into databaseHandles().
// window: the main window, for writing the column layouts after the guilder upgrade;
// without one the stored window values are written back unchanged.
OpenOutcome OpenCatalogDatabases(const QString& directory, SettingsWindow* window = nullptr);

// Opens the illustration database in directory (the DigitalFile path) and its two
// recordsets into databaseHandles().
OpenOutcome OpenIllustrationDatabase(const QString& directory);

// A second, independent handle on the illustration database (exclusive, read-only),
// for the caller to close. Null with the pending error set on failure.
std::unique_ptr<Database> OpenIllustrationDatabaseCopy(const QString& directory);

} // namespace vandrel
