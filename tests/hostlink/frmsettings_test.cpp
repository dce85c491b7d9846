// FrmSettings driven as the user does: its controls by name, keys and clicks.
#include "hostsimfixture.h"

#include "app/core/settings.h"
#include "app/core/privateprofile.h"
#include "hostlink/frmsettings.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vandrel;
using namespace vandrel::test;

namespace {

struct FrmSettingsTest : ::testing::Test {
    TestDir dir;
    ScriptedUi ui;
    QStringList openedLines;
    bool linesOpen = true;

    FrmSettingsTest() { commSettings() = CommSettings(); }

    ModemServices services()
    {
        ModemServices s;
        s.modemNames = [] { return QStringList{"ttyS0", "ttyUSB0"}; };
        s.lineOpens = [this](const QString& modem) {
            openedLines << modem;
            return linesOpen;
        };
        s.showDetails = [](const QString&, QWidget*) {};
        return s;
    }
    template <class T> T* child(FrmSettings& w, const char* name) { return w.findChild<T*>(name); }
    void choose(FrmSettings& w, const QString& modem)
    {
        w.PrmCommpoort()->setCurrentText(modem);
        w.PrmCommpoort_Click();
    }
    void fill(FrmSettings& w, const QString& phone, const QString& access, const QString& privateCode)
    {
        w.PrmTelefoonnummer()->setText(phone);
        w.PrmToegangscode()->setText(access);
        w.PrmPrivecode()->setText(privateCode);
    }
};

TEST_F(FrmSettingsTest, ListsTheSerialPortsAndTheInternetEntry)
{
    FrmSettings w(nullptr, services());
    QStringList items;
    for (int i = 0; i < w.PrmCommpoort()->count(); ++i)
        items << w.PrmCommpoort()->itemText(i);
    EXPECT_EQ(items, (QStringList{"ttyS0", "ttyUSB0", ">>VIA INTERNET<<"}));
    EXPECT_EQ(w.windowTitle(), "Modeminstelling");
    EXPECT_EQ(w.PrmToegangscode()->text(), "0000000"); // the installation's user number
}

TEST_F(FrmSettingsTest, InternetChoiceFixesTheProtocolAndHidesTheModemControls)
{
    FrmSettings w(nullptr, services());
    w.show();
    choose(w, "ttyS0");
    w.PrmFileTransfer()->setCurrentText("Zmodem");
    EXPECT_TRUE(w.PrmFileTransfer()->isEnabled());
    EXPECT_TRUE(child<QPushButton>(w, "cmdDetails")->isVisible());
    EXPECT_FALSE(child<QLabel>(w, "lblInternet")->isVisible());

    choose(w, ">>VIA INTERNET<<");
    EXPECT_FALSE(w.PrmFileTransfer()->isEnabled());
    EXPECT_EQ(w.PrmFileTransfer()->currentText(), "OBxfer");
    EXPECT_FALSE(child<QPushButton>(w, "cmdDetails")->isVisible());
    EXPECT_FALSE(w.PrmTelefoonnummer()->isVisible());
    EXPECT_FALSE(child<QLabel>(w, "lblTelefoonnummer")->isVisible());
    EXPECT_TRUE(child<QLabel>(w, "lblInternet")->isVisible());
}

TEST_F(FrmSettingsTest, ChecksRefuseInOrderAndSaveNothing)
{
    const struct {
        const char* modem;
        bool lineOpens;
        const char* phone;
        const char* protocol;
        const char* access;
        const char* privateCode;
        const char* message; // nullptr: a beep only
        const char* focus;
    } cases[] = {
        {"ttyS0", false, "0201234567", "OBxfer", "1234567", "geheim", "Ongeldig modem geselecteerd", "PrmCommpoort"},
        {"ttyS0", true, "02012", "OBxfer", "1234567", "geheim", "Ongeldig telefoonnummer ingevoerd",
         "PrmTelefoonnummer"},
        {"ttyS0", true, "0201234567", "Kermit", "1234567", "geheim", "Ongeldig protocol ingevoerd", "PrmFileTransfer"},
        {"ttyS0", true, "0201234567", "obxfer", "1234567", "geheim", "Ongeldig protocol ingevoerd", "PrmFileTransfer"},
        {"ttyS0", true, "0201234567", "Xmodem", "", "geheim", nullptr, "PrmToegangscode"},
        {"ttyS0", true, "0201234567", "Ymodem", "1234567", "", "Er is geen privecode ingevoerd", "PrmPrivecode"},
        {">>VIA INTERNET<<", false, "", "OBxfer", "1234567", "", "Er is geen privecode ingevoerd", "PrmPrivecode"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.modem) + " " + c.phone + " " + c.protocol + " " + c.privateCode);
        FrmSettings w(nullptr, services());
        w.show();
        QApplication::setActiveWindow(&w);
        linesOpen = c.lineOpens;
        choose(w, QString::fromLatin1(c.modem));
        w.PrmFileTransfer()->setCurrentText(QString::fromLatin1(c.protocol));
        fill(w, c.phone, c.access, c.privateCode);
        ui.clearRecorded();
        if (c.message)
            ui.expectMessage(MsgAnswer::Ok);
        QTest::mouseClick(child<QPushButton>(w, "cmdOK"), Qt::LeftButton);
        EXPECT_EQ(ui.messageTexts(), c.message ? QStringList{c.message} : QStringList{});
        if (c.message) {
            EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
        }
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), c.focus);
        EXPECT_FALSE(commsettingsfile::exists());
    }
}

TEST_F(FrmSettingsTest, InternetSettingsAreSavedAndTheUserNumberFollows)
{
    FrmSettings w(nullptr, services());
    w.show();
    choose(w, ">>VIA INTERNET<<");
    fill(w, "", "7654321", "geheim");
    QTest::mouseClick(child<QPushButton>(w, "cmdOK"), Qt::LeftButton);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messageTexts().join('|').toStdString();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(openedLines.isEmpty()); // no modem is asked for the internet
    const CommSettings saved = commsettingsfile::load();
    EXPECT_TRUE(saved.viaInternet());
    EXPECT_EQ(saved.accessCode().trimmed(), "7654321");
    EXPECT_EQ(saved.privateCode().trimmed(), "geheim");
    EXPECT_EQ(saved.fileTransfer(), "OBxfer");
    EXPECT_EQ(commSettings().accessCode().trimmed(), "7654321");
    EXPECT_EQ(PrivateProfile::getString("Orbisnet", "UserNumber", "", settingsFileName()), "7654321");

    // Opened again, it shows what was saved.
    FrmSettings again(nullptr, services());
    EXPECT_EQ(again.PrmCommpoort()->currentText(), ">>VIA INTERNET<<");
    EXPECT_EQ(again.PrmToegangscode()->text(), "7654321");
    EXPECT_EQ(again.PrmPrivecode()->text(), "geheim");
}

TEST_F(FrmSettingsTest, ModemSettingsAreSavedAfterTheLineOpens)
{
    FrmSettings w(nullptr, services());
    w.show();
    choose(w, "ttyUSB0");
    w.PrmFileTransfer()->setCurrentText("Zmodem");
    fill(w, "0201234567", "1234567", "geheim");
    QTest::mouseClick(child<QPushButton>(w, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(openedLines, QStringList{"ttyUSB0"});
    const CommSettings saved = commsettingsfile::load();
    EXPECT_EQ(saved.modemName().trimmed(), "ttyUSB0");
    EXPECT_EQ(saved.telephoneNumber().trimmed(), "0201234567");
    EXPECT_EQ(saved.fileTransfer(), "Zmodem");
}

TEST_F(FrmSettingsTest, TypingRulesRefuseKeys)
{
    FrmSettings w(nullptr, services());
    w.show();
    QApplication::setActiveWindow(&w);
    choose(w, "ttyS0");
    w.PrmTelefoonnummer()->clear();
    QTest::keyClicks(w.PrmTelefoonnummer(), "0a20-(b)w+T x9");
    EXPECT_EQ(w.PrmTelefoonnummer()->text(), "020-()w+T9");
    QTest::keyClicks(w.PrmTelefoonnummer(), "123456789012345");
    EXPECT_EQ(w.PrmTelefoonnummer()->text().size(), 20);
    QTest::keyClick(w.PrmTelefoonnummer(), Qt::Key_Backspace); // control keys pass
    EXPECT_EQ(w.PrmTelefoonnummer()->text().size(), 19);

    w.PrmPrivecode()->clear();
    QTest::keyClicks(w.PrmPrivecode(), QString(25, 'p'));
    EXPECT_EQ(w.PrmPrivecode()->text().size(), 20);

    const int before = w.PrmCommpoort()->currentIndex();
    QTest::keyClicks(w.PrmCommpoort(), ">t");
    QTest::keyClick(w.PrmCommpoort(), Qt::Key_Down);
    EXPECT_EQ(w.PrmCommpoort()->currentIndex(), before);
}

TEST_F(FrmSettingsTest, StartWithoutAFileShowsTheWindowWithDefaults)
{
    QString shownProtocol;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<FrmSettings*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        shownProtocol = w->PrmFileTransfer()->currentText();
        w->reject();
    });
    loadCommunicationSettings(nullptr, services());
    EXPECT_EQ(shownProtocol, "OBxfer");
    EXPECT_FALSE(commsettingsfile::exists()); // cancelled: nothing saved

    CommSettings s;
    s.setModemName(">>VIA INTERNET<<");
    s.setPrivateCode("geheim");
    ASSERT_TRUE(commsettingsfile::save(s));
    commSettings() = CommSettings();
    loadCommunicationSettings(nullptr, services()); // no window: it would block the test
    EXPECT_TRUE(commSettings().viaInternet());
    EXPECT_EQ(commSettings().privateCode().trimmed(), "geheim");
}

} // namespace

namespace {

using FrmSettingsTestLogin = HostSimFixture;

TEST_F(FrmSettingsTestLogin, TestButtonLogsInWithTheEnteredValuesWithoutSaving)
{
    startHost();
    PrivateProfile::writeString("Orbisnet", "TraceAddress", sim->traceAddress(), settingsFileName());
    PrivateProfile::writeString("Orbisnet", "HostPort", QString::number(sim->tcpPort()), settingsFileName());
    PrivateProfile::writeString("Orbisnet", "UserNumber", "1234567", settingsFileName());
    commSettings() = CommSettings();
    ModemServices services;
    services.modemNames = [] { return QStringList{}; };
    services.clock = &clock;
    FrmSettings w(nullptr, services);
    w.show();
    w.PrmCommpoort()->setCurrentText(">>VIA INTERNET<<");
    w.PrmCommpoort_Click();
    w.PrmPrivecode()->setText("geheim");
    ui.expectMessage(MsgAnswer::Ok);
    QTest::mouseClick(w.findChild<QPushButton*>("cmdTest"), Qt::LeftButton);
    EXPECT_EQ(ui.messageTexts(),
              QStringList{"De verbinding met Orbisnet is gelukt: u bent ingelogd met deze gegevens."});
    EXPECT_EQ(fromProgram("tcp"), "1234567\r\ngeheim\r\n");
    EXPECT_FALSE(commsettingsfile::exists());
    EXPECT_TRUE(w.isEnabled());

    // A wrong private code: the link's own messages, no success.
    w.PrmPrivecode()->setText("fout");
    ui.clearRecorded();
    ui.expectMessage(MsgAnswer::Ok);
    QTest::mouseClick(w.findChild<QPushButton*>("cmdTest"), Qt::LeftButton);
    EXPECT_EQ(ui.messageTexts(), QStringList{"Login Failed"});
}

} // namespace
