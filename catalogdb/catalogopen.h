#pragma once

#include "catalogdb/database.h"

#include <QDateTime>
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
//
// Only a missing or damaged catalog (not a database, truncated, corruption reported by
// the engine) is offered anew, and the old files are then kept beside the new ones,
// renamed with the date and time ("VD-CLNT4 beschadigd 20261211-1430.MDB"). A catalog
// that another copy of the program holds locked is waited for in a window that can be
// cancelled; then the user chooses to try again or to end; nothing is deleted. A file
// that cannot be read (disk, network, permissions) is reported with the engine's words
// and the program ends.
OpenOutcome OpenCatalogDatabases(const QString& directory, SettingsWindow* window = nullptr);

// What a catalog file is, as far as opening it goes. Only Missing and Damaged (not a
// database, truncated, corruption reported by the engine) may lead to a new database.
// Busy: another connection (a second copy of the program) holds a lock that keeps
// readers out. Unreadable: it cannot be read now (permissions, disk or network error).
// Neither says anything about the contents. cause: the engine's error, when there is one.
enum class CatalogFileState { Missing, Damaged, Busy, Unreadable, Usable };
CatalogFileState checkCatalogFile(const QString& file, EngineError* cause = nullptr);

// An engine error that concerns the database file as a whole (damaged, read-only, locked
// by another copy, disk full, disk error): every further statement would fail alike.
bool isDatabaseWideError(const EngineError& error);

// How long the busy window waits for a locked catalog before it asks (milliseconds);
// tests shorten it.
void setBusyWaitLimit(int milliseconds);
int busyWaitLimit();

// The name a damaged database file is kept under: "VD-CLNT4.MDB" becomes
// "VD-CLNT4 beschadigd yyyyMMdd-HHmm.MDB" (a number is added when that exists).
QString setAsideName(const QString& file, const QDateTime& when);

// Opens the illustration database in directory (the DigitalFile path) and its two
// recordsets into databaseHandles().
OpenOutcome OpenIllustrationDatabase(const QString& directory);

// A second, independent handle on the illustration database (exclusive, read-only),
// for the caller to close. Null with the pending error set on failure.
std::unique_ptr<Database> OpenIllustrationDatabaseCopy(const QString& directory);

} // namespace vandrel
