#include "app/mainmodule.h"

#include "app/core/commandline.h"
#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "app/startupform.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <functional>
#include <QFile>
#include <QLabel>

#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

void writeFile(const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(name).path());
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programState() = ProgramState();
        programDir = dir.path() + QStringLiteral("program") + QDir::separator();
        QDir().mkpath(programDir);
        programState().programDirectory = programDir;
        commandline::set({});
        services.removableRoots = [this] { return roots; };
        services.buildCatalogDatabase = [this](const QString& f) { built << f; writeFile(f, "db"); };
        services.buildOrdersDatabase = [this](const QString& f) { built << f; writeFile(f, "db"); };
        services.startProgram = [this](const QString& p) { started << p; return true; };
    }
    void TearDown() override { commandline::set({}); }

    QString root(const QString& name, bool withDatabase)
    {
        const QString r = dir.path() + name + QDir::separator();
        QDir().mkpath(r);
        if (withDatabase)
            writeFile(r + QStringLiteral("DIGITAL/VDCDROM4.MDB"), "x");
        return r;
    }

    test::TestDir dir;
    test::ScriptedUi ui;
    QString programDir;
    QStringList roots;
    QStringList built;
    QStringList started;
    StartupServices services;
};

} // namespace

TEST_F(StartupTest, FirstStartTakesTheFirstRootWithTheIllustrationDatabase)
{
    roots = {root("cdrom0", false), root("cdrom1", true), root("usb", true)};
    ASSERT_EQ(Initialise(services), StartOutcome::Continue);
    const QString sep = QDir::separator();
    EXPECT_EQ(programState().digitalFile, roots[1] + "DIGITAL" + sep);
    EXPECT_EQ(built, QStringList({programDir + "VD-CLNT4.MDB", programDir + "VD-ORDR4.MDB"}));

    const QByteArray ini = readFile(settingsFileName());
    const QByteArray expectedStart = "[PathNames]\r\nProductFile=" + programDir.toUtf8() +
                                     "\r\nDigitalFile=" + (roots[1] + "DIGITAL" + sep).toUtf8() + "\r\n";
    EXPECT_TRUE(ini.startsWith(expectedStart)) << ini.constData();
    EXPECT_TRUE(ini.contains("\r\n\r\n[Updates]\r\nLastProducts=19010101\r\nLastDigitals=20"));
    EXPECT_TRUE(ini.endsWith("LastStocks=19010101\r\n \r\n[ISAM]\r\nPageTimeout = 50\r\nMaxBufferSize = 512\r\n"
                             "LockRetry = 200\r\nCommitLockRetry = 200\r\nReadAheadPages = 32\r\n"));
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(StartupTest, FirstStartFallsBackToTheProgramDirectoryOrEnds)
{
    roots = {root("empty", false)};
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_EQ(Initialise(services), StartOutcome::EndProgram);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(ui.messages()[0].text.startsWith("Er is geen CD-ROM apparaat"));
    EXPECT_FALSE(QFile::exists(settingsFileName()));

    writeFile(programDir + "VDCDROM4.MDB", "x");
    EXPECT_EQ(Initialise(services), StartOutcome::Continue);
    EXPECT_EQ(programState().digitalFile, programDir);
}

TEST_F(StartupTest, WithSettingsNoSearchAndThePromptRepeatsUntilThere)
{
    const QString moved = root("moved", false) + QStringLiteral("DIGITAL") + QDir::separator();
    PrivateProfile::writeString("PathNames", "DigitalFile", moved, settingsFileName());
    roots = {root("other", true)}; // must not be searched
    ui.expectMessage(MsgAnswer::Ok);
    ui.expectMessage(MsgAnswer::Ok);
    int prompts = 0;
    ui.onMessage([&](const Message&) {
        if (++prompts == 2)
            writeFile(moved + "VDCDROM4.MDB", "x");
    });
    EXPECT_EQ(Initialise(services), StartOutcome::Continue);
    ASSERT_EQ(ui.messages().size(), 2);
    const Message& m = ui.messages()[0];
    EXPECT_EQ(m.icon, MsgIcon::Warning);
    EXPECT_EQ(m.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m.text, "Plaats de Vandrel Catalogus CD-ROM in drive " + dir.path() + "moved"
                      " en kies OK om verder te gaan.");
    EXPECT_EQ(programState().digitalFile, moved);

    QFile::remove(moved + "VDCDROM4.MDB");
    ui.onMessage({});
    ui.expectMessage(MsgAnswer::Cancel);
    EXPECT_EQ(Initialise(services), StartOutcome::EndProgram);
}

TEST_F(StartupTest, DeleteSwitchInAnyCaseRebuildsBothDatabases)
{
    writeFile(programDir + "VDCDROM4.MDB", "x");
    ASSERT_EQ(Initialise(services), StartOutcome::Continue);
    built.clear();
    ASSERT_EQ(Initialise(services), StartOutcome::Continue);
    EXPECT_TRUE(built.isEmpty());
    commandline::set({"/delete"});
    ASSERT_EQ(Initialise(services), StartOutcome::Continue);
    EXPECT_EQ(built.size(), 2);
}

TEST_F(StartupTest, SelfUpgradeReplacesTheInstalledFileAndLeavesTheBackup)
{
    const std::pair<int, const char*> sizes[] = {{4096, "Countdown 1"}, {5000, "Countdown 0.220703125"}};
    for (const auto& [size, lastCountdown] : sizes) {
        QByteArray newVersion(size, '\0');
        for (int i = 0; i < size; ++i)
            newVersion[i] = char(i * 7);
        const QString running = programDir + "cdupdate.exe";
        writeFile(running, newVersion);
        writeFile(programDir + installedProgramFileName(), "old version");
        QFile::remove(programDir + "CDUPDATE.DEL");
        started.clear();
        StartUp splash;
        ui.expectMessage(MsgAnswer::Ok);
        SelfUpgrade(splash, running, services);
        EXPECT_EQ(readFile(programDir + installedProgramFileName()), newVersion);
        EXPECT_EQ(readFile(programDir + installedProgramBackupName()), QByteArray("old version"));
        EXPECT_TRUE(QFile::exists(programDir + "CDUPDATE.DEL"));
        EXPECT_EQ(splash.lblRelease()->text(), QString::fromUtf8(lastCountdown));
        EXPECT_EQ(splash.lblTitel()->text(), "Bezig met verwerken software upgrade, moment aub...");
        EXPECT_EQ(ui.messages().back().title, "Installatie gereed");
        EXPECT_TRUE(ui.messages().back().text.contains(QString::fromUtf8("is succesvol geïnstalleerd")));
        EXPECT_EQ(started, QStringList({programDir + installedProgramFileName()}));
    }
    EXPECT_TRUE(isSelfUpgradeRun("/tmp/x/CDUPDATE.EXE"));
    EXPECT_FALSE(isSelfUpgradeRun("/opt/vandrel-catalogus"));
}

TEST_F(StartupTest, SelfUpgradeWithoutAnInstalledFileFailsAndChangesNothing)
{
    writeFile(programDir + "cdupdate.exe", "new");
    StartUp splash;
    ui.expectMessage(MsgAnswer::Ok);
    SelfUpgrade(splash, programDir + "cdupdate.exe", services);
    ASSERT_EQ(ui.messages().size(), 1);
    const Message& m = ui.messages()[0];
    EXPECT_EQ(m.title, "Upgrade storing");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    QString dirText = programDir;
    dirText.chop(1);
    EXPECT_TRUE(m.text.endsWith("\r\n\r\nSluit alle programma's af en voer het programma \"" + dirText +
                                "\\Cdupdate.exe\" daarna uit."))
        << m.text.toStdString();
    EXPECT_FALSE(QFile::exists(programDir + installedProgramFileName()));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(StartupTest, AFailingUpgradeCopyLeavesTheInstalledProgramInPlace)
{
    const QString installed = programDir + installedProgramFileName();
    const QString running = programDir + "cdupdate.exe";
    // Each way the copy can fail: nothing to read, no room for the new file beside the
    // installed one (a folder stands in its place).
    const QList<std::pair<const char*, std::function<void()>>> failures{
        {"empty running file", [&] { writeFile(running, ""); }},
        {"new file cannot be made",
         [&] {
             writeFile(running, QByteArray(10000, 'n'));
             QDir().mkpath(installed + ".nieuw");
         }},
    };
    for (const auto& [what, arrange] : failures) {
        SCOPED_TRACE(what);
        ui.clearRecorded();
        writeFile(installed, "old version");
        QFile::remove(programDir + "CDUPDATE.DEL");
        started.clear();
        arrange();
        StartUp splash;
        ui.expectMessage(MsgAnswer::Ok);
        SelfUpgrade(splash, running, services);
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_EQ(ui.messages()[0].title, "Upgrade storing");
        EXPECT_EQ(readFile(installed), QByteArray("old version")) << "the installed program is untouched";
        EXPECT_FALSE(QFile::exists(programDir + "CDUPDATE.DEL"));
        EXPECT_TRUE(started.isEmpty()) << "nothing is started";
        QDir(installed + ".nieuw").removeRecursively();
        EXPECT_FALSE(QFile::exists(installed + ".nieuw"));
    }
}

TEST_F(StartupTest, ProgramUpdateQuestionAtEveryStartUntilRemoved)
{
    writeFile(programDir + "vandrupd.EXE", "x");
    StartUp splash;
    ui.expectMessage(MsgAnswer::No);
    EXPECT_TRUE(splash.load(services.startProgram));
    EXPECT_EQ(splash.lblRelease()->text(),
              QStringLiteral("Release %1.%2.%3").arg(VANDREL_VERSION_MAJOR).arg(VANDREL_VERSION_MINOR).arg(VANDREL_VERSION_REVISION));
    ui.expectMessage(MsgAnswer::Yes);
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(splash.load(services.startProgram));
    ASSERT_EQ(ui.messages().size(), 3);
    EXPECT_EQ(ui.messages()[1].title, "Updaten VandrelCatalogus");
    EXPECT_TRUE(ui.messages()[2].text.startsWith("LET OP :  na de update"));
    EXPECT_EQ(started, QStringList({programDir + "vdupdate.exe"}));
}

TEST_F(StartupTest, SplashStepsBackForADialogOfTheProgram)
{
    StartUp splash;
    ASSERT_TRUE(splash.load(services.startProgram));
    splash.show();
    QMainWindow mainWindow; // loading behind the splash: the splash stays in front
    mainWindow.show();
    QTest::qWait(600);
    EXPECT_FALSE(splash.steppedBack());
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);

    QWidget progress(nullptr, Qt::Dialog); // a non-modal window such as the import's progress
    progress.show();
    QTest::qWait(600);
    EXPECT_TRUE(splash.steppedBack());
    EXPECT_FALSE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash.isVisible());
}
