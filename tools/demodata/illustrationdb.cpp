#include "tools/demodata/illustrationdb.h"

#include "tools/demodata/compressedstring.h"
#include "tools/demodata/pictures.h"

#include <QFile>

#include <sqlite3.h>

#include <map>
#include <variant>
#include <vector>

namespace vandrel::demodata {

namespace {

// Declared types are those the program's engine layer maps back to the classic type
// codes (SMALLINT 16-bit, INTEGER 32-bit, VARCHAR(n) text, LONGTEXT memo, LONGBLOB long
// binary); text compares without regard to case. A primary index is named
// table + "!PrimaryKey".
const char* const schema[] = {
    "CREATE TABLE ColorSchemes (KleurenWaaier INTEGER, Waaiernaam VARCHAR(50) COLLATE NOCASE)",
    "CREATE UNIQUE INDEX \"ColorSchemes!PrimaryKey\" ON ColorSchemes (KleurenWaaier)",
    "CREATE TABLE ColorSpecifications (KleurenWaaier INTEGER, KleurCode INTEGER, KleurNaam VARCHAR(50) COLLATE NOCASE)",
    "CREATE UNIQUE INDEX \"ColorSpecifications!PrimaryKey\" ON ColorSpecifications (KleurenWaaier, KleurCode)",
    "CREATE TABLE Drawings (LijnTekeningNummer INTEGER, Titel VARCHAR(100) COLLATE NOCASE, "
    "LijnTekeningOmschrijving LONGTEXT COLLATE NOCASE, LijnTekening LONGBLOB)",
    "CREATE UNIQUE INDEX \"Drawings!PrimaryKey\" ON Drawings (LijnTekeningNummer)",
    "CREATE TABLE ExplodeItems (TekeningNummer INTEGER, Volgnummer SMALLINT, LinksBoven_X_As INTEGER, "
    "LinksBoven_Y_As INTEGER, RechtsOnder_X_As INTEGER, RechtsOnder_Y_As INTEGER, GekoppeldeTekening INTEGER)",
    "CREATE UNIQUE INDEX \"ExplodeItems!PrimaryKey\" ON ExplodeItems (TekeningNummer, Volgnummer)",
    "CREATE TABLE GeneralRemarks (FabrikantKode SMALLINT, ProduktGroep VARCHAR(14) COLLATE NOCASE, SerieKode SMALLINT, "
    "Opmerking LONGTEXT COLLATE NOCASE)",
    "CREATE UNIQUE INDEX \"GeneralRemarks!PrimaryKey\" ON GeneralRemarks (FabrikantKode, ProduktGroep, SerieKode)",
    "CREATE TABLE Illustrations (TekeningNummer INTEGER, SerieKode SMALLINT, Titel VARCHAR(100) COLLATE NOCASE, "
    "TekeningOmschrijving LONGTEXT COLLATE NOCASE, Tekening LONGBLOB)",
    "CREATE UNIQUE INDEX \"Illustrations!PrimaryKey\" ON Illustrations (TekeningNummer)",
    "CREATE INDEX \"Illustrations.SeriesKey\" ON Illustrations (SerieKode)",
    "CREATE TABLE Manufacturers (FabrikantKode SMALLINT, FabrikantNaam VARCHAR(50) COLLATE NOCASE)",
    "CREATE UNIQUE INDEX \"Manufacturers!PrimaryKey\" ON Manufacturers (FabrikantKode)",
    "CREATE TABLE ProductGroups (ProduktGroep VARCHAR(14) COLLATE NOCASE, GroepOmschrijving VARCHAR(100) COLLATE NOCASE, "
    "KlassificatieNaam_1 VARCHAR(50) COLLATE NOCASE, KlassificatieType_1 SMALLINT, "
    "KlassificatieNaam_2 VARCHAR(50) COLLATE NOCASE, KlassificatieType_2 SMALLINT, "
    "KlassificatieNaam_3 VARCHAR(50) COLLATE NOCASE, KlassificatieType_3 SMALLINT, "
    "KlassificatieNaam_4 VARCHAR(50) COLLATE NOCASE, KlassificatieType_4 SMALLINT)",
    "CREATE UNIQUE INDEX \"ProductGroups!PrimaryKey\" ON ProductGroups (ProduktGroep)",
    "CREATE TABLE Series (SerieKode SMALLINT, SerieNaam VARCHAR(50) COLLATE NOCASE, FabrikantKode SMALLINT, "
    "KleurenWaaier INTEGER)",
    "CREATE UNIQUE INDEX \"Series!PrimaryKey\" ON Series (SerieKode)",
    "CREATE TABLE Units (EenheidKode SMALLINT, Eenheid VARCHAR(10) COLLATE NOCASE, Omschrijving VARCHAR(50) COLLATE NOCASE)",
    "CREATE UNIQUE INDEX \"Units!PrimaryKey\" ON Units (EenheidKode)",
};

struct Null {};
using Value = std::variant<Null, int, QString, QByteArray>;

class Db {
public:
    ~Db()
    {
        finalize();
        if (db_)
            sqlite3_close(db_);
    }
    bool open(const QString& file)
    {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            return fail();
        return exec("PRAGMA journal_mode = OFF") && exec("PRAGMA synchronous = OFF");
    }
    bool exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK || fail(); }
    bool insert(const char* sql, const std::vector<Value>& values)
    {
        // One prepared statement per insert text, reused for all its rows.
        sqlite3_stmt*& st = statements_[sql];
        if (!st && sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK)
            return fail();
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        int i = 1;
        for (const Value& v : values) {
            if (const int* n = std::get_if<int>(&v))
                sqlite3_bind_int(st, i, *n);
            else if (const QString* s = std::get_if<QString>(&v)) {
                const QByteArray u = s->toUtf8();
                sqlite3_bind_text(st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            } else if (const QByteArray* b = std::get_if<QByteArray>(&v))
                sqlite3_bind_blob(st, i, b->constData(), int(b->size()), SQLITE_TRANSIENT);
            else
                sqlite3_bind_null(st, i);
            ++i;
        }
        return sqlite3_step(st) == SQLITE_DONE || fail();
    }
    bool close()
    {
        finalize();
        const int rc = sqlite3_close(db_);
        db_ = nullptr;
        return rc == SQLITE_OK;
    }
    QString error() const { return error_; }

private:
    void finalize()
    {
        for (auto& [sql, st] : statements_)
            sqlite3_finalize(st);
        statements_.clear();
    }
    bool fail()
    {
        error_ = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : "out of memory");
        return false;
    }
    sqlite3* db_ = nullptr;
    std::map<const char*, sqlite3_stmt*> statements_;
    QString error_;
};

Value nullable(const QString& s) { return s.isEmpty() ? Value(Null{}) : Value(s); }
Value typeOf(int type) { return type < 0 ? Value(Null{}) : Value(type); }

bool fill(Db& db, const CatalogWorld& world, IllustrationDbCounts& counts)
{
    for (const char* sql : schema)
        if (!db.exec(sql))
            return false;
    for (const ColourFan& fan : world.colourFans()) {
        if (!db.insert("INSERT INTO ColorSchemes VALUES (?, ?)", {fan.code, fan.name}))
            return false;
        for (const Colour& c : fan.colours)
            if (!db.insert("INSERT INTO ColorSpecifications VALUES (?, ?, ?)", {fan.code, c.code, c.name}))
                return false;
    }
    for (const Manufacturer& m : world.manufacturers())
        if (!db.insert("INSERT INTO Manufacturers VALUES (?, ?)", {m.code, m.name}))
            return false;
    for (const Unit& u : world.units())
        if (!db.insert("INSERT INTO Units VALUES (?, ?, ?)", {u.code, u.abbreviation, u.name}))
            return false;
    for (const ProductGroupRow& g : world.productGroups()) {
        std::vector<Value> v{g.code, g.text};
        for (const PropertyDef& p : g.props) {
            v.push_back(nullable(p.name));
            v.push_back(typeOf(p.type));
        }
        if (!db.insert("INSERT INTO ProductGroups VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", v))
            return false;
    }
    for (const Series& s : world.series())
        if (!db.insert("INSERT INTO Series VALUES (?, ?, ?, ?)",
                       {s.code, s.name, s.manufacturer, s.fan ? Value(s.fan) : Value(Null{})}))
            return false;
    for (const Remark& r : world.remarks())
        if (!db.insert("INSERT INTO GeneralRemarks VALUES (?, ?, ?, ?)", {r.fabrikant, r.group, r.serie, r.text}))
            return false;
    for (const Picture& p : world.illustrations()) {
        const QByteArray stored = compressString(encodeIllustration(renderIllustration(p)));
        if (!db.insert("INSERT INTO Illustrations VALUES (?, ?, ?, ?, ?)",
                       {p.number, p.serie, p.title, nullable(p.description), stored}))
            return false;
        ++counts.illustrations;
        int k = 0;
        for (const Hotspot& h : p.hotspots) {
            if (!db.insert("INSERT INTO ExplodeItems VALUES (?, ?, ?, ?, ?, ?, ?)",
                           {p.number, ++k, h.rect.left(), h.rect.top(), h.rect.left() + h.rect.width(),
                            h.rect.top() + h.rect.height(), h.linked}))
                return false;
            ++counts.hotspots;
        }
    }
    for (const Picture& p : world.drawings()) {
        const QByteArray stored = compressString(encodeLineDrawing(renderLineDrawing(p)));
        if (!db.insert("INSERT INTO Drawings VALUES (?, ?, ?, ?)", {p.number, p.title, nullable(p.description), stored}))
            return false;
        ++counts.drawings;
    }
    return true;
}

} // namespace

bool writeIllustrationDatabase(const CatalogWorld& world, const QString& file, QString* error, IllustrationDbCounts* counts)
{
    IllustrationDbCounts c;
    if (QFile::exists(file) && !QFile::remove(file)) {
        if (error)
            *error = QStringLiteral("%1 kan niet worden vervangen").arg(file);
        return false;
    }
    Db db;
    const bool ok = db.open(file) && db.exec("BEGIN") && fill(db, world, c) && db.exec("COMMIT");
    if (!ok) {
        if (error)
            *error = db.error();
        return false;
    }
    if (!db.close()) {
        if (error)
            *error = QStringLiteral("%1 kan niet worden gesloten").arg(file);
        return false;
    }
    if (counts)
        *counts = c;
    return true;
}

} // namespace vandrel::demodata
