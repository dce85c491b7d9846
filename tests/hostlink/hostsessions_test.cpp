// The order upload and the catalog update against the simulated host: over the internet
// and through the modem on a pseudo-terminal.
#include "hostsimfixture.h"

#include "app/core/privateprofile.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/recordset.h"
#include "catalogdb/field.h"
#include "catalogdb/scanfile.h"
#include "catalogdb/tabledef.h"
#include "exchange/catalogimport.h"
#include "hostlink/catalogupdate.h"
#include "hostlink/linkhelpers.h"
#include "hostlink/obxfer.h"
#include "hostlink/orderreceipt.h"
#include "hostlink/orderupload.h"
#include "hostlink/sessionwindow.h"
#include "printing/recordingprintdevice.h"
#include "tools/demodata/catalogfiles.h"
#include "tools/demodata/updatearchive.h"

#include <QDir>
#include <QFile>

using namespace vandrel;
using namespace vandrel::test;

namespace {

struct RecordingWindow final : SessionWindow {
    QList<bool> enabled;
    QStringList captions;
    int unloads = 0;
    HostLink* link = nullptr;
    void setMainWindowEnabled(bool on) override { enabled << on; }
    void setStatusCaption(const QString& text) override { captions << text; }
    void unloadHostLink() override
    {
        ++unloads;
        if (link)
            link->unload();
    }
};

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Two order files as the order window saves them.
const QByteArray orderA = "Project Dorpsstraat\r\n10-12-2026\r\nDorpsstraat 1\r\n1234 AB Ergens\r\nFalse"
                          "\r\n2\r\n1000010\r\nKogelkraan 15 mm\r\n7,50\r\n5,10"
                          "\r\n1\r\n9999999\r\nVrije regel\r\n12,00\r\n9,00\r\x1a";
const QByteArray orderB = "Afhalen\r\n11-12-2026\r\n\r\nTrue\r\n3\r\n1000012\r\nKnie 22 mm\r\n4,20\r\n3,00\r\x1a";

struct Sessions : HostSimFixture {
    RecordingWindow window;
    QString data; // the download folder

    // What the host received, once the program's last bytes have reached it.
    QByteArray hostGot(const QString& channel, const QByteArray& ending)
    {
        clock.waitUntil([&] { return fromProgram(channel).endsWith(ending); }, 2000);
        return fromProgram(channel);
    }

    Sessions()
    {
        data = dir.file("data") + QLatin1Char('/');
        QDir().mkpath(data);
        config.ordersDir = dir.file("host-orders");
    }
    void start(const QString& modemName = QString())
    {
        startHost(modemName);
        window.link = link.get();
    }
    void startModem()
    {
        start(QStringLiteral("placeholder"));
        CommSettings s = link->settings();
        s.setModemName(sim->ptyPath());
        link->setSettings(s);
    }
};

// ---------------------------------------------------------------------------------------
// Order upload
// ---------------------------------------------------------------------------------------

struct OrderUpload : Sessions {
    QList<QStringList> receipts;
    QStringList orders;

    OrderUpload()
    {
        orders << dir.file("orders/a.vdb") << dir.file("orders/b.vdb");
        writeFile(orders[0], orderA);
        writeFile(orders[1], orderB);
    }
    void run(const QStringList& list)
    {
        OrderUploadSession::Options o;
        o.customerNumber = "0012345";
        o.orderIntake = "5388100";
        o.orderRestart = "5388101";
        OrderUploadSession session(*link, window, o);
        session.setReceiptPrinter([this](const QString& path) {
            RecordingPrintDevice device;
            receipts << OrderReceipt::print(device, readFile(path), [](qint32 n) -> std::optional<int> {
                if (n == 1000010)
                    return 1;
                return std::nullopt;
            });
        });
        session.run(list);
    }
};

TEST_F(OrderUpload, SendsBothOrdersPrintsReceiptsAndDeletesTheFiles)
{
    start();
    ui.expectMessage(MsgAnswer::Ok);
    run(orders);

    EXPECT_EQ(ui.messageTexts(), QStringList{"De bestelde artikelen zijn verwerkt in Orbisnet"});
    EXPECT_EQ(ui.messages()[0].title, "Verzenden bestelling");
    EXPECT_FALSE(QFile::exists(orders[0]));
    EXPECT_FALSE(QFile::exists(orders[1]));
    ASSERT_EQ(receipts.size(), 2);
    EXPECT_TRUE(receipts[0].contains("{ftab:5}{itaon}Referentie: {itaoff}{faton}Project Dorpsstraat{fatoff}{crlf}"));
    EXPECT_TRUE(receipts[0].contains("{ftab:5}{itaon}Leveradres: {itaoff}{faton}{memo:50,2,Dorpsstraat 1\r\n1234 AB "
                                     "Ergens}{fatoff}{crlf}{crlf}"));
    EXPECT_TRUE(receipts[0].contains("{fatoff}{itaon}   Levertijd ca. 1 week{itaoff}"));
    EXPECT_TRUE(receipts[1].contains("{itaon} Goederen afhalen: {itaoff}{faton}Ja{fatoff}{crlf}"));
    EXPECT_TRUE(receipts[1].filter("Leveradres").isEmpty());

    // The exact bytes the host received, internet form: CR LF on every command.
    const QByteArray body = "Project Dorpsstraat\r\n10-12-2026\r\nDorpsstraat 1\r\n1234 AB Ergens\r\nFalse\r\n2\r\n"
                            "1000010\r\nKogelkraan 15 mm\r\n7,50\r\n5,10\r\n1\r\n9999999\r\nVrije regel\r\n12,00\r\n"
                            "9,00\r\n";
    const QByteArray sent = hostGot("tcp", "BYE\r\n");
    const QByteArray expected = "TM TO 5388100\r\n%VANDRELACCOUNT:0012345\r\n" + body + "\x1a\r\n"
        + "TM TO 5388100\r\n%VANDRELACCOUNT:0012345\r\nAfhalen\r\n11-12-2026\r\n\r\nTrue\r\n3\r\n1000012\r\n"
          "Knie 22 mm\r\n4,20\r\n3,00\r\n\x1a\r\n"
        + "RUN VDORDERS 1234567              0012345 SYNC\r\nBYE\r\n";
    EXPECT_TRUE(sent.endsWith(expected)) << hostsim::Transcript::escaped(sent).toStdString();
    EXPECT_EQ(readFile(config.ordersDir + "/ORDER-1.VDB"), body);
    EXPECT_EQ(window.enabled, (QList<bool>{false, true}));
    EXPECT_TRUE(statusTexts.contains("Verzenden bestelling \"" + orders[1] + "\"..."));
    EXPECT_TRUE(statusTexts.contains("Uw bestelling is verwerkt..."));
}

TEST_F(OrderUpload, RefusedOrderIsRestartedOrStopsTheRest)
{
    // Yes: "TM TO" + the restart number + CR alone, and the order goes through.
    {
        ASSERT_TRUE(hostsim::applyFault(config, "order-error=1", nullptr));
        start();
        ui.expectMessage(MsgAnswer::Yes);
        ui.expectMessage(MsgAnswer::Ok);
        run(orders);
        ASSERT_EQ(ui.messages().size(), 2);
        EXPECT_EQ(ui.messages()[0].text, "Er is een fout opgetreden tijdens de orderverzending:\n"
                                         "* ERROR: artikelnummer onbekend in regel 2\n\nWilt u de verzending herstarten?");
        EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
        EXPECT_EQ(ui.messages()[0].buttons, MsgButtons::YesNo);
        EXPECT_TRUE(fromProgram("tcp").contains("TM TO 5388101\r%VANDRELACCOUNT:"));
        EXPECT_FALSE(QFile::exists(orders[0]));
        EXPECT_FALSE(QFile::exists(orders[1]));
        EXPECT_EQ(receipts.size(), 2);
    }
    // No: nothing more is sent, but the processing still runs; both files stay.
    {
        writeFile(orders[0], orderA);
        writeFile(orders[1], orderB);
        receipts.clear();
        ui.clearRecorded();
        start();
        ui.expectMessage(MsgAnswer::No);
        ui.expectMessage(MsgAnswer::Ok);
        run(orders);
        EXPECT_EQ(ui.messageTexts().last(), "De bestelde artikelen zijn verwerkt in Orbisnet");
        const QByteArray sent = fromProgram("tcp");
        EXPECT_EQ(sent.count("TM TO "), 1);
        EXPECT_TRUE(sent.contains("RUN VDORDERS"));
        EXPECT_TRUE(QFile::exists(orders[0]));
        EXPECT_TRUE(QFile::exists(orders[1]));
        EXPECT_TRUE(receipts.isEmpty());
    }
}

TEST_F(OrderUpload, HostFailuresEndTheSessionWithTheirMessage)
{
    const struct {
        const char* fault;
        const char* message;
    } cases[] = {
        {"drop-after-order=1", "SysteemMelding: De verbinding werd verbroken"},
        {"processing-error", "SysteemMelding: ERROR: verwerking van de bestellingen mislukt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        writeFile(orders[0], orderA);
        writeFile(orders[1], orderB);
        config.sessions = {};
        ASSERT_TRUE(hostsim::applyFault(config, c.fault, nullptr));
        ui.clearRecorded();
        window.enabled.clear();
        start();
        ui.expectMessage(MsgAnswer::Ok);
        run(orders);
        EXPECT_EQ(ui.messageTexts(), QStringList{QString::fromLatin1(c.message)});
        EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
        EXPECT_FALSE(QFile::exists(orders[0])) << "the stored order is gone";
        EXPECT_EQ(window.enabled.last(), true);
        EXPECT_FALSE(IsConnected(*link));
    }
}

TEST_F(OrderUpload, NoConnectionAndAnEmptyList)
{
    config.accounts = {hostsim::Account{"1234567", "anders", "READY"}};
    start();
    ui.allowUnexpectedOkMessages(true); // the link's own login messages
    run(orders);
    EXPECT_EQ(ui.messageTexts().last(), "Er kon geen verbinding worden gemaakt, controleer uw instellingen");
    EXPECT_EQ(ui.messages().last().title, "Vandrel Catalogus");
    EXPECT_TRUE(QFile::exists(orders[0]));

    // An empty list still asks the host to process.
    config.accounts = {hostsim::Account{"1234567", "geheim", "READY"}};
    ui.clearRecorded();
    start();
    ui.expectMessage(MsgAnswer::Ok);
    run({});
    EXPECT_TRUE(hostGot("tcp", "BYE\r\n").endsWith("RUN VDORDERS 1234567              0012345 SYNC\r\nBYE\r\n"));
}

TEST_F(OrderUpload, OverTheModemCtrlZStandsAlone)
{
    startModem();
    ui.expectMessage(MsgAnswer::Ok);
    run({orders[1]});
    EXPECT_EQ(ui.messageTexts(), QStringList{"De bestelde artikelen zijn verwerkt in Orbisnet"});
    const QByteArray sent = hostGot("modem", "BYE\r");
    EXPECT_TRUE(sent.contains("TM TO 5388100\r%VANDRELACCOUNT:0012345\r\nAfhalen\r\n"));
    EXPECT_TRUE(sent.contains("3,00\r\n\x1aRUN VDORDERS 1234567              0012345 SYNC\rBYE\r"))
        << hostsim::Transcript::escaped(sent).toStdString();
    EXPECT_FALSE(QFile::exists(orders[1]));
}

TEST(OrderReceipt, MarkupOfTheOrderFile)
{
    RecordingPrintDevice device;
    const QStringList rows = OrderReceipt::print(
        device, orderA, [](qint32 n) -> std::optional<int> { return n == 1000010 ? std::optional<int>(3) : std::nullopt; },
        QDate(2026, 12, 11), QLocale(QLocale::Dutch, QLocale::Netherlands));
    EXPECT_EQ(rows.value(1), "{ftab:5}{widon}Vandrel bestelling, verzonden op:vrijdag 11 december 2026{widoff}{crlf}");
    EXPECT_TRUE(rows.contains("{ftab:5}{itaon}Leverdatum: {itaoff}{faton}10-12-2026{fatoff}"));
    EXPECT_TRUE(rows.contains("{itaon} Goederen afhalen: {itaoff}{faton}Nee{fatoff}{crlf}"));
    EXPECT_TRUE(rows.contains("{cndon}Kogelkraan 15 mm"));
    EXPECT_TRUE(rows.contains("{fatoff}{itaon}   Levertijd ca. 3 weken{itaoff}"));
    EXPECT_EQ(rows.filter("Levertijd").size() + rows.filter("voorradig").size(), 1) << "9999999 has no catalog row";
    EXPECT_TRUE(rows.filter(QRegularExpression("^\\{ftab:5\\} *1\\{ftab:9\\}9999999\\{ftab:15\\}$")).size() == 1);
    // Totals as money: 7,50 + 12,00 and 5,10 + 9,00.
    EXPECT_TRUE(rows.last().contains("19,50") && rows.last().contains("14,10")) << rows.last().toStdString();
    EXPECT_EQ(device.jobsEnded(), 1);
    EXPECT_TRUE(device.texts().contains("Referentie: "));
}

// ---------------------------------------------------------------------------------------
// Catalog update
// ---------------------------------------------------------------------------------------

struct CatalogUpdate : Sessions {
    QString zip;
    QStringList imported;
    demodata::UpdateSummary summary;
    int stallMs = 120000;

    CatalogUpdate()
    {
        zip = dir.file("host/VDCDINFO.ZIP");
        demodata::Options options;
        options.articles = 40;
        options.date = QDate(2026, 11, 1);
        EXPECT_TRUE(demodata::writeUpdateArchive(zip, options, nullptr, &summary));
        config.zipFile = zip;
        config.sessions.blockSize = 1000;
    }
    bool run(const QString& version = "4.0.12")
    {
        CatalogUpdateSession::Options o;
        o.downloadDirectory = data;
        o.settingsFile = dir.file("VANDREL4.INI");
        o.customerNumber = "0012345";
        o.version = version;
        o.obxferSilenceMs = 2000;
        o.serialPauseMs = 200;
        o.stallMs = stallMs;
        CatalogUpdateSession session(*link, window, o);
        session.setImport([this](const QString& d) { imported << d; });
        return session.run();
    }
};

TEST_F(CatalogUpdate, DownloadsOverObxferUnpacksAndHandsOverTheFolder)
{
    writeFile(data + "VDCDINFO", "oud");
    start();
    ui.expectMessage(MsgAnswer::Ok);
    ASSERT_TRUE(run());
    EXPECT_EQ(ui.messageTexts(), QStringList{"SysteemMelding: * DOWNLOAD OK: VDCDINFO.ZIP"});
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Information);
    EXPECT_EQ(ui.messages()[0].title, "Orbisnet Update");
    EXPECT_EQ(readFile(data + "VDCDINFO.ZIP"), readFile(zip));
    EXPECT_NE(readFile(data + "VDCDINFO"), "oud");
    EXPECT_TRUE(QFile::exists(data + "GRPINFO.TXT"));
    EXPECT_EQ(imported, QStringList{data});
    // First update: no LastProducts yet; the version without padding; CR LF in mode 3.
    const QByteArray sent = fromProgram("tcp");
    EXPECT_TRUE(sent.contains("RUN VDCDCLNT 19010101 0012345 4.0.12 SYNC\r\n"));
    EXPECT_TRUE(sent.contains("DL OB VDCDINFO.ZIP\r\n"));
    EXPECT_TRUE(hostGot("tcp", "BYE\r").endsWith("BYE\r"));
    EXPECT_TRUE(statusTexts.contains("Bestand is succesvol gedownload"));
    EXPECT_TRUE(statusTexts.contains("Ontvangen VDCDINFO.ZIP via OB-XFER, 100% gereed..."));
    EXPECT_EQ(window.enabled, (QList<bool>{false, true}));
}

TEST_F(CatalogUpdate, BlockFaultsStillDeliverTheSameBytes)
{
    for (const char* fault : {"bad-check=2", "split-frames=7", "silence-after-block=3", "block-size=1"}) {
        SCOPED_TRACE(fault);
        config.sessions = {};
        config.sessions.blockSize = 1000;
        ASSERT_TRUE(hostsim::applyFault(config, fault, nullptr));
        QFile::remove(data + "VDCDINFO.ZIP");
        ui.clearRecorded();
        start();
        ui.expectMessage(MsgAnswer::Ok);
        ASSERT_TRUE(run());
        EXPECT_EQ(readFile(data + "VDCDINFO.ZIP"), readFile(zip));
        if (QByteArray(fault).startsWith("bad-check")) {
            EXPECT_TRUE(fromProgram("tcp").contains(obxfer::BuildFrame("RU03")));
        }
        if (QByteArray(fault).startsWith("silence")) {
            EXPECT_TRUE(fromProgram("tcp").contains(obxfer::BuildFrame("NU04")));
        }
    }
}

TEST_F(CatalogUpdate, CancelledOrRefusedDownloadsAskToRestart)
{
    const struct {
        const char* fault;
        const char* first; // the receiver's message before the question
    } cases[] = {
        {"bad-check-always", "Er zijn teveel fouten tijdens de download ontstaan!"},
        {"obxfer-name=../x", "Het te downloaden bestand kan niet worden aangemaakt of overschreven!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        config.sessions = {};
        ASSERT_TRUE(hostsim::applyFault(config, c.fault, nullptr));
        ui.clearRecorded();
        imported.clear();
        start();
        ui.expectMessage(MsgAnswer::Ok);
        ui.expectMessage(MsgAnswer::No);
        EXPECT_FALSE(run());
        ASSERT_EQ(ui.messages().size(), 2);
        EXPECT_EQ(ui.messages()[0].text, QString::fromLatin1(c.first));
        EXPECT_TRUE(ui.messages()[1].text.startsWith("Er is een fout opgetreden tijdens de bestandsoverdracht:\n* DOWNLOAD ERR:"));
        EXPECT_TRUE(ui.messages()[1].text.endsWith("\n\nWilt u de overdracht herstarten?"));
        EXPECT_TRUE(fromProgram("tcp").contains("\x1b\x1b$$CD"));
        EXPECT_TRUE(imported.isEmpty());
        EXPECT_FALSE(QFile::exists(dir.file("x")));
        if (QByteArray(c.fault) == "bad-check-always") {
            EXPECT_EQ(fromProgram("tcp").count(obxfer::BuildFrame("RU02")), 50) << "the 51st bad block is cancelled";
            EXPECT_TRUE(fromProgram("tcp").contains(obxfer::BuildFrame("CD02")));
        }
    }

    // A refused request is repeated with CR alone after "Ja".
    config.sessions = {};
    ASSERT_TRUE(hostsim::applyFault(config, "download-error=1", nullptr));
    ui.clearRecorded();
    start();
    ui.expectMessage(MsgAnswer::Yes);
    ui.expectMessage(MsgAnswer::Ok);
    ASSERT_TRUE(run());
    EXPECT_TRUE(fromProgram("tcp").contains("DL OB VDCDINFO.ZIP\r\nDL OB VDCDINFO.ZIP\r"));
    EXPECT_FALSE(fromProgram("tcp").contains("DL OB VDCDINFO.ZIP\r\nDL OB VDCDINFO.ZIP\r\n"));
    EXPECT_EQ(readFile(data + "VDCDINFO.ZIP"), readFile(zip));
}

TEST_F(CatalogUpdate, LostConnectionsAndHostErrors)
{
    const struct {
        const char* fault;
        const char* message;
    } cases[] = {
        {"drop-after-block=3", "SysteemMelding: Verbinding werd onverwacht verbroken"},
        {"prepare-error", "SysteemMelding: ERROR: de update kan nu niet worden voorbereid"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        config.sessions = {};
        config.sessions.blockSize = 500;
        ASSERT_TRUE(hostsim::applyFault(config, c.fault, nullptr));
        ui.clearRecorded();
        imported.clear();
        QFile::remove(data + "VDCDINFO.ZIP");
        start();
        ui.expectMessage(MsgAnswer::Ok);
        EXPECT_FALSE(run());
        EXPECT_EQ(ui.messageTexts(), QStringList{QString::fromLatin1(c.message)});
        EXPECT_FALSE(QFile::exists(data + "VDCDINFO.ZIP")) << "a partial download is deleted";
        EXPECT_TRUE(imported.isEmpty());
        EXPECT_EQ(window.enabled.last(), true);
    }
}

TEST_F(CatalogUpdate, UpdatesTheCatalogFromTheDownloadedArchive)
{
    // The catalog of the delivery, then the update over the internet into it.
    demodata::Options options;
    options.articles = 40;
    options.date = QDate(2026, 11, 1);
    const demodata::CatalogWorld world(options);
    {
        QFile f(data + "ARTINFO.TXT");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        demodata::writeArticleFile(world, f);
    }
    BuildCatalogDatabase(data, 0);
    auto db = Database::open(data + catalogDatabaseName);
    ASSERT_TRUE(db);
    {
        // The working column names, as the program's first open gives them.
        auto td = db->tableDef(QStringLiteral("Products"));
        td->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr"));
        td->field(QStringLiteral("PrijsPer"))->setName(QStringLiteral("Per"));
    }
    struct Window final : ImportWindow, ProgressMeter {
        ProgressMeter& progress() override { return *this; }
        void setStatusCaption(const QString&) override {}
        void setMainWindowEnabled(bool) override {}
        void open(const QString&, const QString&) override {}
        void setLabel(const QString&) override {}
        void setPercent(int) override {}
        void refresh() override {}
        void close() override {}
    } importWindow;
    ui.allowUnexpectedOkMessages(true);
    {
        CatalogImport first(*db, importWindow);
        first.setProductFileDirectory(data);
        first.setSettingsFile(dir.file("VANDREL4.INI"));
        ASSERT_TRUE(first.run(data, false));
    }
    auto price = [&](int article) {
        auto rs = db->openRecordset(QStringLiteral("SELECT BrutoPrijs FROM Products WHERE ArtikelNr = %1").arg(article));
        return rs && !rs->eof() ? rs->value(0).toDouble() : -1.0;
    };
    const int repriced = summary.repriced.first();
    const double before = price(repriced);
    ASSERT_GT(before, 0);
    EXPECT_LT(price(summary.added.first()), 0);

    start();
    CatalogUpdateSession::Options o;
    o.downloadDirectory = data;
    o.settingsFile = dir.file("VANDREL4.INI");
    o.obxferSilenceMs = 2000;
    CatalogUpdateSession session(*link, window, o);
    session.setImport([&](const QString& d) {
        CatalogImport update(*db, importWindow);
        update.setProductFileDirectory(data);
        update.setSettingsFile(dir.file("VANDREL4.INI"));
        update.run(d, true);
    });
    ASSERT_TRUE(session.run());
    EXPECT_NEAR(price(repriced), before * 1.1, 0.011);
    EXPECT_GT(price(summary.added.first()), 0);
    EXPECT_EQ(PrivateProfile::getString("Updates", "LastProducts", "", dir.file("VANDREL4.INI"), 256), "20261102");
}

TEST_F(CatalogUpdate, OverTheModemWithZmodem)
{
    startModem();
    CommSettings s = link->settings();
    s.setFileTransfer("ZMODEM");
    link->setSettings(s);
    ui.expectMessage(MsgAnswer::Ok);
    ASSERT_TRUE(run()) << ui.messageTexts().join('|').toStdString();
    EXPECT_EQ(ui.messageTexts(), QStringList{"SysteemMelding: * DOWNLOAD OK: VDCDINFO.ZIP"});
    EXPECT_EQ(readFile(data + "VDCDINFO.ZIP"), readFile(zip));
    EXPECT_EQ(imported, QStringList{data});
    const QByteArray sent = fromProgram("modem");
    EXPECT_TRUE(sent.contains("RUN VDCDCLNT 19010101 0012345 4.0.12 SYNC\r"));
    EXPECT_FALSE(sent.contains("SYNC\r\n"));
    EXPECT_TRUE(sent.contains("DL Z VDCDINFO.ZIP\r"));
}

TEST_F(CatalogUpdate, ASilentHostEndsTheSerialTransfer)
{
    ASSERT_TRUE(hostsim::applyFault(config, "serial-silence", nullptr));
    startModem();
    CommSettings s = link->settings();
    s.setFileTransfer("ZMODEM");
    link->setSettings(s);
    ui.expectMessage(MsgAnswer::Ok);
    stallMs = 1500;
    EXPECT_FALSE(run());
    EXPECT_EQ(ui.messageTexts(), QStringList{CatalogUpdateSession::stalledMessage});
    EXPECT_TRUE(imported.isEmpty());
    EXPECT_FALSE(QFile::exists(data + "VDCDINFO.ZIP"));
    EXPECT_FALSE(IsConnected(*link));
}

} // namespace
