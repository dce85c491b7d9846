#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

namespace vandrel {

class Database;
class PercForm;
class Recordset;

// A progress window as long operations drive it: shown without waiting, a step text and a
// meter of 0..100, repainted on refresh().
class ProgressMeter {
public:
    virtual ~ProgressMeter() = default;
    virtual void open(const QString& caption, const QString& label) = 0;
    virtual void setLabel(const QString& label) = 0;
    virtual void setPercent(int percent) = 0;
    // Repaints and lets pending window events run.
    virtual void refresh() = 0;
    virtual void close() = 0;
};

// The program's progress window (PercForm).
class PercFormMeter final : public ProgressMeter {
public:
    PercFormMeter();
    ~PercFormMeter() override;
    void open(const QString& caption, const QString& label) override;
    void setLabel(const QString& label) override;
    void setPercent(int percent) override;
    void refresh() override;
    void close() override;
    PercForm* form() const { return form_.get(); }

private:
    std::unique_ptr<PercForm> form_;
};

// The scan file of free-text search: entries "@" + key + "|" + text back to back, in the
// recordset's order, then 512 "@". Single-byte (Windows-1252) text.
inline const QString scanFileName = QStringLiteral("VD-CLNT4.SCN");

// Writes the scan file from every row of the recordset. 0 on success, else the file
// error number (quickpak WhichError). The rows go to fileName + ".new", which replaces
// fileName only once it is complete. Without a meter the program's progress window is
// shown. Rows without a key are left out; a row without text gives "@key|". Callers run
// it inside a transaction: otherwise every row step locks and checks the database anew
// (about ten times slower).
int BuildScanFile(const QString& fileName, Recordset& recordset, const QString& keyColumn,
                  const QString& textColumn, ProgressMeter* meter = nullptr);

// Rebuilds the scan file from the catalog's Products table (index PrimaryKey, key
// ArtikelNr, text Beschrijving) inside one read transaction. The new file is written
// beside the old one and replaces it in one step, so a build cut off (killed, disk
// full) leaves the previous file as it was. 0 on success, a file error number, or -1
// when Products cannot be read (the pending error is set).
int RebuildScanFile(Database& catalog, const QString& fileName, ProgressMeter* meter = nullptr);

// A scan file ends in its 512 "@": a missing file, or one cut short by a build that was
// interrupted, does not, and description searches would silently miss articles.
bool scanFileComplete(const QString& fileName);

// Finds the next article whose entry holds every word of the search text (letter case
// ignored, in any order). state: -1 starts a new search, 0 continues after the last hit,
// any other value restarts reading at that 1-based file position. True when the
// recordset (a table recordset on the key's index) stands on the article: seek ">=" on
// the entry's key, so a key no longer present gives the next higher one.
bool ScanFind(int fileHandle, Recordset& recordset, qint32& state, const QString& searchText);

// The next entry that holds every word (the first word is searched in the file, the
// others inside its entry). Returns the 1-based file position of the entry's "@" and the
// entry text (from after its "@" up to and including the next "@"), or -1 at the end
// of the file or when the file is empty.
qint32 ScanNext(int fileHandle, const QList<QByteArray>& words, int wordCount, qint32& state,
                QByteArray& entry);

// The words of a search text as ScanFind searches them: split at blanks (at most 99),
// longest first.
QList<QByteArray> scanWords(const QString& searchText);

} // namespace vandrel
