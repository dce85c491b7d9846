// The BBS window over a live link: its status line and lamps while logging in to the
// simulated host, and its unloading.
#include "hostsimfixture.h"

#include "hostlink/bbs.h"
#include "hostlink/linkhelpers.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace vandrel;
using namespace vandrel::test;

namespace {

struct BBSTest : HostSimFixture {
    QWidget mainWindow;
    std::unique_ptr<BBS> bbs;

    // A BBS whose link is set up as the fixture's.
    void openWindow(const QString& modem = QString())
    {
        startHost(modem);
        bbs = std::make_unique<BBS>(&mainWindow, clock);
        bbs->link().setHostValues(link->hostValues());
        CommSettings s = link->settings();
        if (!modem.isEmpty())
            s.setModemName(sim->ptyPath());
        bbs->link().setSettings(s);
        mainWindow.setEnabled(false); // as a session does
    }
    QColor lampShown(const char* panel) const
    {
        return bbs->findChild<QLabel*>(panel)->palette().color(QPalette::Window);
    }
    // For looking at the window: VANDREL_SCREENSHOT_DIR=<dir> writes it there.
    void screenshot(const QString& name)
    {
        const QString dir = qEnvironmentVariable("VANDREL_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            bbs->grab().save(QDir(dir).filePath(name));
    }
};

TEST_F(BBSTest, ShowsTheLoginInItsStatusLineAndLamps)
{
    openWindow();
    EXPECT_EQ(bbs->windowTitle(), "Modemcommunicatie");
    for (const char* name : {"CDPanel", "MRpanel", "SDPanel", "RDPanel"})
        EXPECT_EQ(lampShown(name), BBS::lampColour(HostLink::LampOff)) << name;
    ASSERT_TRUE(bbs->Connect(3));
    EXPECT_TRUE(bbs->isVisible());
    EXPECT_EQ(bbs->findChild<QLineEdit*>("Modem")->text(), "Bezig met inloggen...");
    EXPECT_EQ(lampShown("CDPanel"), QColor(0, 255, 0));
    SendLine(bbs->link(), "STATUS\r\n"); // an unknown command: a line comes back
    QByteArray line;
    ReadLine(bbs->link(), line, 5);
    EXPECT_FALSE(line.isEmpty());
    bbs->setModemMsg("Verbonden met Orbisnet");
    screenshot("bbs-internet.png");

    // Keys in the status line are discarded.
    QTest::keyClicks(bbs->findChild<QLineEdit*>("Modem"), "xyz");
    EXPECT_EQ(bbs->ModemMsg(), "Verbonden met Orbisnet");

    bbs->close();
    EXPECT_TRUE(mainWindow.isEnabled());
}

TEST_F(BBSTest, LampColoursFollowTheirValues)
{
    EXPECT_EQ(BBS::lampColour(HostLink::LampYellow), QColor(255, 255, 0));
    EXPECT_EQ(BBS::lampColour(HostLink::LampGreen), QColor(0, 255, 0));
    EXPECT_EQ(BBS::lampColour(HostLink::LampRed), QColor(255, 0, 0));
    EXPECT_EQ(BBS::lampColour(HostLink::LampGrey), QColor(192, 192, 192));
}

TEST_F(BBSTest, UnloadingAfterAModemLoginHangsUp)
{
    openWindow("modem");
    ASSERT_TRUE(bbs->Connect(1)) << ui.messageTexts().join('|').toStdString();
    EXPECT_EQ(lampShown("MRpanel"), QColor(0, 255, 0));
    EXPECT_EQ(lampShown("CDPanel"), QColor(255, 255, 0));
    screenshot("bbs-modem.png");
    bbs->close();
    EXPECT_FALSE(bbs->link().comm().isOpen());
    EXPECT_TRUE(sim->transcript().received("modem").endsWith("+++ATH0\r"));
    EXPECT_EQ(bbs->ModemMsg(), "Modemsessie is afgesloten");
    EXPECT_TRUE(mainWindow.isEnabled());
}

} // namespace
