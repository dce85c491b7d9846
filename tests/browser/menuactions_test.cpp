// The file menu's exports and the reorganisation, driven through the main window's menus.
#include "browser/frmartinfo.h"

#include "browser/databaseservices.h"

#include "app/core/helpwindow.h"
#include "tools/demodata/wholesalerhelp.h"

#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "browser/articlegrid.h"
#include "browser/datacontrol.h"
#include "browser/recordsetmodel.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogreorganisation.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "catalogdb/scanfile.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace vandrel;

namespace {

class MenuActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programState() = ProgramState();
        columnLayouts() = ColumnLayouts();
        windowSettings() = WindowSettings();
        const QString d = dir.path();
        programState().programDirectory = programState().productFile = programState().indexFile =
            programState().digitalFile = programState().helpFile = d;
        QFile f(d + "GRPINFO.TXT");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1|Sanitair\r\n102|Kranen\r\n1020010|Kogelkranen\r\n5|Gereedschap\r\n501|Zagen\r\n");
        f.close();
        BuildCatalogDatabase(d, 0);
        BuildOrdersDatabase(d);
        ASSERT_EQ(OpenCatalogDatabases(d), OpenOutcome::Opened);
        Database* db = databaseHandles().catalog.get();
        // Group 10200: numbers and descriptions in different orders; one without EAN.
        const struct {
            int number;
            const char* group;
            const char* description;
            const char* ean;
        } articles[] = {
            {1234567, "102001003", "Kogelkraan 15 mm knel", "8712345000011"},
            {1234568, "102001003", "Afsluiter 22 mm", ""},
            {1234570, "102001099", "Boiler kraan", "8712345000013"},
            {2000001, "501000000", "IJzerzaag 300 mm", "8712345000014"},
        };
        for (const auto& a : articles) {
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, "
                                                   "Omschrijving, BrutoPrijs, KortingGroep, Per, EANNummer) "
                                                   "VALUES (%1, '%2', '%3', '%3', 12.5, 7, 1, %4)")
                                        .arg(a.number)
                                        .arg(QLatin1String(a.group), QLatin1String(a.description),
                                             *a.ean ? QStringLiteral("'%1'").arg(QLatin1String(a.ean))
                                                    : QStringLiteral("NULL"))));
        }
        databaseHandles().closeAll();
        PrivateProfile::writeString("Updates", "LastProducts", QDate::currentDate().toString("yyyyMMdd"),
                                    settingsFileName());
        MainWindowServices s = databaseServices();
        s.openIllustrationDatabase = nullptr;
        window = std::make_unique<FrmArtinfo>(s);
        ASSERT_TRUE(window->Form_Load());
        window->resize(1000, 700);
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        delete HelpWindow::existing();
        window.reset();
        databaseHandles().closeAll();
    }

    QStringList gridColumn(const QString& field)
    {
        RecordsetModel* m = window->table3()->recordsetModel();
        QStringList values;
        for (int r = 0; r < m->rowCount(); ++r)
            values << m->data(m->index(r, m->columnOf(field)), Qt::DisplayRole).toString();
        return values;
    }

    QList<QByteArray> exportedLines()
    {
        QFile f(dir.file("export.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> lines = f.readAll().split('\n');
        lines.removeLast();
        return lines;
    }

    test::TestDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<FrmArtinfo> window;
};

TEST_F(MenuActionsTest, StandardExportWritesTheGridsRowsInTheGridsOrder)
{
    window->data3()->setRecordSource(QStringLiteral("SELECT ArtikelNr, Beschrijving FROM Products "
                                                    "WHERE ProduktGroep LIKE '102*' ORDER BY Beschrijving"));
    window->data3()->refresh();
    const QStringList shown = gridColumn(QStringLiteral("ArtikelNr"));
    ASSERT_EQ(shown, (QStringList{"1234568", "1234570", "1234567"}));

    ui.expectFile(dir.file("export.txt"));
    ui.expectMessage(MsgAnswer::Ok);
    window->action(QStringLiteral("mnuExportStdASCII"))->trigger();

    const QList<QByteArray> lines = exportedLines();
    ASSERT_EQ(lines.size(), 4);
    QStringList exported;
    for (const QByteArray& l : lines.mid(1))
        exported << QString::number(l.split('|').first().toInt());
    EXPECT_EQ(exported, shown);
    EXPECT_TRUE(lines[1].startsWith("1234568|102001003|7|||Afsluiter 22 mm|")) << lines[1].constData();
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("Export van 3 artikelgegevens is gereed")});
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->data3()->caption(), QStringLiteral("Vandrel Productcatalogus"));
}

TEST_F(MenuActionsTest, OverviewExportWritesTheVisibleColumnsAsShown)
{
    ui.expectFile(dir.file("export.txt"));
    ui.expectMessage(MsgAnswer::Ok);
    window->action(QStringLiteral("mnuExportHuidig"))->trigger();

    const QList<QByteArray> lines = exportedLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("ArtikelNr")) << lines[0].constData();
    EXPECT_EQ(lines[0].count('|'), window->table3()->recordsetModel()->columnCount());
    // The grid's number format: seven digits, then the description padded behind.
    EXPECT_TRUE(lines[1].startsWith("1234567")) << lines[1].constData();
    EXPECT_TRUE(lines[1].contains("|Kogelkraan 15 mm knel")) << lines[1].constData();
    EXPECT_TRUE(lines[1].contains("12,50|")) << lines[1].constData();
}

TEST_F(MenuActionsTest, ReorganisationAnsweredNoChangesNothing)
{
    const QDateTime before = QFileInfo(dir.file(catalogDatabaseName)).lastModified();
    ui.expectMessage(MsgAnswer::No);
    window->HMenu_Click(7);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Reorganiseren artikelgegevens"));
    EXPECT_EQ(ui.messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.messages()[0].defaultButton, 1); // No
    EXPECT_EQ(QFileInfo(dir.file(catalogDatabaseName)).lastModified(), before);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(window->databases().catalog);
}

TEST_F(MenuActionsTest, ReorganisationRunsAndTheWindowGoesOnWithItsDatabases)
{
    ui.expectMessage(MsgAnswer::Yes);
    ui.expectMessage(MsgAnswer::Ok);
    window->HMenu_Click(7);
    EXPECT_EQ(ui.messageTexts().last(), QStringLiteral("De reorganisatie is succesvol voltooid."));
    EXPECT_TRUE(window->isEnabled());
    ASSERT_TRUE(window->databases().catalog);
    EXPECT_EQ(gridColumn(QStringLiteral("ArtikelNr")).size(), 4);
    EXPECT_TRUE(QFileInfo::exists(dir.file(scanFileName)));
    EXPECT_FALSE(QFileInfo::exists(dir.file(CatalogReorganisation::temporaryName)));
}

TEST_F(MenuActionsTest, ReorganisationWhileAnotherCopyWritesTellsSoAndReopens)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(dir.file(catalogDatabaseName)).constData(), &other,
                              SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; UPDATE Products SET KortingGroep = 1", nullptr, nullptr, nullptr),
              SQLITE_OK);
    ui.expectMessage(MsgAnswer::Yes);
    ui.expectMessage(MsgAnswer::Ok);
    window->HMenu_Click(7);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(ui.messageTexts()[1].contains(QStringLiteral("in gebruik door een ander exemplaar")));
    EXPECT_EQ(ui.messages()[1].icon, MsgIcon::Warning);
    EXPECT_TRUE(window->isEnabled());
    ASSERT_TRUE(window->databases().catalog);
    EXPECT_EQ(gridColumn(QStringLiteral("ArtikelNr")).size(), 4);
}

TEST_F(MenuActionsTest, HelpEntriesWholesalerTopicsAndF1OpenTheHelpWindow)
{
    // The program's book beside the program, the wholesaler's pages in the HelpFile folder.
    programState().programDirectory = QStringLiteral(VANDREL_SOURCE_DIR "/");
    ASSERT_TRUE(demodata::writeWholesalerHelp(dir.path()));

    window->HMenu_Click(1);
    HelpWindow* help = HelpWindow::existing();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->currentPath().endsWith(QStringLiteral("/help/index.html")));
    // The wholesaler's book follows the program's in the contents.
    const QList<QTreeWidgetItem*> wholesaler =
        help->contentsTree()->findItems(QStringLiteral("Vandrel Groothandel"), Qt::MatchExactly);
    ASSERT_EQ(wholesaler.size(), 1);
    EXPECT_EQ(wholesaler[0]->childCount(), 2);

    window->HMenu_Click(2);
    EXPECT_EQ(help->findChild<QTabWidget*>(QStringLiteral("helpTabs"))->currentIndex(), 1);

    window->PMenu_Click(1);
    EXPECT_TRUE(help->currentPath().endsWith(QStringLiteral("groothandel/adresinformatie.html")));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Industrieweg 12")));
    window->PMenu_Click(4);
    EXPECT_TRUE(help->currentPath().endsWith(QStringLiteral("groothandel/leveringsvoorwaarden.html")));
    EXPECT_TRUE(ui.messages().isEmpty());

    window->table3()->setFocus();
    QTest::keyClick(window->table3(), Qt::Key_F1);
    EXPECT_TRUE(help->currentPath().endsWith(QStringLiteral("/help/hoofdvenster.html")));
}

} // namespace
