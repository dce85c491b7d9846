// The illustration and line-drawing viewers on the demo illustration database.
#include "browser/digiform.h"
#include "browser/drawform.h"

#include "app/core/settings.h"
#include "catalogdb/database.h"
#include "catalogdb/recordset.h"
#include "printing/printdevice.h"
#include "printing/recordingprintdevice.h"
#include "scriptedui.h"
#include "testdir.h"
#include "tools/demodata/demodata.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

const QString kLongRtf = QStringLiteral(
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Een lange beschrijving van de illustratie die "
    "over de grens gaat.\\par}");

class ViewersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        demo = new test::TestDir;
        demodata::Options options;
        options.articles = 200;
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
        programState().programDirectory = dir.path();
        ASSERT_TRUE(QFile::copy(demo->path() + "VDCDROM4.MDB", dir.path() + "VDCDROM4.MDB"));
        illustrations = Database::open(dir.path() + "VDCDROM4.MDB");
        ASSERT_TRUE(illustrations);
        catalog = Database::create(dir.path() + "catalog.mdb");
        ASSERT_TRUE(catalog);
        ASSERT_TRUE(catalog->execute("CREATE TABLE Products (ArtikelNr VARCHAR(20), TekeningNummer INTEGER)"));
        context.illustrationDb = illustrations.get();
        context.catalogDb = catalog.get();
        context.getArtikel = [this](const QString& number) {
            looked.append(number);
            return true;
        };
        ui.clearRecorded();
    }

    // An illustration with hotspots, with their count.
    std::pair<qint64, int> illustrationWithHotspots()
    {
        auto rs = illustrations->openRecordset("SELECT * FROM ExplodeItems");
        EXPECT_TRUE(rs && rs->hasCurrent());
        const qint64 number = rs->value("TekeningNummer").toLongLong();
        return {number, count("SELECT * FROM ExplodeItems WHERE TekeningNummer = " + QString::number(number))};
    }
    int count(const QString& sql)
    {
        auto rs = illustrations->openRecordset(sql);
        return rs ? int(rs->recordCount()) : -1;
    }
    std::unique_ptr<Recordset> row(const QString& table, const QString& key, qint64 number)
    {
        auto rs = illustrations->openRecordset("SELECT * FROM " + table + " WHERE " + key + " = " +
                                               QString::number(number));
        EXPECT_TRUE(rs && rs->hasCurrent());
        return rs;
    }
    qint64 first(const QString& sql)
    {
        auto rs = illustrations->openRecordset(sql);
        EXPECT_TRUE(rs && rs->hasCurrent());
        return rs->value(0).toLongLong();
    }
    std::unique_ptr<DigiForm> openDigi(qint64 number)
    {
        auto viewer = std::make_unique<DigiForm>(context);
        viewer->resize(1000, 700);
        auto rs = row("Illustrations", "TekeningNummer", number);
        EXPECT_TRUE(viewer->open(*rs));
        return viewer;
    }
    static int visibleHotspots(const DigiForm& viewer)
    {
        int n = 0;
        for (QLabel* label : viewer.hotspots())
            n += !label->isHidden() && label->width() > 0;
        return n;
    }

    static test::TestDir* demo;
    test::TestDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<Database> illustrations;
    std::unique_ptr<Database> catalog;
    ViewerContext context;
    QStringList looked;
};

test::TestDir* ViewersTest::demo = nullptr;

TEST_F(ViewersTest, DescriptionLoadsOnlyOverSixtyFourCharacters)
{
    const qint64 number = first("SELECT TekeningNummer FROM Illustrations");
    const QString exactly64(64, QLatin1Char('x'));
    struct Case {
        QString stored;
        QString shown;
        bool visible;
    } cases[] = {
        {exactly64, QString(), false},
        {QStringLiteral("kort"), QString(), false},
        {kLongRtf, QStringLiteral("Een lange beschrijving"), true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(illustrations->execute("UPDATE Illustrations SET TekeningOmschrijving = '" + c.stored +
                                           "' WHERE TekeningNummer = " + QString::number(number)));
        auto viewer = openDigi(number);
        EXPECT_TRUE(viewer->description()->toPlainText().startsWith(c.shown)) << c.stored.toStdString();
        EXPECT_EQ(c.shown.isEmpty(), viewer->description()->toPlainText().isEmpty());
        EXPECT_EQ(c.visible, !viewer->description()->isHidden()) << c.stored.toStdString();
        EXPECT_GT(viewer->displayScale(), 0);
    }
}

TEST_F(ViewersTest, CaptionsOfNullTitles)
{
    const qint64 picture = first("SELECT TekeningNummer FROM Illustrations");
    const qint64 drawing = first("SELECT LijnTekeningNummer FROM Drawings");
    struct Case {
        QString titel; // SQL value
        QString digi;
        QString draw;
    } cases[] = {
        {"'null'", "Titel Onbekend", "null"},
        {"NULL", "Titel Onbekend", ""},
        {"'Radiator'", "Radiator", "Radiator"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(illustrations->execute("UPDATE Illustrations SET Titel = " + c.titel));
        ASSERT_TRUE(illustrations->execute("UPDATE Drawings SET Titel = " + c.titel));
        EXPECT_EQ(openDigi(picture)->windowTitle(), c.digi);
        DrawForm draw(context);
        auto rs = row("Drawings", "LijnTekeningNummer", drawing);
        ASSERT_TRUE(draw.open(*rs));
        EXPECT_EQ(draw.windowTitle(), c.draw);
    }
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(ViewersTest, HotspotsAreScaledAndFollowTheRowsOfEachOpening)
{
    const auto [number, rows] = illustrationWithHotspots();
    ASSERT_GT(rows, 1);
    {
        auto viewer = openDigi(number);
        EXPECT_EQ(visibleHotspots(*viewer), rows);
        EXPECT_FALSE(viewer->hotspotButton()->isHidden());
        auto rs = illustrations->openRecordset("SELECT * FROM ExplodeItems WHERE TekeningNummer = " +
                                               QString::number(number));
        const double s = viewer->displayScale();
        const QLabel* label = viewer->hotspots().first();
        EXPECT_EQ(label->x(), int(s * rs->value("LinksBoven_X_As").toDouble()));
        EXPECT_EQ(label->y(), int(s * rs->value("LinksBoven_Y_As").toDouble()));
        EXPECT_EQ(label->x() + label->width(), int(s * rs->value("RechtsOnder_X_As").toDouble()));
        EXPECT_EQ(label->property("Tag").toString(), rs->value("GekoppeldeTekening").toString());
        EXPECT_EQ(label->frameStyle(), int(QFrame::NoFrame));
        viewer->toggleHotspotFrames();
        EXPECT_NE(label->frameStyle(), int(QFrame::NoFrame));
    }
    ASSERT_TRUE(illustrations->execute("DELETE FROM ExplodeItems WHERE TekeningNummer = " +
                                       QString::number(number) + " AND Volgnummer > 1"));
    EXPECT_EQ(visibleHotspots(*openDigi(number)), 1);

    ASSERT_TRUE(illustrations->execute("DELETE FROM ExplodeItems WHERE TekeningNummer = " +
                                       QString::number(number)));
    auto bare = openDigi(number);
    EXPECT_EQ(visibleHotspots(*bare), 0);
    EXPECT_TRUE(bare->hotspotButton()->isHidden());
}

TEST_F(ViewersTest, HotspotClickLooksUpTheLinkedArticleOrSaysItIsGone)
{
    const auto [number, rows] = illustrationWithHotspots();
    ASSERT_GT(rows, 0);
    auto viewer = openDigi(number);
    const QString linked = viewer->hotspots().first()->property("Tag").toString();
    ASSERT_FALSE(linked.isEmpty());

    ui.expectMessage(MsgAnswer::Ok);
    viewer->hotspotClicked(0);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, "De gekoppelde illustratie bestaat niet (meer).");
    EXPECT_EQ(ui.messages()[0].title, "Opvragen gekoppelde illustratie");
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(looked.isEmpty());

    ASSERT_TRUE(catalog->execute("INSERT INTO Products VALUES ('4711', " + linked + ")"));
    viewer->hotspotClicked(0);
    EXPECT_EQ(looked, QStringList{"4711"});
    EXPECT_EQ(viewer->result(), int(QDialog::Accepted));
}

TEST_F(ViewersTest, PrintsALandscapePicturePageAndAPortraitDescriptionPage)
{
    const qint64 number = first("SELECT TekeningNummer FROM Illustrations");
    ASSERT_TRUE(illustrations->execute("UPDATE Illustrations SET Titel = 'Ketel', TekeningOmschrijving = '" +
                                       kLongRtf + "' WHERE TekeningNummer = " + QString::number(number)));
    auto viewer = openDigi(number);
    const QPixmap picture = viewer->picture()->pixmap();
    ASSERT_GT(picture.width(), picture.height()); // the demo pictures are wide

    RecordingPrintDevice device;
    {
        ScopedPrintDevice scoped(device);
        viewer->printPicture();
    }
    EXPECT_EQ(device.jobsEnded(), 1);
    ASSERT_EQ(device.pageCount(), 2);
    EXPECT_EQ(device.pages()[0].orientation, PageOrientation::Landscape);
    EXPECT_EQ(device.pages()[1].orientation, PageOrientation::Portrait);
    auto kinds = [&](int page, PrintItem::Kind kind) {
        int n = 0;
        for (const PrintItem& item : device.pages()[page].items)
            n += item.kind == kind;
        return n;
    };
    EXPECT_EQ(kinds(0, PrintItem::Kind::Picture), 1);
    EXPECT_EQ(kinds(1, PrintItem::Kind::RichText), 1);
    EXPECT_TRUE(device.texts().contains("Ketel"));
    EXPECT_TRUE(device.texts().join("").contains("(opmerkingen)"));

    // Without a description: the picture page only.
    ASSERT_TRUE(illustrations->execute("UPDATE Illustrations SET TekeningOmschrijving = NULL"));
    viewer = openDigi(number);
    {
        ScopedPrintDevice scoped(device);
        viewer->printPicture();
    }
    EXPECT_EQ(device.pageCount(), 1);
}

TEST_F(ViewersTest, EndingAFailingPrintJobIsBounded)
{
    int calls = 0;
    EXPECT_FALSE(endPrintJobWithRetry([&] { return ++calls < 0; }, 5));
    EXPECT_EQ(calls, 5);
    calls = 0;
    EXPECT_TRUE(endPrintJobWithRetry([&] { return ++calls == 2; }, 5));
    EXPECT_EQ(calls, 2);
}

TEST_F(ViewersTest, QueryWithoutARowOpensNothing)
{
    // A modal window would block the test here.
    DigiForm::showIllustration(987654321, context);
    DrawForm::showDrawing(987654321, context);
    EXPECT_TRUE(ui.messages().isEmpty());
}

} // namespace

TEST_F(ViewersTest, PrintoutCarriesTheTitelFieldAndAPictureThatCannotBeShownStillOpens)
{
    const qint64 number = first("SELECT TekeningNummer FROM Illustrations");
    // A Titel "null" is captioned "Titel Onbekend", but the printout prints the field.
    ASSERT_TRUE(illustrations->execute("UPDATE Illustrations SET Titel = 'null', Tekening = 'geen plaatje' "
                                       "WHERE TekeningNummer = " + QString::number(number)));
    ui.expectMessage(MsgAnswer::Ok); // the fetch reports the unreadable picture itself
    auto viewer = openDigi(number);   // and the viewer still opens, without the picture
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Titel Onbekend"));
    EXPECT_TRUE(viewer->picture()->isHidden());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_FALSE(ui.messages()[0].text.contains("kan niet worden getoond"));
    const qint64 other = first("SELECT TekeningNummer FROM Illustrations WHERE TekeningNummer <> " + QString::number(number));
    ASSERT_TRUE(illustrations->execute("UPDATE Illustrations SET Titel = 'Ketel' WHERE TekeningNummer = " +
                                       QString::number(other)));
    viewer = openDigi(other);
    viewer->setWindowTitle(QStringLiteral("Anders"));
    RecordingPrintDevice device;
    {
        ScopedPrintDevice scoped(device);
        viewer->printPicture();
    }
    EXPECT_TRUE(device.texts().contains("Ketel"));
    EXPECT_FALSE(device.texts().contains("Anders"));

    // A right-button release on the window's own surface offers the file menu.
    viewer->show();
    QTest::mouseRelease(viewer.get(), Qt::RightButton, {}, QPoint(viewer->width() - 3, viewer->height() - 3));
    EXPECT_TRUE(viewer->fileMenu()->isVisible());
    EXPECT_EQ(viewer->fileMenu()->defaultAction()->text(), QStringLiteral("Af&drukken"));
    viewer->fileMenu()->close();
}
