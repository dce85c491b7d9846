// The details view on the demo catalog, imported as a first start imports it.
#include "browser/frmartinfo.h"

#include "browser/databaseservices.h"

#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "browser/articlegrid.h"
#include "browser/datacontrol.h"
#include "browser/digiform.h"
#include "browser/recordsetmodel.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "catalogdb/documentfetch.h"
#include "catalogdb/scanfile.h"
#include "exchange/catalogimport.h"
#include "scriptedui.h"
#include "testdir.h"
#include "tools/demodata/demodata.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

class SilentMeter final : public ProgressMeter {
public:
    void open(const QString&, const QString&) override {}
    void setLabel(const QString&) override {}
    void setPercent(int) override {}
    void refresh() override {}
    void close() override {}
};

class QuietImportWindow final : public ImportWindow {
public:
    ProgressMeter& progress() override { return meter; }
    void setStatusCaption(const QString&) override {}
    void setMainWindowEnabled(bool) override {}
    SilentMeter meter;
};

class DetailsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        demo = new test::TestDir;
        demodata::Options options;
        options.articles = 400;
        options.date = QDate::currentDate(); // fresh: the start-up keeps the catalog
        ASSERT_TRUE(demodata::writeDelivery(demo->path(), options));
    }
    static void TearDownTestSuite()
    {
        delete demo;
        demo = nullptr;
    }

    void SetUp() override
    {
        programState() = ProgramState();
        columnLayouts() = ColumnLayouts();
        windowSettings() = WindowSettings();
        const QString d = dir.path();
        for (const char* name : {"GRPINFO.TXT", "ARTINFO.TXT", "ADDIINFO.TXT", "ALTEINFO.TXT", "VDCDROM4.MDB"})
            ASSERT_TRUE(QFile::copy(demo->path() + name, d + name));
        programState().programDirectory = programState().productFile = programState().indexFile =
            programState().digitalFile = programState().helpFile = d;
        BuildCatalogDatabase(d, 0);
        BuildOrdersDatabase(d);
        ASSERT_EQ(OpenCatalogDatabases(d), OpenOutcome::Opened);
        {
            QuietImportWindow w;
            CatalogImport import(*databaseHandles().catalog, w);
            ui.expectMessage(MsgAnswer::Ok); // "De aanmaak van artikelinformatie is gereed..."
            ASSERT_TRUE(import.run(d, false));
        }
        databaseHandles().closeAll();
        PrivateProfile::writeString("Updates", "LastProducts", QDate::currentDate().toString("yyyyMMdd"),
                                    settingsFileName());
        ui.clearRecorded();
    }
    void TearDown() override
    {
        window.reset();
        databaseHandles().closeAll();
    }

    FrmArtinfo& start()
    {
        MainWindowServices s = databaseServices();
        window = std::make_unique<FrmArtinfo>(s);
        EXPECT_TRUE(window->Form_Load());
        window->resize(1100, 760);
        QCoreApplication::processEvents();
        return *window;
    }

    // One article number answering the condition, or 0.
    qint64 article(const QString& condition)
    {
        std::unique_ptr<Recordset> rs = databaseHandles().catalog->openRecordset(
            "SELECT ArtikelNr FROM Products WHERE " + condition + " ORDER BY ArtikelNr", Recordset::ForwardOnly);
        return rs && rs->hasCurrent() ? rs->value(0).toLongLong() : 0;
    }

    void execute(const QString& statement)
    {
        ASSERT_TRUE(databaseHandles().catalog->execute(statement)) << PendingError::get().text.toStdString();
    }

    QLabel* label(const char* name) { return window->findChild<QLabel*>(name); }

    static test::TestDir* demo;
    test::TestDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<FrmArtinfo> window;
};

test::TestDir* DetailsTest::demo = nullptr;

} // namespace

TEST_F(DetailsTest, NumberSearchOpensTheDetailsWithPictureSeriesAndProperties)
{
    FrmArtinfo& w = start();
    const qint64 number = article("TekeningNummer > 0 AND SerieKode > 0");
    ASSERT_GT(number, 0);
    resetDocumentFetchCounters();
    ASSERT_TRUE(w.GetArtikel(QString::number(number)));
    w.DetailsVisible(true);
    EXPECT_TRUE(w.detailsVisible());
    EXPECT_TRUE(w.table()->isVisible());
    EXPECT_FALSE(w.table3()->isVisible());
    EXPECT_FALSE(w.findChild<QLabel*>("PicArtikel")->pixmap().isNull());
    EXPECT_EQ(w.pictureDataField(), QStringLiteral("Tekening"));
    EXPECT_GT(w.pictureTag(), 0);
    EXPECT_TRUE(label("lblWaarde0")->isVisible());
    EXPECT_FALSE(label("lblWaarde0")->text().isEmpty());
    EXPECT_EQ(documentFetchCounters().calls, 1);
    // The series grid stands on the article.
    RecordsetModel* m = w.table()->recordsetModel();
    EXPECT_EQ(m->value(w.data1()->currentRow(), m->columnOf("ArtikelNr")).toLongLong(), number);

    // A second article of the same series keeps the picture without fetching it again.
    const qint64 sibling = article(QStringLiteral("TekeningNummer = %1 AND ArtikelNr <> %2").arg(w.pictureTag()).arg(number));
    ASSERT_GT(sibling, 0);
    ASSERT_TRUE(w.GetArtikel(QString::number(sibling)));
    EXPECT_EQ(documentFetchCounters().calls, 1);
}

TEST_F(DetailsTest, ArticlesWithoutPicturesShowThePlaceholder)
{
    FrmArtinfo& w = start();
    execute("UPDATE Products SET TekeningNummer = 0, LijnTekeningNummer = 0 WHERE ArtikelNr = " +
            QString::number(article("ArtikelNr > 0")));
    const qint64 bare = article("TekeningNummer = 0 AND LijnTekeningNummer = 0");
    ASSERT_GT(bare, 0);
    resetDocumentFetchCounters();
    ASSERT_TRUE(w.GetArtikel(QString::number(bare)));
    EXPECT_EQ(documentFetchCounters().calls, 1);
    EXPECT_EQ(w.pictureTag(), 0); // the article's own TekeningNummer
    EXPECT_FALSE(w.findChild<QLabel*>("PicArtikel")->pixmap().isNull());
    EXPECT_EQ(w.data1()->recordCount(), 1); // only itself
}

TEST_F(DetailsTest, LookupRefusesAndMisses)
{
    FrmArtinfo& w = start();
    const qint64 first = article("ArtikelNr > 0");
    const qint64 second = article(QStringLiteral("ArtikelNr > %1").arg(first));
    ASSERT_GT(second, first + 1);
    struct Case {
        QString text;
        const char* message;
    } cases[] = {
        {"12a", "U mag alleen artikelnummers ingeven"},
        {"", "Artikel kan niet worden gevonden"},
        {QString::number(first + 1), "Artikel kan niet worden gevonden"},
        {"99999999999", "Artikel kan niet worden gevonden"},
    };
    for (const Case& c : cases) {
        ui.expectMessage(MsgAnswer::Ok);
        EXPECT_FALSE(w.GetArtikel(c.text)) << c.text.toStdString();
        ASSERT_FALSE(ui.messages().isEmpty());
        EXPECT_EQ(ui.messages().back().text, QString::fromUtf8(c.message)) << c.text.toStdString();
    }
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(ui.messages()[1].title, QStringLiteral("Vandrel Productcatalogus"));
}

TEST_F(DetailsTest, DeliveryTimeAndTypeThreeValues)
{
    FrmArtinfo& w = start();
    const qint64 number = article("SerieKode > 0");
    auto* levertijd = w.findChild<QToolButton*>("btnLevertijd");
    const std::pair<int, const char*> weeks[] = {{1, "Levertijd circa 1 week"}, {3, "Levertijd circa 3 weken"}};
    w.DetailsVisible(true);
    for (const auto& [n, tip] : weeks) {
        execute(QStringLiteral("UPDATE Products SET Beschikbaarheid = %1 WHERE ArtikelNr = %2").arg(n).arg(number));
        ASSERT_TRUE(w.GetArtikel(QString::number(number)));
        EXPECT_TRUE(levertijd->isVisible());
        EXPECT_EQ(levertijd->toolTip(), QString::fromUtf8(tip));
    }
    execute(QStringLiteral("UPDATE Products SET Beschikbaarheid = 0 WHERE ArtikelNr = %1").arg(number));
    ASSERT_TRUE(w.GetArtikel(QString::number(number)));
    EXPECT_FALSE(levertijd->isVisible());
}

TEST_F(DetailsTest, ListArrowsStopAtTheEnds)
{
    FrmArtinfo& w = start();
    w.data3()->moveToRow(w.data3()->recordCount() - 1);
    ui.expectMessage(MsgAnswer::Ok);
    w.data3()->findChild<QToolButton*>("next")->click();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("U kunt niet verder vooruitbladeren"));
    w.data3()->moveToRow(0);
    ui.expectMessage(MsgAnswer::Ok);
    w.data3()->findChild<QToolButton*>("previous")->click();
    EXPECT_EQ(ui.messages().back().text, QStringLiteral("U kunt niet verder terugbladeren"));
}

TEST_F(DetailsTest, RelatedArticles)
{
    FrmArtinfo& w = start();
    const qint64 lonely = article("ArtikelNr NOT IN (SELECT ArtikelNr FROM Additionals)");
    ASSERT_GT(lonely, 0);
    ASSERT_TRUE(w.GetArtikel(QString::number(lonely)));
    w.DetailsVisible(true);
    w.cmdOther_Click(0);
    ASSERT_EQ(w.data1()->recordCount(), 1);
    RecordsetModel* m = w.table()->recordsetModel();
    EXPECT_EQ(m->fieldName(0), QStringLiteral("Aantal"));
    EXPECT_EQ(m->value(0, 0).toString(), QStringLiteral("1"));
    EXPECT_EQ(m->value(0, m->columnOf("ArtikelNr")).toLongLong(), lonely);

    // Alternatives that are all gone from the catalog: the message and the list as it was.
    const qint64 withAlternatives = article("ArtikelNr IN (SELECT ArtikelNr FROM Alternatives)");
    ASSERT_GT(withAlternatives, 0);
    execute(QStringLiteral("DELETE * FROM Products WHERE ArtikelNr IN (SELECT AlternatiefArtikel FROM Alternatives "
                           "WHERE Alternatives.ArtikelNr = %1)").arg(withAlternatives));
    ASSERT_TRUE(w.GetArtikel(QString::number(withAlternatives)));
    const QString before = w.data1()->recordSource();
    ui.expectMessage(MsgAnswer::Ok);
    w.cmdOther_Click(1);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("Er is geen alternatief artikel gevonden"));
    EXPECT_EQ(w.data1()->recordSource(), before);
}

TEST_F(DetailsTest, SearchBarModesFillTheList)
{
    FrmArtinfo& w = start();
    const qint64 number = article("Beschrijving LIKE '*kraan*'");
    ASSERT_GT(number, 0);
    std::unique_ptr<Recordset> rs = databaseHandles().catalog->openRecordset(
        QStringLiteral("SELECT Beschrijving FROM Products WHERE ArtikelNr = %1").arg(number), Recordset::ForwardOnly);
    const QStringList words = rs->value(0).toString().split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(words.size(), 2);
    const QString two = words.last() + "   " + words.first(); // any order, runs of blanks

    const auto run = [&](const char* mode, const QString& text) {
        w.cmbZoek()->setCurrentText(QString::fromUtf8(mode));
        w.txtZoek()->setText(text);
        w.TxtZoek_KeyPress(13);
    };
    const auto listed = [&] {
        QList<qint64> numbers;
        RecordsetModel* m = w.table3()->recordsetModel();
        for (int r = 0; r < m->rowCount(); ++r)
            numbers << m->value(r, m->columnOf("ArtikelNr")).toLongLong();
        return numbers;
    };

    run("Omschrijving", two);
    EXPECT_TRUE(listed().contains(number));
    EXPECT_EQ(w.data3()->caption(), "Omschrijving = " + two);
    for (qint64 n : listed()) {
        std::unique_ptr<Recordset> hit = databaseHandles().catalog->openRecordset(
            QStringLiteral("SELECT Beschrijving FROM Products WHERE ArtikelNr = %1").arg(n), Recordset::ForwardOnly);
        for (const QString& word : words.mid(0, 1) + words.mid(words.size() - 1))
            EXPECT_TRUE(hit->value(0).toString().contains(word, Qt::CaseInsensitive)) << n;
    }

    ui.expectMessage(MsgAnswer::Ok);
    run("Omschrijving", "k");
    EXPECT_EQ(ui.messages().back().text, QStringLiteral("U dient minimaal 2 karakters in te geven"));

    run("Productnummer", "");
    EXPECT_EQ(qint64(listed().size()), w.data3()->recordCount());
    EXPECT_GE(listed().size(), 400);
    run("Productnummer", "O'Neil"); // searched for literally, no engine error
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(w.data3()->caption(), QStringLiteral("Productnummer = O'Neil"));

    run("SQL-Query", QStringLiteral("ArtikelNr = %1").arg(number));
    EXPECT_EQ(listed(), QList<qint64>({number}));
    run("SQL-Query", QStringLiteral("ArtikelNr >= %1 order by ArtikelNr desc").arg(number));
    ASSERT_GE(listed().size(), 2);
    EXPECT_GT(listed()[0], listed()[1]);

    ui.expectMessage(MsgAnswer::Ok);
    run("SQL-Query", "ArtikelNr = 1; DELETE * FROM Products");
    EXPECT_EQ(ui.messages().back().icon, MsgIcon::Critical);
    EXPECT_GT(article("ArtikelNr > 0"), 0); // the second statement never ran

    ui.expectMessage(MsgAnswer::Ok);
    run("Fabrikant", "zzzz geen fabrikant");
    EXPECT_EQ(ui.messages().back().text, QStringLiteral("Er zijn geen artikelen gevonden die aan de criteria voldoen"));

    run("Vandrel Nummer", QString::number(number));
    EXPECT_TRUE(w.detailsVisible());
}

TEST_F(DetailsTest, PictureRefitsOnASplitterMoveAndNothingVanishesInASmallWindow)
{
    FrmArtinfo& w = start();
    const qint64 number = article("TekeningNummer > 0 AND SerieKode > 0");
    ASSERT_TRUE(w.GetArtikel(QString::number(number)));
    w.DetailsVisible(true);
    QCoreApplication::processEvents();
    QLabel* picture = label("PicArtikel");
    QLabel* frame = label("PicFrame");
    auto* bar = w.findChild<QWidget*>("HdrTable");
    auto* buttons = w.findChild<QWidget*>("cmdOther0");
    const auto fitsAndLabelsBesideIt = [&](const char* when) {
        EXPECT_TRUE(frame->rect().contains(picture->geometry())) << when;
        // The frame hugs the picture: no label stands on it.
        EXPECT_LE(frame->width(), picture->width() + 2 * frame->frameWidth()) << when;
        for (const char* name : {"lblKlasse0", "lblWaarde0", "lblTitel1"})
            EXPECT_GE(label(name)->x(), frame->x() + frame->width()) << when << " " << name;
        EXPECT_LE(frame->y() + frame->height(), bar->y()) << when;
    };
    fitsAndLabelsBesideIt("at first");
    const int areaBefore = picture->width() * picture->height();

    const auto drag = [&](int dy) {
        w.HdrTable_MouseMove(Qt::LeftButton, 0, 0);
        w.HdrTable_MouseMove(Qt::LeftButton, 0, dy);
        w.HdrTable_MouseMove(Qt::NoButton, 0, 0);
    };
    drag(150);
    EXPECT_GT(picture->width() * picture->height(), areaBefore);
    fitsAndLabelsBesideIt("dragged down");
    drag(-150);
    EXPECT_EQ(picture->width() * picture->height(), areaBefore);
    fitsAndLabelsBesideIt("dragged back");

    // A small window: the grid keeps a few rows, the buttons and values stay, the status
    // line is covered by nothing, and the series name is not cut short.
    w.resize(700, 520);
    QCoreApplication::processEvents();
    fitsAndLabelsBesideIt("small window");
    EXPECT_GE(w.table()->height(), minimumGridHeight);
    EXPECT_TRUE(buttons->isVisible());
    EXPECT_LE(buttons->y() + buttons->height(), w.data3()->y());
    EXPECT_LE(w.table()->y() + w.table()->height(), buttons->y());
    QLabel* series = label("lblWaarde0");
    ASSERT_TRUE(series->isVisible());
    EXPECT_LE(series->x() + series->width(), w.clientWidth());
    EXPECT_GE(series->contentsRect().width(), series->fontMetrics().horizontalAdvance(series->text()));
    // Back to a large window, the details get their height back.
    w.resize(1100, 760);
    QCoreApplication::processEvents();
    EXPECT_EQ(picture->width() * picture->height(), areaBefore);
}

TEST_F(DetailsTest, PicturesOpenTheirViewerAndAHotspotJumpNamesTheIllustration)
{
    FrmArtinfo& w = start();
    Database* pictures = databaseHandles().illustration.get();
    ASSERT_NE(pictures, nullptr);
    // An illustration with a hotspot leading to an illustration that has articles.
    qint64 from = 0;
    QString to;
    {
        std::unique_ptr<Recordset> spots =
            pictures->openRecordset("SELECT TekeningNummer, GekoppeldeTekening FROM ExplodeItems", Recordset::ForwardOnly);
        for (; spots && spots->hasCurrent() && to.isEmpty(); spots->moveNext()) {
            const QString target = spots->value(1).toString();
            if (article("TekeningNummer = " + spots->value(0).toString()) > 0 &&
                !target.isEmpty() && article("TekeningNummer = " + target) > 0) {
                from = spots->value(0).toLongLong();
                to = target;
            }
        }
    }
    ASSERT_FALSE(to.isEmpty());

    QString openedTag;
    const auto inViewer = [&](std::function<void(DigiForm&)> act) {
        QTimer::singleShot(0, [&openedTag, act] {
            auto* viewer = qobject_cast<DigiForm*>(QApplication::activeModalWidget());
            ASSERT_NE(viewer, nullptr);
            openedTag = viewer->tag();
            act(*viewer);
        });
    };
    ASSERT_TRUE(w.GetArtikel(QString::number(article("TekeningNummer = " + QString::number(from)))));
    w.DetailsVisible(true);
    inViewer([&to](DigiForm& viewer) {
        for (int k = 0; k < viewer.hotspots().size(); ++k) {
            if (viewer.hotspots()[k]->property("Tag").toString() == to) {
                viewer.hotspotClicked(k);
                return;
            }
        }
        viewer.reject();
    });
    QTest::mouseClick(label("PicArtikel"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(openedTag, QString::number(from));
    // The details list the illustration the hotspot led to, and the caption bar says so.
    std::unique_ptr<Recordset> title = pictures->openRecordset("SELECT Titel FROM Illustrations WHERE TekeningNummer = " + to,
                                                               Recordset::ForwardOnly);
    ASSERT_TRUE(title && title->hasCurrent());
    EXPECT_EQ(w.groupCaption()->text(), "Illustratie = " + title->value(0).toString().trimmed());
    EXPECT_EQ(w.pictureTag(), to.toLongLong());

    // An article without a picture shows the placeholder 10000, and a click opens it too.
    const qint64 bare = article("ArtikelNr > 0");
    execute("UPDATE Products SET TekeningNummer = 0, LijnTekeningNummer = 0 WHERE ArtikelNr = " + QString::number(bare));
    ASSERT_TRUE(w.GetArtikel(QString::number(bare)));
    EXPECT_EQ(w.shownPictureNumber(), 10000);
    openedTag.clear();
    inViewer([](DigiForm& viewer) { viewer.reject(); });
    QTest::mouseClick(label("PicArtikel"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(openedTag, QStringLiteral("10000"));
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(DetailsTest, AnArticleListedAsItsOwnComplementIsListedOnce)
{
    FrmArtinfo& w = start();
    const qint64 lonely = article("ArtikelNr NOT IN (SELECT ArtikelNr FROM Additionals)");
    ASSERT_GT(lonely, 0);
    execute(QStringLiteral("INSERT INTO Additionals (ArtikelNr, ComplementNummer, Aantal) VALUES (%1, %1, 1)").arg(lonely));
    ASSERT_TRUE(w.GetArtikel(QString::number(lonely)));
    w.DetailsVisible(true);
    w.cmdOther_Click(0);
    EXPECT_EQ(w.data1()->recordCount(), 1);
    // With another quantity the data itself lists it twice, and so does the list.
    execute(QStringLiteral("UPDATE Additionals SET Aantal = 2 WHERE ArtikelNr = %1").arg(lonely));
    w.cmdOther_Click(0);
    EXPECT_EQ(w.data1()->recordCount(), 2);
}
