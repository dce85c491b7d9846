// The main window started as the program starts it, on a small catalog.
#include "browser/frmartinfo.h"

#include "browser/databaseservices.h"

#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "browser/articlegrid.h"
#include "browser/datacontrol.h"
#include "browser/grouptree.h"
#include "browser/recordsetmodel.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "catalogdb/scanfile.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QDate>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

const char* groupFile = "1|Sanitair\r\n"
                        "102|Kranen\r\n"
                        "1020010|Kogelkranen\r\n"
                        "102001003|Kogelkranen knel\r\n"
                        "103|Leidingen\r\n"
                        "1030010|Lege groep\r\n"
                        "zonder streep\r\n"
                        "\r\n"
                        "5|Gereedschap\r\n"
                        "501|Zagen\r\n";

struct Article {
    int number;
    const char* group;
    const char* description;
};

const Article articles[] = {
    {1234567, "102001003", "Kogelkraan 15 mm knel"},
    {1234568, "102001003", "Kogelkraan 22 mm knel"},
    {1234570, "102001099", "Kogelkraan 28 mm"},
    {2000001, "501000000", "IJzerzaag 300 mm"},
    {1000001, "100000000", "Wastafel 60 cm"},
};

class MainWindowTest : public ::testing::Test {
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
        f.write(groupFile);
        f.close();
        BuildCatalogDatabase(d, 0);
        BuildOrdersDatabase(d);
        ASSERT_EQ(OpenCatalogDatabases(d), OpenOutcome::Opened);
        Database* db = databaseHandles().catalog.get();
        for (const Article& a : articles) {
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, "
                                                   "BrutoPrijs, NettoPrijs, KortingGroep, Per, ArtNummerLev) "
                                                   "VALUES (%1, '%2', '%3', 12.5, 10, 7, 1, 'AB%1')")
                                        .arg(a.number)
                                        .arg(a.group, a.description)))
                << PendingError::get().text.toStdString();
        }
        databaseHandles().closeAll();
        // Recent enough not to ask for an update.
        PrivateProfile::writeString("Updates", "LastProducts", QDate::currentDate().toString("yyyyMMdd"),
                                    settingsFileName());
    }
    void TearDown() override
    {
        window.reset();
        databaseHandles().closeAll();
    }

    MainWindowServices services()
    {
        MainWindowServices s = databaseServices();
        s.openIllustrationDatabase = nullptr; // these tests need no pictures
        return s;
    }

    FrmArtinfo& start()
    {
        window = std::make_unique<FrmArtinfo>(services());
        EXPECT_TRUE(window->Form_Load());
        window->resize(1000, 700);
        QCoreApplication::processEvents();
        return *window;
    }

    // Closes the window as the user does and starts it again on the same files.
    FrmArtinfo& restart()
    {
        window->close();
        window.reset();
        return start();
    }

    QStringList listedNumbers(FrmArtinfo& w)
    {
        QStringList numbers;
        RecordsetModel* m = w.table3()->recordsetModel();
        const int col = m->columnOf("ArtikelNr");
        for (int r = 0; r < m->rowCount(); ++r)
            numbers << m->data(m->index(r, col), Qt::DisplayRole).toString();
        return numbers;
    }

    test::TestDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<FrmArtinfo> window;
};

QTreeWidgetItem* findItem(GroupTree* tree, const QString& text)
{
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

TEST_F(MainWindowTest, StartsWithTheWholeCatalogInGroupOrder)
{
    FrmArtinfo& w = start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vandrel Interactieve Catalogus"));
    EXPECT_EQ(w.data3()->caption(), QStringLiteral("Vandrel Productcatalogus"));
    EXPECT_EQ(listedNumbers(w), QStringList({"1000001", "1234567", "1234568", "1234570", "2000001"}));
    EXPECT_TRUE(w.table3()->isVisible());
    EXPECT_FALSE(w.detailsVisible());
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(MainWindowTest, TreeItemsCarryTheirCodesAndListTheirArticles)
{
    FrmArtinfo& w = start();
    GroupTree* tree = w.outline1();
    const std::pair<const char*, qint32> items[] = {{"Sanitair", 100000000},
                                                    {"Kranen", 102000000},
                                                    {"Kogelkranen", 102001000},
                                                    {"Kogelkranen knel", 102001003}};
    for (const auto& [text, data] : items) {
        QTreeWidgetItem* item = findItem(tree, text);
        ASSERT_NE(item, nullptr) << text;
        EXPECT_EQ(GroupTree::itemData(item), data) << text;
    }
    EXPECT_EQ(findItem(tree, "Kogelkranen")->parent(), findItem(tree, "Kranen"));
    EXPECT_EQ(GroupTree::picture(findItem(tree, "Kranen")), GroupTree::ClosedFolder);
    EXPECT_EQ(GroupTree::picture(findItem(tree, "Kogelkranen knel")), GroupTree::Leaf);
    EXPECT_EQ(tree->topLevelItemCount(), 2); // the line without "|" is skipped

    w.chooseGroup(102001003, "Kogelkranen knel");
    EXPECT_EQ(listedNumbers(w), QStringList({"1234567", "1234568"}));
    EXPECT_EQ(w.data3()->caption(), QStringLiteral("Productgroep = Kogelkranen knel"));
    // A level-3 leaf with a zero sub-subgroup lists by the shorter prefix 10200.
    w.chooseGroup(102001000, "Kogelkranen");
    EXPECT_EQ(listedNumbers(w), QStringList({"1234567", "1234568", "1234570"}));

    ui.expectMessage(MsgAnswer::Ok);
    w.chooseGroup(103001000, "Lege groep");
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("Deze Productgroep bevat geen artikelen"));
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(listedNumbers(w).isEmpty());

    w.chooseGroup(501000000, "Zagen");
    auto* groep = w.findChild<QLabel*>("lblGroep");
    EXPECT_EQ(groep->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_EQ(groep->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(groep->text(), QStringLiteral("Productgroep = Zagen"));
}

TEST_F(MainWindowTest, SplittersClampAndSnapBackOnRelease)
{
    FrmArtinfo& w = start();
    auto* hdr = w.findChild<QWidget*>("HdrTable");
    auto* frame = w.findChild<QWidget*>("PicFrame");
    const int H = w.clientHeight();
    w.HdrTable_MouseMove(Qt::LeftButton, 0, 0);
    EXPECT_TRUE(w.splitterDragging());
    w.HdrTable_MouseMove(Qt::LeftButton, 0, -1000);
    w.HdrTable_MouseMove(Qt::NoButton, 0, 0);
    EXPECT_FALSE(w.splitterDragging());
    EXPECT_EQ(frame->height(), 100);
    EXPECT_EQ(hdr->y(), 171);
    w.DetailsVisible(true);
    w.HdrTable_MouseMove(Qt::LeftButton, 0, 0);
    w.HdrTable_MouseMove(Qt::LeftButton, 0, 5000);
    w.HdrTable_MouseMove(Qt::NoButton, 0, 0);
    // Dragged to the bottom, the details stop where the grid's few rows, the related-article
    // buttons and the status line still fit under them: nothing vanishes or is covered.
    EXPECT_LE(frame->height(), H - 80);
    EXPECT_EQ(hdr->y(), frame->y() + frame->height() + 1);
    EXPECT_GE(w.table()->height(), minimumGridHeight);
    auto* buttons = w.findChild<QWidget*>("cmdOther0");
    EXPECT_LE(buttons->y() + buttons->height(), w.data3()->y());
    EXPECT_LE(frame->y() + frame->height(), w.data3()->y());

    const int W = w.clientWidth();
    w.LblBorder_MouseMove(Qt::LeftButton, 0, 0);
    w.LblBorder_MouseMove(Qt::LeftButton, -1000, 0);
    w.LblBorder_MouseMove(Qt::NoButton, 0, 0);
    EXPECT_EQ(w.outline1()->width(), 24);
    w.LblBorder_MouseMove(Qt::LeftButton, 0, 0);
    w.LblBorder_MouseMove(Qt::LeftButton, 5000, 0);
    w.LblBorder_MouseMove(Qt::NoButton, 0, 0);
    // Dragged to the right edge, the tree stops where the article side keeps its room.
    const int widest = w.outline1()->width();
    EXPECT_LE(widest, W - 80);
    EXPECT_GE(W - 12 - (w.table3()->x()), minimumArticleSideWidth);
    EXPECT_EQ(w.table3()->x() + w.table3()->width(), W - 12);
    // The release saved the positions.
    EXPECT_EQ(PrivateProfile::getString("Settings", "VerticalBar", "", settingsFileName()),
              QString::number(widest + 15));
}

TEST_F(MainWindowTest, StatusLineTellsTheTruth)
{
    FrmArtinfo& w = start();
    const auto search = [&](const char* mode, const QString& text) {
        w.cmbZoek()->setCurrentText(QString::fromUtf8(mode));
        w.txtZoek()->setText(text);
        w.TxtZoek_KeyPress(13);
    };
    search("Productnummer", "AB1234");
    ASSERT_EQ(w.data3()->caption(), QStringLiteral("Productnummer = AB1234"));

    // A failing free condition empties the list; the status must not name the last search.
    ui.expectMessage(MsgAnswer::Ok);
    search("SQL-Query", "Onbekend = 1");
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].text.startsWith("De SQL-Query kan niet worden uitgevoerd.")) << ui.messages()[0].text.toStdString();
    EXPECT_TRUE(ui.messages()[0].text.contains("Onbekend")); // the engine's detail follows
    EXPECT_EQ(w.data3()->caption(), QStringLiteral("Fout in SQL-Query: Onbekend = 1"));
    EXPECT_EQ(w.data3()->recordCount(), 0);

    // A description search without hits says so (the start rebuilt the scan file).
    ui.expectMessage(MsgAnswer::Ok);
    search("Omschrijving", "schroef");
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messages()[1].text, QStringLiteral("Er zijn geen artikelen gevonden die aan de criteria voldoen"));
    EXPECT_EQ(w.data3()->caption(), QStringLiteral("Omschrijving = schroef"));

    // Every arrow at the end it points to gives the ends' message, the first and last too.
    search("SQL-Query", "ArtikelNr > 0");
    ASSERT_EQ(w.data3()->recordCount(), 5);
    const std::tuple<int, const char*, const char*> arrows[] = {
        {4, "last", "U kunt niet verder vooruitbladeren"},
        {4, "next", "U kunt niet verder vooruitbladeren"},
        {0, "first", "U kunt niet verder terugbladeren"},
        {0, "previous", "U kunt niet verder terugbladeren"},
    };
    for (const auto& [row, arrow, message] : arrows) {
        w.data3()->moveToRow(row);
        ui.clearRecorded();
        ui.expectMessage(MsgAnswer::Ok);
        w.data3()->findChild<QToolButton*>(arrow)->click();
        ASSERT_EQ(ui.messages().size(), 1) << arrow;
        EXPECT_EQ(ui.messages()[0].text, QString::fromUtf8(message)) << arrow;
        EXPECT_EQ(w.data3()->currentRow(), row) << arrow;
    }
}

TEST_F(MainWindowTest, ControlsBehaveAsTheOriginalOnes)
{
    FrmArtinfo& w = start();
    GroupTree* tree = w.outline1();
    // What a widget receives for a double click: a click (press, release), then a press,
    // the double-click event and a release (QTest's mouseDClick sends the event alone).
    const auto doubleClick = [tree](QTreeWidgetItem* item) {
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mousePress(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    };

    // A double click chooses once: a parent ends up expanded, not expanded and collapsed again.
    QTreeWidgetItem* sanitair = findItem(tree, "Sanitair");
    doubleClick(sanitair);
    EXPECT_TRUE(sanitair->isExpanded());
    QTreeWidgetItem* leidingen = findItem(tree, "Leidingen");
    doubleClick(leidingen);
    ASSERT_TRUE(leidingen->isExpanded());
    // ... and an empty leaf reports once.
    ui.expectMessage(MsgAnswer::Ok);
    doubleClick(findItem(tree, "Lege groep"));
    EXPECT_EQ(ui.messageTexts(), QStringList({"Deze Productgroep bevat geen artikelen"}));
    // Enter chooses too.
    tree->setCurrentItem(findItem(tree, "Kogelkranen knel"));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(w.data3()->caption(), QStringLiteral("Productgroep = Kogelkranen knel"));

    // The search-mode list is chosen from, not typed into.
    w.cmbZoek()->setFocus();
    QTest::keyClicks(w.cmbZoek(), "KS");
    EXPECT_EQ(w.cmbZoek()->currentText(), QStringLiteral("Vandrel Nummer"));
    EXPECT_EQ(w.findChild<QWidget*>("KlasseForm"), nullptr);

    // The view buttons are pressed exactly for the view shown, whatever was clicked.
    QAction* details = w.action("ViewDetails");
    QAction* list = w.action("ViewList");
    w.cmbZoek()->setCurrentText("SQL-Query");
    w.txtZoek()->setText("ArtikelNr = 1");
    w.TxtZoek_KeyPress(13);
    ASSERT_EQ(w.data3()->recordCount(), 0);
    ui.clearRecorded();
    ui.expectMessage(MsgAnswer::Ok); // no current record to show
    details->trigger();
    EXPECT_FALSE(w.detailsVisible());
    EXPECT_FALSE(details->isChecked());
    EXPECT_TRUE(list->isChecked());
    list->trigger(); // pressing the pressed button leaves it pressed
    EXPECT_TRUE(list->isChecked());
    EXPECT_FALSE(details->isChecked());
}

TEST_F(MainWindowTest, NoReLayoutWhileTheMouseIsHeldOnTheSurface)
{
    FrmArtinfo& w = start();
    QWidget* surface = w.centralWidget();
    const int before = w.table3()->height();
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_TRUE(w.mouseHeld());
    w.resize(w.width(), w.height() + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.table3()->height(), before);
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    w.resize(w.width(), w.height() + 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.table3()->height(), before + 101);

    // A press on a control that bubbles up to the surface does not hold the layout.
    QWidget* header = w.findChild<QWidget*>("HdrProdukt");
    ASSERT_NE(header, nullptr);
    QTest::mousePress(header, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_FALSE(w.mouseHeld());
}

TEST_F(MainWindowTest, MovedColumnsAreStoredAndComeBackAfterARestart)
{
    FrmArtinfo& w = start();
    QHeaderView* header = w.table3()->horizontalHeader();
    RecordsetModel* m = w.table3()->recordsetModel();
    const int korting = m->columnOf("KortingGroep");
    ASSERT_GE(korting, 0);
    w.table3()->setStoredWidth(m->columnOf("Beschrijving"), 300);
    header->moveSection(header->visualIndex(korting), 1);
    const QString layout = PrivateProfile::getString("Settings", "ViewColumnLayout", "", settingsFileName());
    EXPECT_TRUE(layout.startsWith("ArtikelNr, KortingGroep, Beschrijving, ")) << layout.toStdString();
    EXPECT_EQ(PrivateProfile::getString("Settings", "ViewColumnSizes", "", settingsFileName()),
              QStringLiteral("54, 21, 300, 52, 52, 21, 50, 78, 85"));

    FrmArtinfo& again = restart();
    RecordsetModel* m2 = again.table3()->recordsetModel();
    EXPECT_EQ(m2->fieldName(1), QStringLiteral("KortingGroep"));
    const std::pair<const char*, int> widths[] = {{"ArtikelNr", 54}, {"KortingGroep", 21}, {"Beschrijving", 300},
                                                  {"Bruto excl", 52}, {"Per", 21}, {"EANNummer", 85}};
    for (const auto& [field, width] : widths)
        EXPECT_EQ(again.table3()->storedWidth(m2->columnOf(field)), width) << field;
}

TEST_F(MainWindowTest, EmptyLayoutGivesTheDefaultWidthsAndRestoreKeepsTheGroup)
{
    PrivateProfile::writeString("Settings", "ViewColumnLayout", "", settingsFileName());
    FrmArtinfo& w = start();
    RecordsetModel* m = w.table3()->recordsetModel();
    const std::pair<const char*, int> widths[] = {{"Per", 21}, {"KortingGroep", 21}, {"Netto excl", 50},
                                                  {"ArtNummerLev", 78}, {"EANNummer", 85}};
    for (const auto& [field, width] : widths)
        EXPECT_EQ(w.table3()->storedWidth(m->columnOf(field)), width) << field;
    // At those widths Per and KortingGroep show three digits whole ("per 100", group 110):
    // one scale from the stored unit to today's pixels, and a compact cell margin.
    const int threeDigits = w.table3()->fontMetrics().horizontalAdvance(QStringLiteral("100"));
    for (const char* field : {"Per", "KortingGroep"})
        EXPECT_GE(w.table3()->columnWidth(m->columnOf(field)), threeDigits + 4) << field;
    EXPECT_EQ(m->headerData(m->columnOf("KortingGroep"), Qt::Horizontal, Qt::ToolTipRole).toString(),
              QStringLiteral("KortingGroep"));

    w.chooseGroup(102001003, "Kogelkranen knel");
    w.mnuRestoreCol_Click();
    EXPECT_TRUE(w.data3()->recordSource().endsWith(
        " FROM Products WHERE ProduktGroep LIKE '102001003*' ORDER BY ProduktGroep, ArtikelNr"))
        << w.data3()->recordSource().toStdString();
    EXPECT_EQ(listedNumbers(w), QStringList({"1234567", "1234568"}));
    RecordsetModel* after = w.table3()->recordsetModel();
    EXPECT_EQ(after->alignment(after->columnOf("Per")), columnlayout::AlignRight);
}

TEST_F(MainWindowTest, UpdateReminderAfterFifteenDaysOnly)
{
    PrivateProfile::writeString("Updates", "LastProducts", QDate::currentDate().addDays(-14).toString("yyyyMMdd"),
                                settingsFileName());
    start();
    EXPECT_TRUE(ui.messages().isEmpty());
    window.reset();
    databaseHandles().closeAll();

    const QDate old = QDate::currentDate().addDays(-15);
    PrivateProfile::writeString("Updates", "LastProducts", old.toString("yyyyMMdd"), settingsFileName());
    ui.expectMessage(MsgAnswer::No);
    bool hourglassOverQuestion = true;
    ui.onMessage([&](const Message&) { hourglassOverQuestion = QApplication::overrideCursor() != nullptr; });
    start();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_FALSE(hourglassOverQuestion); // the pointer is normal again before the reminder
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Artikelinformatie"));
    EXPECT_EQ(ui.messages()[0].text, "ATTENTIE: De artikelinformatie is sinds " + old.toString("dd-MM-yyyy") +
                                         " niet meer bijgewerkt.\r\nWilt u nu de nieuwste wijzigingen vanuit "
                                         "Orbisnet downloaden?");
}

TEST_F(MainWindowTest, ClosingWritesTheSettingsAndAMaximisedWindowKeepsItsPlace)
{
    FrmArtinfo& w = start();
    w.move(40, 30);
    QCoreApplication::processEvents();
    w.close();
    const QString ini = settingsFileName();
    EXPECT_FALSE(PrivateProfile::getString("Settings", "MainWidth", "", ini).isEmpty());
    EXPECT_EQ(PrivateProfile::getString("Settings", "ShowRestoreCol", "", ini), QStringLiteral("J"));
    const QString keys[] = {"MainTop", "MainLeft", "MainHeight", "MainWidth"};
    QStringList before;
    for (const QString& k : keys)
        before << PrivateProfile::getString("Settings", k, "", ini);

    FrmArtinfo& again = start();
    again.showMaximized();
    QCoreApplication::processEvents();
    again.close();
    QStringList after;
    for (const QString& k : keys)
        after << PrivateProfile::getString("Settings", k, "", ini);
    EXPECT_EQ(after, before);
}

TEST_F(MainWindowTest, MissingGroupFileEndsTheStart)
{
    QFile::remove(dir.path() + "GRPINFO.TXT");
    ui.expectMessage(MsgAnswer::Ok);
    window = std::make_unique<FrmArtinfo>(services());
    EXPECT_FALSE(window->Form_Load());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("FOUT: Het artikelgroepdefinitie-bestand ontbreekt!"));
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
}

TEST_F(MainWindowTest, DescriptionSearchKeepsAtMostFiveHundredArticles)
{
    FrmArtinfo& w = start();
    Database* db = w.databases().catalog;
    ASSERT_TRUE(db->beginTrans());
    for (int i = 0; i < 600; ++i)
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving) "
                                               "VALUES (%1, '102001003', 'Kraan testserie %2')")
                                    .arg(3000000 + i)
                                    .arg(i)));
    ASSERT_TRUE(db->commitTrans());
    {
        std::unique_ptr<Recordset> products = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
        ASSERT_TRUE(products && products->setIndex(QStringLiteral("PrimaryKey")));
        ASSERT_EQ(BuildScanFile(programState().productFile + scanFileName, *products, "ArtikelNr", "Beschrijving"), 0);
    }
    ui.expectMessage(MsgAnswer::Ok);
    w.cmbZoek()->setCurrentText(QStringLiteral("Omschrijving"));
    w.txtZoek()->setText(QStringLiteral("testserie kraan"));
    w.TxtZoek_KeyPress(13);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text,
              QStringLiteral("Er zijn meer dan 500 artikelen gevonden, breid uw zoekspecifcatie uit"));
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(w.data3()->recordCount(), 500);
    EXPECT_EQ(w.data3()->caption(), QStringLiteral("Omschrijving = testserie kraan"));
}
