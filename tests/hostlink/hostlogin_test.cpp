// Connect and log in against the simulated host: over the internet (mode 3) and through
// a Hayes modem on a pseudo-terminal (mode 1).
#include "hostsimfixture.h"

#include "hostlink/linkhelpers.h"

using namespace vandrel;
using namespace vandrel::test;

namespace {

const QString loginFailed =
    QStringLiteral("FOUT: Kan niet inloggen op de host. Controleer toegangscode en privecode!");

using InternetLogin = HostSimFixture;

TEST_F(InternetLogin, LogsInAndExchangesLines)
{
    startHost();
    ASSERT_TRUE(link->Connect(3));
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messageTexts().join('|').toStdString();
    EXPECT_TRUE(IsConnected(*link));
    EXPECT_EQ(link->lamp(HostLink::Carrier), HostLink::LampGreen);
    EXPECT_EQ(fromProgram("tcp"), "1234567\r\ngeheim\r\n");
    EXPECT_TRUE(statusTexts.contains(QStringLiteral("verbinden met 127.0.0.1...")));

    SendLine(*link, "BYE\r\n");
    QByteArray line;
    ReadLine(*link, line, 5);
    EXPECT_EQ(line, "BYE");
    HangUp(*link);
    EXPECT_FALSE(IsConnected(*link));
    EXPECT_EQ(link->lamp(HostLink::Carrier), HostLink::LampOff);
}

TEST_F(InternetLogin, RefusedAccountsShowTheirMessageThenLoginFailed)
{
    const struct {
        QByteArray status;
        const char* message;
    } cases[] = {
        {"ACEXP", "Het wachtwoord voor deze account is verlopen. Neem kontakt op met de supportdesk van Brisant Design."},
        {"ACPRE", "Uw Account is nog niet geactiveerd. Neem kontakt op met de supportdesk van Brisant Design."},
        {"AXCLU", "Uw Account is (tijdelijk) afgesloten. Neem kontakt op met de supportdesk van Brisant Design."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status.toStdString());
        config.accounts = {hostsim::Account{"1234567", "geheim", c.status}};
        startHost();
        ui.clearRecorded();
        ui.expectMessage(MsgAnswer::Ok);
        ui.expectMessage(MsgAnswer::Ok);
        EXPECT_FALSE(link->Connect(3));
        ASSERT_EQ(ui.messages().size(), 2);
        EXPECT_EQ(ui.messages()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Internet verbinding"));
        EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
        EXPECT_EQ(ui.messages()[1].text, QStringLiteral("Login Failed"));
        EXPECT_EQ(ui.messages()[1].icon, MsgIcon::None);
        EXPECT_FALSE(IsConnected(*link));
    }
}

TEST_F(InternetLogin, WrongGreetingOrCodesFailWithoutAnAccountMessage)
{
    // "HELLO" then "READY": the dialogue ends at the missing "LOGIN".
    ASSERT_TRUE(hostsim::applyFault(config, "tcp-hello-ready", nullptr));
    startHost();
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(link->Connect(3));
    EXPECT_EQ(ui.messageTexts(), QStringList{"Login Failed"});
    EXPECT_EQ(fromProgram("tcp"), ""); // no code was sent

    config = {};
    config.accounts << hostsim::Account{"1234567", "geheim", "READY"};
    startHost();
    setCodes("1234567", "fout");
    ui.clearRecorded();
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(link->Connect(3));
    EXPECT_EQ(ui.messageTexts(), QStringList{"Login Failed"});
}

TEST_F(InternetLogin, UnreachablePageGivesTheWebsiteMessage)
{
    ASSERT_TRUE(hostsim::applyFault(config, "no-traceip", nullptr));
    startHost();
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(link->Connect(3));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("Er kon geen verbinding met de website van 127.0.0.1, "
                                                    "controleer uw internet instellingen."));
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
    // Six attempts, then nothing was connected.
    int requests = 0;
    for (const auto& e : sim->transcript().entries())
        requests += e.channel.startsWith("http") && e.direction == hostsim::Transcript::FromClient;
    EXPECT_EQ(requests, 6);
    EXPECT_EQ(fromProgram("tcp"), "");
}

TEST(TraceAddress, TakesTheFifteenCharactersAfterTheMarker)
{
    EXPECT_EQ(HostLink::traceAddressFromPage("x TraceRoute: 10.1.2.3      y"), "10.1.2.3");
    EXPECT_EQ(HostLink::traceAddressFromPage("TraceRoute:192.168.100.200"), "192.168.100.200");
    EXPECT_EQ(HostLink::traceAddressFromPage("<p>TraceRoute:127.0.0.1</p>"), "127.0.0.1");
    EXPECT_EQ(HostLink::traceAddressFromPage("TraceRoute:"), "");
    EXPECT_EQ(HostLink::traceAddressFromPage("TraceRoute:host.example"), "");
    EXPECT_EQ(HostLink::traceAddressFromPage("nothing here"), "");
}

struct ModemLogin : HostSimFixture {
    void startModem() { startHost(QStringLiteral("pty")); }
    void startHost(const QString&)
    {
        HostSimFixture::startHost(QStringLiteral("placeholder"));
        CommSettings s = link->settings();
        s.setModemName(sim->ptyPath());
        link->setSettings(s);
    }
};

TEST_F(ModemLogin, AnswersARepeatedCommandPromptUntilReady)
{
    ASSERT_TRUE(hostsim::applyFault(config, "repeat-command=2", nullptr));
    startModem();
    ASSERT_TRUE(link->Connect(1)) << ui.messageTexts().join('|').toStdString();
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_TRUE(IsConnected(*link));
    EXPECT_EQ(link->lamp(HostLink::Ready), HostLink::LampGreen);
    EXPECT_EQ(link->lamp(HostLink::Carrier), HostLink::LampYellow);
    // AT check, dial, then the codes and one "C" per prompt.
    const QByteArray sent = fromProgram("modem");
    EXPECT_TRUE(sent.startsWith("AT\rATDT0201234567\r1234567\rgeheim\rCCC")) << sent.toStdString();
    EXPECT_TRUE(statusTexts.contains(QStringLiteral("Opbellen Orbisnet...")));
    EXPECT_TRUE(statusTexts.contains(QStringLiteral("Verbinding gereed...")));
    EXPECT_TRUE(statusTexts.contains(QStringLiteral("Bezig met inloggen... (3)")));

    // A line of the session, then the hang-up through the modem's escape.
    SendLine(*link, "BYE\r");
    QByteArray line;
    do
        ReadLine(*link, line, 5);
    while (line == " ");
    EXPECT_EQ(line, "BYE");
    link->unload();
    EXPECT_FALSE(IsConnected(*link));
    EXPECT_FALSE(link->comm().isOpen());
}

TEST_F(ModemLogin, HangUpWhileOnlineEscapesAndHangsUp)
{
    startModem();
    ASSERT_TRUE(link->Connect(1));
    HangUp(*link);
    EXPECT_FALSE(IsConnected(*link));
    EXPECT_EQ(link->sessionState(), 0);
    EXPECT_EQ(statusTexts.last(), QStringLiteral("Modemsessie is afgesloten"));
    EXPECT_TRUE(fromProgram("modem").endsWith("+++ATH0\r"));
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(ModemLogin, MissingPrivecodePromptFailsTheLogin)
{
    ASSERT_TRUE(hostsim::applyFault(config, "no-privecode", nullptr));
    startModem();
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(link->Connect(1));
    EXPECT_EQ(ui.messageTexts(), QStringList{loginFailed});
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(link->comm().isOpen());
    EXPECT_FALSE(fromProgram("modem").contains("geheim"));
}

TEST_F(ModemLogin, EndlessCommandPromptEndsAfterFifteenSeconds)
{
    ASSERT_TRUE(hostsim::applyFault(config, "repeat-command", nullptr));
    startModem();
    ui.expectMessage(MsgAnswer::Ok);
    const qint64 start = clock.nowMs();
    EXPECT_FALSE(link->Connect(1));
    EXPECT_EQ(ui.messageTexts(), QStringList{loginFailed});
    const qint64 took = clock.nowMs() - start;
    EXPECT_GE(took, 15000);
    EXPECT_LT(took, 30000);
    EXPECT_GT(fromProgram("modem").count('C'), 2);
}

TEST_F(ModemLogin, DialFailuresShowTheirStatusAndFail)
{
    const struct {
        const char* fault;
        const char* status;
        const char* message;
    } cases[] = {
        {"dial=BUSY", "In gesprek...", nullptr},
        {"dial=NO CARRIER", "Verbinding is beëindigd...", nullptr},
        {"dial=NO DIALTONE", "Geen verbinding mogelijk",
         "Er kan geen verbinding worden gemaakt. Controleer alle instellingen en aansluitingen, Code: 6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        config = {};
        ASSERT_TRUE(hostsim::applyFault(config, c.fault, nullptr));
        startModem();
        statusTexts.clear();
        ui.clearRecorded();
        if (c.message)
            ui.expectMessage(MsgAnswer::Ok);
        EXPECT_FALSE(link->Connect(1));
        EXPECT_TRUE(statusTexts.contains(QString::fromUtf8(c.status))) << statusTexts.join('|').toStdString();
        EXPECT_EQ(ui.messageTexts(), c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
        EXPECT_FALSE(IsConnected(*link));
    }
}

TEST_F(ModemLogin, ModemThatDoesNotAnswerCannotBeActivated)
{
    ASSERT_TRUE(hostsim::applyFault(config, "silent-modem", nullptr));
    startModem();
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(link->Connect(1));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("FOUT: Kan modem ") + sim->ptyPath() +
                                                 QStringLiteral(" niet activeren.")));
}

TEST_F(ModemLogin, SendOutWhileDownDropsTheText)
{
    startModem();
    ASSERT_TRUE(link->Connect(1));
    HangUp(*link);
    const QByteArray before = fromProgram("modem");
    link->SendOut("TM TO 5388100\r");
    clock.pause(500);
    EXPECT_EQ(fromProgram("modem"), before);
    EXPECT_EQ(link->comm().bytesToWrite(), 0);
}

} // namespace
