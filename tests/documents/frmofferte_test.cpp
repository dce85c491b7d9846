// The quotation window driven as a user drives it: through the main window's quotation
// menu, keys on the list and in the editors, drops from the article list, the popup menu,
// the print options and the Action channel.
#include "documentsfixture.h"

#include "app/core/sharedstate.h"
#include "browser/articleclipboard.h"
#include "browser/articlegrid.h"
#include "browser/recordsetmodel.h"
#include "documents/documentaction.h"
#include "documents/frmoffparam.h"
#include "documents/frmofferte.h"
#include "documents/quotationfile.h"
#include "documents/quotationline.h"
#include "printing/frmtexteditor.h"
#include "printing/recordingprintdevice.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace vandrel;
using vandrel::test::DocumentsFixture;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class QuotationWindowTest : public DocumentsFixture {
protected:
    void TearDown() override
    {
        QList<QPointer<FrmOfferte>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* q = qobject_cast<FrmOfferte*>(w))
                windows << q;
        }
        qDeleteAll(windows); // a null guard deletes nothing
        if (frmTextEditor* e = frmTextEditor::existing())
            e->hide();
        DocumentsFixture::TearDown();
    }

    static QList<FrmOfferte*> quotationWindows()
    {
        QList<FrmOfferte*> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* q = qobject_cast<FrmOfferte*>(w); q && q->isVisible())
                windows << q;
        }
        return windows;
    }

    // "&Nieuw" of the quotation menu; the window it opened, active as a user's would be.
    FrmOfferte* newQuotation()
    {
        const QList<FrmOfferte*> before = quotationWindows();
        main->OMenu_Click(1);
        for (FrmOfferte* w : quotationWindows()) {
            if (!before.contains(w)) {
                QApplication::setActiveWindow(w);
                return w;
            }
        }
        return nullptr;
    }

    static void setLines(FrmOfferte* w, const QStringList& lines)
    {
        w->list()->clear();
        w->list()->addItems(lines);
        w->list()->setCurrentRow(0);
    }

    static QLineEdit* box(FrmOfferte* w, const char* name) { return w->findChild<QLineEdit*>(name); }
};

TEST_F(QuotationWindowTest, NewQuotationReservesItsCode)
{
    start();
    FrmOfferte* w = newQuotation();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Offerte [Nieuw]");
    EXPECT_EQ(box(w, "txtReferentie")->text(), "offerte van " + QDate::currentDate().toString("dd-MM-yyyy"));
    EXPECT_EQ(box(w, "txtLeverdatum")->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_EQ(w->lines(), QStringList{QString()});
    EXPECT_FALSE(w->changed());
    EXPECT_EQ(rowsInStore(w->tag().toInt()), 1); // the reserving row
    EXPECT_EQ(w->findChild<QLabel*>("Label2")->text(), "(Alle vermelde prijzen zijn in Euro en exclusief btw)");
    // Menu entries that need a quotation window follow the open windows.
    EXPECT_TRUE(main->findChild<QAction*>("OMenu5")->isEnabled());
}

TEST_F(QuotationWindowTest, ToolbarSaveAndDeleteReachTheOnlyQuotationWindow)
{
    start();
    QAction* save = main->findChild<QAction*>("SaveFile");
    QAction* trash = main->findChild<QAction*>("Trashbin");
    ASSERT_TRUE(save && trash);
    EXPECT_FALSE(save->isEnabled()); // no document window open
    EXPECT_FALSE(trash->isEnabled());

    // Only a quotation is open: the buttons act on it, though the order entries are off.
    FrmOfferte* w = newQuotation();
    ASSERT_NE(w, nullptr);
    // It lost the focus to the main window.
    shared().LastDocumentWindow = w;
    shared().LastQuotationWindow = w;
    EXPECT_FALSE(main->findChild<QAction*>("EMenu6")->isEnabled());
    ASSERT_TRUE(save->isEnabled());
    ASSERT_TRUE(trash->isEnabled());
    const QString file = dir.file("knop.vdo");
    ui.expectFile(file);
    save->trigger();
    ASSERT_EQ(ui.fileRequests().size(), 1);
    EXPECT_EQ(ui.fileRequests()[0].title, "Opslaan Offerte");
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(w->windowTitle(), "Offerte [" + file + "]");
}

TEST_F(QuotationWindowTest, TypingADigitOnAnArticleLineRescalesTheAmount)
{
    start();
    FrmOfferte* w = newQuotation();
    setLines(w, {"2\t1000001\t20,00\tWastafel", quotation::subtotalLine()});
    QTest::keyClick(w->list(), Qt::Key_5);
    EXPECT_TRUE(box(w, "txtAantal")->isVisible());
    EXPECT_EQ(box(w, "txtAantal")->text(), "5");
    EXPECT_EQ(box(w, "txtPrijs")->text(), "50,00");
    EXPECT_EQ(w->lines()[0], "5\t1000001\t50,00\tWastafel");
    EXPECT_EQ(w->lines()[1], "\tSubtot:\t50,00\t "); // the amount change recalculates
    EXPECT_TRUE(w->changed());
    // The editor boxes sit exactly over the current line.
    const QRect row = w->list()->visualItemRect(w->list()->item(0));
    EXPECT_EQ(box(w, "txtAantal")->geometry().top(), row.top());
    EXPECT_EQ(box(w, "txtAantal")->geometry().left(), row.left());

    // "." types as ","; the amount box takes only amount characters.
    QLineEdit* amount = box(w, "txtPrijs");
    amount->clear();
    QTest::keyClicks(amount, "12.5x%");
    EXPECT_EQ(amount->text(), "12,5%");
    // Leaving the number box with another number looks the article up (Per 10).
    QLineEdit* article = box(w, "txtArtikel");
    article->setFocus();
    QCoreApplication::processEvents();
    article->setText("1234567");
    box(w, "txtOms")->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->lines()[0], "5\t1234567\t6,25\tKnie 15 mm"); // 5 x 12,50 / 10
    // Focus on the list hides the article editor.
    w->list()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(box(w, "txtAantal")->isVisible());
}

TEST_F(QuotationWindowTest, ListKeysInsertRemoveAndBreakPages)
{
    start();
    FrmOfferte* w = newQuotation();
    QListWidget* list = w->list();
    setLines(w, {"een", "twee", "drie"});
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(w->lines(), (QStringList{"een", "twee", "drie"})); // Delete alone does nothing
    QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(w->lines(), (QStringList{"een", "drie"}));
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(list, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w->lines(), (QStringList{"een", "", "drie"}));
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(list, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(w->lines(), (QStringList{"een", quotation::pageBreakLine(), "", "drie"}));
    list->setCurrentRow(3);
    QTest::keyClick(list, Qt::Key_Down); // on the last line: a new one
    EXPECT_EQ(w->lines().size(), 5);
    EXPECT_EQ(list->currentRow(), 4);
    // Up and Down reduce a multiple selection to the current line first.
    list->selectAll();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->selectedItems().size(), 1);

    // A letter opens the free-text editor with that letter typed; Escape puts the line
    // back; Enter starts a new line below.
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_S, Qt::NoModifier);
    QLineEdit* edit = box(w, "txtEdit");
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(w->lines()[0], "eens");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(w->lines()[0], "een");
    EXPECT_FALSE(edit->isVisible());
    QTest::keyClick(list, '"');
    QTest::keyClicks(edit, " twee");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(w->lines()[0], "een twee");
    EXPECT_EQ(w->lines()[1], "");
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(edit->isVisible());
    // Keys that mean nothing change nothing.
    QTest::keyClick(edit, Qt::Key_Escape);
    const QStringList before = w->lines();
    QTest::keyClick(list, '+');
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(w->lines(), before);
}

TEST_F(QuotationWindowTest, DroppedAndPastedRowsGoAboveTheCurrentLine)
{
    FrmArtinfo& m = start();
    FrmOfferte* w = newQuotation();
    setLines(w, {"kop", "slot"});
    w->list()->setCurrentRow(1);
    ArticleGrid* grid = m.table3();
    grid->clearSelection();
    for (int number : {1234568, 1000001}) {
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            if (grid->recordsetModel()->value(r, grid->recordsetModel()->columnOf("ArtikelNr")).toInt() == number)
                grid->selectionModel()->select(grid->model()->index(r, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    w->List1_DragDrop(*grid);
    EXPECT_EQ(w->lines(), (QStringList{"kop", "1\t1234568\t5,00\tKnie 22 mm", "1\t1000001\t120,00\tWastafel 60 cm",
                                       "slot"}));
    EXPECT_EQ(w->list()->currentRow(), 3);
    EXPECT_TRUE(w->changed());

    ClipboardArticle text;
    text.description = "Alleen tekst";
    ClipboardArticle article;
    article.quantity = 3;
    article.articleNumber = 42;
    article.description = "Uit de lijst";
    article.gross = Currency::fromCents(375);
    articleClipboard().replace({article, text});
    w->list()->setCurrentRow(0);
    w->mnuT_Click(5);
    EXPECT_EQ(w->lines().mid(0, 3), (QStringList{"3\t0000042\t3,75\tUit de lijst", "Alleen tekst", "kop"}));

    // Copying takes the selected lines back onto the clipboard, in list order.
    w->list()->clearSelection();
    w->list()->item(3)->setSelected(true);
    w->list()->item(0)->setSelected(true);
    w->list()->item(1)->setSelected(true);
    w->mnuT_Click(4);
    ASSERT_EQ(articleClipboard().count(), 3);
    EXPECT_EQ(articleClipboard().rows()[0], article);
    EXPECT_EQ(articleClipboard().rows()[1].description, "Alleen tekst");
    EXPECT_EQ(articleClipboard().rows()[2].articleNumber, 1234568);
    EXPECT_EQ(QApplication::clipboard()->text(), "3\t0000042\t3,75\tUit de lijst\r\nAlleen tekst\r\n1\t1234568\t5,00\tKnie 22 mm\r\n");
    w->mnuT_Click(6);
    EXPECT_EQ(w->lines(), (QStringList{"kop", "1\t1000001\t120,00\tWastafel 60 cm", "slot"}));
    w->list()->clearSelection();
    ui.expectMessage(MsgAnswer::Ok);
    w->mnuT_Click(4);
    EXPECT_EQ(ui.messages().last().text, "U dient eerst 1 of meerdere regels te selecteren");
}

TEST_F(QuotationWindowTest, CalculationLinesAndTheVatSwitch)
{
    start();
    FrmOfferte* w = newQuotation();
    setLines(w, {"2\t1000001\t20,00\tWastafel", "1\t2000001\t5,00\tZaag", ""});
    w->list()->setCurrentRow(2);
    w->mnuEdit_Click(2); // subtotal
    w->list()->setCurrentRow(3);
    w->mnuEdit_Click(1); // discount
    w->list()->setCurrentRow(4);
    w->mnuEdit_Click(3); // VAT
    w->list()->setCurrentRow(5);
    w->mnuEdit_Click(4); // total
    EXPECT_EQ(w->list()->currentRow(), 5);
    EXPECT_EQ(w->lines().mid(2, 4), (QStringList{"\tSubtot:\t25,00\t ", "\tKorting:\t0%\t ", "19%\tBTW:\t4,75\t ",
                                                 "\tTotaal:\t29,75\t "}));
    // The VAT switch re-prices from the catalog, with VAT.
    w->findChild<QCheckBox*>("chkBTW")->click();
    EXPECT_EQ(w->findChild<QLabel*>("Label2")->text(), "(Alle vermelde prijzen zijn in Euro en inclusief btw)");
    EXPECT_EQ(w->lines()[0], "2\t1000001\t285,60\tWastafel"); // 2 x 120,00 x 1.19
    EXPECT_EQ(w->lines()[4], "19%\tBTW:\t0,00\t ");
    // Re-pricing asks first.
    ui.expectMessage(MsgAnswer::No);
    w->findChild<QCheckBox*>("chkBTW")->setChecked(false);
    w->mnuEdit_Click(6);
    EXPECT_EQ(w->lines()[0], "2\t1000001\t285,60\tWastafel");
    ui.expectMessage(MsgAnswer::Yes);
    w->mnuEdit_Click(6);
    EXPECT_EQ(ui.messages().last().title, "Prijzen herberekenen");
    EXPECT_EQ(w->lines()[0], "2\t1000001\t240,00\tWastafel");
    EXPECT_EQ(w->lines()[1], "1\t2000001\t8,00\tZaag");
}

TEST_F(QuotationWindowTest, SavedQuotationLoadsBackIdentical)
{
    start();
    FrmOfferte* w = newQuotation();
    const QString longLine = QString(600, QLatin1Char('x'));
    setLines(w, {"2\t1000001\t240,00\tWastafel", quotation::pageBreakLine(), quotation::subtotalLine(), "", longLine});
    box(w, "txtLeverdatum")->setText("9-12-2026");
    const QString file = dir.file("klant.vdo");
    ui.expectFile(file);
    DocumentAction::send(w, "SAVE"); // never saved: asks for a name
    EXPECT_EQ(w->windowTitle(), "Offerte [" + file + "]");
    EXPECT_EQ(ui.fileRequests().last().title, "Opslaan Offerte");
    const QByteArray saved = readBytes(file);
    EXPECT_TRUE(saved.contains("\r\n9-12-2026\r\n")); // the date as typed
    EXPECT_TRUE(saved.endsWith("\r\n\r\x1a"));

    ui.expectFile(file);
    main->OMenu_Click(2);
    FrmOfferte* opened = nullptr;
    for (FrmOfferte* q : quotationWindows())
        opened = q != w ? q : opened;
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->windowTitle(), "Offerte [" + file + "]");
    EXPECT_EQ(box(opened, "txtLeverdatum")->text(), "09-12-2026");
    QStringList expected = w->lines();
    expected.last() = QString(512, QLatin1Char('x')); // a quotation file keeps 512 characters of a line
    EXPECT_EQ(opened->lines(), expected);
    EXPECT_FALSE(opened->changed());
    // Saved again, the file is the same but for what the load changed.
    box(opened, "txtLeverdatum")->setText("9-12-2026");
    opened->list()->item(4)->setText(longLine);
    opened->list()->setCurrentRow(0);
    ASSERT_TRUE(opened->SaveOfferte(dir.file("weer.vdo")));
    EXPECT_EQ(readBytes(dir.file("weer.vdo")), saved);
}

TEST_F(QuotationWindowTest, OpeningAnRtfFileHandsItToTheTextEditor)
{
    start();
    const QString rtf = dir.file("offerte.RTF");
    QFile f(rtf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1\\ansi Offerte voor de badkamer\\par}");
    f.close();
    ui.expectFile(rtf);
    main->OMenu_Click(2);
    settle();
    EXPECT_TRUE(quotationWindows().isEmpty()); // the empty quotation window closed
    frmTextEditor* editor = frmTextEditor::existing();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->tag(), rtf);
    EXPECT_TRUE(editor->rtfText()->toPlainText().contains("Offerte voor de badkamer"));
}

TEST_F(QuotationWindowTest, ClosingAsksOnlyWhenChanged)
{
    start();
    FrmOfferte* w = newQuotation();
    QPointer<FrmOfferte> guard = w;
    QTest::keyClick(w->list(), Qt::Key_A);
    ASSERT_TRUE(w->changed());
    ui.expectMessage(MsgAnswer::Cancel);
    w->Command1_Click(0); // "&Sluiten"
    EXPECT_EQ(ui.messages().last().text, "Deze offerte is gewijzigd. Wilt u de wijzigingen opslaan?");
    EXPECT_TRUE(guard && guard->isVisible());
    ui.expectMessage(MsgAnswer::Yes);
    ui.expectFile(std::nullopt); // the save dialog cancelled: stays
    w->close();
    EXPECT_TRUE(guard && guard->isVisible());
    w->Command1_Click(2); // "&Annuleren": no question
    settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(shared().LastQuotationWindow, nullptr);
    EXPECT_EQ(ui.pendingAnswers(), 0);
}

namespace {

// Sets the print options dialog when it shows, then presses "&OK" (or "&Annuleren").
void answerOptions(const std::function<void(frmOffParam*)>& set, bool ok = true)
{
    QTimer::singleShot(0, [set, ok] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* d = qobject_cast<frmOffParam*>(w); d && d->isVisible()) {
                set(d);
                d->findChild<QPushButton*>(ok ? "Command2" : "Command1")->click();
                return;
            }
        }
    });
}

void tick(frmOffParam* d, const char* name, bool on)
{
    QCheckBox* c = d->findChild<QCheckBox*>(name);
    if (c->isChecked() != on)
        c->click();
}

} // namespace

TEST_F(QuotationWindowTest, PrintOptionsAndTheThreeOutputs)
{
    start();
    FrmOfferte* w = newQuotation();
    setLines(w, {"2\t1000001\t240,00\tWastafel", "\tSubtot:\t240,00\t "});

    // Cancelled: nothing printed, nothing stored; the dialog keeps what the user left.
    RecordingPrintDevice printer;
    ScopedPrintDevice toRecorder(printer);
    answerOptions([](frmOffParam* d) {
        tick(d, "chkPrintOfferte", true);
        EXPECT_FALSE(d->findChild<QCheckBox*>("chkPrintCodes")->isChecked());
        EXPECT_FALSE(d->findChild<QCheckBox*>("chkPrintCodes")->isEnabled());
        tick(d, "chkExportOptions", true);
        EXPECT_FALSE(d->findChild<QWidget*>("Frame1")->isEnabled());
        EXPECT_TRUE(d->findChild<QRadioButton*>("optUitvoer0")->isEnabled());
    }, false);
    w->Command1_Click(1);
    EXPECT_EQ(printer.jobsEnded(), 0);
    EXPECT_EQ(PrivateProfile::getString("PrintSettings", "PrintOfferte", "-", settingsFileName()), "-");
    answerOptions([](frmOffParam* d) {
        EXPECT_TRUE(d->findChild<QCheckBox*>("chkPrintOfferte")->isChecked()); // as left
        tick(d, "chkPrintOfferte", false);
        EXPECT_TRUE(d->findChild<QCheckBox*>("chkPrintCodes")->isEnabled());
        tick(d, "chkPrintCodes", true);
        tick(d, "chkExportOptions", false);
        d->findChild<QLineEdit*>("Text14")->setText("35");
    });
    w->Command1_Click(1);
    ASSERT_EQ(printer.jobsEnded(), 1);
    EXPECT_TRUE(printer.texts().contains("1000001"));
    EXPECT_NEAR(printer.items().first().pos.y(), 35 * kTwipsPerMm, 1);
    EXPECT_EQ(PrivateProfile::getString("PrintSettings", "FirstPageTopMargin", "-", settingsFileName()), "35");
    EXPECT_EQ(PrivateProfile::getString("PrintSettings", "PrintCodes", "-", settingsFileName()), "1");
    EXPECT_EQ(PrivateProfile::getString("PrintSettings", "PrintEditor", "-", settingsFileName()), "FALSE");

    // A margin that is no number is refused with a message.
    ui.expectMessage(MsgAnswer::Ok);
    answerOptions([](frmOffParam* d) {
        d->findChild<QLineEdit*>("Text10")->setText("twee");
        d->findChild<QPushButton*>("Command2")->click();
        EXPECT_TRUE(d->isVisible());
        d->findChild<QLineEdit*>("Text10")->setText("20");
    });
    w->Command1_Click(1);
    EXPECT_EQ(ui.messages().last().text, "Vul bij \"Links:\" een aantal millimeters in (0 tot 999).");
    EXPECT_EQ(printer.jobsEnded(), 2);

    // RTF into the text editor.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    answerOptions([](frmOffParam* d) {
        tick(d, "chkExportOptions", true);
        d->findChild<QRadioButton*>("optUitvoer0")->setChecked(true);
    });
    w->Command1_Click(1);
    QDir::setCurrent(cwd);
    frmTextEditor* editor = frmTextEditor::existing();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->rtfText()->toPlainText().contains("Wastafel"));
    EXPECT_TRUE(QFile::exists(dir.file("Offerte.rtf")));

    // The tab file: the dialog's name, then the bytes.
    ui.expectFile(dir.file("offerte.tab"));
    answerOptions([](frmOffParam* d) { d->findChild<QRadioButton*>("optUitvoer1")->setChecked(true); });
    w->Command1_Click(1);
    EXPECT_EQ(ui.fileRequests().last().title, "Exporteren huidige offerte");
    EXPECT_EQ(ui.fileRequests().last().fileName, "offerte.tab");
    EXPECT_EQ(readBytes(dir.file("offerte.tab")), "2\t1000001\tWastafel\t240,00\r\n\tSubtot:\t \t240,00\r\n");
    // A file that cannot be made is reported with its error number.
    ui.expectFile(dir.file("geen/map/offerte.tab"));
    ui.expectMessage(MsgAnswer::Ok);
    answerOptions([](frmOffParam*) {});
    w->Command1_Click(1);
    EXPECT_TRUE(ui.messages().last().text.startsWith("Er is een DOS-fout opgetreden: "));
    EXPECT_EQ(ui.messages().last().title, "Exporteren");
}
