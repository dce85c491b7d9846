// The classification selection window on a small catalog and illustration database.
#include "browser/klasseform.h"

#include "browser/classificationquery.h"
#include "selectionfixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

using namespace vandrel;
using namespace vandrel::test;

namespace {

const QString missingCondition =
    QStringLiteral("FOUT: U dient tenminste één klassificatie te selecteren voor de selectie.\r\n"
                   "Als u alle artikelen uit deze Productgroep wilt kiezen, gebruik dan de inhoudsopgave.");
const QString noResult = QStringLiteral("Er zijn geen artikelen gevonden die aan de gestelde criteria voldoen. "
                                        "Probeer het opnieuw met andere waarden.");

QStringList items(QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

class KlasseFormTest : public SelectionTest {
protected:
    KlasseForm& open()
    {
        form = std::make_unique<KlasseForm>(*host);
        form->Form_Load();
        form->show();
        QCoreApplication::processEvents();
        return *form;
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2)); }
    void toonSelectie() { click(form->findChild<QPushButton*>("Command10")); }
    // Chooses the entry of a value list, or types the text when there is none.
    void choose(int k, const QString& text)
    {
        QComboBox* list = form->valueList(k);
        const int i = list->findText(text);
        if (i >= 0)
            list->setCurrentIndex(i);
        else
            list->setEditText(text);
    }
    void ignoreAllBut(int keep)
    {
        for (int k = 0; k < KlasseForm::propertyCount; ++k)
            if (k != keep && !form->frame(k)->isHidden())
                click(form->option(3 * k + 2));
    }

    std::unique_ptr<KlasseForm> form;
};

} // namespace

TEST_F(KlasseFormTest, ListsTheDeeperGroupsAndBuildsTheirPanels)
{
    KlasseForm& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Selecteren op klassificerende eigenschappen"));
    EXPECT_EQ(items(f.groupList()), QStringList({"Kogelkranen", "Radiatoren"})); // "10200" is a group, not a subgroup
    EXPECT_EQ(f.groupList()->itemData(0).toInt(), 10201);

    // The fourth property has type 0: three panels.
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(f.frame(k)->isHidden()) << k;
    EXPECT_TRUE(f.frame(3)->isHidden());
    EXPECT_TRUE(f.frame(3)->title().isEmpty());
    EXPECT_EQ(f.frame(0)->title(), QStringLiteral("Diameter"));

    QStringList values = items(f.valueList(0));
    values.sort();
    EXPECT_EQ(values, QStringList({"100", "100 mm", "110", "111", "89", "90"}));
    EXPECT_EQ(f.valueList(0)->currentIndex(), 0);
    EXPECT_EQ(f.valueList(0)->property("Tag").toString(), QStringLiteral("Klassificatie_1"));
    EXPECT_EQ(f.option(1)->text(), QStringLiteral(" tolerantie:"));
    EXPECT_TRUE(f.option(1)->isChecked());
    EXPECT_FALSE(f.slider(0)->isHidden());
    EXPECT_EQ(f.option(4)->text(), QStringLiteral("Bevat deze tekst"));
    EXPECT_TRUE(f.slider(1)->isHidden());

    // Colours of the group's series, named from the fan, carrying their codes.
    QComboBox* colours = f.valueList(2);
    EXPECT_EQ(colours->property("Tag").toString(), QStringLiteral("Kleurnaam"));
    ASSERT_EQ(items(colours).size(), 2);
    EXPECT_EQ(colours->itemData(colours->findText("Rood")).toInt(), red);
    EXPECT_EQ(colours->itemData(colours->findText("Blauw")).toInt(), blue);
    EXPECT_FALSE(colours->isEditable());
    // Colours compare exactly: no tolerance on a colour code.
    EXPECT_TRUE(f.option(6)->isChecked());
    EXPECT_FALSE(f.option(7)->isEnabled());
    EXPECT_TRUE(f.slider(2)->isHidden());

    // Radiatoren: properties 1 and 4; the colour query reaches the articles across the files.
    f.groupList()->setCurrentIndex(1);
    EXPECT_FALSE(f.frame(0)->isHidden());
    EXPECT_TRUE(f.frame(1)->isHidden());
    EXPECT_TRUE(f.frame(2)->isHidden());
    EXPECT_FALSE(f.frame(3)->isHidden());
    EXPECT_EQ(f.frame(3)->title(), QStringLiteral("Kleur"));
    QStringList radiatorColours = items(f.valueList(3));
    radiatorColours.sort();
    EXPECT_EQ(radiatorColours, QStringList({"Signaalrood", "Wit"}));
    values = items(f.valueList(0));
    values.sort();
    EXPECT_EQ(values, QStringList({"600", "900"}));
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(KlasseFormTest, ToleranceSelectsThroughValAndRoundsHalvesToEven)
{
    addArticle(1000007, "102010004", 1, "8", "", "", "");
    addArticle(1000008, "102010004", 1, "12", "", "", "");
    addArticle(1000009, "102010004", 1, "13", "", "", "");
    addArticle(1000010, "102010004", 1, "7", "", "", "");
    KlasseForm& f = open();
    ignoreAllBut(0);
    struct Case {
        QString value;
        int tolerance;
        QString condition;
        QStringList numbers;
    };
    const Case cases[] = {
        {"100", 10, " VAL(Klassificatie_1)  BETWEEN 90 AND 110", {"1000001", "1000002", "1000003", "1000006"}},
        {"100", 0, " VAL(Klassificatie_1)  BETWEEN 100 AND 100", {"1000002", "1000006"}},
        // 7.5 and 12.5 become 8 and 12: 7 and 13 stay out.
        {"10", 25, " VAL(Klassificatie_1)  BETWEEN 8 AND 12", {"1000007", "1000008"}},
    };
    for (const Case& c : cases) {
        choose(0, c.value);
        f.slider(0)->setValue(c.tolerance);
        toonSelectie();
        const QString source = host->listData()->recordSource();
        EXPECT_TRUE(source.contains("LEFT(ProduktGroep,5) = '10201' AND (" + c.condition + ") ORDER BY ProduktGroep, ArtikelNr"))
            << source.toStdString();
        EXPECT_EQ(host->listedNumbers(), c.numbers) << c.value.toStdString() << " " << c.tolerance;
    }
    EXPECT_EQ(host->listViews, 3);
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_TRUE(f.groupList()->hasFocus());
}

TEST(ClassificationQuery, RoundsHalvesToEven)
{
    const std::pair<double, qint64> cases[] = {{89.5, 90}, {110.5, 110}, {2.5, 2}, {3.5, 4},
                                               {-2.5, -2}, {-3.5, -4}, {0.49, 0}, {7.51, 8}};
    for (const auto& [v, expected] : cases)
        EXPECT_EQ(classificationquery::roundHalfEven(v), expected) << v;
}

TEST_F(KlasseFormTest, ExactTextAndColourConditions)
{
    KlasseForm& f = open();
    struct Case {
        int k;
        int option; // 0 exact, 1 middle
        QString value;
        QString condition;
        QStringList numbers;
    };
    const Case cases[] = {
        {1, 0, "Messing d'Or", " Klassificatie_2 = 'Messing d''Or' ", {"1000002"}},
        // Contains-text, without regard to case.
        {1, 1, "chroom", " Klassificatie_2 LIKE '*chroom*' ", {"1000001", "1000003"}},
        {1, 1, "d'Or", " Klassificatie_2 LIKE '*d''Or*' ", {"1000002"}},
        // A colour is compared by its code.
        {2, 0, "Rood", " Klassificatie_3 = '255' ", {"1000001", "1000003"}},
        {0, 0, "100 mm", " Klassificatie_1 = '100 mm' ", {"1000006"}},
    };
    for (const Case& c : cases) {
        ignoreAllBut(c.k);
        click(f.option(3 * c.k + c.option));
        choose(c.k, c.value);
        toonSelectie();
        const QString source = host->listData()->recordSource();
        EXPECT_TRUE(source.endsWith("LEFT(ProduktGroep,5) = '10201' AND (" + c.condition + ") ORDER BY ProduktGroep, ArtikelNr"))
            << source.toStdString();
        EXPECT_EQ(host->listedNumbers(), c.numbers) << c.value.toStdString();
    }
    // Two properties together, in property order.
    click(f.option(0));
    choose(0, "100");
    click(f.option(3));
    choose(1, "Messing d'Or");
    toonSelectie();
    EXPECT_TRUE(host->listData()->recordSource().contains(
        "AND ( Klassificatie_1 = '100' ) AND ( Klassificatie_2 = 'Messing d''Or' ) ORDER BY"));
    EXPECT_EQ(host->listedNumbers(), QStringList({"1000002"}));
    // The status line names the selection, not what was listed before it.
    EXPECT_EQ(host->listData()->caption(), "Klassificatie = " + f.groupList()->currentText());
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(KlasseFormTest, IgnoringEveryPropertyOrMatchingNothingIsReported)
{
    KlasseForm& f = open();
    host->listData()->setRecordSource("voorheen");
    ignoreAllBut(-1);
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(f.valueList(k)->isEnabled()) << k;
    ui.expectMessage(MsgAnswer::Ok);
    toonSelectie();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, missingCondition);
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Zoeken op klassificaties"));
    EXPECT_EQ(host->listData()->recordSource(), QStringLiteral("voorheen"));
    EXPECT_EQ(host->listViews, 0);

    // Exact "100" with the text "Chroom": no such article.
    click(f.option(0));
    EXPECT_TRUE(f.valueList(0)->isEnabled());
    choose(0, "100");
    click(f.option(3));
    choose(1, "Chroom");
    ui.expectMessage(MsgAnswer::Ok);
    toonSelectie();
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messages()[1].text, noResult);
    EXPECT_EQ(ui.messages()[1].icon, MsgIcon::Warning);
    EXPECT_EQ(ui.messages()[1].title, QStringLiteral("Selecteren met klassificaties"));
    EXPECT_TRUE(host->listedNumbers().isEmpty());
    EXPECT_TRUE(f.isVisible()); // the window stays open
}

TEST_F(KlasseFormTest, APropertyHiddenForTheNewGroupGivesNoCondition)
{
    KlasseForm& f = open();
    // Kogelkranen: an exact text on property 2, the others ignored.
    ignoreAllBut(1);
    click(f.option(3));
    choose(1, "Chroom");
    // Radiatoren has no property 2; ignoring its two own leaves nothing to select on.
    f.groupList()->setCurrentIndex(1);
    ASSERT_TRUE(f.frame(1)->isHidden());
    ignoreAllBut(-1);
    ui.expectMessage(MsgAnswer::Ok);
    toonSelectie();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, missingCondition);

    // Its own colour property selects within the group only.
    click(f.option(9));
    choose(3, "Signaalrood");
    toonSelectie();
    EXPECT_TRUE(host->listData()->recordSource().contains(
        "LEFT(ProduktGroep,5) = '20302' AND ( Klassificatie_4 = '255' ) ORDER BY"));
    EXPECT_EQ(host->listedNumbers(), QStringList({"2000001"}));
}

TEST_F(KlasseFormTest, ToleranceOnATextWithoutNumberIsRefused)
{
    KlasseForm& f = open();
    ignoreAllBut(0);
    host->listData()->setRecordSource("voorheen");
    choose(0, "ongeveer honderd");
    ui.expectMessage(MsgAnswer::Ok);
    toonSelectie();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text,
              QStringLiteral("Vul bij 'Diameter' een getal in voor de vergelijking met tolerantie."));
    EXPECT_EQ(host->listData()->recordSource(), QStringLiteral("voorheen"));
    // The same text compared exactly is fine (and finds nothing).
    click(f.option(0));
    ui.expectMessage(MsgAnswer::Ok);
    toonSelectie();
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messages()[1].text, noResult);
}

TEST_F(KlasseFormTest, TooltipsFollowSliderAndValue)
{
    KlasseForm& f = open();
    QSlider* s = f.slider(0);
    EXPECT_EQ(s->toolTip(), QStringLiteral("Afwijking waarde tot max. 25%"));
    s->setValue(15);
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), s->mapToGlobal(QPointF(3, 3)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(s, &move);
    EXPECT_EQ(s->toolTip(), QStringLiteral("Afwijking tot max. 15%"));
    choose(0, "110");
    EXPECT_EQ(f.valueList(0)->toolTip(), QStringLiteral("110"));
}

TEST_F(KlasseFormTest, SluitenClosesTheWindow)
{
    KlasseForm& f = open();
    click(f.findChild<QPushButton*>("Command11"));
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.findChild<QPushButton*>("Command10")->text(), QStringLiteral("&Toon selectie"));
    EXPECT_EQ(f.findChild<QPushButton*>("Command11")->text(), QStringLiteral("&Sluiten"));
}
