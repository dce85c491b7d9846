#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QSaveFile;

namespace vandrel {

class Database;
class Recordset;
class ImportWindow;

// One visible grid column as the current-overview export writes it.
struct ExportColumn {
    QString caption;
    // Characters: the header is cut to it, cells are padded to it (never cut).
    int width = 0;
    QString numberFormat;
    bool alignRight = false;
};

// The list shown on screen, as the exports read it.
struct ExportSource {
    Database* database = nullptr;
    QString recordSource;  // the grid's data source
    qint64 recordCount = 0; // rows the data source holds
    // Current overview: the visible columns in display order. Column i is field i of
    // the record source's rows.
    QList<ExportColumn> columns;
    // The cell text as the grid shows it (value, number format).
    std::function<QString(const QVariant&, const QString&)> formatCell;
};

// The article exports of the file menu: "|"-separated Windows-1252 text with CR LF.
// The new file replaces an existing one only once it is complete; a cancelled dialog,
// an unreadable selection or a write error leave no (partial) file behind.
class ArticleExport {
public:
    explicit ArticleExport(ImportWindow& window) : window_(window) {}

    // "&Standaard ASCII...": the twelve article fields of the shown selection, in its
    // order. True when a file was written.
    bool runStandard(const ExportSource& source);
    // "&Huidig overzicht...": the visible columns as shown.
    bool runOverview(const ExportSource& source);

    qint64 lastCount() const { return count_; }

    static const QStringList& standardFields();
    // The statement of the standard export: Products with the shown list's selection
    // and order (its text from WHERE on). A list of the description search reads the
    // ScanTemp table, whose rows are the articles it found.
    static QString standardQuery(const QString& recordSource);
    // A value in the database's text form: empty for null, numbers without grouping and
    // with the locale's decimal separator, no trailing zeros.
    static QString databaseText(const QVariant& value);
    static QString padRight(const QString& text, int width);
    static QString padLeft(const QString& text, int width);

private:
    enum class Kind { Standard, Overview };
    bool run(Kind kind, const ExportSource& source);
    // Writes the header and one line per row; the row count, or -1 on a write error.
    qint64 write(Kind kind, const ExportSource& source, Recordset& rows, QSaveFile& file);

    ImportWindow& window_;
    qint64 count_ = 0;
};

} // namespace vandrel
