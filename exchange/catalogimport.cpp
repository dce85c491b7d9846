#include "exchange/catalogimport.h"

#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/privateprofile.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "app/core/ui.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/database.h"
#include "catalogdb/engineerror.h"
#include "catalogdb/recordset.h"
#include "catalogdb/scanfile.h"
#include "exchange/articlefile.h"
#include "exchange/importrecord.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <array>

namespace vandrel {

const QString CatalogImport::messageTitle = QStringLiteral("Vandrel Update");

namespace {

namespace qp = quickpak;

constexpr int batchSize = 100;

enum class Conversion { Text, Price, Date };

struct Column {
    const char* name;
    Conversion conversion;
};

// Fields 2..26 of an article record, by position.
constexpr std::array<Column, 25> articleColumns{{
    {"KortingGroep", Conversion::Text},
    {"ProduktGroep", Conversion::Text},
    {"TekeningNummer", Conversion::Text},
    {"TekeningRangVolgorde", Conversion::Text},
    {"LijnTekeningNummer", Conversion::Text},
    {"ArtNummerLev", Conversion::Text},
    {"EANNummer", Conversion::Text},
    {"FabrikantKode", Conversion::Text},
    {"Omschrijving", Conversion::Text},
    {"EenheidKode", Conversion::Text},
    {"BrutoPrijs", Conversion::Price},
    {"SerieKode", Conversion::Text},
    {"VerpaktPer", Conversion::Text},
    {"BestelbaarPer", Conversion::Text},
    {"Per", Conversion::Text},
    {"NettoPrijs", Conversion::Price},
    {"Beschikbaarheid", Conversion::Text},
    {"StatusKode", Conversion::Text},
    {"Mutatiedatum", Conversion::Date},
    {"Klassificatie_1", Conversion::Text},
    {"Klassificatie_2", Conversion::Text},
    {"Klassificatie_3", Conversion::Text},
    {"Klassificatie_4", Conversion::Text},
    {"Beschrijving", Conversion::Text},
    {"OfferteOms", Conversion::Text},
}};
constexpr int beschrijvingField = 24; // 0-based field positions
constexpr int offerteField = 25;

QString engineErrorText()
{
    const QString text = PendingError::get().text;
    return text.isEmpty() ? QStringLiteral("Onbekende databasefout") : text;
}

// An empty field reads as the number 0.
QString fieldText(const QStringList& fields, int i)
{
    const QString& t = fields.at(i);
    return t.isEmpty() ? QStringLiteral("0") : t;
}

QVariant fieldValue(const QStringList& fields, int i, Conversion conversion)
{
    switch (conversion) {
    case Conversion::Price:
        if (const auto amount = priceFromCents(fields.at(i)))
            return amount->toDouble();
        return fields.at(i); // too large: the engine reports it
    case Conversion::Date:
        if (const auto date = changeDate(fields.at(i)))
            return *date;
        return QVariant();
    case Conversion::Text:
        break;
    }
    return fieldText(fields, i);
}

// Both ends of the progress display, done at the batch points only.
void showCount(ImportWindow& window, qint64 count, qint64 lines)
{
    window.setStatusCaption(QStringLiteral(" %1 records verwerkt...").arg(count));
    const qint64 percent = lines > 0 ? count * 100 / lines : 0;
    window.progress().setPercent(int(std::min<qint64>(percent, 100)));
    window.progress().refresh();
    pumpEvents();
}

QString fileIn(const QString& directory, const QString& name)
{
    return qp::localPath(directory + name);
}

} // namespace

CatalogImport::CatalogImport(Database& catalog, ImportWindow& window, ImportActions actions)
    : db_(catalog), window_(window), actions_(std::move(actions)), productFile_(programState().productFile),
      settingsFile_(settingsFileName())
{
}

void CatalogImport::showError(const QString& suffix)
{
    if (stopped_) {
        PendingError::clear();
        return;
    }
    if (isDatabaseWideError(PendingError::get())) {
        stop();
        return;
    }
    ++counts_.errors;
    msgBox(engineErrorText() + suffix, MsgIcon::Warning, MsgButtons::Ok, messageTitle);
    PendingError::clear();
}

// One message instead of one per record: the rest would fail alike. The note "under
// way" stays, so the next start offers the import again.
void CatalogImport::stop()
{
    ++counts_.errors;
    stopped_ = true;
    const QString cause = engineErrorText();
    PendingError::clear();
    if (db_.inTransaction())
        db_.rollback();
    PendingError::clear();
    msgBox(QStringLiteral("De artikeldatabase kan niet worden bijgewerkt:") + QStringLiteral("\r\n") + cause
               + QStringLiteral("\r\n\r\n")
               + QStringLiteral("Het inlezen is gestopt; de artikelinformatie is onvolledig. Bij de volgende start van "
                                "het programma wordt aangeboden het inlezen opnieuw te starten."),
           MsgIcon::Critical, MsgButtons::Ok, messageTitle);
}

void CatalogImport::afterRecord(qint64 count, qint64 lines)
{
    if (count % batchSize != 0 || stopped_)
        return;
    if (!db_.commitTrans()) {
        showError(QString());
        db_.rollback();
    }
    db_.idle();
    db_.beginTrans();
    showCount(window_, count, lines);
}

bool CatalogImport::run(const QString& directory, bool updateMode)
{
    // Bulk writing until the scan file is built (finish() ends it before the database
    // may be closed), or until any earlier way out.
    db_.setBulkWriting(true);
    bulkWriting_ = true;
    const auto endBulk = qScopeGuard([this] { endBulkWriting(); });
    counts_ = {};
    stopped_ = false;
    directory_ = directory;
    PendingError::clear();
    const QString articleFile = fileIn(directory, updateMode ? QStringLiteral("VDCDINFO") : QStringLiteral("ARTINFO.TXT"));
    if (qp::Exist(articleFile) == 0) {
        msgBox(QStringLiteral("Het artikelbestand \"%1\" is niet gevonden. Er is niets ingelezen.")
                   .arg(QDir::toNativeSeparators(articleFile)),
               MsgIcon::Warning, MsgButtons::Ok, messageTitle);
        return false;
    }
    if (!importArticles(articleFile, updateMode))
        return false;
    if (stopped_) {
        window_.progress().close();
        window_.setMainWindowEnabled(true);
        return false;
    }

    counts_.additionals = importPairs(fileIn(directory, QStringLiteral("ADDIINFO.TXT")), QStringLiteral("Additionals"),
                                      QStringLiteral("Verwerken complementaire artikelen..."),
                                      QStringLiteral("ComplementNummer"), true);
    counts_.alternatives = importPairs(fileIn(directory, QStringLiteral("ALTEINFO.TXT")), QStringLiteral("Alternatives"),
                                       QStringLiteral("Verwerken alternatieve artikelen..."),
                                       QStringLiteral("AlternatiefArtikel"), false);
    finish(directory, updateMode);
    return !stopped_;
}

bool CatalogImport::storeArticle(Recordset& products, const QStringList& fields, qint32 number)
{
    const QString suffix = QStringLiteral(" bij artikel ") + QString::number(number);
    if (!products.seek(QStringLiteral("="), number)) {
        showError(suffix);
        return false;
    }
    const bool found = !products.noMatch();
    if (isWithdrawn(fields.at(beschrijvingField))) {
        if (found && !products.deleteRecord())
            showError(suffix);
        return true;
    }
    const bool opened = found ? products.edit()
                              : products.addNew() && products.setValue(QStringLiteral("ArtikelNr"), number);
    if (!opened) {
        products.cancelUpdate();
        showError(suffix);
        return false;
    }
    const auto& at = columnIndex_;
    bool ok = true;
    for (int i = 1; i < offerteField && ok; ++i)
        ok = products.setValue(at[i - 1], fieldValue(fields, i, articleColumns[i - 1].conversion));
    if (ok) {
        // A record without a field 26, or with an empty one, quotes the description.
        const bool own = fields.size() > offerteField && !fields.at(offerteField).trimmed().isEmpty();
        ok = products.setValue(at[offerteField - 1], own ? fields.at(offerteField) : fieldText(fields, beschrijvingField))
            && products.setValue(at[offerteField], false) && products.setValue(at[offerteField + 1], false)
            && products.update();
    }
    if (!ok) {
        products.cancelUpdate();
        showError(suffix);
    }
    return true;
}

bool CatalogImport::importArticles(const QString& fileName, bool updateMode)
{
    const qint64 lines = ArticleFile::countLines(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        msgBox(QStringLiteral("Het artikelbestand \"%1\" kan niet worden gelezen. Er is niets ingelezen.")
                   .arg(QDir::toNativeSeparators(fileName)),
               MsgIcon::Warning, MsgButtons::Ok, messageTitle);
        return false;
    }
    auto products = db_.openRecordset(QStringLiteral("Products"), Recordset::Table);
    if (!products || !products->setIndex(QStringLiteral("PrimaryKey"))) {
        msgBox(engineErrorText(), MsgIcon::Warning, MsgButtons::Ok, messageTitle);
        PendingError::clear();
        return false;
    }
    columnIndex_.clear();
    for (const Column& c : articleColumns)
        columnIndex_ << products->fieldIndex(QLatin1String(c.name));
    columnIndex_ << products->fieldIndex(QStringLiteral("Flagged")) << products->fieldIndex(QStringLiteral("Deleted"));
    if (!ImportRecord::markStarted(db_, directory_, updateMode)) {
        // Not fatal by itself (an old database opened read-only shows it at once below),
        // but a database that cannot even take the note stops here.
        showError(QString());
        if (stopped_)
            return true;
    }
    window_.progress().open(QStringLiteral("Product update"), QStringLiteral("Verwerken artikelgegevens..."));
    window_.setMainWindowEnabled(false);

    ArticleFile reader(file);
    QString endField;
    qint64 count = 0;
    {
        WaitCursor wait;
        db_.beginTrans();
        QStringList fields;
        while (!stopped_ && reader.readRecord(fields)) {
            const auto number = articleNumber(fields.at(0));
            if (!number) {
                endField = fields.at(0).trimmed();
                break;
            }
            if (fields.size() < 25)
                continue;
            if (!storeArticle(*products, fields, *number))
                continue;
            afterRecord(++count, lines);
        }
    }
    if (!stopped_ && !db_.commitTrans())
        showError(QString());
    db_.idle();
    products->close();
    file.close();
    counts_.articles = count;
    if (stopped_)
        return true;

    if (updateMode) {
        const QString last = endField.startsWith(QLatin1String("9999999")) ? endField.mid(7) : QString();
        PrivateProfile::writeString(QStringLiteral("Updates"), QStringLiteral("LastProducts"), last, settingsFile_);
        programState().lastProducts = last;
    }

    window_.progress().setLabel(QStringLiteral("Verwerken databasegegevens..."));
    window_.progress().refresh();
    // Only rows still marked (by an import cut short in an older version): the mark was
    // only ever cleared here, so the import now stores it cleared at once instead of
    // rewriting every row it has just written.
    if (!db_.execute(QStringLiteral("UPDATE Products SET Flagged = FALSE WHERE Flagged <> FALSE OR Flagged IS NULL")))
        showError(QString());
    db_.idle();
    return true;
}

qint64 CatalogImport::importPairs(const QString& fileName, const QString& table, const QString& label,
                                  const QString& secondKey, bool withAantal)
{
    if (stopped_)
        return 0;
    if (!db_.execute(QStringLiteral("DELETE * FROM ") + table))
        showError(QString());
    if (qp::Exist(fileName) == 0)
        return 0;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    auto rs = db_.openRecordset(table, Recordset::Table);
    if (!rs || !rs->setIndex(QStringLiteral("PrimaryKey"))) {
        showError(QString());
        return 0;
    }
    const qint64 lines = ArticleFile::countLines(fileName);
    window_.progress().open(QStringLiteral("Product update"), label);
    window_.setMainWindowEnabled(false);

    ArticleFile reader(file);
    qint64 count = 0;
    {
        WaitCursor wait;
        db_.beginTrans();
        QByteArray line;
        while (!stopped_ && reader.readLine(line)) {
            const QStringList fields = splitFields(line, 3);
            // The end record ("9999999|20240131|") closes the file; it is no pair.
            if (!fields.isEmpty() && fields.at(0).trimmed() == QLatin1String("9999999"))
                break;
            if (fields.size() < 2)
                continue;
            const auto article = wholeNumber(fields.at(0));
            const auto second = wholeNumber(fields.at(1));
            if (!article || !second)
                continue; // not a record
            const QVariantList key{*article, *second};
            bool ok = rs->seek(QStringLiteral("="), key);
            if (ok)
                ok = rs->noMatch() ? rs->addNew() && rs->setValue(QStringLiteral("ArtikelNr"), *article)
                                         && rs->setValue(secondKey, *second)
                                   : rs->edit();
            if (!ok) {
                rs->cancelUpdate();
                showError(QString());
                continue;
            }
            if (withAantal)
                ok = rs->setValue(QStringLiteral("Aantal"), fields.size() > 2 ? Val(fields.at(2)) : 0.0);
            if (!ok || !rs->update()) {
                rs->cancelUpdate();
                showError(QString());
            }
            afterRecord(++count, lines);
        }
    }
    if (!stopped_ && !db_.commitTrans())
        showError(QString());
    db_.idle();
    rs->close();
    return count;
}

void CatalogImport::endBulkWriting()
{
    if (bulkWriting_)
        db_.setBulkWriting(false);
    bulkWriting_ = false;
}

void CatalogImport::finish(const QString& directory, bool updateMode)
{
    {
        const QString scan = productFile_ + scanFileName;
        const int error = RebuildScanFile(db_, scan, &window_.progress());
        if (error < 0)
            showError(QString());
        else if (error > 0)
            msgBox(QStringLiteral("Het zoekbestand \"%1\" kan niet worden aangemaakt: %2")
                       .arg(QDir::toNativeSeparators(scan), qp::ErrorMsg(error)),
                   MsgIcon::Warning, MsgButtons::Ok, messageTitle);
        window_.progress().close();
        window_.setMainWindowEnabled(true);
    }
    endBulkWriting();
    if (stopped_)
        return;
    if (!ImportRecord::markFinished(db_, counts_.articles))
        showError(QString());
    if (stopped_)
        return;

    if (updateMode) {
        const QString update = fileIn(directory, QStringLiteral("CDUPDATE.EXE"));
        if (qp::Exist(update) != 0) {
            const QString marker = fileIn(directory, QStringLiteral("CDUPDATE.DEL"));
            if (qp::Exist(marker) != 0) {
                qp::KillFile(update);
                qp::KillFile(marker);
            } else {
                msgBox(QStringLiteral("Er is nieuwe update van de Vandrel Showrom zojuist gedownload naar uw computer. "
                                      "Klik op 'OK' om de update te installeren."),
                       MsgIcon::None, MsgButtons::Ok, QStringLiteral("Software upgrade"));
                if (actions_.startProgram)
                    actions_.startProgram(update);
            }
        }
        return;
    }
    if (counts_.articles == 0) {
        // Restarting would find the same empty catalog and import again, for ever.
        msgBox(QStringLiteral("Er zijn geen artikelen ingelezen: het bestand \"%1\" bevat geen geldige artikelregels.")
                       .arg(QDir::toNativeSeparators(fileIn(directory, QStringLiteral("ARTINFO.TXT"))))
                   + QStringLiteral("\r\n\r\n")
                   + QStringLiteral("Controleer het bestand en lees het opnieuw in via Bestand, Update."),
               MsgIcon::Warning, MsgButtons::Ok, messageTitle);
        return;
    }
    msgBox(QStringLiteral("De aanmaak van artikelinformatie is gereed. Klik op OK om het programma opnieuw op te starten"),
           MsgIcon::None, MsgButtons::Ok, QStringLiteral("De eerste keer opstarten..."));
    if (actions_.closeDatabase)
        actions_.closeDatabase();
    if (actions_.restartProgram)
        actions_.restartProgram();
}

} // namespace vandrel
