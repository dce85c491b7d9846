#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>

namespace vandrel {

// The statements and layout rules of the classification and colour selections, kept apart
// from the windows so they can be checked on their own.
namespace classificationquery {

// The groups that can be selected on (level 3 and deeper), by description.
QString groupQuery();

// The distinct values of property n (1..4) within the group. Colours come from the
// illustration database with the articles read from the catalog file at catalogPath.
QString valuesQuery(const QString& groupCode, int n);
QString colourValuesQuery(const QString& groupCode, int n, const QString& catalogPath);

enum class Comparison { Exact, Tolerance, Ignore };

// What one property panel contributes.
struct PropertyChoice {
    bool shown = false;       // the panel is visible for the current group
    bool listEnabled = false; // its value list is enabled
    Comparison comparison = Comparison::Ignore;
    bool numeric = false;     // the slider is shown: the middle option is a tolerance
    QString value;            // the list's text, or the colour code of the chosen entry
    int tolerance = 0;        // percent
};

// Nearest whole number, halves to the even neighbour.
qint64 roundHalfEven(double value);

// True when the text starts (after blanks) with a number that VAL() reads.
bool hasLeadingNumber(const QString& text);

// The condition of property n, or an empty text when it gives none.
QString propertyCondition(int n, const PropertyChoice& choice);

// The list statement for a group (its code trimmed) and the non-empty conditions.
QString selectionStatement(const QString& columns, const QString& groupCode, const QStringList& conditions);

// Every article that carries the colour in any of its four properties.
QString colourStatement(const QString& columns, qint64 colourCode);

// A packed colour value (red in the low byte, then green, then blue).
QColor packedColour(qint64 code);
// The text colour that stays readable on that background.
QColor textColourOn(qint64 code);

// The swatch grid of a colour fan, in twips.
struct FanLayout {
    static constexpr int swatchSize = 600;
    static constexpr int margin = 90;
    // The window's outer size includes a frame of this much across and down.
    static constexpr int frameWidth = 90;
    static constexpr int frameHeight = 330;

    int columns = 3;
    QList<QPoint> positions; // top left of each swatch
    int windowWidth = 0;     // outer size of the window
    int windowHeight = 0;
    int clientWidth() const { return windowWidth - frameWidth; }
    int clientHeight() const { return windowHeight - frameHeight; }
};
FanLayout fanLayout(int swatches);

} // namespace classificationquery
} // namespace vandrel
