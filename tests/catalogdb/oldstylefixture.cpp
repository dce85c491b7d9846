#include "oldstylefixture.h"

#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"

#include <gtest/gtest.h>

namespace vandrel::test {

namespace {

struct Col {
    const char* name;
    int type;
    int size;
};

void table(Database& db, const QString& name, const QList<Col>& cols, const QList<QPair<QString, QString>>& indexes)
{
    TableDef td = db.createTableDef(name);
    for (const Col& c : cols) {
        Field f = td.createField(QString::fromLatin1(c.name), c.type, c.size);
        if (c.size < 0) {
            f = td.createField(QString::fromLatin1(c.name), c.type);
            f.setAttributes(Field::AutoIncrement);
        }
        ASSERT_TRUE(td.appendField(f)) << c.name;
    }
    for (const auto& [ixName, fields] : indexes) {
        Index ix = td.createIndex(ixName);
        ix.setFields(fields);
        ix.setUnique(ixName == u"PrimaryKey");
        ix.setPrimary(ixName == u"PrimaryKey");
        ASSERT_TRUE(td.appendIndex(ix));
    }
    ASSERT_TRUE(db.appendTableDef(td)) << PendingError::get().text.toStdString();
}

void exec(Database& db, const QString& sql)
{
    ASSERT_TRUE(db.execute(sql)) << sql.toStdString() << ": " << PendingError::get().text.toStdString();
}

} // namespace

void buildOldStyleDatabases(const QString& directory, OldStyle variant)
{
    {
        auto db = Database::create(directory + catalogDatabaseName);
        ASSERT_TRUE(db);
        QList<Col> products = {
            {"ArtikelNr", Field::Long, 0},        {"KortingGroep", Field::Integer, 0},
            {"ProduktGroep", Field::Text, 14},    {"TekeningNummer", Field::Long, 0},
            {"TekeningRangVolgorde", Field::Integer, 0}, {"LijnTekeningNummer", Field::Long, 0},
            {"ArtNummerLev", Field::Text, 15},    {"EANNummer", Field::Text, 14},
            {"FabrikantKode", Field::Integer, 0}, {"Omschrijving", Field::Text, 0},
            {"EenheidKode", Field::Integer, 0},   {"BrutoPrijsNLG", Field::Currency, 0},
            {"BrutoPrijsEUR", Field::Currency, 0}, {"SerieKode", Field::Integer, 0},
            {"VerpaktPer", Field::Integer, 0},    {"BestelbaarPer", Field::Integer, 0},
            {"Per", Field::Integer, 0},           {"NettoPrijsNLG", Field::Currency, 0},
            {"NettoPrijsEUR", Field::Currency, 0}, {"Beschikbaarheid", Field::Integer, 0},
            {"StatusKode", Field::Byte, 0},       {"Mutatiedatum", Field::DateTime, 0},
            {"Klassificatie_1", Field::Text, 0},  {"Klassificatie_2", Field::Text, 0},
            {"Klassificatie_3", Field::Text, 0},  {"Klassificatie_4", Field::Text, 0},
            {"Beschrijving", Field::Text, 0},     {"OfferteOms", Field::Text, 0},
            {"Flagged", Field::YesNo, 0},         {"Deleted", Field::YesNo, 0}};
        if (variant == OldStyle::Columns29)
            products.removeIf([](const Col& c) { return QLatin1String(c.name) == u"OfferteOms"; });
        table(*db, QStringLiteral("Products"), products,
              {{QStringLiteral("PrimaryKey"), QStringLiteral("ArtikelNr")},
               {QStringLiteral("GroupKey"), QStringLiteral("ProduktGroep")},
               {QStringLiteral("SeriesKey"), QStringLiteral("SerieKode")},
               {QStringLiteral("SupplCodeKey"), QStringLiteral("ArtNummerLev")},
               {QStringLiteral("EANKey"), QStringLiteral("EANNummer")},
               {QStringLiteral("DrawingKey"), QStringLiteral("TekeningNummer")}});
        table(*db, QStringLiteral("ScanTemp"),
              {{"ArtikelNr", Field::Long, 0}, {"Beschrijving", Field::Text, 0}, {"ArtNummerLev", Field::Text, 15},
               {"EANNummer", Field::Text, 14}, {"BrutoPrijsNLG", Field::Currency, 0}, {"BrutoPrijsEUR", Field::Currency, 0},
               {"Per", Field::Integer, 0}, {"NettoPrijsNLG", Field::Currency, 0}, {"NettoPrijsEUR", Field::Currency, 0},
               {"KortingGroep", Field::Integer, 0}},
              {{QStringLiteral("PrimaryKey"), QStringLiteral("ArtikelNr")}});
        table(*db, QStringLiteral("Additionals"),
              {{"ArtikelNr", Field::Long, 0}, {"ComplementNummer", Field::Long, 0}, {"Aantal", Field::Integer, 0}},
              {{QStringLiteral("PrimaryKey"), QStringLiteral("ArtikelNr;ComplementNummer")}});
        table(*db, QStringLiteral("Alternatives"), {{"ArtikelNr", Field::Long, 0}, {"AlternatiefArtikel", Field::Long, 0}},
              {{QStringLiteral("PrimaryKey"), QStringLiteral("ArtikelNr;AlternatiefArtikel")}});
        exec(*db, QStringLiteral("INSERT INTO Products (ArtikelNr, Omschrijving, BrutoPrijsNLG, BrutoPrijsEUR, "
                                 "NettoPrijsNLG, NettoPrijsEUR, Per) VALUES (1234567, 'Kogelkraan', 22.04, 10, 11.02, 5, 1)"));
        exec(*db, QStringLiteral("INSERT INTO ScanTemp (ArtikelNr, BrutoPrijsEUR) VALUES (1234567, 10)"));
        exec(*db, QStringLiteral("INSERT INTO Additionals VALUES (1234567, 7654321, 2)"));
    }
    auto orders = Database::create(directory + ordersDatabaseName);
    ASSERT_TRUE(orders);
    table(*orders, QStringLiteral("BestelRegels"),
          {{"Aantal", Field::Long, 0}, {"Artikel", Field::Long, 0}, {"Omschrijving", Field::Memo, 0},
           {"VerkoopNLG", Field::Currency, 0}, {"InkoopNLG", Field::Currency, 0}, {"VerkoopEUR", Field::Currency, 0},
           {"InkoopEUR", Field::Currency, 0}, {"RegelNummer", Field::Long, 0}, {"OrderCode", Field::Long, 0},
           {"ID", Field::Long, -1}},
          {{QStringLiteral("PrimaryKey"), QStringLiteral("ID")},
           {QStringLiteral("OrderKey"), QStringLiteral("OrderCode;RegelNummer;ID")}});
    table(*orders, QStringLiteral("BestelHeader"),
          {{"OrderCode", Field::Long, 0}, {"Referentie", Field::Text, 30}, {"Leverdatum", Field::DateTime, 0},
           {"Afhalen", Field::YesNo, 0}},
          {{QStringLiteral("PrimaryKey"), QStringLiteral("OrderCode")}});
    exec(*orders, QStringLiteral("INSERT INTO BestelRegels (Aantal, Artikel, VerkoopNLG, InkoopNLG, VerkoopEUR, InkoopEUR, "
                                 "RegelNummer, OrderCode) VALUES (3, 1234567, 22.04, 11.02, 10, 5, 1, 42)"));
}

void buildIllustrationDatabase(const QString& directory, const QStringList& leaveOut, const QStringList& extra,
                               bool lowerCaseNames)
{
    auto db = Database::create(directory + illustrationDatabaseName);
    ASSERT_TRUE(db);
    const QList<QPair<QString, QList<Col>>> tables = {
        {QStringLiteral("ColorSchemes"), {{"KleurenWaaier", Field::Integer, 0}, {"Waaiernaam", Field::Text, 50}}},
        {QStringLiteral("ColorSpecifications"),
         {{"KleurenWaaier", Field::Integer, 0}, {"KleurNaam", Field::Text, 50}, {"KleurCode", Field::Text, 20}}},
        {QStringLiteral("Drawings"), {{"LijnTekeningNummer", Field::Long, 0}, {"LijnTekening", Field::LongBinary, 0}}},
        {QStringLiteral("ExplodeItems"),
         {{"TekeningNummer", Field::Long, 0}, {"LinksBoven_X_As", Field::Integer, 0}, {"LinksBoven_Y_As", Field::Integer, 0},
          {"RechtsOnder_X_As", Field::Integer, 0}, {"RechtsOnder_Y_As", Field::Integer, 0},
          {"GekoppeldeTekening", Field::Long, 0}}},
        {QStringLiteral("GeneralRemarks"),
         {{"FabrikantKode", Field::Integer, 0}, {"ProduktGroep", Field::Text, 14}, {"SerieKode", Field::Integer, 0},
          {"Opmerking", Field::Memo, 0}}},
        {QStringLiteral("Illustrations"),
         {{"TekeningNummer", Field::Long, 0}, {"SerieKode", Field::Integer, 0}, {"Tekening", Field::LongBinary, 0},
          {"Titel", Field::Text, 100}}},
        {QStringLiteral("Manufacturers"), {{"FabrikantKode", Field::Integer, 0}, {"FabrikantNaam", Field::Text, 50}}},
        {QStringLiteral("ProductGroups"),
         {{"ProduktGroep", Field::Text, 14}, {"GroepOmschrijving", Field::Text, 0}, {"KlassificatieType_1", Field::Integer, 0},
          {"KlassificatieNaam_1", Field::Text, 50}}},
        {QStringLiteral("Series"),
         {{"SerieKode", Field::Integer, 0}, {"SerieNaam", Field::Text, 50}, {"KleurenWaaier", Field::Integer, 0}}},
        {QStringLiteral("Units"), {{"EenheidKode", Field::Integer, 0}, {"Eenheid", Field::Text, 20}}},
    };
    for (const auto& [name, cols] : tables) {
        if (leaveOut.contains(name, Qt::CaseInsensitive))
            continue;
        QList<QPair<QString, QString>> indexes;
        if (name == u"GeneralRemarks")
            indexes = {{QStringLiteral("PrimaryKey"), QStringLiteral("FabrikantKode;ProduktGroep;SerieKode")}};
        table(*db, lowerCaseNames ? name.toLower() : name, cols, indexes);
    }
    for (const QString& name : extra)
        table(*db, name, {{"Waarde", Field::Text, 10}}, {});
    if (!leaveOut.contains(QStringLiteral("Illustrations"), Qt::CaseInsensitive))
        exec(*db, QStringLiteral("INSERT INTO Illustrations (TekeningNummer, Titel) VALUES (10000, 'Geen afbeelding')"));
    if (!leaveOut.contains(QStringLiteral("Drawings"), Qt::CaseInsensitive))
        exec(*db, QStringLiteral("INSERT INTO Drawings (LijnTekeningNummer) VALUES (1)"));
}

} // namespace vandrel::test
