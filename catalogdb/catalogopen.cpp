#include "catalogdb/catalogopen.h"

#include "catalogdb/catalogschema.h"
#include "catalogdb/connection.h"
#include "catalogdb/databasehandles.h"

#include "app/core/events.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "app/core/ui.h"

#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace vandrel {

namespace {

const QStringList& recognisedCatalogTables()
{
    static const QStringList names = {QStringLiteral("Products"), QStringLiteral("ScanTemp"),
                                      QStringLiteral("Alternatives"), QStringLiteral("Additionals")};
    return names;
}

const QStringList& illustrationTables()
{
    static const QStringList names = {
        QStringLiteral("ColorSchemes"),   QStringLiteral("ColorSpecifications"), QStringLiteral("Drawings"),
        QStringLiteral("ExplodeItems"),   QStringLiteral("GeneralRemarks"),      QStringLiteral("Illustrations"),
        QStringLiteral("Manufacturers"),  QStringLiteral("ProductGroups"),       QStringLiteral("Series"),
        QStringLiteral("Units")};
    return names;
}

struct Rename {
    const char* found; // letter case ignored
    const char* to;
    bool guilder;
};

const Rename renames[] = {
    {"ARTIKELNUMMER", "ArtikelNr", false},  {"PRIJSPER", "Per", false},
    {"BRUTOPRIJSEUR", "BrutoPrijs", false}, {"NETTOPRIJSEUR", "NettoPrijs", false},
    {"BRUTOPRIJSNLG", "Dummy1", true},      {"NETTOPRIJSNLG", "Dummy2", true},
};

bool isDummy(const QString& name)
{
    return name.compare(u"Dummy1", Qt::CaseInsensitive) == 0 || name.compare(u"Dummy2", Qt::CaseInsensitive) == 0;
}

// The settings routines write the Settings section from a window; without the main
// window, one that hands back the values as they were read (and claims not to be in
// its normal state, so the stored position and size stay as they are).
class StoredWindow final : public SettingsWindow {
public:
    bool restoreColumnEntryVisible() const override
    {
        return windowSettings().showRestoreCol.compare(u"N", Qt::CaseInsensitive) != 0;
    }
    void setRestoreColumnEntryVisible(bool) override {}
    bool isNormalState() const override { return false; }
    void setNormalState() override {}
    double windowTop() const override { return windowSettings().mainTop; }
    double windowLeft() const override { return windowSettings().mainLeft; }
    double windowHeight() const override { return windowSettings().mainHeight; }
    double windowWidth() const override { return windowSettings().mainWidth; }
    void setWindowTop(double) override {}
    void setWindowLeft(double) override {}
    void setWindowHeight(double) override {}
    void setWindowWidth(double) override {}
    double horizontalBarTop() const override { return windowSettings().horizontalBar; }
    void setHorizontalBarTop(double) override {}
    double verticalBarLeft() const override { return windowSettings().verticalBar; }
    void setVerticalBarLeft(double) override {}
    double screenWidth() const override { return 0; }
    double screenHeight() const override { return 0; }
};

bool askNewDatabase(const QString& text)
{
    return msgBox(text, MsgIcon::Warning, MsgButtons::YesNo, QStringLiteral("Start Database")) == MsgAnswer::Yes;
}

// Shows the pending engine error's text when there is one; true when it did.
bool showPendingError()
{
    if (!PendingError::isSet())
        return false;
    msgBox(PendingError::get().text, MsgIcon::None, MsgButtons::Ok);
    PendingError::clear();
    return true;
}

// The orders part of the guilder upgrade; failures are ignored (the column may be gone).
void upgradeOrderLines(Database& orders)
{
    orders.execute(QStringLiteral("ALTER TABLE BestelRegels DROP COLUMN VerkoopNLG"));
    orders.execute(QStringLiteral("ALTER TABLE BestelRegels DROP COLUMN InkoopNLG"));
    if (auto lines = orders.tableDef(QStringLiteral("BestelRegels"))) {
        if (Field* f = lines->field(QStringLiteral("VerkoopEUR")))
            f->setName(QStringLiteral("Verkoop"));
        if (Field* f = lines->field(QStringLiteral("InkoopEUR")))
            f->setName(QStringLiteral("Inkoop"));
    }
    PendingError::clear();
}

bool orderLinesNeedUpgrade(Database& orders)
{
    auto lines = orders.tableDef(QStringLiteral("BestelRegels"));
    PendingError::clear();
    if (!lines)
        return false;
    for (const char* old : {"VerkoopNLG", "InkoopNLG", "VerkoopEUR", "InkoopEUR"})
        if (lines->field(QString::fromLatin1(old)))
            return true;
    return false;
}

int busyWaitMs = 30000;

// Shown while a catalog locked by another copy is waited for: says so, moves, and has
// a cancel button.
class BusyWaitWindow final : public QWidget {
public:
    explicit BusyWaitWindow(const QString& file)
    {
        setObjectName(QStringLiteral("BusyWait"));
        setWindowTitle(QStringLiteral("Start Database"));
        setWindowFlag(Qt::WindowStaysOnTopHint);
        auto* layout = new QVBoxLayout(this);
        auto* text = new QLabel(QStringLiteral("De artikeldatabase '%1' is in gebruik door een ander exemplaar van de "
                                               "Vandrel Catalogus.\nEven geduld a.u.b., er wordt gewacht tot deze "
                                               "vrijkomt...")
                                    .arg(QDir::toNativeSeparators(file)),
                                this);
        text->setObjectName(QStringLiteral("lblWacht"));
        text->setWordWrap(true);
        meter_ = new QProgressBar(this);
        meter_->setObjectName(QStringLiteral("Meter"));
        meter_->setRange(0, 100);
        meter_->setTextVisible(false);
        auto* cancel = new QPushButton(QStringLiteral("Annuleren"), this);
        cancel->setObjectName(QStringLiteral("cmdAnnuleren"));
        connect(cancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
        layout->addWidget(text);
        layout->addWidget(meter_);
        layout->addWidget(cancel, 0, Qt::AlignRight);
        resize(440, sizeHint().height());
    }
    void setElapsed(qint64 ms, int limit) { meter_->setValue(int(std::min<qint64>(100, ms * 100 / std::max(1, limit)))); }
    bool cancelled() const { return cancelled_; }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        cancelled_ = true;
        QWidget::closeEvent(event);
    }

private:
    QProgressBar* meter_;
    bool cancelled_ = false;
};

enum class BusyChoice { TryAgain, End };

// Waits while the file is locked by another connection, then asks. Never deletes.
BusyChoice waitWhileBusy(const QString& file)
{
    for (;;) {
        {
            BusyWaitWindow window(file);
            window.show();
            QElapsedTimer clock;
            clock.start();
            qint64 lastCheck = 0;
            bool free = false;
            waitUntil(
                [&] {
                    if (window.cancelled())
                        return true;
                    const qint64 now = clock.elapsed();
                    window.setElapsed(now, busyWaitMs);
                    if (now - lastCheck >= 200) {
                        lastCheck = now;
                        free = checkCatalogFile(file) != CatalogFileState::Busy;
                    }
                    return free;
                },
                busyWaitMs);
            if (window.cancelled())
                return BusyChoice::End;
            if (free)
                return BusyChoice::TryAgain;
        }
        const MsgAnswer answer =
            msgBox(QStringLiteral("De artikeldatabase '") + QDir::toNativeSeparators(file)
                       + QStringLiteral("' wordt gebruikt door een ander exemplaar van de Vandrel Catalogus, bijvoorbeeld "
                                        "op een andere computer in het netwerk.")
                       + QStringLiteral("\r\n\r\n")
                       + QStringLiteral("Kies 'Opnieuw' om nogmaals te wachten, of 'Annuleren' om het programma te "
                                        "sluiten. Er wordt niets gewijzigd of verwijderd."),
                   MsgIcon::Warning, MsgButtons::RetryCancel, QStringLiteral("Start Database"));
        if (answer != MsgAnswer::Retry)
            return BusyChoice::End;
    }
}

void reportUnreadable(const QString& file, const EngineError& cause)
{
    msgBox(QStringLiteral("FOUT: De artikeldatabase '") + QDir::toNativeSeparators(file)
               + QStringLiteral("' kan nu niet worden gelezen:") + QStringLiteral("\r\n") + cause.text
               + QStringLiteral("\r\n\r\n")
               + QStringLiteral("Er is niets gewijzigd of verwijderd. Controleer de schijf of de netwerkverbinding en "
                                "start het programma opnieuw."),
           MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Start Database"));
}

// Keeps a damaged file beside the new one instead of deleting it. Its write-ahead log and
// rollback journal go with it: left behind, they would belong to the new database of the
// same name (the engine drops them there, with whatever they held). The shared-memory
// index is rebuilt from the log by whoever opens the kept file.
void setAside(const QString& file)
{
    if (quickpak::Exist(file) != -1 && !QFileInfo(file).isDir())
        return;
    const QString kept = setAsideName(file, QDateTime::currentDateTime());
    const bool renamed = QFile::rename(file, kept);
    if (!renamed)
        quickpak::KillFile(file); // cannot be renamed: as the old program did, it must go
    for (const QLatin1String log : {QLatin1String("-wal"), QLatin1String("-journal")}) {
        if (QFileInfo::exists(file + log) && !(renamed && QFile::rename(file + log, kept + log)))
            QFile::remove(file + log);
    }
    QFile::remove(file + QLatin1String("-shm"));
}

} // namespace

CatalogFileState checkCatalogFile(const QString& file, EngineError* cause)
{
    const auto probe = [&]() -> std::optional<CatalogFileState> {
        // Read-write first: that rolls back what a killed writer left half done (a
        // read-only connection could not, and would call the file unreadable).
        EngineError e;
        auto conn = Connection::open(file, false, false, false, e, 0);
        if (!conn && e.number != EngineError::Locked)
            conn = Connection::open(file, false, false, true, e, 0);
        if (conn) {
            conn->close();
            return std::nullopt;
        }
        if (cause)
            *cause = e;
        switch (e.number) {
        case EngineError::Locked:
            return CatalogFileState::Busy;
        case EngineError::NotADatabase:
            return CatalogFileState::Damaged;
        default:
            return CatalogFileState::Unreadable; // a read that failed says nothing of the contents
        }
    };
    const QFileInfo info(file);
    if (!info.exists())
        return CatalogFileState::Missing;
    if (info.isFile()) {
        if (const auto state = probe())
            return *state;
    }
    switch (Database::checkFile(file)) {
    case Database::FileState::Missing:
        return CatalogFileState::Missing;
    case Database::FileState::Usable:
        return CatalogFileState::Usable;
    case Database::FileState::Damaged:
        break;
    }
    // Locked by another copy between the two looks: still busy, not damaged.
    if (info.isFile()) {
        if (const auto state = probe(); state == CatalogFileState::Busy)
            return *state;
    }
    return CatalogFileState::Damaged;
}

bool isDatabaseWideError(const EngineError& error)
{
    switch (error.number) {
    case EngineError::NotADatabase:
    case EngineError::ReadOnly:
    case EngineError::Locked:
    case EngineError::DiskFull:
    case EngineError::DiskError:
        return true;
    default:
        return false;
    }
}

void setBusyWaitLimit(int milliseconds) { busyWaitMs = milliseconds; }
int busyWaitLimit() { return busyWaitMs; }

QString setAsideName(const QString& file, const QDateTime& when)
{
    const QFileInfo info(file);
    const QString stem = info.completeBaseName() + QStringLiteral(" beschadigd ")
                         + when.toString(QStringLiteral("yyyyMMdd-HHmm"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    QString name = info.dir().filePath(stem + suffix);
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = info.dir().filePath(stem + QStringLiteral(" (%1)").arg(n) + suffix);
    return name;
}

OpenOutcome OpenCatalogDatabases(const QString& directory, SettingsWindow* window)
{
    DatabaseHandles& h = databaseHandles();
    const QString catalogFile = directory + catalogDatabaseName;
    const QString ordersFile = directory + ordersDatabaseName;
    bool extended = false;
    bool upgraded = false;

    for (;;) {
        h.closeCatalog();

        // 1-2. A missing or damaged file: offer a new one. Busy or unreadable is neither.
        EngineError cause;
        const CatalogFileState state = checkCatalogFile(catalogFile, &cause);
        if (state == CatalogFileState::Busy) {
            if (waitWhileBusy(catalogFile) == BusyChoice::End)
                return OpenOutcome::EndProgram;
            continue;
        }
        if (state == CatalogFileState::Unreadable) {
            reportUnreadable(catalogFile, cause);
            return OpenOutcome::EndProgram;
        }
        if (state != CatalogFileState::Usable) {
            if (!askNewDatabase(QStringLiteral("ATTENTIE: Kan de database '") + catalogFile
                                + QStringLiteral("' niet vinden, of de database is beschadigd. Wilt u een nieuwe "
                                                 "artikeldatabase installeren?")))
                return OpenOutcome::EndProgram;
            if (state == CatalogFileState::Damaged) {
                setAside(catalogFile);
                setAside(ordersFile);
            }
            BuildCatalogDatabase(directory, 0);
        } else if (quickpak::Valid(catalogFile) != -1) {
            if (!askNewDatabase(QStringLiteral("ATTENTIE: De database is beschadigd. Wilt u een nieuwe artikeldatabase "
                                               "installeren?")))
                return OpenOutcome::EndProgram;
            BuildCatalogDatabase(directory, 0);
        }

        // 3. From here on engine errors do not interrupt.
        PendingError::clear();
        h.catalog = Database::open(catalogFile, false, false);
        if (!h.catalog && PendingError::get().number == EngineError::Locked) {
            // Locked between the check and the open: wait as above.
            PendingError::clear();
            if (waitWhileBusy(catalogFile) == BusyChoice::End)
                return OpenOutcome::EndProgram;
            continue;
        }
        if (!h.catalog) {
            PendingError::clear();
            msgBox(QStringLiteral("FOUT: Kan de artikeldatabase niet benaderen!"), MsgIcon::Warning, MsgButtons::Ok,
                   QStringLiteral("Start Artbase"));
            return OpenOutcome::NotOpened;
        }
        if (showPendingError()) {
            h.closeCatalog();
            return OpenOutcome::NotOpened;
        }

        // 4. The orders database, built when missing.
        if (quickpak::Exist(ordersFile) != -1)
            BuildOrdersDatabase(directory);
        PendingError::clear();
        h.orders = Database::open(ordersFile, false, false);
        if (!h.orders) {
            PendingError::clear();
            msgBox(QStringLiteral("FOUT: Kan de ordersdatabase niet benaderen!"), MsgIcon::Warning, MsgButtons::Ok,
                   QStringLiteral("Start Artbase"));
            return OpenOutcome::NotOpened;
        }
        if (showPendingError())
            return OpenOutcome::NotOpened;

        // 5. Count the tables, rename old column names.
        int recognised = 0;
        bool products30 = false;
        bool guilder = false;
        {
            WaitCursor wait;
            for (TableDef& td : h.catalog->tableDefs()) {
                if (!recognisedCatalogTables().contains(td.name(), Qt::CaseInsensitive)) {
                    pumpEvents();
                    continue;
                }
                ++recognised;
                const bool products = td.name().compare(u"Products", Qt::CaseInsensitive) == 0;
                if (products)
                    products30 = td.fieldCount() == 30;
                for (int i = 0; i < td.fieldCount(); ++i) {
                    Field& f = td.field(i);
                    for (const Rename& r : renames) {
                        if (f.name().compare(QLatin1String(r.found), Qt::CaseInsensitive) == 0) {
                            if (f.setName(QString::fromLatin1(r.to)) && r.guilder)
                                guilder = true;
                            break;
                        }
                    }
                    // Guilder columns renamed by an earlier pass that was cut short (an
                    // older database extended in 6b) still have to go.
                    if ((products || td.name().compare(u"ScanTemp", Qt::CaseInsensitive) == 0) && isDummy(f.name()))
                        guilder = true;
                    pumpEvents();
                }
                pumpEvents();
            }
            PendingError::clear();
        }

        // 6a.
        if (recognised < 4) {
            msgBox(QStringLiteral("FOUT: De artikeldatabase is corrupt of mist tabellen!"), MsgIcon::Warning,
                   MsgButtons::Ok, QStringLiteral("Start database"));
            h.closeCatalog();
            return OpenOutcome::EndProgram;
        }
        // 6b. Only once per call: a database that still has not 30 columns after being
        // extended goes on to 6c instead of asking again and again.
        if (guilder && !products30 && !extended) {
            msgBox(QStringLiteral(" Moment aub, de database wordt uitgebreid"), MsgIcon::Information, MsgButtons::Ok,
                   QStringLiteral("Controle database objecten"));
            h.closeCatalog();
            BuildCatalogDatabase(directory, 1);
            extended = true;
            continue;
        }
        // 6c, once per call: a column that cannot be dropped must not make it loop.
        if (guilder && !upgraded) {
            upgraded = true;
            for (const char* sql : {"ALTER TABLE Products DROP COLUMN Dummy1", "ALTER TABLE Products DROP COLUMN Dummy2",
                                    "ALTER TABLE ScanTemp DROP COLUMN Dummy1", "ALTER TABLE ScanTemp DROP COLUMN Dummy2"})
                h.catalog->execute(QString::fromLatin1(sql));
            h.catalog.reset();
            upgradeOrderLines(*h.orders);
            h.orders.reset();
            PendingError::clear();
            ColumnLayouts& layouts = columnLayouts();
            layouts.viewColumnLayout = ColumnLayouts::defaultLayout;
            layouts.viewColumnSizes = ColumnLayouts::defaultSizes;
            layouts.detailColumnLayout = ColumnLayouts::defaultLayout;
            layouts.detailColumnSizes = ColumnLayouts::defaultSizes;
            StoredWindow stored;
            SaveSettings(window ? window : &stored);
            continue;
        }
        // Order lines left with their old price columns by an interrupted upgrade.
        if (orderLinesNeedUpgrade(*h.orders))
            upgradeOrderLines(*h.orders);
        // 6d.
        return OpenOutcome::Opened;
    }
}

OpenOutcome OpenIllustrationDatabase(const QString& directory)
{
    DatabaseHandles& h = databaseHandles();
    h.closeIllustration();
    const QString file = directory + illustrationDatabaseName;
    PendingError::clear();
    h.illustration = Database::open(file, true, true);
    if (!h.illustration) {
        PendingError::clear();
        msgBox(QStringLiteral("FOUT: Kan de illustratie-database niet benaderen"), MsgIcon::Warning, MsgButtons::Ok,
               QStringLiteral("Start Digital Database"));
        return OpenOutcome::NotOpened;
    }
    if (showPendingError()) {
        h.closeIllustration();
        return OpenOutcome::NotOpened;
    }
    int found = 0;
    {
        WaitCursor wait;
        for (const TableDef& td : h.illustration->tableDefs()) {
            if (illustrationTables().contains(td.name(), Qt::CaseInsensitive) && ++found == 10)
                break;
        }
    }
    if (found < 10) {
        msgBox(QStringLiteral("FOUT: database is corrupt of mist tabellen!"), MsgIcon::Warning, MsgButtons::Ok,
               QStringLiteral("Start Digital Database"));
        h.closeIllustration();
        return OpenOutcome::EndProgram;
    }
    h.illustrations = h.illustration->openRecordset(QStringLiteral("SELECT * FROM illustrations"), Recordset::ForwardOnly,
                                                    Recordset::ReadOnly);
    h.drawings = h.illustration->openRecordset(QStringLiteral("SELECT * FROM Drawings"), Recordset::Dynaset,
                                               Recordset::ReadOnly);
    PendingError::clear();
    return OpenOutcome::Opened;
}

std::unique_ptr<Database> OpenIllustrationDatabaseCopy(const QString& directory)
{
    return Database::open(directory + illustrationDatabaseName, true, true);
}

} // namespace vandrel
