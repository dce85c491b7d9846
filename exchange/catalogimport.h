#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vandrel {

class Database;
class ProgressMeter;
class Recordset;

// What the import drives of the main window.
class ImportWindow {
public:
    virtual ~ImportWindow() = default;
    // The progress window (PercForm); the scan file build uses it too.
    virtual ProgressMeter& progress() = 0;
    // The main window's status caption.
    virtual void setStatusCaption(const QString& text) = 0;
    virtual void setMainWindowEnabled(bool enabled) = 0;
};

// The steps that touch the program as a whole; the caller supplies them. Missing ones
// are skipped.
struct ImportActions {
    // Update mode: start the downloaded program update (full path of CDUPDATE.EXE).
    std::function<void(const QString& program)> startProgram;
    // File mode, at the end: close the catalog database, then start the program's own
    // executable again and end this copy.
    std::function<void()> closeDatabase;
    std::function<void()> restartProgram;
};

// The ASCII catalog import: the article file into Products, ADDIINFO.TXT into
// Additionals, ALTEINFO.TXT into Alternatives, then the scan file. Update mode reads
// "VDCDINFO" and stores the end record's date as LastProducts; file mode reads
// "ARTINFO.TXT" and restarts the program at the end.
//
// Rules where the delivered files leave a choice:
// - a record of exactly 25 fields (or an empty or blank field 26) gives OfferteOms the
//   record's own Beschrijving;
// - every line of ADDIINFO.TXT and ALTEINFO.TXT whose first two fields are whole
//   numbers is imported, the last line too; other lines (blank lines, a lone "9999999")
//   are skipped; an end record (first field 9999999, e.g. "9999999|20240131|") ends the
//   file and is never stored as a row;
// - Mutatiedatum is stored as a date (yyyymmdd, yyyy-mm-dd and dd-mm-yyyy forms are
//   read), so MAX(Mutatiedatum) is the latest date; an empty or unreadable date is
//   stored empty;
// - a database error on one article shows the error text + " bij artikel " + its
//   number and the import goes on with the next record; an error that says the
//   database itself cannot be written (damaged, read-only, locked by another copy)
//   stops the whole import with one message;
// - the catalog database notes that an import is under way and when it finished
//   (ImportRecord), so an import cut off is offered again at the next start;
// - file mode restarts the program only when articles were read: an article file
//   without one valid record says so and the program goes on;
// - Flagged, which nothing reads and the end of the import clears for every row, is
//   stored false at once: setting it and clearing it rewrote every imported row a second
//   time. The clearing statement still runs, for marks left by an older import.
class CatalogImport {
public:
    CatalogImport(Database& catalog, ImportWindow& window, ImportActions actions = {});

    // Default: the ProductFile directory of the program state.
    void setProductFileDirectory(const QString& directory) { productFile_ = directory; }
    // Default: settingsFileName().
    void setSettingsFile(const QString& fileName) { settingsFile_ = fileName; }

    // directory: the import directory, ending in a separator. False when the article
    // file or the Products table cannot be opened (a message has been shown and nothing
    // changed), or when the import was stopped by a database that cannot be written.
    bool run(const QString& directory, bool updateMode);
    // The import was stopped part-way (its one message has been shown).
    bool stopped() const { return stopped_; }

    struct Counts {
        qint64 articles = 0; // counted records, as the status caption shows them
        qint64 additionals = 0;
        qint64 alternatives = 0;
        int errors = 0; // messages shown for failed records
    };
    const Counts& counts() const { return counts_; }

    // "Vandrel Update": the title of the import's messages.
    static const QString messageTitle;

private:
    bool importArticles(const QString& fileName, bool updateMode);
    qint64 importPairs(const QString& fileName, const QString& table, const QString& label,
                       const QString& secondKey, bool withAantal);
    bool storeArticle(Recordset& products, const QStringList& fields, qint32 number);
    void afterRecord(qint64 count, qint64 lines);
    void showError(const QString& suffix);
    void stop();
    void finish(const QString& directory, bool updateMode);
    void endBulkWriting();

    Database& db_;
    ImportWindow& window_;
    ImportActions actions_;
    QString productFile_;
    QString settingsFile_;
    Counts counts_;
    QString directory_;
    bool stopped_ = false;
    bool bulkWriting_ = false;
    QList<int> columnIndex_; // Products columns of fields 2..26, Flagged, Deleted
};

} // namespace vandrel
