#include "tools/demodata/catalogworld.h"

#include "tools/demodata/ean.h"
#include "tools/demodata/random.h"

#include <QHash>
#include <QMap>
#include <QSet>

#include <algorithm>
#include <vector>

namespace vandrel::demodata {

namespace {

// Where a classification value comes from.
enum class Src { None, V0, V1, V2, Conn, Colour };

struct PropSpec {
    const char* name = "";
    int type = -1;
    Src src = Src::None;
};

struct DimSpec {
    const char* label;      // in the description
    const char* shortLabel; // in the short description
    const char* v0;
    const char* v1;
    const char* v2;
    int cents;              // gross price of one piece
};

struct FamilySpec {
    const char* key;
    const char* group; // leaf group, 9 characters
    Shape shape;
    const char* noun;
    const char* shortNoun;
    std::vector<DimSpec> dims;
    std::vector<const char*> conns;
    int fan;        // colour fan of its series, 0 = none
    const char* colourFormat; // how the colour reads in the description
    int unit, per, packed, orderMultiple, discountGroup;
    std::array<PropSpec, 4> props;
    std::vector<std::pair<const char*, int>> complements; // family key, quantity
    std::vector<std::pair<int, const char*>> series;      // manufacturer, series name
    const char* quote;
    int weight;
    std::vector<const char*> components = {}; // exploded sets: the families shown
};

const PropSpec none{};

const std::vector<FamilySpec>& families()
{
    using S = Shape;
    static const std::vector<FamilySpec> list = {
        {"wastafelkraan", "101010000", S::BasinTap, "Wastafelmengkraan", "WT MENGKR",
         {{"standaard uitloop", "STD", "95", "5,7", "", 8950}, {"hoge uitloop", "HOOG", "180", "5,7", "", 12950},
          {"met trekwaste", "WASTE", "95", "5,0", "", 10450}},
         {"eengreeps", "tweegreeps"}, 3, "%1", 1, 1, 1, 1, 110,
         {{{"Uitloophoogte (mm)", 1, Src::V0}, {"Doorstroming (l/min)", 3, Src::V1}, {"Bediening", 5, Src::Conn},
           {"Afwerking", 6, Src::Colour}}},
         {{"sifon", 1}, {"afvoerplug", 1}}, {{2, "Brabo Solo"}, {1, "Aquanova Linea"}, {2, "Brabo Classico"}},
         "Inclusief flexibele aansluitslangen en bevestigingsset.", 4},
        {"keukenkraan", "101020000", S::KitchenTap, "Keukenmengkraan", "KK MENGKR",
         {{"draaibare uitloop", "DRAAI", "230", "8,5", "", 11950}, {"uittrekbare uitloop", "UITTR", "250", "8,0", "", 18950},
          {"met zijdouche", "ZIJD", "220", "8,0", "", 16950}},
         {"eengreeps"}, 3, "%1", 1, 1, 1, 1, 111,
         {{{"Uitloophoogte (mm)", 1, Src::V0}, {"Doorstroming (l/min)", 3, Src::V1}, {"Bediening", 5, Src::Conn},
           {"Afwerking", 6, Src::Colour}}},
         {{"sifon", 1}}, {{2, "Brabo Cucina"}, {1, "Aquanova Chef"}},
         "Geschikt voor lagedrukboilers op aanvraag.", 3},
        {"douchethermostaat", "101030001", S::ShowerValve, "Douchethermostaat", "DO THERM",
         {{"opbouw hartafstand 150 mm", "OPB150", "150", "12,0", "", 21950},
          {"opbouw hartafstand 120 mm", "OPB120", "120", "12,0", "", 20950}},
         {"met omstel", "zonder omstel"}, 3, "%1", 1, 1, 1, 1, 112,
         {{{"Hartafstand (mm)", 1, Src::V0}, {"Doorstroming (l/min)", 3, Src::V1}, {"Uitvoering", 5, Src::Conn},
           {"Afwerking", 6, Src::Colour}}},
         {{"douchekop", 1}}, {{1, "Aquanova Thermo"}, {2, "Brabo Termix"}},
         "Met verbrandingsbeveiliging op 38 °C en S-koppelingen.", 3},
        {"badmengkraan", "101030002", S::BathTap, "Badmengkraan", "BAD MENGKR",
         {{"hartafstand 150 mm", "150", "150", "18,0", "", 15950}, {"hartafstand 120 mm", "120", "120", "18,0", "", 15450}},
         {"met handdouche", "zonder handdouche"}, 3, "%1", 1, 1, 1, 1, 112,
         {{{"Hartafstand (mm)", 1, Src::V0}, {"Doorstroming (l/min)", 3, Src::V1}, {"Uitvoering", 5, Src::Conn},
           {"Afwerking", 6, Src::Colour}}},
         {}, {{1, "Aquanova Linea"}, {2, "Brabo Solo"}}, "Inclusief S-koppelingen en rozetten.", 2},
        {"wandcloset", "102001001", S::Toilet, "Wandcloset", "WANDCLOSET",
         {{"diepspoel", "DIEP", "540", "6,0", "", 18950}, {"diepspoel randloos", "RANDL", "540", "4,5", "", 24950},
          {"compact", "COMP", "490", "4,5", "", 21950}},
         {"met bevestigingsset"}, 1, "%1", 1, 1, 1, 1, 120,
         {{{"Lengte (mm)", 1, Src::V0}, {"Spoelvolume (l)", 3, Src::V1}, {"Uitvoering", 5, Src::Conn},
           {"Kleur", 6, Src::Colour}}},
         {{"closetzitting", 1}}, {{6, "Keramica Porto"}, {1, "Aquanova Basic"}},
         "Geschikt voor inbouwreservoirs met 180 mm bevestigingsafstand.", 3},
        {"staandcloset", "102001002", S::Toilet, "Duoblokcloset", "DUOBLOK",
         {{"AO-aansluiting", "AO", "670", "6,0", "", 22950}, {"PK-aansluiting", "PK", "670", "6,0", "", 22950}},
         {"met reservoir"}, 1, "%1", 1, 1, 1, 1, 120,
         {{{"Lengte (mm)", 1, Src::V0}, {"Spoelvolume (l)", 3, Src::V1}, {"Uitvoering", 5, Src::Conn},
           {"Kleur", 6, Src::Colour}}},
         {{"closetzitting", 1}}, {{6, "Keramica Porto"}, {6, "Keramica Classic"}}, "Inclusief vul- en spoelmechanisme.", 2},
        {"closetzitting", "102001003", S::Seat, "Closetzitting", "CLOSETZ",
         {{"met deksel", "DEKSEL", "440", "", "", 3950}, {"softclose met deksel", "SOFTCL", "440", "", "", 6950},
          {"quick-release softclose", "QR", "450", "", "", 8950}},
         {"kunststof scharnieren", "RVS scharnieren"}, 1, "%1", 1, 1, 1, 1, 121,
         {{{"Lengte (mm)", 1, Src::V0}, {"Spoelvolume (l)", 3, Src::V1}, {"Uitvoering", 5, Src::Conn},
           {"Kleur", 6, Src::Colour}}},
         {}, {{6, "Keramica Porto"}, {1, "Aquanova Basic"}}, "", 2},
        {"wastafel", "102010000", S::Basin, "Wastafel", "WASTAFEL",
         {{"breedte 500 mm", "50", "500", "420", "", 5950}, {"breedte 600 mm", "60", "600", "460", "", 6950},
          {"breedte 800 mm", "80", "800", "480", "", 11950}, {"fontein 360 mm", "F36", "360", "250", "", 3950}},
         {"met kraangat", "zonder kraangat"}, 1, "%1", 1, 1, 1, 1, 122,
         {{{"Breedte (mm)", 1, Src::V0}, {"Diepte (mm)", 1, Src::V1}, {"Kraangat", 5, Src::Conn}, {"Kleur", 6, Src::Colour}}},
         {{"wastafelkraan", 1}, {"sifon", 1}}, {{6, "Keramica Porto"}, {1, "Aquanova Linea"}, {6, "Keramica Loft"}},
         "Inclusief bevestigingsset; met overloop.", 3},
        {"douchekop", "102020000", S::ShowerHead, "Hoofddouche", "HOOFDDOUCHE",
         {{"rond 200 mm", "R200", "200", "9,5", "", 4950}, {"rond 300 mm", "R300", "300", "12,0", "", 8950},
          {"vierkant 250 mm", "V250", "250", "11,0", "", 7950}},
         {"met douchearm", "zonder douchearm"}, 3, "%1", 1, 1, 1, 1, 123,
         {{{"Diameter (mm)", 1, Src::V0}, {"Doorstroming (l/min)", 3, Src::V1}, {"Uitvoering", 5, Src::Conn},
           {"Afwerking", 6, Src::Colour}}},
         {}, {{1, "Aquanova Rain"}, {2, "Brabo Douchy"}}, "Met antikalknoppen.", 2},
        {"douchesysteem", "102020000", S::ExplodedSet, "Douchesysteem opbouw", "DOUCHESYST",
         {{"met thermostaat", "THERM", "200", "9,5", "", 39950}, {"met thermostaat en handdouche", "THERM HD", "250", "11,0", "", 45950}},
         {"compleet"}, 3, "%1", 3, 1, 1, 1, 123,
         {{{"Diameter (mm)", 1, Src::V0}, {"Doorstroming (l/min)", 3, Src::V1}, {"Uitvoering", 5, Src::Conn},
           {"Afwerking", 6, Src::Colour}}},
         {}, {{1, "Aquanova Rain"}}, "Compleet met thermostaat, glijstang en hoofddouche.", 1,
         {"douchethermostaat", "douchekop", "knelkoppeling"}},
        {"sifon", "103010000", S::Trap, "Buissifon", "BUISSIFON",
         {{"5/4\" x 32 mm", "5/4X32", "32", "", "", 1450}, {"5/4\" x 40 mm", "5/4X40", "40", "", "", 1650},
          {"6/4\" x 40 mm", "6/4X40", "40", "", "", 1850}},
         {"kunststof", "messing verchroomd"}, 0, "%1", 1, 1, 1, 1, 130,
         {{{"Afvoer (mm)", 1, Src::V0}, {"Materiaal", 5, Src::Conn}, {"Reserve", 0, Src::None}, none}},
         {}, {{7, "Plastica Afvoer"}, {2, "Brabo Design"}}, "", 2},
        {"afvoerplug", "103020000", S::Plug, "Afvoerplug", "AFVOERPLUG",
         {{"click-clack 5/4\"", "CC", "32", "click-clack", "", 1950}, {"met overloop", "OVERL", "32", "overloop", "", 1450},
          {"vrijloop zonder overloop", "VRIJL", "32", "vrijloop", "", 1250}},
         {}, 3, "%1", 1, 1, 1, 1, 130,
         {{{"Aansluiting (mm)", 1, Src::V0}, {"Type", 5, Src::V1}, none, {"Afwerking", 6, Src::Colour}}},
         {}, {{2, "Brabo Design"}, {1, "Aquanova Linea"}}, "", 2},
        {"paneelradiator22", "201010001", S::Radiator, "Paneelradiator type 22", "PANEELRAD T22",
         {{"500 x 600 mm", "500X600", "500", "868", "600", 9950}, {"500 x 1000 mm", "500X1000", "500", "1447", "1000", 13950},
          {"600 x 600 mm", "600X600", "600", "1014", "600", 10950}, {"600 x 800 mm", "600X800", "600", "1352", "800", 12950},
          {"600 x 1000 mm", "600X1000", "600", "1690", "1000", 14950}, {"600 x 1200 mm", "600X1200", "600", "2028", "1200", 16950},
          {"900 x 600 mm", "900X600", "900", "1389", "600", 15950}, {"900 x 1000 mm", "900X1000", "900", "2315", "1000", 21950}},
         {"zijaansluiting", "middenonderaansluiting"}, 2, "%1", 1, 1, 1, 1, 210,
         {{{"Hoogte (mm)", 1, Src::V0}, {"Vermogen (W)", 2, Src::V1}, {"Lengte (mm)", 1, Src::V2}, {"Kleur", 6, Src::Colour}}},
         {{"radiatorkraan", 1}, {"radiatorbeugel", 2}}, {{4, "Nedverwarming Compact"}, {3, "Thermadrecht Plan"}},
         "Vermogen bij 75/65/20 °C volgens EN 442.", 5},
        {"paneelradiator33", "201010002", S::Radiator, "Paneelradiator type 33", "PANEELRAD T33",
         {{"500 x 800 mm", "500X800", "500", "1596", "800", 15950}, {"600 x 1000 mm", "600X1000", "600", "2340", "1000", 19950},
          {"600 x 1400 mm", "600X1400", "600", "3276", "1400", 25950}, {"900 x 1200 mm", "900X1200", "900", "3780", "1200", 31950}},
         {"zijaansluiting", "middenonderaansluiting"}, 2, "%1", 1, 1, 1, 1, 210,
         {{{"Hoogte (mm)", 1, Src::V0}, {"Vermogen (W)", 2, Src::V1}, {"Lengte (mm)", 1, Src::V2}, {"Kleur", 6, Src::Colour}}},
         {{"radiatorkraan", 1}, {"radiatorbeugel", 2}}, {{4, "Nedverwarming Compact"}, {3, "Thermadrecht Plan"}},
         "Vermogen bij 75/65/20 °C volgens EN 442.", 3},
        {"designradiator", "201020000", S::DesignRadiator, "Designradiator", "DESIGNRAD",
         {{"1200 x 500 mm", "1200X500", "1200", "650", "500", 29950}, {"1800 x 500 mm", "1800X500", "1800", "980", "500", 39950},
          {"1800 x 600 mm", "1800X600", "1800", "1150", "600", 44950}, {"800 x 450 mm", "800X450", "800", "420", "450", 22950}},
         {"middenonderaansluiting", "zijaansluiting"}, 2, "%1", 1, 1, 1, 1, 211,
         {{{"Hoogte (mm)", 1, Src::V0}, {"Vermogen (W)", 2, Src::V1}, {"Breedte (mm)", 1, Src::V2}, {"Kleur", 6, Src::Colour}}},
         {{"radiatorkraan", 2}}, {{3, "Thermadrecht Vertica"}, {4, "Nedverwarming Lineo"}}, "Levering inclusief wandbevestiging.", 3},
        {"radiatorkraan", "202010000", S::RadiatorValve, "Thermostatische radiatorkraan", "THERM RADKR",
         {{"1/2\" haaks", "1/2H", "15", "0,86", "", 2450}, {"1/2\" recht", "1/2R", "15", "0,86", "", 2450},
          {"3/8\" haaks", "3/8H", "10", "0,65", "", 2350}},
         {"met voeler", "voorinstelbaar met voeler"}, 3, "%1", 1, 1, 1, 1, 220,
         {{{"Aansluiting (mm)", 1, Src::V0}, {"Uitvoering", 5, Src::Conn}, {"Kv-waarde", 3, Src::V1}, {"Afwerking", 6, Src::Colour}}},
         {}, {{13, "Valkenburg Thermo"}, {3, "Thermadrecht Regel"}}, "", 4},
        {"radiatoraansluitset", "202010000", S::ExplodedSet, "Radiatoraansluitset", "RAD AANSLSET",
         {{"1/2\" haaks", "1/2H", "15", "0,86", "", 4950}, {"1/2\" recht", "1/2R", "15", "0,86", "", 4950}},
         {"compleet met beugels"}, 3, "%1", 3, 1, 1, 1, 220,
         {{{"Aansluiting (mm)", 1, Src::V0}, {"Uitvoering", 5, Src::Conn}, {"Kv-waarde", 3, Src::V1}, {"Afwerking", 6, Src::Colour}}},
         {}, {{3, "Thermadrecht Plan"}}, "Alles voor het aansluiten van een paneelradiator.", 1,
         {"radiatorkraan", "radiatorbeugel", "knelknie"}},
        {"radiatorbeugel", "202020000", S::Bracket, "Radiatorbeugel", "RADBEUGEL",
         {{"voor paneelhoogte 500 mm", "500", "500", "", "", 650}, {"voor paneelhoogte 600 mm", "600", "600", "", "", 650},
          {"voor paneelhoogte 900 mm", "900", "900", "", "", 850}},
         {"verzinkt", "wit gecoat"}, 0, "%1", 7, 1, 1, 1, 221,
         {{{"Paneelhoogte (mm)", 1, Src::V0}, {"Uitvoering", 5, Src::Conn}, none, none}},
         {}, {{11, "Fixar Radfix"}, {4, "Nedverwarming Compact"}}, "", 2},
        {"cvketel", "203010000", S::Boiler, "HR-combiketel", "HR COMBIKETEL",
         {{"CW3 24 kW", "CW3 24", "24", "3", "107,0", 149900}, {"CW4 28 kW", "CW4 28", "28", "4", "108,5", 169900},
          {"CW5 35 kW", "CW5 35", "35", "5", "109,0", 199900}},
         {"aardgas", "propaan"}, 0, "%1", 1, 1, 1, 1, 310,
         {{{"Vermogen (kW)", 1, Src::V0}, {"Tapwaterklasse (CW)", 1, Src::V1}, {"Rendement (%)", 3, Src::V2},
           {"Gassoort", 5, Src::Conn}}},
         {{"expansievat", 1}, {"cvaansluitset", 1}}, {{3, "Thermadrecht Ecoline"}, {4, "Nedverwarming HR Comfort"}},
         "Inclusief modulerende kamerthermostaat en ophangbeugel; installatie volgens de voorschriften van de fabrikant.", 2},
        {"expansievat", "203020000", S::Vessel, "Expansievat", "EXPANSIEVAT",
         {{"8 liter", "8L", "8", "1,0", "3,0", 2950}, {"12 liter", "12L", "12", "1,0", "3,0", 3450},
          {"18 liter", "18L", "18", "1,0", "3,0", 3950}, {"25 liter", "25L", "25", "1,5", "6,0", 4950},
          {"35 liter", "35L", "35", "1,5", "6,0", 6450}},
         {}, 0, "%1", 1, 1, 1, 1, 311,
         {{{"Inhoud (l)", 1, Src::V0}, {"Voordruk (bar)", 3, Src::V1}, {"Max. werkdruk (bar)", 3, Src::V2}, none}},
         {}, {{3, "Thermadrecht Flexvat"}, {12, "Delta Expa"}}, "", 2},
        {"circulatiepomp", "203030000", S::Pump, "Circulatiepomp", "CIRC POMP",
         {{"25-40 130 mm", "25-40", "130", "4", "38,50", 18950}, {"25-60 180 mm", "25-60", "180", "6", "44,00", 21950},
          {"32-60 180 mm", "32-60", "180", "6", "47,25", 24950}},
         {"elektronisch geregeld", "3 standen"}, 0, "%1", 1, 1, 1, 1, 312,
         {{{"Inbouwlengte (mm)", 1, Src::V0}, {"Opvoerhoogte (m)", 1, Src::V1}, {"Stroomkosten per jaar", 4, Src::V2},
           {"Regeling", 5, Src::Conn}}},
         {}, {{12, "Delta Circo"}, {3, "Thermadrecht Ecoline"}}, "", 2},
        {"cvaansluitset", "203040000", S::ExplodedSet, "Cv-aansluitset", "CV AANSLSET",
         {{"voor combiketel 22 mm", "22", "22", "", "", 12950}, {"voor combiketel 28 mm", "28", "28", "", "", 14950}},
         {}, 0, "%1", 3, 1, 1, 1, 313,
         {{{"Aansluiting (mm)", 1, Src::V0}, none, none, none}},
         {}, {{3, "Thermadrecht Ecoline"}}, "Compleet met kogelkranen, terugslagklep, expansievat en pomp.", 1,
         {"kogelkraan", "terugslagklep", "expansievat", "circulatiepomp", "knelkoppeling"}},
        {"verdeler", "204010000", S::Manifold, "Vloerverwarmingsverdeler", "VV VERDELER",
         {{"3 groepen", "3GR", "3", "", "", 18950}, {"4 groepen", "4GR", "4", "", "", 21950}, {"6 groepen", "6GR", "6", "", "", 27950},
          {"8 groepen", "8GR", "8", "", "", 33950}, {"10 groepen", "10GR", "10", "", "", 39950}},
         {"met flowmeters", "zonder flowmeters"}, 0, "%1", 1, 1, 1, 1, 320,
         {{{"Aantal groepen", 1, Src::V0}, {"Uitvoering", 5, Src::Conn}, none, none}},
         {{"vloerbuis", 1}}, {{4, "Nedverwarming Floortec"}, {3, "Thermadrecht Vloer"}}, "", 2},
        {"vloerbuis", "204020000", S::FloorPipe, "Vloerverwarmingsbuis PE-RT", "VV BUIS PERT",
         {{"16 x 2,0 mm", "16X2", "16", "2,0", "200", 95}, {"17 x 2,0 mm", "17X2", "17", "2,0", "200", 105},
          {"20 x 2,0 mm", "20X2", "20", "2,0", "200", 125}},
         {"rol 200 m", "rol 600 m"}, 0, "%1", 2, 100, 200, 200, 321,
         {{{"Diameter (mm)", 1, Src::V0}, {"Wanddikte (mm)", 3, Src::V1}, {"Rollengte (m)", 2, Src::V2}, none}},
         {}, {{4, "Nedverwarming Floortec"}, {7, "Plastica Therm"}}, "", 2},
        {"koperbuis", "301010000", S::Pipe, "Koperen buis", "KOPERBUIS",
         {{"12 x 1,0 mm", "12X1", "12", "1,0", "5", 690}, {"15 x 1,0 mm", "15X1", "15", "1,0", "5", 850},
          {"18 x 1,0 mm", "18X1", "18", "1,0", "5", 1050}, {"22 x 1,0 mm", "22X1", "22", "1,0", "5", 1290},
          {"28 x 1,2 mm", "28X1,2", "28", "1,2", "5", 1890}, {"35 x 1,5 mm", "35X1,5", "35", "1,5", "5", 2790}},
         {"hard", "halfhard"}, 0, "%1", 2, 100, 5, 5, 410,
         {{{"Diameter (mm)", 1, Src::V0}, {"Wanddikte (mm)", 3, Src::V1}, {"Lengte (m)", 1, Src::V2}, {"Hardheid", 5, Src::Conn}}},
         {{"knelkoppeling", 2}, {"buisbeugel", 4}}, {{5, "Kopermij SF"}, {5, "Kopermij Sanco"}},
         "KIWA-gekeurd, in lengtes van 5 meter.", 4},
        {"knelkoppeling", "301020001", S::Coupling, "Knelkoppeling recht", "KNELKOPP",
         {{"12 mm", "12", "12", "16,0", "", 295}, {"15 mm", "15", "15", "16,0", "", 325}, {"18 mm", "18", "18", "16,0", "", 425},
          {"22 mm", "22", "22", "16,0", "", 545}, {"28 mm", "28", "28", "10,0", "", 895}},
         {"knel x knel", "knel x binnendraad", "knel x buitendraad"}, 0, "%1", 1, 1, 10, 1, 420,
         {{{"Diameter (mm)", 1, Src::V0}, {"Aansluiting", 5, Src::Conn}, {"Max. werkdruk (bar)", 3, Src::V1}, none}},
         {}, {{5, "Kopermij Knel"}, {13, "Valkenburg Fit"}}, "", 4},
        {"knelknie", "301020002", S::Elbow, "Knelknie 90°", "KNELKNIE 90",
         {{"12 mm", "12", "12", "16,0", "", 365}, {"15 mm", "15", "15", "16,0", "", 395}, {"18 mm", "18", "18", "16,0", "", 525},
          {"22 mm", "22", "22", "16,0", "", 675}, {"28 mm", "28", "28", "10,0", "", 1095}},
         {"knel x knel", "knel x binnendraad"}, 0, "%1", 1, 1, 10, 1, 420,
         {{{"Diameter (mm)", 1, Src::V0}, {"Aansluiting", 5, Src::Conn}, {"Max. werkdruk (bar)", 3, Src::V1}, none}},
         {}, {{5, "Kopermij Knel"}, {13, "Valkenburg Fit"}}, "", 3},
        {"knelt", "301020003", S::Tee, "Knel T-stuk", "KNEL T",
         {{"12 mm", "12", "12", "16,0", "", 495}, {"15 mm", "15", "15", "16,0", "", 545}, {"18 mm", "18", "18", "16,0", "", 695},
          {"22 mm", "22", "22", "16,0", "", 895}, {"28 mm", "28", "28", "10,0", "", 1495}},
         {"gelijk", "verloop"}, 0, "%1", 1, 1, 10, 1, 420,
         {{{"Diameter (mm)", 1, Src::V0}, {"Aansluiting", 5, Src::Conn}, {"Max. werkdruk (bar)", 3, Src::V1}, none}},
         {}, {{5, "Kopermij Knel"}}, "", 3},
        {"soldeerbocht", "301030000", S::SolderBend, "Soldeerbocht 90°", "SOLDEERBOCHT",
         {{"12 mm", "12", "12", "", "", 95}, {"15 mm", "15", "15", "", "", 110}, {"18 mm", "18", "18", "", "", 145},
          {"22 mm", "22", "22", "", "", 185}, {"28 mm", "28", "28", "", "", 345}, {"35 mm", "35", "35", "", "", 695}},
         {"2 x soldeer", "soldeer x spie"}, 0, "%1", 1, 1, 10, 10, 421,
         {{{"Diameter (mm)", 1, Src::V0}, {"Uitvoering", 5, Src::Conn}, none, none}},
         {}, {{5, "Kopermij SF"}}, "", 3},
        {"pvcbuis", "302010000", S::PvcPipe, "PVC-afvoerbuis", "PVC BUIS",
         {{"32 mm", "32", "32", "1,8", "", 245}, {"40 mm", "40", "40", "1,8", "", 285}, {"50 mm", "50", "50", "1,8", "", 345},
          {"75 mm", "75", "75", "1,8", "", 545}, {"110 mm", "110", "110", "2,2", "", 845}},
         {"lengte 4 m", "lengte 5 m"}, 0, "%1", 2, 1, 4, 4, 430,
         {{{"Diameter (mm)", 1, Src::V0}, {"Wanddikte (mm)", 3, Src::V1}, {"Lengte", 5, Src::Conn}, none}},
         {{"pvcbocht", 2}}, {{7, "Plastica Afvoer"}, {7, "Plastica Pro"}}, "", 3},
        {"pvcbocht", "302020000", S::PvcBend, "PVC-bocht", "PVC BOCHT",
         {{"32 mm", "32", "32", "", "", 145}, {"40 mm", "40", "40", "", "", 165}, {"50 mm", "50", "50", "", "", 195},
          {"75 mm", "75", "75", "", "", 345}, {"110 mm", "110", "110", "", "", 595}},
         {"45° 2 x mof", "87° 2 x mof", "87° mof x spie"}, 0, "%1", 1, 1, 10, 1, 431,
         {{{"Diameter (mm)", 1, Src::V0}, {"Uitvoering", 5, Src::Conn}, none, none}},
         {}, {{7, "Plastica Afvoer"}, {7, "Plastica Pro"}}, "", 3},
        {"kogelkraan", "303010000", S::BallValve, "Kogelkraan messing", "KOGELKR MS",
         {{"15 mm", "15", "15", "25,0", "", 1295}, {"22 mm", "22", "22", "25,0", "", 1695}, {"28 mm", "28", "28", "25,0", "", 2495},
          {"35 mm", "35", "35", "16,0", "", 3995}},
         {"knel", "binnendraad", "buitendraad"}, 4, "greep %1", 1, 1, 1, 1, 440,
         {{{"Diameter (mm)", 1, Src::V0}, {"Werkdruk (bar)", 3, Src::V1}, {"Aansluiting", 5, Src::Conn}, {"Greep", 6, Src::Colour}}},
         {{"knelkoppeling", 2}}, {{13, "Valkenburg KK"}, {5, "Kopermij Ballfix"}, {13, "Valkenburg Pro"}},
         "Volledige doorlaat; KIWA-gekeurd voor drinkwater.", 4},
        {"terugslagklep", "303020000", S::CheckValve, "Terugslagklep messing", "TERUGSLAGKL MS",
         {{"1/2\"", "1/2", "15", "", "", 895}, {"3/4\"", "3/4", "22", "", "", 1195}, {"1\"", "1", "28", "", "", 1695}},
         {"binnendraad", "knel"}, 0, "%1", 1, 1, 1, 1, 441,
         {{{"Maat (mm)", 1, Src::V0}, {"Aansluiting", 5, Src::Conn}, none, none}},
         {}, {{13, "Valkenburg KK"}, {12, "Delta Check"}}, "", 2},
        {"stopkraan", "303030000", S::StopValve, "Stopkraan", "STOPKRAAN",
         {{"15 mm", "15", "15", "", "", 1095}, {"22 mm", "22", "22", "", "", 1495}},
         {"knel x knel", "knel x buitendraad met aftap"}, 0, "%1", 1, 1, 1, 1, 442,
         {{{"Diameter (mm)", 1, Src::V0}, {"Uitvoering", 5, Src::Conn}, none, none}},
         {}, {{13, "Valkenburg Stop"}, {5, "Kopermij Sanco"}}, "", 2},
        {"pijptang", "401010000", S::Wrench, "Pijptang", "PIJPTANG",
         {{"1\" 300 mm", "1", "300", "", "", 2950}, {"1,5\" 350 mm", "1,5", "350", "", "", 3450}, {"2\" 450 mm", "2", "450", "", "", 4450}},
         {"Zweeds model", "90° model"}, 0, "%1", 1, 1, 1, 1, 510,
         {{{"Lengte (mm)", 1, Src::V0}, {"Model", 5, Src::Conn}, none, none}},
         {}, {{10, "Hamerslag Pro"}, {10, "Hamerslag Basic"}}, "", 2},
        {"pijpsnijder", "401020000", S::Cutter, "Pijpsnijder koper", "PIJPSNIJDER",
         {{"3-22 mm", "3-22", "22", "", "", 1950}, {"6-35 mm", "6-35", "35", "", "", 2650}, {"3-42 mm", "3-42", "42", "", "", 3450}},
         {}, 0, "%1", 1, 1, 1, 1, 511,
         {{{"Max. diameter (mm)", 1, Src::V0}, none, none, none}},
         {}, {{10, "Hamerslag Pro"}}, "", 1},
        {"buisbeugel", "402010000", S::Clamp, "Buisbeugel", "BUISBEUGEL",
         {{"15 mm", "15", "15", "", "", 45}, {"18 mm", "18", "18", "", "", 49}, {"22 mm", "22", "22", "", "", 55}, {"28 mm", "28", "28", "", "", 65}},
         {"met rubber M8", "zonder rubber M8", "kunststof klembeugel"}, 0, "%1", 1, 100, 100, 100, 520,
         {{{"Diameter (mm)", 1, Src::V0}, {"Uitvoering", 5, Src::Conn}, none, none}},
         {}, {{11, "Fixar Standard"}, {11, "Fixar Silent"}}, "", 3},
        {"badkamerventilator", "501010000", S::Fan, "Badkamerventilator", "BADK VENT",
         {{"100 mm 90 m³/h", "100", "100", "90", "", 6950}, {"125 mm 180 m³/h", "125", "125", "180", "", 9950}},
         {"met timer", "met vochtsensor"}, 5, "%1", 1, 1, 1, 1, 610,
         {{{"Diameter (mm)", 1, Src::V0}, {"Capaciteit (m³/h)", 2, Src::V1}, {"Uitvoering", 5, Src::Conn}, {"Kleur", 6, Src::Colour}}},
         {{"rooster", 1}}, {{8, "Ventiq Silent"}, {8, "Ventiq Eco"}}, "Met terugslagklep en kogellagermotor.", 2},
        {"rooster", "501020000", S::Grille, "Ventilatierooster", "VENT ROOSTER",
         {{"rond 100 mm", "R100", "100", "", "", 595}, {"rond 125 mm", "R125", "125", "", "", 695}, {"vierkant 150 x 150 mm", "V150", "150", "", "", 895}},
         {"kunststof", "aluminium"}, 5, "%1", 1, 1, 1, 1, 611,
         {{{"Diameter (mm)", 1, Src::V0}, {"Materiaal", 5, Src::Conn}, none, {"Kleur", 6, Src::Colour}}},
         {}, {{8, "Ventiq Air"}}, "", 2},
        {"wtw", "502010000", S::HeatRecovery, "Wtw-unit", "WTW UNIT",
         {{"275 m³/h", "275", "275", "90", "", 189900}, {"350 m³/h", "350", "350", "92", "", 219900}, {"450 m³/h", "450", "450", "93", "", 259900}},
         {"aansluiting links", "aansluiting rechts"}, 0, "%1", 1, 1, 1, 1, 620,
         {{{"Capaciteit (m³/h)", 2, Src::V0}, {"Rendement (%)", 1, Src::V1}, {"Uitvoering", 5, Src::Conn}, none}},
         {{"rooster", 4}}, {{8, "Ventiq Comfort"}}, "Inclusief bedieningsschakelaar met filtermelding en bypass.", 1},
        {"kabel", "601010000", S::Cable, "Installatiedraad VD", "VD DRAAD",
         {{"1,5 mm²", "1,5", "1,5", "", "", 35}, {"2,5 mm²", "2,5", "2,5", "", "", 55}, {"4 mm²", "4", "4", "", "", 89}},
         {"rol 100 m"}, 6, "%1", 2, 100, 100, 100, 710,
         {{{"Doorsnede (mm²)", 3, Src::V0}, {"Verpakking", 5, Src::Conn}, none, {"Aderkleur", 6, Src::Colour}}},
         {}, {{9, "Elektron Basis"}}, "", 2},
        {"schakelaar", "601020000", S::Switch, "Inbouwschakelaar", "INB SCHAK",
         {{"enkelpolig", "1P", "1", "enkelpolig", "", 495}, {"wissel", "WISSEL", "1", "wissel", "", 545},
          {"serie", "SERIE", "2", "serie", "", 695}, {"dubbel met wandcontactdoos", "COMBI", "2", "combinatie", "", 1495}},
         {}, 5, "%1", 1, 1, 1, 1, 720,
         {{{"Aantal", 1, Src::V0}, {"Type", 5, Src::V1}, none, {"Kleur", 6, Src::Colour}}},
         {}, {{9, "Elektron Basis"}, {9, "Elektron Design"}}, "", 2},
    };
    return list;
}

struct GroupSpec {
    const char* code;
    const char* text;
};

const GroupSpec groupSpecs[] = {
    {"1", "Sanitair"},
    {"101", "Kranen"},
    {"1010100", "Wastafelkranen"},
    {"1010200", "Keukenkranen"},
    {"1010300", "Douche- en badkranen"},
    {"101030001", "Thermostatische douchekranen"},
    {"101030002", "Badmengkranen"},
    {"102", "Sanitaire toestellen"},
    {"1020010", "Closets"},
    {"102001001", "Wandclosets"},
    {"102001002", "Staande closets"},
    {"102001003", "Closetzittingen"},
    {"1020100", "Wastafels en fonteinen"},
    {"1020200", "Douches en douchesystemen"},
    {"103", "Sifons en afvoer"},
    {"1030100", "Sifons"},
    {"1030200", "Afvoerpluggen"},
    {"2", "Verwarming"},
    {"201", "Radiatoren"},
    {"2010100", "Paneelradiatoren"},
    {"201010001", "Paneelradiatoren type 22"},
    {"201010002", "Paneelradiatoren type 33"},
    {"2010200", "Designradiatoren"},
    {"202", "Radiatorappendages"},
    {"2020100", "Radiatorkranen en aansluitsets"},
    {"2020200", "Radiatorbeugels"},
    {"203", "Cv-ketels en toebehoren"},
    {"2030100", "HR-combiketels"},
    {"2030200", "Expansievaten"},
    {"2030300", "Circulatiepompen"},
    {"2030400", "Aansluitsets"},
    {"204", "Vloerverwarming"},
    {"2040100", "Verdelers"},
    {"2040200", "Vloerverwarmingsbuis"},
    {"3", "Buizen, fittingen en appendages"},
    {"301", "Koperen leidingsystemen"},
    {"3010100", "Koperen buis"},
    {"3010200", "Knelfittingen"},
    {"301020001", "Knelkoppelingen"},
    {"301020002", "Knelknieën"},
    {"301020003", "Knel T-stukken"},
    {"3010300", "Soldeerfittingen"},
    {"302", "Kunststof afvoer"},
    {"3020100", "PVC-buis"},
    {"3020200", "PVC-bochten"},
    {"303", "Appendages"},
    {"3030100", "Kogelkranen"},
    {"3030200", "Terugslagkleppen"},
    {"3030300", "Stopkranen"},
    {"4", "Gereedschap en bevestiging"},
    {"401", "Handgereedschap"},
    {"4010100", "Pijptangen"},
    {"4010200", "Pijpsnijders"},
    {"402", "Bevestigingsmateriaal"},
    {"4020100", "Buisbeugels"},
    {"5", "Ventilatie"},
    {"501", "Mechanische ventilatie"},
    {"5010100", "Badkamerventilatoren"},
    {"5010200", "Ventilatieroosters"},
    {"502", "Warmteterugwinning"},
    {"5020100", "Wtw-units"},
    {"6", "Elektra"},
    {"601", "Installatiemateriaal"},
    {"6010100", "Installatiedraad"},
    {"6010200", "Schakelaars en wandcontactdozen"},
    {"7", "Acties en aanbiedingen"},
    {"701", "Nieuw in het assortiment"}, // a group without articles
};

int rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

struct ColourSpec {
    const char* name;
    int r, g, b;
};

const ColourSpec sanitaryColours[] = {
    {"Wit", 255, 255, 255}, {"Pergamon", 238, 229, 205}, {"Manhattan", 200, 200, 196}, {"Bahama beige", 226, 208, 170},
    {"Edelweiss", 246, 244, 236}, {"Zwart mat", 30, 30, 30}, {"Antraciet", 64, 68, 72}, {"Jasmijn", 243, 236, 214},
    {"Zilvergrijs", 178, 180, 182}, {"Sahara", 214, 190, 150}, {"Mintgroen", 190, 226, 206}, {"Lichtblauw", 190, 212, 232},
    {"Roze", 236, 200, 204}, {"Champagne", 232, 218, 188}, {"Mokka", 120, 92, 72}, {"Steengrijs", 140, 140, 136},
    {"Ivoor", 250, 242, 218}, {"Betongrijs", 124, 126, 124}, {"Terracotta", 190, 100, 70}, {"Olijf", 128, 128, 88}};

const ColourSpec ralColours[] = {
    {"RAL 1000 Groenbeige", 205, 186, 136}, {"RAL 1001 Beige", 208, 176, 132}, {"RAL 1013 Parelwit", 234, 230, 202},
    {"RAL 1015 Licht ivoorkleurig", 230, 214, 144}, {"RAL 1021 Koolzaadgeel", 238, 201, 0}, {"RAL 2004 Zuiver oranje", 244, 70, 17},
    {"RAL 3000 Vuurrood", 175, 43, 30}, {"RAL 3003 Robijnrood", 155, 17, 30}, {"RAL 3005 Wijnrood", 94, 33, 41},
    {"RAL 3015 Lichtroze", 234, 137, 154}, {"RAL 4005 Blauwlila", 108, 70, 117}, {"RAL 5002 Ultramarijnblauw", 32, 33, 79},
    {"RAL 5010 Gentiaanblauw", 14, 41, 75}, {"RAL 5012 Lichtblauw", 59, 131, 189}, {"RAL 5015 Hemelsblauw", 34, 113, 179},
    {"RAL 5024 Pastelblauw", 93, 155, 155}, {"RAL 6005 Mosgroen", 47, 69, 56}, {"RAL 6011 Resedagroen", 88, 114, 70},
    {"RAL 6018 Geelgroen", 87, 166, 57}, {"RAL 6019 Witgroen", 189, 236, 182}, {"RAL 6021 Bleekgroen", 137, 172, 118},
    {"RAL 7001 Zilvergrijs", 138, 149, 151}, {"RAL 7016 Antracietgrijs", 41, 49, 51}, {"RAL 7021 Zwartgrijs", 35, 40, 43},
    {"RAL 7035 Lichtgrijs", 215, 215, 215}, {"RAL 7037 Stofgrijs", 125, 127, 125}, {"RAL 7040 Venstergrijs", 157, 161, 170},
    {"RAL 7044 Zijdegrijs", 202, 196, 176}, {"RAL 8014 Sepiabruin", 56, 44, 30}, {"RAL 8017 Chocoladebruin", 69, 50, 46},
    {"RAL 8019 Grijsbruin", 64, 58, 58}, {"RAL 9001 Crèmewit", 250, 244, 227}, {"RAL 9002 Grijswit", 231, 235, 218},
    {"RAL 9005 Gitzwart", 10, 10, 10}, {"RAL 9006 Blank aluminiumkleurig", 165, 165, 165}, {"RAL 9007 Grijs aluminiumkleurig", 143, 143, 140},
    {"RAL 9010 Zuiver wit", 255, 255, 245}, {"RAL 9011 Grafietzwart", 28, 28, 28}, {"RAL 9016 Verkeerswit", 246, 246, 246},
    {"RAL 9018 Papyruswit", 215, 215, 215 - 1}};

// The wholesaler's data has one finish whose name was never filled in: "null".
const ColourSpec finishColours[] = {
    {"Chroom", 192, 192, 196}, {"RVS-look", 170, 172, 168}, {"Mat zwart", 20, 20, 20}, {"Mat wit", 244, 244, 240},
    {"Messing geborsteld", 181, 150, 80}, {"Koper", 184, 115, 51}, {"Gunmetal", 83, 86, 90}, {"null", 140, 150, 160}};

const ColourSpec handleColours[] = {{"Rood", 200, 30, 30}, {"Blauw", 30, 60, 180}, {"Geel", 240, 200, 20}, {"Zwart", 25, 25, 25}};

const ColourSpec switchColours[] = {{"Wit", 252, 252, 250}, {"Crème", 240, 232, 208}, {"Antraciet", 60, 62, 66},
                                    {"Zwart", 16, 16, 16}, {"Aluminium", 176, 178, 180}, {"RVS", 150, 152, 150}};

const ColourSpec wireColours[] = {{"Blauw", 0, 90, 200}, {"Bruin", 120, 70, 30}, {"Zwart", 5, 5, 5},
                                  {"Grijs", 128, 128, 128}, {"Geel/groen", 150, 200, 0}};

template <size_t N>
ColourFan makeFan(int code, const char* name, const ColourSpec (&specs)[N])
{
    ColourFan fan;
    fan.code = code;
    fan.name = QString::fromUtf8(name);
    for (const auto& c : specs)
        fan.colours.append({QString::fromUtf8(c.name), rgb(c.r, c.g, c.b)});
    return fan;
}

QString u8(const char* s) { return QString::fromUtf8(s); }

// Group code as stored with the articles: padded to nine characters.
QString padded(const QString& code) { return (code + QStringLiteral("000000000")).left(9); }

int familyIndex(const char* key)
{
    const auto& f = families();
    for (size_t i = 0; i < f.size(); ++i)
        if (qstrcmp(f[i].key, key) == 0)
            return int(i);
    return -1;
}

// Colours a series offers: a stable choice out of its fan.
QList<int> seriesColours(const ColourFan& fan, uint64_t seed, int serie)
{
    Random r = Random::derived(seed, 7000 + serie);
    const int n = fan.colours.size();
    const int want = std::min(n, r.between(4, 12));
    QList<int> picked;
    int start = r.below(n);
    for (int i = 0; picked.size() < want && i < n; ++i)
        picked.append((start + i * 3) % n);
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    return picked;
}

// Mid-sentence a name starts in lower case, unless it opens with an abbreviation ("RAL", "HR-").
QString lowerFirst(QString text)
{
    if (text.size() > 1 && text[1].isLower())
        text[0] = text[0].toLower();
    return text;
}

QString rtfEscape(const QString& text)
{
    QString out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (c == u'\\' || c == u'{' || c == u'}')
            out += u'\\' + QString(c);
        else if (u < 128)
            out += c;
        else if (u < 256)
            out += QStringLiteral("\\'%1").arg(u, 2, 16, QChar(u'0'));
        else
            out += QStringLiteral("\\u%1?").arg(int(short(u)));
    }
    return out;
}

QString rtf(const QString& heading, const QString& body)
{
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 {\\b %1}\\par %2\\par }")
        .arg(rtfEscape(heading), rtfEscape(body));
}

const char* const remarkTexts[] = {
    "Let op: levering uitsluitend in combinatie met de bijbehorende montageset.",
    "Fabrieksgarantie 10 jaar bij montage door een erkend installateur.",
    "Levertijd kan per kleur verschillen; informeer naar de actuele voorraad.",
    "Montagevoorschriften van de fabrikant volgen; drukklasse PN 16.",
    "Prijswijziging per 1 maart aangekondigd door de fabrikant.",
    "Alleen geschikt voor binnentoepassing.",
};

} // namespace

CatalogWorld::CatalogWorld(const Options& options) : options_(options)
{
    if (options_.articles < 0)
        options_.articles = 0;
    manufacturers_ = {
        {1, u8("Aquanova Sanitair"), u8("AN")},      {2, u8("Brabo Armaturen"), u8("BR")},
        {3, u8("Thermadrecht"), u8("TD")},           {4, u8("Nedverwarming"), u8("NV")},
        {5, u8("Kopermij Fittings"), u8("KM")},      {6, u8("Keramica Noord"), u8("KN")},
        {7, u8("Plastica Leidingsystemen"), u8("PL")}, {8, u8("Ventiq Luchttechniek"), u8("VQ")},
        {9, u8("Elektron Installatie"), u8("EL")},   {10, u8("Hamerslag Gereedschap"), u8("HG")},
        {11, u8("Fixar Bevestiging"), u8("FX")},     {12, u8("Delta Pompen"), u8("DP")},
        {13, u8("Valkenburg Appendages"), u8("VA")},
    };
    units_ = {{1, u8("ST"), u8("Stuk")}, {2, u8("M"), u8("Meter")}, {3, u8("SET"), u8("Set")}, {4, u8("PAK"), u8("Pak")},
              {5, u8("ROL"), u8("Rol")}, {6, u8("DS"), u8("Doos")}, {7, u8("PR"), u8("Paar")}, {8, u8("L"), u8("Liter")}};
    fans_ = {makeFan(1, "Sanitairkleuren", sanitaryColours), makeFan(2, "RAL-kleuren radiatoren", ralColours),
             makeFan(3, "Kraanafwerkingen", finishColours), makeFan(4, "Greepkleuren", handleColours),
             makeFan(5, "Schakelmateriaal", switchColours), makeFan(6, "Aderkleuren", wireColours)};
    buildGroups();
    buildSeries();
    buildPictures();
    buildRemarks();
}

void CatalogWorld::buildGroups()
{
    for (const auto& g : groupSpecs)
        groups_.append({u8(g.code), u8(g.text)});

    // One row per first five characters of a group code; a subgroup's row carries the
    // property definitions of its articles, main groups and groups get empty ones.
    QMap<QString, ProductGroupRow> rows;
    for (const auto& g : groups_) {
        const QString key = padded(g.code).left(5);
        if (!rows.contains(key))
            rows.insert(key, ProductGroupRow{key, g.text, {}});
    }
    QSet<QString> defined;
    for (const auto& f : families()) {
        const QString key = QString::fromLatin1(f.group).left(5);
        if (defined.contains(key))
            continue;
        defined.insert(key);
        ProductGroupRow& row = rows[key];
        row.code = key;
        for (int i = 0; i < 4; ++i)
            row.props[i] = {u8(f.props[i].name), f.props[i].type};
        // The closets share their key with their group; name the row after them.
        for (const auto& g : groups_)
            if (padded(g.code).left(7) == QString::fromLatin1(f.group).left(7) && g.code.size() == 7)
                row.text = g.text;
    }
    productGroups_ = rows.values();
}

void CatalogWorld::buildSeries()
{
    const auto& fam = families();
    Random r = Random::derived(options_.seed, 1);
    int totalWeight = 0;
    int seriesCount = 0;
    for (const auto& f : fam) {
        totalWeight += f.weight;
        seriesCount += 2 * int(f.series.size());
    }
    const int n = std::max(options_.articles, seriesCount);
    const int step = std::clamp(7000000 / std::max(n, 1), 2, 10);

    int code = 100;
    int next = 1000000;
    int assigned = 0;
    for (size_t fi = 0; fi < fam.size(); ++fi) {
        const auto& f = fam[fi];
        // The family's share, the rounding rest going to the last family.
        int share = fi + 1 == fam.size() ? n - assigned : int(int64_t(n) * f.weight / totalWeight);
        // Every named series also comes as a better line of the same maker.
        const int base = int(f.series.size());
        const int ns = 2 * base;
        share = std::max(share, ns);
        assigned += share;
        std::vector<int> parts(ns, 1);
        int left = share - ns;
        for (int i = 0; i < ns; ++i) {
            const int take = i + 1 == ns ? left : left * r.between(35, 65) / 100;
            parts[i] += take;
            left -= take;
        }
        for (int i = 0; i < ns; ++i) {
            Series s;
            s.code = code;
            code += r.between(1, 9);
            static const char* const lines[] = {"Plus", "Select", "Premium"};
            s.name = u8(f.series[i % base].second);
            if (i >= base)
                s.name += u' ' + u8(lines[(fi + i) % 3]);
            s.manufacturer = f.series[i % base].first;
            s.family = int(fi);
            s.fan = f.fan;
            s.count = parts[i];
            s.step = step;
            s.priceFactor = r.between(85, 130) + (i >= base ? 20 : 0);
            series_.append(s);
        }
    }

    // A series has only so many variants; what does not fit goes to series with room, so
    // that variants repeat only when the whole assortment is used up.
    std::vector<int> room(series_.size());
    int overflow = 0, roomTotal = 0;
    for (int i = 0; i < series_.size(); ++i) {
        Series& s = series_[i];
        const auto& f = fam[s.family];
        const int colours = s.fan ? int(seriesColours(fans_[s.fan - 1], options_.seed, s.code).size()) : 1;
        const int variants = int(f.dims.size()) * std::max<int>(1, int(f.conns.size())) * std::max(1, colours);
        if (s.count > variants) {
            overflow += s.count - variants;
            s.count = variants;
        }
        room[i] = variants - s.count;
        roomTotal += room[i];
    }
    if (overflow > 0) {
        const int spread = std::min(overflow, roomTotal);
        int given = 0;
        for (int i = 0; i < series_.size(); ++i) {
            const int add = roomTotal ? int(int64_t(spread) * room[i] / roomTotal) : 0;
            series_[i].count += add;
            room[i] -= add;
            given += add;
        }
        for (int i = 0; given < spread; i = (i + 1) % int(series_.size()))
            if (room[i] > 0) {
                ++series_[i].count;
                --room[i];
                ++given;
            }
        // Beyond the assortment (benchmark sizes) variants repeat in every series alike.
        const int rest = overflow - spread;
        const int total = n - rest;
        int placed = 0;
        for (int i = 0; i < series_.size(); ++i) {
            const int add = i + 1 == series_.size() ? rest - placed : int(int64_t(rest) * series_[i].count / std::max(total, 1));
            series_[i].count += add;
            placed += add;
        }
    }
    for (Series& s : series_) {
        s.firstNumber = (next + 9) / 10 * 10;
        next = s.firstNumber + s.count * step + 1;
    }
}

void CatalogWorld::buildPictures()
{
    const auto& fam = families();
    illustrations_.append({placeholderIllustration, 0, u8("Geen afbeelding beschikbaar"),
                           rtf(u8("Geen afbeelding"),
                               u8("Voor dit artikel is nog geen afbeelding opgenomen. Raadpleeg de maattekening of neem contact op met uw groothandel.")),
                           Shape::Placeholder, {}});
    int illustration = 10001;
    int drawing = 20001;
    for (int i = 0; i < series_.size(); ++i) {
        Series& s = series_[i];
        const auto& f = fam[s.family];
        const bool exploded = f.shape == Shape::ExplodedSet;
        // A few series come with only a line drawing, a few with no picture at all.
        const bool drawingOnly = !exploded && i % 13 == 7;
        const bool nothing = !exploded && i % 17 == 11;
        const QString noun = u8(f.noun);
        const QString maker = manufacturers_[s.manufacturer - 1].name;
        if (!drawingOnly && !nothing) {
            s.illustration = illustration++;
            QString text = i % 5 == 3 ? u8("Zie ook de maattekening.")
                                      : rtf(s.name, QStringLiteral("%1 van %2, serie %3. %4")
                                                        .arg(noun, maker, s.name, u8(f.quote).isEmpty() ? u8("Leverbaar in diverse uitvoeringen.") : u8(f.quote)));
            illustrations_.append({s.illustration, s.code, noun + QStringLiteral(" ") + s.name, text, f.shape, {}});
        }
        if (!nothing && (drawingOnly || exploded || i % 10 < 7)) {
            s.drawing = drawing++;
            drawings_.append({s.drawing, 0, u8("Maattekening ") + noun + QStringLiteral(" ") + s.name,
                              i % 4 == 1 ? u8("Maten in mm.")
                                         : rtf(u8("Maattekening"), u8("Alle maten in millimeters. Inbouwmaten volgens opgave van ") + maker + u8(".")),
                              f.shape, {}});
        }
    }
    // Exploded views: a hotspot per component, leading to that component's illustration.
    for (auto& pic : illustrations_) {
        if (pic.shape != Shape::ExplodedSet)
            continue;
        const Series* owner = nullptr;
        for (const auto& s : series_)
            if (s.illustration == pic.number)
                owner = &s;
        const auto& comps = fam[owner->family].components;
        const int n = int(comps.size());
        const int cellW = 600 / n;
        for (int k = 0; k < n; ++k) {
            const int cf = familyIndex(comps[k]);
            int linked = 0;
            for (const auto& s : series_)
                if (s.family == cf && s.illustration) {
                    linked = s.illustration;
                    break;
                }
            if (!linked)
                continue;
            const int y = k % 2 == 0 ? 120 : 250;
            pic.hotspots.append({QRect(20 + k * cellW + 6, y, cellW - 12, 110), linked, u8(fam[cf].noun), fam[cf].shape});
        }
        // The set's line drawing shows the same parts (it has no hotspots of its own).
        for (auto& d : drawings_)
            if (d.number == owner->drawing)
                d.hotspots = pic.hotspots;
    }
}

void CatalogWorld::buildRemarks()
{
    const auto& fam = families();
    Random r = Random::derived(options_.seed, 2);
    for (int i = 0; i < series_.size(); ++i) {
        if (i != 0 && !r.chance(25))
            continue;
        const Series& s = series_[i];
        remarks_.append({s.manufacturer, QString::fromLatin1(fam[s.family].group), s.code,
                         u8(remarkTexts[r.below(int(std::size(remarkTexts)))])});
    }
}

ArticleRecord CatalogWorld::article(const Series& s, int j, bool withdrawn) const
{
    const FamilySpec& f = families()[s.family];
    Random r = Random::derived(options_.seed, (uint64_t(s.code) << 32) + uint64_t(j) * 2 + (withdrawn ? 1 : 0));

    const QList<int> colours = s.fan ? seriesColours(fans_[s.fan - 1], options_.seed, s.code) : QList<int>{};
    const int nd = int(f.dims.size());
    const int nc = std::max<int>(1, int(f.conns.size()));
    const int nk = std::max<int>(1, int(colours.size()));
    const int variants = nd * nc * nk;
    const int v = j % variants;
    const int cycle = j / variants;
    const DimSpec& d = f.dims[v / (nc * nk) % nd];
    const QString conn = f.conns.empty() ? QString() : u8(f.conns[v / nk % nc]);
    const Colour* colour = colours.isEmpty() ? nullptr : &fans_[s.fan - 1].colours[colours[v % nk]];

    QString text = u8(f.noun) + u' ' + u8(d.label);
    if (!conn.isEmpty())
        text += u' ' + conn;
    if (colour)
        text += u' ' + u8(f.colourFormat).arg(colour->name == u"null" ? u8("geborsteld nikkel") : lowerFirst(colour->name));
    if (cycle > 0)
        text += cycle <= 2 ? (cycle == 1 ? u8(" projectverpakking") : u8(" in blisterverpakking"))
                           : QStringLiteral(" type %1").arg(cycle + 1);
    QString shortText = u8(f.shortNoun) + u' ' + u8(d.shortLabel);
    if (!conn.isEmpty())
        shortText += u' ' + conn.toUpper().left(10).trimmed();

    const int number = articleNumber(s, j) + (withdrawn ? 1 : 0);
    const int gross = int(int64_t(d.cents) * f.per * s.priceFactor / 100) + 5 * cycle;
    const int discount = 15 + f.discountGroup % 25;
    const int net = int(int64_t(gross) * (100 - discount) / 100);
    const int availability = r.chance(75) ? 0 : std::array{1, 1, 2, 2, 3, 4, 6, 8}[r.below(8)];
    const int status = r.chance(5) ? 1 : (r.chance(3) ? 2 : 0);
    const QDate changed = (number == series_.front().firstNumber || r.chance(10)) ? options_.date
                                                                                  : options_.date.addDays(-r.between(1, 700));
    const QString ean = ean13(QStringLiteral("87%1%2").arg(s.manufacturer, 3, 10, QChar(u'0')).arg(number, 7, 10, QChar(u'0')));

    auto prop = [&](int i) -> QString {
        switch (f.props[i].src) {
        case Src::V0: return u8(d.v0);
        case Src::V1: return u8(d.v1);
        case Src::V2: return u8(d.v2);
        case Src::Conn: return conn;
        case Src::Colour: return colour ? QString::number(colour->code) : QString();
        case Src::None: break;
        }
        return {};
    };

    ArticleRecord a;
    a.withdrawn = withdrawn;
    auto& x = a.fields;
    x[0] = QString::number(number);
    x[1] = QString::number(f.discountGroup);
    x[2] = QString::fromLatin1(f.group);
    x[3] = QString::number(s.illustration);
    x[4] = QString::number(s.illustration ? j % 9999 + 1 : 0);
    x[5] = QString::number(s.drawing);
    x[6] = QStringLiteral("%1-%2-%3").arg(manufacturers_[s.manufacturer - 1].prefix).arg(s.code % 1000, 3, 10, QChar(u'0'))
               .arg(j + (withdrawn ? 50000 : 0), 3, 10, QChar(u'0'));
    x[7] = ean;
    x[8] = QString::number(s.manufacturer);
    x[9] = shortText;
    x[10] = QString::number(f.unit);
    x[11] = QString::number(gross);
    x[12] = QString::number(s.code);
    x[13] = QString::number(f.packed);
    x[14] = QString::number(f.orderMultiple);
    x[15] = QString::number(f.per);
    x[16] = QString::number(net);
    x[17] = QString::number(availability);
    x[18] = QString::number(status);
    x[19] = changed.toString(QStringLiteral("yyyy-MM-dd"));
    for (int i = 0; i < 4; ++i)
        x[20 + i] = prop(i);
    if (withdrawn) {
        x[24] = QStringLiteral("*** VERVALLEN ***");
        x[25] = QStringLiteral(" ");
        return a;
    }
    x[24] = text;
    // Every 250th article, and one early on, has a quotation text over two lines.
    const QString lead = QStringLiteral("Leveren en monteren van %1, serie %2.").arg(lowerFirst(text), s.name);
    const QString extra = u8(f.quote);
    if ((j == 0 && s.code == series_.value(1).code) || r.below(250) == 0)
        x[25] = lead + QStringLiteral("\r\n") + (extra.isEmpty() ? u8("Prijs exclusief montage en btw.") : extra);
    else if (r.chance(70))
        x[25] = extra.isEmpty() ? lead : lead + u' ' + extra;
    else
        x[25] = QStringLiteral(" "); // no own text: the import takes the description
    return a;
}

void CatalogWorld::forEachArticle(const std::function<void(const ArticleRecord&)>& sink) const
{
    for (int si = 0; si < series_.size(); ++si) {
        const Series& s = series_[si];
        Random r = Random::derived(options_.seed, 5000 + s.code);
        for (int j = 0; j < s.count; ++j) {
            sink(article(s, j, false));
            // Withdrawn articles sit between the live ones; every 20th series has one for sure.
            if ((si % 20 == 0 && j == 0) || r.below(100) == 0)
                sink(article(s, j, true));
        }
    }
}

void CatalogWorld::forEachAdditional(const std::function<void(int, int, int)>& sink) const
{
    const auto& fam = families();
    for (const Series& s : series_) {
        const auto& f = fam[s.family];
        for (const auto& [key, quantity] : f.complements) {
            const int cf = familyIndex(key);
            // Preferably the same manufacturer's series, else the family's first.
            const Series* target = nullptr;
            for (const Series& t : series_) {
                if (t.family != cf)
                    continue;
                if (!target || (t.manufacturer == s.manufacturer && target->manufacturer != s.manufacturer))
                    target = &t;
            }
            if (!target)
                continue;
            for (int j = 0; j < s.count; ++j)
                if (j % 3 == 0)
                    sink(articleNumber(s, j), articleNumber(*target, j), quantity);
        }
    }
}

void CatalogWorld::forEachAlternative(const std::function<void(int, int)>& sink) const
{
    for (int si = 0; si < series_.size(); ++si) {
        const Series& s = series_[si];
        for (int ti = 0; ti < series_.size(); ++ti) {
            const Series& t = series_[ti];
            if (ti == si || t.family != s.family)
                continue;
            for (int j = 0; j < s.count; ++j)
                if (j % 4 == 1)
                    sink(articleNumber(s, j), articleNumber(t, j));
        }
    }
}

} // namespace vandrel::demodata
