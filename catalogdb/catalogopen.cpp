#include "catalogdb/catalogopen.h"

#include "catalogdb/catalogschema.h"
#include "catalogdb/databasehandles.h"

#include "app/core/events.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "app/core/ui.h"

#include <QFile>

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

} // namespace

OpenOutcome OpenCatalogDatabases(const QString& directory, SettingsWindow* window)
{
    DatabaseHandles& h = databaseHandles();
    const QString catalogFile = directory + catalogDatabaseName;
    const QString ordersFile = directory + ordersDatabaseName;
    bool extended = false;
    bool upgraded = false;

    for (;;) {
        h.closeCatalog();

        // 1-2. A missing or damaged file: offer a new one.
        const Database::FileState state = Database::checkFile(catalogFile);
        if (state != Database::FileState::Usable) {
            if (!askNewDatabase(QStringLiteral("ATTENTIE: Kan de database '") + catalogFile
                                + QStringLiteral("' niet vinden, of de database is beschadigd. Wilt u een nieuwe "
                                                 "artikeldatabase installeren?")))
                return OpenOutcome::EndProgram;
            if (state == Database::FileState::Damaged) {
                quickpak::KillFile(catalogFile);
                quickpak::KillFile(ordersFile);
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
