#include "exchange/articleexport.h"

#include "exchange/catalogimport.h"

#include "app/core/cp1252.h"
#include "app/core/events.h"
#include "app/core/quickpak.h"
#include "app/core/sharedstate.h"
#include "app/core/ui.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <cmath>
#include <optional>

namespace vandrel {

namespace {

const QString exportFilter = QStringLiteral("Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*||");
// Repaint and let events run at most this often: a 500,000-row export stays responsive
// without spending its time painting.
constexpr int pumpIntervalMs = 100;

// The file error number for a file that could not be created or written, in the
// numbering the program's other file messages use.
int fileErrorNumber(const QSaveFile& file, bool writing)
{
    using namespace quickpak::fileerror;
    if (writing)
        return file.error() == QFileDevice::ResourceError ? DiskFull : DeviceIoError;
    if (!QFileInfo(QFileInfo(file.fileName()).absolutePath()).isDir())
        return PathNotFound;
    return PathFileAccessError;
}

void showFileError(int number)
{
    msgBox(QStringLiteral("Er is een DOS-fout opgetreden:") + QLatin1Char(' ') + QString::number(number),
           MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Exporteren"));
}

// The grid's move handlers stay quiet while the export reads the list.
class SuspendGridEvents {
public:
    SuspendGridEvents() : previous_(shared().ListWalkInProgress) { shared().ListWalkInProgress = true; }
    ~SuspendGridEvents() { shared().ListWalkInProgress = previous_; }
    SuspendGridEvents(const SuspendGridEvents&) = delete;
    SuspendGridEvents& operator=(const SuspendGridEvents&) = delete;

private:
    bool previous_;
};

// The main window accepts no input while the export runs (it repaints and shows the
// count); given back in every case.
class BusyWindow {
public:
    explicit BusyWindow(ImportWindow& w) : w_(w)
    {
        w_.setMainWindowEnabled(false);
        w_.progress().open(QStringLiteral("Exporteren"), QStringLiteral("Bezig met exporteren..."));
        w_.progress().refresh();
    }
    ~BusyWindow()
    {
        w_.progress().close();
        w_.setMainWindowEnabled(true);
    }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

private:
    ImportWindow& w_;
};

QByteArray line(const QString& text) { return cp1252::fromUnicode(text) + "\r\n"; }

} // namespace

const QStringList& ArticleExport::standardFields()
{
    static const QStringList fields = {
        QStringLiteral("ArtikelNr"),   QStringLiteral("ProduktGroep"),  QStringLiteral("KortingGroep"),
        QStringLiteral("ArtNummerLev"), QStringLiteral("EANNummer"),    QStringLiteral("Omschrijving"),
        QStringLiteral("Eenheidkode"), QStringLiteral("Brutoprijs"),    QStringLiteral("VerpaktPer"),
        QStringLiteral("BestelbaarPer"), QStringLiteral("Per"),         QStringLiteral("NettoPrijs")};
    return fields;
}

QString ArticleExport::standardQuery(const QString& recordSource)
{
    const QString source = recordSource.simplified();
    if (source.compare(u"ScanTemp", Qt::CaseInsensitive) == 0 ||
        source.contains(QLatin1String(" FROM ScanTemp"), Qt::CaseInsensitive))
        return QStringLiteral("SELECT * FROM Products WHERE ArtikelNr IN (SELECT ArtikelNr FROM ScanTemp) "
                              "ORDER BY ArtikelNr");
    const qsizetype where = recordSource.indexOf(QLatin1String("WHERE"), 0, Qt::CaseInsensitive);
    if (where < 0)
        return QStringLiteral("SELECT * FROM Products ORDER BY ArtikelNr");
    return QStringLiteral("SELECT * FROM Products ") + recordSource.mid(where);
}

QString ArticleExport::databaseText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        const double d = value.toDouble();
        if (d == std::floor(d) && std::abs(d) < 1e15)
            return locale.toString(qint64(d));
        QString text = locale.toString(d, 'f', 4);
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        return text;
    }
    case QMetaType::QDateTime: {
        const QDateTime t = value.toDateTime();
        return t.time() == QTime(0, 0) ? QLocale().toString(t.date(), QLocale::ShortFormat)
                                       : QLocale().toString(t, QLocale::ShortFormat);
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Waar") : QStringLiteral("Onwaar");
    default:
        return value.toString();
    }
}

QString ArticleExport::padRight(const QString& text, int width)
{
    return text.trimmed().leftJustified(width, QLatin1Char(' '));
}

QString ArticleExport::padLeft(const QString& text, int width)
{
    return text.trimmed().rightJustified(width, QLatin1Char(' '));
}

bool ArticleExport::runStandard(const ExportSource& source) { return run(Kind::Standard, source); }
bool ArticleExport::runOverview(const ExportSource& source) { return run(Kind::Overview, source); }

bool ArticleExport::run(Kind kind, const ExportSource& source)
{
    count_ = 0;
    if (!source.database || source.recordCount <= 0) {
        msgBox(QStringLiteral("Er zijn geen records geselecteerd"), MsgIcon::Critical);
        return false;
    }
    FileDialogRequest request;
    request.title = kind == Kind::Standard ? QStringLiteral("Exporteren artikelgegevens")
                                           : QStringLiteral("Exporteren huidig overzicht");
    request.filter = exportFilter;
    request.fileName = QStringLiteral("Vandrel.txt");
    const std::optional<QString> chosen = Ui::instance().saveFileName(request);
    if (!chosen || chosen->trimmed().isEmpty())
        return false;

    QSaveFile file(QDir::fromNativeSeparators(*chosen));
    if (!file.open(QIODevice::WriteOnly)) {
        showFileError(fileErrorNumber(file, false));
        return false;
    }

    WaitCursor hourglass;
    SuspendGridEvents suspended;
    // The progress window shows before the selection is read: reading a large sorted
    // selection takes a while before its first row.
    std::optional<BusyWindow> busy(std::in_place, window_);
    // The export reads the selection on its own recordset, so the grid keeps its row and
    // nothing the user sees moves underneath.
    const QString statement = kind == Kind::Standard ? standardQuery(source.recordSource) : source.recordSource;
    PendingError::clear();
    std::unique_ptr<Recordset> recordset =
        source.database->openRecordset(statement, Recordset::ForwardOnly, Recordset::ReadOnly);
    if (!recordset) {
        busy.reset();
        const QString why = PendingError::isSet() ? PendingError::get().text : QString();
        PendingError::clear();
        file.cancelWriting();
        msgBox(QStringLiteral("De geselecteerde artikelen kunnen niet worden gelezen.") +
                   (why.isEmpty() ? QString() : QStringLiteral("\n\n") + why),
               MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Exporteren"));
        return false;
    }

    const qint64 count = write(kind, source, *recordset, file);
    busy.reset();
    if (count < 0) {
        const int number = fileErrorNumber(file, true);
        file.cancelWriting();
        showFileError(number);
        return false;
    }
    count_ = count;
    msgBox(QStringLiteral("Export van") + QLatin1Char(' ') + QString::number(count) +
               QStringLiteral(" artikelgegevens is gereed"),
           MsgIcon::Information);
    return true;
}

qint64 ArticleExport::write(Kind kind, const ExportSource& source, Recordset& rows, QSaveFile& file)
{
    QList<int> fieldColumns;
    QByteArray out;
    if (kind == Kind::Standard) {
        QString header;
        for (const QString& name : standardFields()) {
            header += name + QLatin1Char('|');
            fieldColumns << rows.fieldIndex(name);
        }
        out += line(header);
    } else {
        QString header;
        for (const ExportColumn& c : source.columns)
            header += c.caption.leftJustified(c.width, QLatin1Char(' '), true) + QLatin1Char('|');
        out += line(header);
    }

    QElapsedTimer sincePump;
    sincePump.start();
    qint64 count = 0;
    bool writeFailed = false;
    for (; rows.hasCurrent(); rows.moveNext()) {
        QString text;
        if (kind == Kind::Standard) {
            for (int column : std::as_const(fieldColumns))
                text += (column < 0 ? QString() : databaseText(rows.value(column))) + QLatin1Char('|');
        } else {
            for (int i = 0; i < source.columns.size(); ++i) {
                const ExportColumn& c = source.columns[i];
                const QVariant v = i < rows.fieldCount() ? rows.value(i) : QVariant();
                const QString cell = source.formatCell ? source.formatCell(v, c.numberFormat) : databaseText(v);
                text += (c.alignRight ? padLeft(cell, c.width) : padRight(cell, c.width)) + QLatin1Char('|');
            }
        }
        out += line(text);
        ++count;
        if (out.size() >= (1 << 16)) {
            writeFailed = file.write(out) != out.size();
            out.clear();
            if (writeFailed)
                break;
        }
        if (count % 25 == 0) {
            window_.setStatusCaption(QStringLiteral("Bezig met exporteren:") + QLatin1Char(' ') +
                                     QString::number(count) + QStringLiteral(" records gereed..."));
            if (sincePump.elapsed() >= pumpIntervalMs) {
                window_.progress().setPercent(int(std::min<qint64>(100, count * 100 / source.recordCount)));
                window_.progress().refresh();
                sincePump.restart();
            }
        }
    }
    PendingError::clear();
    if (!writeFailed && !out.isEmpty())
        writeFailed = file.write(out) != out.size();
    if (writeFailed || !file.commit())
        return -1;
    return count;
}

} // namespace vandrel
