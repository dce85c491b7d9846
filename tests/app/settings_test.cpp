#include "app/core/settings.h"

#include "app/core/apptitle.h"
#include "app/core/privateprofile.h"
#include "testdir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

QByteArray readBytes(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A window that only remembers what it is told.
class FakeWindow : public SettingsWindow {
public:
    bool restoreVisible = true;
    bool normal = true;
    double top = 100, left = 200, height = 3000, width = 4000, hBar = 245, vBar = 236;
    QString titleWhileApplying;

    bool restoreColumnEntryVisible() const override { return restoreVisible; }
    void setRestoreColumnEntryVisible(bool v) override
    {
        restoreVisible = v;
        titleWhileApplying = AppTitle::current();
    }
    bool isNormalState() const override { return normal; }
    void setNormalState() override { normal = true; }
    double windowTop() const override { return top; }
    double windowLeft() const override { return left; }
    double windowHeight() const override { return height; }
    double windowWidth() const override { return width; }
    void setWindowTop(double t) override { top = t; }
    void setWindowLeft(double l) override { left = l; }
    void setWindowHeight(double h) override { height = h; }
    void setWindowWidth(double w) override { width = w; }
    double horizontalBarTop() const override { return hBar; }
    void setHorizontalBarTop(double t) override { hBar = t; }
    double verticalBarLeft() const override { return vBar; }
    void setVerticalBarLeft(double l) override { vBar = l; }
    double screenWidth() const override { return 19200; }
    double screenHeight() const override { return 14400; }
};

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programState() = ProgramState();
        programState().programDirectory = dir.path() + QStringLiteral("prog") + QDir::separator();
        columnLayouts() = ColumnLayouts();
        windowSettings() = WindowSettings();
    }
    test::TestDir dir;
};

} // namespace

TEST_F(SettingsTest, FirstStartWritesPathNamesUpdatesAndTheIsamBlockInOrder)
{
    ProgramState& s = programState();
    const QString sep = QDir::separator();
    s.productFile = s.helpFile = s.indexFile = QStringLiteral("/opt/vc") + sep;
    s.digitalFile = QStringLiteral("/media/cd/DIGITAL") + sep;
    s.lastDigitals = QStringLiteral("20240131");
    ASSERT_TRUE(SaveSettings());
    ASSERT_TRUE(appendIsamBlock());
    const QByteArray expected = "[PathNames]\r\nProductFile=/opt/vc/\r\nDigitalFile=/media/cd/DIGITAL/\r\n"
                                "HelpFile=/opt/vc/\r\nIndexFile=/opt/vc/\r\n\r\n"
                                "[Updates]\r\nLastProducts=19010101\r\nLastDigitals=20240131\r\n"
                                "LastStocks=19010101\r\n"
                                " \r\n[ISAM]\r\nPageTimeout = 50\r\nMaxBufferSize = 512\r\n"
                                "LockRetry = 200\r\nCommitLockRetry = 200\r\nReadAheadPages = 32\r\n";
    EXPECT_EQ(readBytes(settingsFileName()), expected);

    // A later single-key change leaves every other byte as it was.
    QByteArray changed = expected;
    changed.replace("LastProducts=19010101", "LastProducts=20261210");
    PrivateProfile::writeString("Updates", "LastProducts", "20261210", settingsFileName());
    EXPECT_EQ(readBytes(settingsFileName()), changed);
}

TEST_F(SettingsTest, MissingFileGivesDefaultsAndCentresTheWindow)
{
    FakeWindow w;
    ASSERT_TRUE(LoadSettings(&w));
    const ProgramState& s = programState();
    EXPECT_EQ(s.productFile, s.programDirectory);
    EXPECT_EQ(s.lastProducts, QStringLiteral("19010101"));
    EXPECT_EQ(columnLayouts().viewColumnLayout, ColumnLayouts::defaultLayout);
    EXPECT_EQ(columnLayouts().detailColumnSizes, QStringLiteral("54, 237, 52, 52,  21, 50, 78, 85, 21"));
    EXPECT_EQ(w.height, 7575);
    EXPECT_EQ(w.width, 9660);
    // Centred with the window's size before the stored one was applied.
    EXPECT_EQ(w.top, (14400 - 3000) / 2);
    EXPECT_EQ(w.left, (19200 - 4000) / 2);
    EXPECT_EQ(w.hBar, 245);
    EXPECT_EQ(w.vBar, 236);
    EXPECT_TRUE(w.restoreVisible);
    EXPECT_EQ(w.titleWhileApplying, QStringLiteral("LoadSettings"));
    EXPECT_EQ(AppTitle::current(), AppTitle::programTitle);
}

TEST_F(SettingsTest, ReadsValuesAsTheirKind)
{
    const QString ini = settingsFileName();
    PrivateProfile::writeString("PathNames", "ProductFile", "/data/vc", ini);
    PrivateProfile::writeString("Settings", "MainHeight", "8000.5 twips", ini);
    PrivateProfile::writeString("Settings", "MainWidth", "breed", ini);
    PrivateProfile::writeString("Settings", "ViewColumnLayout", QString(600, QLatin1Char('x')), ini);
    const std::pair<const char*, bool> restoreCases[] = {{"n", false}, {"N", false}, {"nee", true}, {"J", true}, {"", true}};
    for (const auto& [value, visible] : restoreCases) {
        PrivateProfile::writeString("Settings", "ShowRestoreCol", value, ini);
        FakeWindow w;
        LoadSettings(&w);
        EXPECT_EQ(w.restoreVisible, visible) << value;
        EXPECT_EQ(w.height, 8000.5);
        EXPECT_EQ(w.width, 0);
    }
    EXPECT_EQ(programState().productFile, QStringLiteral("/data/vc") + QDir::separator());
    EXPECT_EQ(columnLayouts().viewColumnLayout.size(), 511);
}

TEST_F(SettingsTest, WindowSaveWritesTheSettingsSectionAndSkipsAMaximisedWindow)
{
    columnLayouts().viewColumnLayout = QStringLiteral("ArtikelNr, KortingGroep");
    columnLayouts().viewColumnSizes = QStringLiteral("54, 21");
    FakeWindow w;
    w.restoreVisible = false;
    w.hBar = 300.5;
    ASSERT_TRUE(SaveSettings(&w));
    const QString ini = settingsFileName();
    EXPECT_EQ(PrivateProfile::getString("Settings", "ViewColumnLayout", "", ini), "ArtikelNr, KortingGroep");
    EXPECT_EQ(PrivateProfile::getString("Settings", "ShowRestoreCol", "", ini), "N");
    EXPECT_EQ(PrivateProfile::getString("Settings", "HorizontalBar", "", ini), "300.5");
    EXPECT_EQ(PrivateProfile::getString("Settings", "MainWidth", "", ini), "4000");
    EXPECT_EQ(PrivateProfile::getString("Settings", "MainTop", "", ini), "100");

    const QByteArray before = readBytes(ini);
    FakeWindow maximised;
    maximised.normal = false;
    maximised.top = maximised.left = maximised.height = maximised.width = 1;
    maximised.restoreVisible = false;
    maximised.hBar = 300.5;
    ASSERT_TRUE(SaveSettings(&maximised));
    EXPECT_EQ(readBytes(ini), before);
}

TEST_F(SettingsTest, SaveReportsAFileThatCannotBeWritten)
{
    // A folder where the file should be: no write can succeed.
    ASSERT_TRUE(QDir().mkpath(settingsFileName()));
    FakeWindow w;
    EXPECT_FALSE(SaveSettings(&w));
    EXPECT_FALSE(SaveSettings());
    QDir().rmdir(settingsFileName());
    EXPECT_TRUE(SaveSettings(&w));
}
