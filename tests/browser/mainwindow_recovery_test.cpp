// The main window's start when something is wrong with the data: a stored layout that
// cannot be used, a damaged catalog, an article file without articles, an import that
// was killed, a scan file cut short. Nothing may loop, restart twice or be taken for an
// empty catalog.
#include "browser/frmartinfo.h"

#include "app/core/events.h"
#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "browser/databaseservices.h"
#include "browser/datacontrol.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "catalogdb/scanfile.h"
#include "exchange/importrecord.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QComboBox>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

QByteArray articleLine(int number, const QByteArray& description)
{
    return QByteArray::number(number) + "|5|102001003|77|2|0|LEV|871|12|Kraan|1|1999|3|10|1|1|1500|1|0|20240115|K1|K2|K3|K4|"
           + description + "|Offerte|\r\n";
}

class MainWindowRecovery : public ::testing::Test {
protected:
    void SetUp() override
    {
        programState() = ProgramState();
        columnLayouts() = ColumnLayouts();
        windowSettings() = WindowSettings();
        const QString d = dir.path();
        programState().programDirectory = programState().productFile = programState().indexFile =
            programState().digitalFile = programState().helpFile = d;
        writeFile(d + "GRPINFO.TXT", "1|Sanitair\r\n102|Kranen\r\n1020010|Kogelkranen\r\n102001003|Knel\r\n");
        BuildCatalogDatabase(d, 0);
        BuildOrdersDatabase(d);
        ASSERT_EQ(OpenCatalogDatabases(d), OpenOutcome::Opened);
        databaseHandles().closeAll();
        PrivateProfile::writeString("Updates", "LastProducts", QDate::currentDate().toString("yyyyMMdd"),
                                    settingsFileName());
    }
    void TearDown() override
    {
        window.reset();
        databaseHandles().closeAll();
    }

    static void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    void addArticles(int first, int count)
    {
        auto db = Database::open(dir.file(catalogDatabaseName));
        ASSERT_TRUE(db && db->beginTrans());
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, "
                                                   "OfferteOms) VALUES (%1, '102001003', 'Kogelkraan %1 mm knel', "
                                                   "'Een offertetekst die de rij wat langer maakt')")
                                        .arg(first + i)));
        ASSERT_TRUE(db->commitTrans());
    }

    qint64 productCount()
    {
        auto db = Database::open(dir.file(catalogDatabaseName));
        auto rs = db ? db->openRecordset(QStringLiteral("SELECT COUNT(*) FROM Products"), Recordset::Dynaset) : nullptr;
        return rs && rs->hasCurrent() ? rs->value(0).toLongLong() : -1;
    }

    MainWindowServices services()
    {
        MainWindowServices s = databaseServices();
        s.openIllustrationDatabase = nullptr;
        s.restartProgram = [this] { ++restarts; };
        s.startedAfterImport = startedAfterImport;
        return s;
    }

    bool start()
    {
        window = std::make_unique<FrmArtinfo>(services());
        const bool shown = window->Form_Load();
        QCoreApplication::processEvents();
        return shown;
    }

    test::TestDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<FrmArtinfo> window;
    int restarts = 0;
    bool startedAfterImport = false;
};

} // namespace

TEST_F(MainWindowRecovery, AnUnusableStoredLayoutFallsBackToTheDefaultWithOneMessage)
{
    addArticles(1000001, 5);
    const QStringList layouts{
        QStringLiteral("ArtikelNr, Onbekend"),                      // no such column
        QStringLiteral("ArtikelNr FROM Products WHERE 1 = 0 --"),   // would list nothing: the first-import loop
        QStringLiteral("ArtikelNr, (Beschrijving"),                 // broken
        QStringLiteral("ArtikelNr; DELETE * FROM Products"),        // a second statement
    };
    for (const QString& layout : layouts) {
        SCOPED_TRACE(layout.toStdString());
        ui.clearRecorded();
        PrivateProfile::writeString("Settings", "ViewColumnLayout", layout, settingsFileName());
        PrivateProfile::writeString("Settings", "DetailColumnLayout", layout, settingsFileName());
        ui.expectMessage(MsgAnswer::Ok);
        ASSERT_TRUE(start());
        ASSERT_EQ(ui.messages().size(), 1) << ui.messageTexts().join(u'|').toStdString();
        EXPECT_TRUE(ui.messages()[0].text.contains(QStringLiteral("onbruikbaar")));
        EXPECT_EQ(window->data3()->recordCount(), 5);
        EXPECT_EQ(columnLayouts().viewColumnLayout, ColumnLayouts::defaultLayout);
        EXPECT_EQ(columnLayouts().detailColumnLayout, ColumnLayouts::defaultLayout);
        window->close();
        window.reset();
        EXPECT_EQ(PrivateProfile::getString("Settings", "ViewColumnLayout", "", settingsFileName()),
                  ColumnLayouts::defaultLayout)
            << "the next start has the default";
        EXPECT_EQ(restarts, 0);
    }
    EXPECT_EQ(productCount(), 5);
}

TEST_F(MainWindowRecovery, AnEmptyArticleFileAtTheFirstStartSaysSoAndDoesNotRestart)
{
    writeFile(dir.file("ARTINFO.TXT"), "");
    ui.expectMessage(MsgAnswer::Ok); // the first-start announcement
    ui.expectMessage(MsgAnswer::Ok); // nothing imported
    EXPECT_TRUE(start()) << "the program goes on";
    ASSERT_EQ(ui.messages().size(), 2) << ui.messageTexts().join(u'|').toStdString();
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("De eerste keer opstarten..."));
    EXPECT_TRUE(ui.messages()[1].text.startsWith(QStringLiteral("Er zijn geen artikelen ingelezen")));
    EXPECT_EQ(restarts, 0);
}

TEST_F(MainWindowRecovery, ACopyStartedByAnImportNeverImportsAgain)
{
    writeFile(dir.file("ARTINFO.TXT"), articleLine(1000001, "Kogelkraan"));
    startedAfterImport = true;
    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_TRUE(start());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].text.contains(QStringLiteral("zojuist afgerond")));
    EXPECT_EQ(productCount(), 0) << "not imported again";
    EXPECT_EQ(restarts, 0);
}

TEST_F(MainWindowRecovery, DamagedPagesShowTheEngineErrorOnceAndImportNothing)
{
    addArticles(1000001, 3000);
    QFile f(dir.file(catalogDatabaseName));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_GT(f.size(), 100 * 4096);
    f.seek(40 * 4096);
    f.write(QByteArray(60 * 4096, '\xA5'));
    f.close();
    writeFile(dir.file("ARTINFO.TXT"), articleLine(1000001, "Kogelkraan"));

    ui.expectMessage(MsgAnswer::Ok);
    EXPECT_TRUE(start());
    ASSERT_EQ(ui.messages().size(), 1) << ui.messageTexts().join(u'|').toStdString();
    EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("De artikellijst kan niet worden gelezen:")));
    EXPECT_TRUE(ui.messages()[0].text.contains(QStringLiteral("beschadigd")));
    EXPECT_EQ(restarts, 0);
    EXPECT_FALSE(ImportRecord::read(*window->databases().catalog)) << "no import was started";
}

TEST_F(MainWindowRecovery, AKilledFirstImportIsOfferedAgainAtTheNextStart)
{
    const QString importDir = dir.path() + "levering/";
    QDir().mkpath(importDir);
    QByteArray file;
    const int total = 5000;
    for (int i = 1; i <= total; ++i)
        file += articleLine(1000000 + i, "Kogelkraan " + QByteArray::number(i) + " mm");
    writeFile(importDir + "ARTINFO.TXT", file);
    writeFile(importDir + "ALTEINFO.TXT", "1000001|1000002\r\n");

    // Another copy of the program imports, and is killed part-way.
    QProcess child;
    child.start(QStringLiteral(VANDREL_IMPORT_CHILD), {dir.file(catalogDatabaseName), importDir});
    ASSERT_TRUE(child.waitForStarted(10000));
    const bool partWay = waitUntil(
        [&] {
            auto db = Database::open(dir.file(catalogDatabaseName), false, true);
            const bool underWay = db && ImportRecord::interrupted(*db);
            db.reset();
            PendingError::clear();
            return underWay && productCount() >= 300;
        },
        60000);
    child.kill();
    child.waitForFinished(10000);
    ASSERT_TRUE(partWay) << child.readAllStandardError().toStdString();
    const qint64 left = productCount();
    ASSERT_GT(left, 0);
    ASSERT_LT(left, total) << "killed inside the import";

    // The next start says so and runs it again from the same folder.
    ui.expectMessage(MsgAnswer::Yes);
    ui.expectMessage(MsgAnswer::Ok); // done: restart
    EXPECT_FALSE(start()) << "this copy ends for the restart";
    ASSERT_EQ(ui.messages().size(), 2) << ui.messageTexts().join(u'|').toStdString();
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Vandrel Update"));
    EXPECT_TRUE(ui.messages()[0].text.contains(QStringLiteral("niet afgemaakt")));
    EXPECT_TRUE(ui.messages()[0].text.contains(QDir::toNativeSeparators(importDir)));
    EXPECT_EQ(ui.messages()[1].title, QStringLiteral("De eerste keer opstarten..."));
    EXPECT_EQ(restarts, 1);
    window.reset();
    databaseHandles().closeAll();
    EXPECT_EQ(productCount(), total);
    auto db = Database::open(dir.file(catalogDatabaseName));
    EXPECT_FALSE(ImportRecord::interrupted(*db));
    EXPECT_TRUE(scanFileComplete(dir.file(scanFileName)));
}

TEST_F(MainWindowRecovery, AMissingOrShortScanFileIsRebuiltAtStart)
{
    addArticles(1000001, 20);
    const QString scan = dir.file(scanFileName);
    const QList<QByteArray> broken{QByteArray(), QByteArray("@1000001|Kogelkraan 1000001 mm knel@10000")};
    for (const QByteArray& bytes : broken) {
        ui.clearRecorded();
        QFile::remove(scan);
        if (!bytes.isEmpty())
            writeFile(scan, bytes);
        ASSERT_TRUE(start());
        EXPECT_TRUE(ui.messages().isEmpty()) << ui.messageTexts().join(u'|').toStdString();
        ASSERT_TRUE(scanFileComplete(scan));
        // The description search finds the last article, which the short file lacked.
        window->cmbZoek()->setCurrentText(QStringLiteral("Omschrijving"));
        window->txtZoek()->setText(QStringLiteral("1000020"));
        window->TxtZoek_KeyPress(13);
        EXPECT_EQ(window->data3()->recordCount(), 1);
        window->close();
        window.reset();
    }
}

TEST_F(MainWindowRecovery, TheMenuFileImportEndsThisCopyForTheRestart)
{
    addArticles(1000001, 3);
    ASSERT_TRUE(start());
    const QString importDir = dir.path() + "update/";
    QDir().mkpath(importDir);
    writeFile(importDir + "ARTINFO.TXT", articleLine(2000001, "Knie 22 mm"));
    ui.expectInput(importDir);
    ui.expectMessage(MsgAnswer::Ok); // done: restart

    // Run as the program runs it: from the event loop, which must end with the window.
    bool loopEnded = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(30000);
    QTimer::singleShot(0, [&] { window->mnuUpdateDISK_Click(); });
    const int code = QApplication::exec();
    loopEnded = guard.isActive();
    guard.stop();

    EXPECT_TRUE(loopEnded) << "the program kept running after its window closed";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(restarts, 1) << "one new copy, started once";
    EXPECT_FALSE(window->isVisible()) << "no window left behind without its databases";
    EXPECT_EQ(ui.messages().size(), 1);
}
