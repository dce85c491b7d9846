#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class QLabel;
class QPainter;
class QPixmap;
class QSize;
class QTableView;
class QWidget;

namespace vandrel {

// When the command line holds "/DEBUG": counts the checkpoint and shows
// "Debug checkpoint #<n>. <text>". Otherwise nothing.
void DebugCheckpoint(const QString& text);
int debugCheckpointCount();

// The directory text with the native separator appended when it does not end in one.
QString AddBackslash(const QString& directory);

// Splits the text at the separator; runs of separators count as one. At most maxWords
// words are returned.
QStringList Conv2Word(const QString& text, int maxWords, QChar separator);

// Replaces every occurrence of search (letter case ignored), scanning on after each
// inserted replacement.
void ReplaceText(QString& text, const QString& search, const QString& replacement);

// The value unless it is null or empty; then the default.
QVariant ValueOrDefault(const QVariant& value, const QVariant& defaultValue);

// The leading number of a text, as the settings file and VAL() read numbers: blanks are
// skipped, a text without a leading number gives 0.
double Val(const QString& text);

// Screen twips per pixel (1440 / logical dots per inch).
double twipsPerPixelX();
double twipsPerPixelY();
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
double pixelsToTwipsX(int pixels);
double pixelsToTwipsY(int pixels);

// Fits the label's picture into a box (twips) keeping its proportions; hands back the
// factor. Only acts on a label that holds a picture (factor 0 otherwise).
void FitPicture(QLabel* picture, double boxHeight, double boxWidth, double& factor);

// Article-grid defaults: columns movable, row heights fixed, whole current row highlighted.
void SetGridDefaults(QTableView* grid);

// Centres the window on the screen.
void CenterForm(QWidget* window);

// Paints the picture from the start height down, tiled over the target size (pixels).
void TilePicture(QPainter& painter, const QSize& target, const QPixmap& picture, int startHeight);

} // namespace vandrel
