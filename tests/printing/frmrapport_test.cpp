#include "printing/formatprint.h"
#include "printing/frmrapport.h"
#include "printing/previewcontrol.h"
#include "printing/recordingprintdevice.h"

#include "scriptedui.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace vandrel {
namespace {

class FrmRapportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new frmRapport;
        v = form->vsPrinter1();
    }
    void TearDown() override { delete form.data(); }

    // A document of three pages through the markup.
    void threePages()
    {
        v->startDoc();
        FormatPrint(v->device(), QStringLiteral("{fname:Arial}{fatoff}Blad een{ff}Blad twee{ff}"
                                                "{landscape}Blad drie"));
        v->endDoc();
    }
    QPushButton* button(const char* name) { return form->findChild<QPushButton*>(name); }

    QPointer<frmRapport> form;
    PreviewControl* v = nullptr;
};

TEST_F(FrmRapportTest, OpensOnPageOneAtAQuarterAndZoomsByTheList)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Afdrukvoorbeeld"));
    auto* combo = form->findChild<QComboBox*>(QStringLiteral("Combo1"));
    ASSERT_NE(combo, nullptr);
    QStringList texts;
    QList<int> values;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
        values << combo->itemData(i).toInt();
    }
    EXPECT_EQ(texts, (QStringList{"10%", "25%", "33%", "50%", "66%", "75%", "100%", "150%",
                                  "200%", "400%"}));
    EXPECT_EQ(values, (QList<int>{10, 25, 33, 50, 66, 75, 100, 150, 200, 400}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("25%"));

    threePages();
    form->show();
    EXPECT_EQ(v->zoom(), 25);
    EXPECT_EQ(v->previewPage(), 1);
    EXPECT_EQ(v->pageCount(), 3);
    const QSize quarter = v->shownPageSize();
    EXPECT_GT(quarter.height(), quarter.width()); // portrait sheet
    combo->setCurrentIndex(6);
    EXPECT_EQ(v->zoom(), 100);
    EXPECT_NEAR(v->shownPageSize().width(), 4 * quarter.width(), 4);

    for (const char* name : {"cmdPage0", "cmdPage1", "cmdClose", "cmdSetup", "cmdPrint"})
        EXPECT_NE(button(name), nullptr) << name;
    EXPECT_EQ(button("cmdPage1")->text(), QStringLiteral("&>>"));
    EXPECT_EQ(button("cmdPrint")->toolTip(),
              QStringLiteral("Het getoonde voorbeeld naar de printer sturen"));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Weergave:"));
}

TEST_F(FrmRapportTest, PageButtonsStopAtTheEndsWithABeep)
{
    threePages();
    QSignalSpy beeps(form.data(), &frmRapport::beeped);
    button("cmdPage0")->click();
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(v->previewPage(), 1);
    button("cmdPage1")->click();
    button("cmdPage1")->click();
    EXPECT_EQ(v->previewPage(), 3);
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_GT(v->shownPageSize().width(), v->shownPageSize().height()); // the landscape page
    button("cmdPage1")->click();
    EXPECT_EQ(beeps.count(), 2);
    EXPECT_EQ(v->previewPage(), 3);
    button("cmdPage0")->click();
    EXPECT_EQ(v->previewPage(), 2);
}

TEST_F(FrmRapportTest, ControlFollowsTheWindowUnlessTheWindowIsTooSmall)
{
    form->show();
    form->resize(800, 600);
    QCoreApplication::processEvents();
    ASSERT_EQ(form->size(), QSize(800, 600));
    const double k = form->logicalDpiX() / 1440.0;
    const QRect placed = v->geometry();
    EXPECT_EQ(placed.x(), qRound(100 * k));
    EXPECT_EQ(placed.y(), qRound(450 * k));
    EXPECT_NEAR(placed.width(), 800 - 200 * k, 1);
    EXPECT_NEAR(placed.height(), 600 - 550 * k, 1);
    form->resize(int(150 * k), int(500 * k));
    QCoreApplication::processEvents();
    ASSERT_LT(form->width(), 200 * k);
    EXPECT_EQ(v->geometry(), placed);
}

TEST_F(FrmRapportTest, PrintsTheHeldPagesWithTheProgressTexts)
{
    threePages();
    RecordingPrintDevice printer;
    printer.setDeviceName(QStringLiteral("Testprinter"));
    ScopedPrintDevice redirect(printer);
    QStringList labels;
    QObject::connect(v, &PreviewControl::printingPage, v,
            [&labels](int, int, const QString& label) { labels << label; });
    button("cmdPrint")->click();

    EXPECT_EQ(v->progressTexts(), (QStringList{"Afdrukken overzicht...", "&Annuleren",
                                               "op de %s op %s", "Bezig met pagina %d van"}));
    EXPECT_EQ(labels.size(), 3);
    EXPECT_EQ(labels.value(1), QStringLiteral("op de Testprinter op \nBezig met pagina 2 van 3"));
    EXPECT_EQ(printer.jobsEnded(), 1);
    ASSERT_EQ(printer.pageCount(), 3);
    EXPECT_EQ(printer.texts(), (QStringList{"Blad een", "Blad twee", "Blad drie"}));
    EXPECT_EQ(printer.pages()[2].orientation, PageOrientation::Landscape);
    EXPECT_EQ(printer.items()[1].pos, v->device().items()[1].pos);

    // Cancelled on the second page: the job is dropped.
    QObject::connect(v, &PreviewControl::printingPage, v, [](int page, int, const QString&) {
        if (page != 2)
            return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* cancel = w->findChild<QPushButton*>(QStringLiteral("cmdCancel")))
                if (w->isVisible())
                    cancel->click();
    });
    EXPECT_FALSE(v->printDocument());
    EXPECT_EQ(printer.jobsKilled(), 1);
    EXPECT_EQ(printer.jobsEnded(), 1);
}

TEST_F(FrmRapportTest, RichTextWithHeaderAndFooterAndDirectPrint)
{
    QTextDocument doc;
    QStringList lines;
    for (int i = 1; i <= 90; ++i)
        lines << QStringLiteral("Offerteregel %1").arg(i);
    doc.setPlainText(lines.join(QLatin1Char('\n')));
    v->setHeader(QStringLiteral("|Offerte|"));
    v->setFooter(QStringLiteral("||Blad %d"));
    v->startDoc();
    v->renderRichText(doc);
    v->endDoc();
    ASSERT_GE(v->pageCount(), 2);
    const QStringList texts = v->device().texts();
    EXPECT_EQ(texts.count(QStringLiteral("Offerte")), v->pageCount());
    EXPECT_TRUE(texts.contains(QStringLiteral("Blad 2")));
    const QList<PrintItem> items = v->device().items(PrintItem::Kind::Text);
    EXPECT_EQ(items[0].text, QStringLiteral("Offerte"));
    EXPECT_EQ(items[1].text, QStringLiteral("Blad 1"));
    EXPECT_LT(items[0].pos.y(), 1440); // in the top margin
    EXPECT_GT(items[1].pos.y(), v->device().pageSizeTwips().height() - 1440 - 240);

    // Preview off: the end of the document prints it.
    RecordingPrintDevice printer;
    ScopedPrintDevice redirect(printer);
    v->setPreview(false);
    v->startDoc();
    FormatPrint(v->device(), QStringLiteral("Direct"));
    v->endDoc();
    EXPECT_EQ(printer.texts(), QStringList{"Direct"});

    // No printer settings for a device that is not the system printer.
    test::ScriptedUi ui;
    ui.expectMessage(MsgAnswer::Ok);
    button("cmdSetup")->click();
    EXPECT_EQ(ui.messages().size(), 1);
}

TEST_F(FrmRapportTest, CloseEndsTheWindow)
{
    form->show();
    button("cmdClose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

} // namespace
} // namespace vandrel
