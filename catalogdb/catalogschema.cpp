#include "catalogdb/catalogschema.h"

#include "catalogdb/database.h"

#include "app/core/events.h"
#include "app/core/quickpak.h"
#include "app/core/ui.h"

namespace vandrel {

namespace {

struct ColumnSpec {
    const char* name;
    int type;
    int size;
    int attributes;
};

struct IndexSpec {
    const char* name;
    const char* fields;
    bool unique;
    bool primary;
};

struct TableSpec {
    const char* name;
    QList<ColumnSpec> columns;
    QList<IndexSpec> indexes;
};

const QList<TableSpec>& catalogTables()
{
    static const QList<TableSpec> tables = {
        {"Products",
         {{"ArtikelNummer", Field::Long, 0, 0},      {"KortingGroep", Field::Integer, 0, 0},
          {"ProduktGroep", Field::Text, 14, 0},      {"TekeningNummer", Field::Long, 0, 0},
          {"TekeningRangVolgorde", Field::Integer, 0, 0}, {"LijnTekeningNummer", Field::Long, 0, 0},
          {"ArtNummerLev", Field::Text, 15, 0},      {"EANNummer", Field::Text, 14, 0},
          {"FabrikantKode", Field::Integer, 0, 0},   {"Omschrijving", Field::Text, 0, 0},
          {"EenheidKode", Field::Integer, 0, 0},     {"BrutoPrijs", Field::Currency, 0, 0},
          {"SerieKode", Field::Integer, 0, 0},       {"VerpaktPer", Field::Integer, 0, 0},
          {"BestelbaarPer", Field::Integer, 0, 0},   {"PrijsPer", Field::Integer, 0, 0},
          {"NettoPrijs", Field::Currency, 0, 0},     {"Beschikbaarheid", Field::Integer, 0, 0},
          {"StatusKode", Field::Byte, 0, 0},         {"Mutatiedatum", Field::DateTime, 0, 0},
          {"Klassificatie_1", Field::Text, 0, 0},    {"Klassificatie_2", Field::Text, 0, 0},
          {"Klassificatie_3", Field::Text, 0, 0},    {"Klassificatie_4", Field::Text, 0, 0},
          {"Beschrijving", Field::Text, 0, 0},       {"OfferteOms", Field::Text, 0, 0},
          {"Flagged", Field::YesNo, 0, 0},           {"Deleted", Field::YesNo, 0, 0}},
         {{"PrimaryKey", "ArtikelNummer", true, true},
          {"GroupKey", "ProduktGroep", false, false},
          {"SeriesKey", "SerieKode", false, false},
          {"SupplCodeKey", "ArtNummerLev", false, false},
          {"EANKey", "EANNummer", false, false},
          {"DrawingKey", "TekeningNummer", false, false}}},
        {"ScanTemp",
         {{"ArtikelNummer", Field::Long, 0, 0},
          {"Beschrijving", Field::Text, 0, 0},
          {"ArtNummerLev", Field::Text, 15, 0},
          {"EANNummer", Field::Text, 14, 0},
          {"BrutoPrijs", Field::Currency, 0, 0},
          {"PrijsPer", Field::Integer, 0, 0},
          {"NettoPrijs", Field::Currency, 0, 0},
          {"KortingGroep", Field::Integer, 0, 0}},
         {{"PrimaryKey", "ArtikelNummer", true, true}}},
        {"Additionals",
         {{"ArtikelNummer", Field::Long, 0, 0}, {"ComplementNummer", Field::Long, 0, 0}, {"Aantal", Field::Integer, 0, 0}},
         {{"PrimaryKey", "ArtikelNummer;ComplementNummer", true, true}}},
        {"Alternatives",
         {{"ArtikelNummer", Field::Long, 0, 0}, {"AlternatiefArtikel", Field::Long, 0, 0}},
         {{"PrimaryKey", "ArtikelNummer;AlternatiefArtikel", true, true}}},
    };
    return tables;
}

const QList<TableSpec>& ordersTables()
{
    static const QList<TableSpec> tables = {
        {"BestelRegels",
         {{"Aantal", Field::Long, 0, 0},
          {"Artikel", Field::Long, 0, 0},
          {"Omschrijving", Field::Memo, 0, 0},
          {"Verkoop", Field::Currency, 0, 0},
          {"Inkoop", Field::Currency, 0, 0},
          {"RegelNummer", Field::Long, 0, 0},
          {"OrderCode", Field::Long, 0, 0},
          {"ID", Field::Long, 0, Field::AutoIncrement}},
         {{"PrimaryKey", "ID", true, true}, {"OrderKey", "OrderCode;RegelNummer;ID", true, false}}},
        {"BestelHeader",
         {{"OrderCode", Field::Long, 0, 0},
          {"Referentie", Field::Text, 30, 0},
          {"Leverdatum", Field::DateTime, 0, 0},
          {"Afhalen", Field::YesNo, 0, 0}},
         {{"PrimaryKey", "OrderCode", true, true}}},
    };
    return tables;
}

// Shows "ERROR: " + the pending engine error, if there is one, and clears it.
void reportEngineError()
{
    if (!PendingError::isSet())
        return;
    msgBox(QStringLiteral("ERROR: ") + PendingError::get().text, MsgIcon::None, MsgButtons::Ok);
    PendingError::clear();
}

// Step 4 of a build: every table with its columns and indexes; an engine error is
// reported and the build goes on.
void buildTables(Database& db, const QList<TableSpec>& tables)
{
    for (const TableSpec& spec : tables) {
        TableDef td = db.createTableDef(QString::fromLatin1(spec.name));
        for (const ColumnSpec& c : spec.columns) {
            Field f = td.createField(QString::fromLatin1(c.name), c.type, c.type == Field::Text ? c.size : 0);
            f.setAttributes(c.attributes);
            if (!td.appendField(f))
                reportEngineError();
        }
        pumpEvents();
        for (const IndexSpec& i : spec.indexes) {
            Index ix = td.createIndex(QString::fromLatin1(i.name));
            ix.setFields(QString::fromLatin1(i.fields));
            ix.setUnique(i.unique);
            ix.setPrimary(i.primary);
            if (!td.appendIndex(ix))
                reportEngineError();
        }
        pumpEvents();
        if (!db.appendTableDef(td))
            reportEngineError();
        pumpEvents();
    }
}

// Steps 1 to 3 of a build; the new database, or null after the message.
std::unique_ptr<Database> createFile(const QString& file, const QString& title)
{
    if (quickpak::Exist(file) == -1) {
        msgBox(QStringLiteral("ERROR: Database Already Exists, Creation Aborted"), MsgIcon::Warning, MsgButtons::Ok, title);
        return nullptr;
    }
    if (quickpak::Valid(file) != -1) {
        msgBox(QStringLiteral("ERROR: ") + PendingError::get().text, MsgIcon::None, MsgButtons::Ok);
        return nullptr;
    }
    PendingError::clear();
    auto db = Database::create(file, Database::defaultLocale);
    if (!db) {
        msgBox(QStringLiteral("ERROR: Could Not Create Database"), MsgIcon::Warning, MsgButtons::Ok, title);
        PendingError::clear();
        return nullptr;
    }
    if (PendingError::isSet()) {
        msgBox(PendingError::get().text, MsgIcon::None, MsgButtons::Ok);
        PendingError::clear();
        return nullptr;
    }
    return db;
}

} // namespace

void BuildCatalogDatabase(const QString& directory, qint16 mode)
{
    const QString file = directory + catalogDatabaseName;
    if (mode == 0) {
        auto db = createFile(file, QStringLiteral("Build DataBase"));
        if (!db)
            return;
        WaitCursor wait;
        buildTables(*db, catalogTables());
        db->close();
        reportEngineError();
        return;
    }

    if (quickpak::Valid(file) != -1) {
        msgBox(QStringLiteral("ERROR: ") + PendingError::get().text, MsgIcon::None, MsgButtons::Ok);
        return;
    }
    PendingError::clear();
    auto db = Database::open(file, false, false);
    if (!db) {
        msgBox(QStringLiteral("ERROR: Could Not Access Database"), MsgIcon::Warning, MsgButtons::Ok,
               QStringLiteral("Append DataBase"));
        PendingError::clear();
        return;
    }
    if (PendingError::isSet()) {
        msgBox(PendingError::get().text, MsgIcon::None, MsgButtons::Ok);
        PendingError::clear();
        return;
    }
    WaitCursor wait;
    // Errors ignored: the column may be there already.
    if (auto products = db->tableDef(QStringLiteral("Products")))
        products->appendField(products->createField(QStringLiteral("OfferteOms"), Field::Text, 255));
    PendingError::clear();
    db->close();
}

void BuildOrdersDatabase(const QString& directory)
{
    const QString file = directory + ordersDatabaseName;
    auto db = createFile(file, QStringLiteral("Build Orders DataBase"));
    if (!db)
        return;
    WaitCursor wait;
    buildTables(*db, ordersTables());
    db->close();
    reportEngineError();
}

} // namespace vandrel
