#pragma once

#include <QString>

#include <functional>

namespace vandrel {

class ProgressMeter;

// The repair and compaction of the catalog database, then a fresh scan file. Window-free:
// the caller asks the question, closes every handle on the catalog before run() and
// opens the databases again afterwards, whatever the outcome.
//
// How it goes, and why:
// - One connection takes the catalog in exclusive locking mode and keeps it until the
//   new file is in place, so no other copy of the program can write in between. Another
//   copy holding a lock (or the file open in WAL mode) makes it stop at once: InUse,
//   nothing changed.
// - PRAGMA integrity_check; when it fails, REINDEX and check again (index damage is
//   repaired by that alone); when it still fails, every row that can be read is copied
//   into the temporary file (Recovered). Otherwise REINDEX, and VACUUM INTO the
//   temporary file.
// - The temporary file ("VDTEMP.MDB") lives beside the catalog, so it can replace it in
//   one rename on the same file system; it is synced and checked first. A failure or a
//   kill before the rename leaves the old catalog as it was; after it, the new one.
// - The scan file is rebuilt from the new catalog (it replaces the old scan file in one
//   step too).
class CatalogReorganisation {
public:
    enum class Outcome { Done, Recovered, InUse, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        QString message;        // Dutch, for InUse, Failed and Recovered
        qint64 rowsRecovered = 0; // rows copied by a recovery
    };

    static inline const QString temporaryName = QStringLiteral("VDTEMP.MDB");

    // directory: the ProductFile folder (ending in a separator).
    CatalogReorganisation(const QString& directory, ProgressMeter& meter);

    Result run();

    // How long to wait for another copy's lock before giving up (milliseconds).
    void setBusyTimeout(int ms) { busyTimeoutMs_ = ms; }
    // Called after the compaction, just before the replacement (tests stop there).
    void setBeforeReplace(std::function<void()> hook) { beforeReplace_ = std::move(hook); }

private:
    QString directory_;
    ProgressMeter& meter_;
    int busyTimeoutMs_ = 3000;
    std::function<void()> beforeReplace_;
};

} // namespace vandrel
