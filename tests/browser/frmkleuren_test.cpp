// The colour fan window on a small catalog and illustration database.
#include "browser/frmkleuren.h"

#include "app/core/helpers.h"
#include "browser/classificationquery.h"
#include "browser/columnlayout.h"
#include "selectionfixture.h"

#include <QLabel>
#include <QTest>

using namespace vandrel;
using namespace vandrel::test;

namespace {

class FrmKleurenTest : public SelectionTest {
protected:
    // A fan of count colours with codes 1000, 2000, ...
    void addFan(int fan, int count)
    {
        exec(illustration.get(), QStringLiteral("INSERT INTO ColorSchemes VALUES (%1, 'Waaier %2')").arg(fan).arg(count));
        for (int i = 1; i <= count; ++i)
            addColour(fan, i * 1000, QStringLiteral("Kleur %1").arg(i));
    }
    FrmKleuren& open(const QVariant& fan)
    {
        host->fan = fan;
        window = std::make_unique<FrmKleuren>(*host);
        loaded = window->Form_Load();
        if (loaded)
            window->show();
        QCoreApplication::processEvents();
        return *window;
    }
    std::unique_ptr<FrmKleuren> window;
    bool loaded = false;
};

} // namespace

TEST_F(FrmKleurenTest, ClosesItselfWithoutASeriesFan)
{
    for (const QVariant& fan : {QVariant(), QVariant(QString()), QVariant(QStringLiteral("7 OR 1=1"))}) {
        open(fan);
        EXPECT_FALSE(loaded);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(window->swatches().isEmpty());
    }
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(FrmKleurenTest, SwatchesShowTheFanInItsColours)
{
    exec(illustration.get(), "INSERT INTO ColorSpecifications VALUES (7, 65280, NULL)");
    FrmKleuren& w = open(7);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kranenwaaier"));
    // By KleurCode: red 255, green 65280, blue 16711680.
    const QList<QLabel*>& s = w.swatches();
    ASSERT_EQ(s.size(), 3);
    const struct {
        const char* name;
        QString text;
        QColor colour;
    } expected[] = {{"Label1_1", "Rood", QColor(255, 0, 0)},
                    {"Label1_2", "......", QColor(0, 255, 0)},
                    {"Label1_3", "Blauw", QColor(0, 0, 255)}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s[i]->objectName(), QString::fromLatin1(expected[i].name));
        EXPECT_EQ(s[i]->text(), expected[i].text);
        EXPECT_EQ(s[i]->toolTip(), expected[i].text);
        EXPECT_EQ(s[i]->palette().color(QPalette::Window), expected[i].colour);
        EXPECT_TRUE(s[i]->isVisible());
    }
    EXPECT_EQ(w.findChild<QLabel*>("Label1_2"), s[1]);
}

TEST_F(FrmKleurenTest, ColumnsAndWindowSizeFollowTheNumberOfColours)
{
    struct Case {
        int colours;
        int columns;
        int rows;
    };
    // 18: the last row is full and must still fit.
    const Case cases[] = {{20, 3, 7}, {40, 6, 7}, {18, 3, 6}, {2, 3, 1}, {37, 6, 7}};
    int fan = 100;
    for (const Case& c : cases) {
        addFan(++fan, c.colours);
        FrmKleuren& w = open(fan);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Waaier %1").arg(c.colours));
        ASSERT_EQ(w.swatches().size(), c.colours);
        const int side = twipsToPixelsX(600);
        for (int i = 0; i < c.colours; ++i) {
            const QRect g = w.swatches()[i]->geometry();
            EXPECT_EQ(g.topLeft(), QPoint(twipsToPixelsX(90 + (i % c.columns) * 600), twipsToPixelsY(90 + (i / c.columns) * 600)))
                << c.colours << " " << i;
            EXPECT_EQ(g.width(), side);
        }
        const classificationquery::FanLayout l = classificationquery::fanLayout(c.colours);
        EXPECT_EQ(l.columns, c.columns);
        EXPECT_EQ(l.windowWidth, c.columns * 600 + 270);
        EXPECT_EQ(l.windowHeight, 90 + (c.rows - 1) * 600 + 420 + 600);
        // The client area: the swatches with the margin all round, and never narrower than
        // the title needs.
        EXPECT_EQ(w.height(), twipsToPixelsY(c.rows * 600 + 180)) << c.colours;
        EXPECT_GE(w.width(), twipsToPixelsX(c.columns * 600 + 180)) << c.colours;
        EXPECT_GE(w.width(), w.fontMetrics().horizontalAdvance(w.windowTitle())) << c.colours;
        EXPECT_TRUE(QRect(QPoint(0, 0), w.size()).contains(w.swatches().last()->geometry())) << c.colours;
    }
}

TEST_F(FrmKleurenTest, LongNamesAndTitleFitAndATextNullIsAnUnknownColour)
{
    exec(illustration.get(), "INSERT INTO ColorSchemes VALUES (9, 'Waaier sanitair kleuren voorjaarscollectie')");
    addColour(9, 1000, "Antracietgrijsmetallic");
    addColour(9, 2000, "null");
    FrmKleuren& w = open(9);
    ASSERT_TRUE(loaded);
    const QList<QLabel*>& s = w.swatches();
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[1]->text(), QStringLiteral("Onbekend"));
    // The longest word stands on one line of its swatch; all swatches stay square and alike.
    EXPECT_GT(s[0]->width(), s[0]->fontMetrics().horizontalAdvance("Antracietgrijsmetallic"));
    EXPECT_EQ(s[0]->size(), s[1]->size());
    EXPECT_EQ(s[0]->width(), s[0]->height());
    EXPECT_TRUE(QRect(QPoint(0, 0), w.size()).contains(s[1]->geometry()));
    QFont bold = w.font();
    bold.setBold(true);
    EXPECT_GT(w.width(), QFontMetrics(bold).horizontalAdvance(w.windowTitle()));
}

TEST_F(FrmKleurenTest, SwatchClickListsEveryArticleWithThatColour)
{
    FrmKleuren& w = open(7);
    ASSERT_TRUE(loaded);
    QLabel* rood = w.swatches()[0];
    ASSERT_EQ(rood->toolTip(), QStringLiteral("Rood"));
    QTest::mouseClick(rood, Qt::LeftButton);
    // Any group, any of the four properties; "2550" is another value.
    EXPECT_EQ(host->listedNumbers(), QStringList({"1000001", "1000003", "2000001", "3000001"}));
    EXPECT_EQ(host->listData()->caption(), QStringLiteral("Kleur = Rood"));
    EXPECT_EQ(host->listViews, 1);
    EXPECT_TRUE(host->listData()->recordSource().endsWith(
        " FROM Products WHERE (Klassificatie_1 = '255') OR (Klassificatie_2 = '255') OR (Klassificatie_3 = '255') "
        "OR (Klassificatie_4 = '255') ORDER BY ProduktGroep, ArtikelNr"));
    EXPECT_TRUE(host->listData()->recordSource().startsWith("SELECT " + columnlayout::ReeksDef("Table3") + " FROM"));

    QTest::mouseClick(w.swatches()[1], Qt::LeftButton);
    EXPECT_EQ(host->listedNumbers(), QStringList({"1000002", "1000004", "1000005", "1000006"}));
    EXPECT_EQ(host->listData()->caption(), QStringLiteral("Kleur = Blauw"));
    // The right button does nothing.
    QTest::mouseClick(rood, Qt::RightButton);
    EXPECT_EQ(host->listData()->caption(), QStringLiteral("Kleur = Blauw"));
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST(ClassificationQuery, PackedColoursAndTheirTextColour)
{
    EXPECT_EQ(classificationquery::packedColour(0x336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(classificationquery::textColourOn(0x404040 - 1), QColor(Qt::white));
    EXPECT_EQ(classificationquery::textColourOn(0x404040), QColor(Qt::black));
}
