#pragma once

#include <QDate>
#include <QList>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace vandrel::demodata {

struct Options {
    int articles = 3000;              // articles in the catalog; withdrawn records come on top
    uint64_t seed = 1;
    QDate date = QDate(2024, 1, 31);  // date of the delivery: end record, newest change date
};

// What a picture shows; every kind has its own schematic drawing.
enum class Shape {
    Placeholder, BasinTap, KitchenTap, ShowerValve, BathTap, Basin, Toilet, Seat, ShowerHead,
    Trap, Plug, Radiator, DesignRadiator, RadiatorValve, Bracket, Boiler, Vessel, Pump,
    Manifold, FloorPipe, Pipe, Coupling, Elbow, Tee, SolderBend, PvcPipe, PvcBend, BallValve,
    CheckValve, StopValve, Wrench, Cutter, Clamp, Fan, Grille, HeatRecovery, Cable, Switch,
    ExplodedSet
};

struct Colour {
    QString name;
    int code = 0; // packed colour value: red + green * 256 + blue * 65536
};

struct ColourFan {
    int code = 0;
    QString name;
    QList<Colour> colours;
};

struct Manufacturer {
    int code = 0;
    QString name;
    QString prefix; // of its supplier article numbers
};

struct Unit {
    int code = 0;
    QString abbreviation;
    QString name;
};

// One line of the product group file.
struct Group {
    QString code; // as written: 1, 3 or 7 characters, or 9 for the fourth level
    QString text;
};

struct PropertyDef {
    QString name;
    int type = -1; // display type 0 to 6; -1 is stored as Null
};

// A row of ProductGroups: the first five characters of a group code.
struct ProductGroupRow {
    QString code;
    QString text;
    std::array<PropertyDef, 4> props;
};

struct Hotspot {
    QRect rect;      // in pixels of the stored picture
    int linked = 0;  // illustration number it leads to
    QString label;
    Shape shape = Shape::Placeholder;
};

struct Picture {
    int number = 0;
    int serie = 0;   // SerieKode; 0 for the placeholder and line drawings
    QString title;
    QString description; // RTF when longer than 64 characters
    Shape shape = Shape::Placeholder;
    QList<Hotspot> hotspots; // exploded views (and the parts on their line drawing)
};

struct Remark {
    int fabrikant = 0;
    QString group;
    int serie = 0;
    QString text;
};

struct Series {
    int code = 0;
    QString name;
    int manufacturer = 0; // FabrikantKode
    int family = 0;       // index into the families
    int fan = 0;          // KleurenWaaier, 0 = none
    int illustration = 0; // TekeningNummer of the articles, 0 = none
    int drawing = 0;      // LijnTekeningNummer of the articles, 0 = none
    int firstNumber = 0;  // article numbers: firstNumber + j * step
    int step = 2;         // withdrawn articles take firstNumber + j * step + 1
    int count = 0;
    int priceFactor = 100; // percent
};

// One article record of the article file: its 26 fields in file order. A field may hold
// CR LF (a quotation text over two lines), which splits the record over two lines.
struct ArticleRecord {
    std::array<QString, 26> fields;
    bool withdrawn = false;
};

// The whole invented assortment of one seed: groups, manufacturers, series, colours,
// pictures, and the plan from which every article is produced on demand (so that a
// catalog of half a million articles is never held in memory).
class CatalogWorld {
public:
    explicit CatalogWorld(const Options& options);

    const Options& options() const { return options_; }
    const QList<Group>& groups() const { return groups_; }
    const QList<ProductGroupRow>& productGroups() const { return productGroups_; }
    const QList<Manufacturer>& manufacturers() const { return manufacturers_; }
    const QList<Unit>& units() const { return units_; }
    const QList<ColourFan>& colourFans() const { return fans_; }
    const QList<Series>& series() const { return series_; }
    const QList<Picture>& illustrations() const { return illustrations_; } // 10000 first
    const QList<Picture>& drawings() const { return drawings_; }
    const QList<Remark>& remarks() const { return remarks_; }

    // Article records in file order (series by series, by group); withdrawn ones among them.
    void forEachArticle(const std::function<void(const ArticleRecord&)>& sink) const;
    void forEachAdditional(const std::function<void(int article, int complement, int quantity)>& sink) const;
    void forEachAlternative(const std::function<void(int article, int alternative)>& sink) const;

    static constexpr int placeholderIllustration = 10000;

private:
    void buildGroups();
    void buildSeries();
    void buildPictures();
    void buildRemarks();
    int articleNumber(const Series& s, int j) const { return s.firstNumber + (j % s.count) * s.step; }
    ArticleRecord article(const Series& s, int j, bool withdrawn) const;

    Options options_;
    QList<Group> groups_;
    QList<ProductGroupRow> productGroups_;
    QList<Manufacturer> manufacturers_;
    QList<Unit> units_;
    QList<ColourFan> fans_;
    QList<Series> series_;
    QList<Picture> illustrations_;
    QList<Picture> drawings_;
    QList<Remark> remarks_;
};

} // namespace vandrel::demodata
