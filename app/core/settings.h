#pragma once

#include <QString>

namespace vandrel {

// The process-wide state that start-up establishes and the settings file keeps.
// Directory texts always end in the native separator.
struct ProgramState {
    QString programDirectory;
    QString productFile; // catalog and orders databases, scan file, imported files
    QString digitalFile; // illustration database
    QString helpFile;
    QString indexFile; // product group file
    QString lastProducts = QStringLiteral("19010101");
    QString lastDigitals = QStringLiteral("19010101");
    QString lastStocks = QStringLiteral("19010101");
};

// The four layout strings of the two article grids.
struct ColumnLayouts {
    static const QString defaultLayout;
    static const QString defaultSizes;
    QString viewColumnLayout;
    QString viewColumnSizes;
    QString detailColumnLayout;
    QString detailColumnSizes;
};

// The window values of the Settings section, as read (twips).
struct WindowSettings {
    QString showRestoreCol = QStringLiteral("J");
    double horizontalBar = 245;
    double verticalBar = 236;
    double mainTop = 0;
    double mainLeft = 0;
    double mainHeight = 7575;
    double mainWidth = 9660;
};

ProgramState& programState();
ColumnLayouts& columnLayouts();
WindowSettings& windowSettings();

// What the settings routines read from and apply to the main window. All positions and
// sizes in twips.
class SettingsWindow {
public:
    virtual ~SettingsWindow() = default;
    virtual bool restoreColumnEntryVisible() const = 0;
    virtual void setRestoreColumnEntryVisible(bool visible) = 0;
    // Neither minimised nor maximised.
    virtual bool isNormalState() const = 0;
    virtual void setNormalState() = 0;
    virtual double windowTop() const = 0;
    virtual double windowLeft() const = 0;
    virtual double windowHeight() const = 0;
    virtual double windowWidth() const = 0;
    virtual void setWindowTop(double twips) = 0;
    virtual void setWindowLeft(double twips) = 0;
    virtual void setWindowHeight(double twips) = 0;
    virtual void setWindowWidth(double twips) = 0;
    virtual double horizontalBarTop() const = 0; // HdrTable
    virtual void setHorizontalBarTop(double twips) = 0;
    virtual double verticalBarLeft() const = 0; // LblBorder
    virtual void setVerticalBarLeft(double twips) = 0;
    virtual double screenWidth() const = 0;
    virtual double screenHeight() const = 0;
};

// Windows directory + "VANDREL4.INI".
QString settingsFileName();

// Reads PathNames, Updates and Settings into the state above; with a window, also reads
// MainTop and MainLeft and applies the window values to it. Always true.
bool LoadSettings(SettingsWindow* applyTo = nullptr);
// With a window: writes the Settings section from the layouts and the window (the four
// window keys only in its normal state). Without: writes PathNames and Updates.
// False when the settings file could not be written (the layout message needs to know).
bool SaveSettings(SettingsWindow* window = nullptr);

// Appends the database engine's tuning block to the settings file, once, at first start.
bool appendIsamBlock();

// Twips as the settings file writes them: a fraction only when there is one.
QString formatTwips(double twips);

} // namespace vandrel
