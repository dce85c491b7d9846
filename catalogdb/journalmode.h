#pragma once

#include <QString>

namespace vandrel {

// How a database file keeps its transactions safe, chosen by where the file lies.
// Write-ahead logging with normal synchronisation on a local file system: a commit costs
// no disk wait, and a crash or power loss loses at most the last commits, never the
// database. The rollback journal on a network file system, where the shared memory of
// write-ahead logging cannot reach the other computers (each copy of the program there
// must see the others' locks in the file itself).
enum class JournalMode { WriteAheadLog, RollbackJournal };

// The journal for a database file (existing or about to be created).
JournalMode journalModeFor(const QString& databaseFile);

// True for the file system types (statfs magic numbers) that other computers reach over
// a network or share as a cluster. Unknown kinds of FUSE count as network: sshfs and
// the like are.
bool isNetworkFileSystemType(qint64 magic);

} // namespace vandrel
