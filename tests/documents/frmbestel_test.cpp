// The order window driven as a user drives it: through the main window's order menu, the
// Action channel, the buttons, drops from the article list and the popup menu.
#include "documentsfixture.h"

#include "app/core/sharedstate.h"
#include "browser/articleclipboard.h"
#include "browser/articlegrid.h"
#include "browser/datacontrol.h"
#include "browser/recordsetmodel.h"
#include "documents/documentaction.h"
#include "documents/orderlinesmodel.h"
#include "printing/recordingprintdevice.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <functional>

#include <csignal>
#include <sys/resource.h>

using namespace vandrel;
using vandrel::test::DocumentsFixture;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString text(FrmBestel* w, const char* name)
{
    if (auto* e = w->findChild<QLineEdit*>(name))
        return e->text();
    return w->findChild<QPlainTextEdit*>(name)->toPlainText();
}

// Selects rows of the grid one after the other, as Ctrl+clicks do.
void selectInOrder(QTableView* grid, const QList<int>& rows)
{
    grid->clearSelection();
    for (int r : rows)
        grid->selectionModel()->select(grid->model()->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

int rowOfArticle(ArticleGrid* grid, int number)
{
    RecordsetModel* m = grid->recordsetModel();
    const int col = m->columnOf("ArtikelNr");
    for (int r = 0; r < m->rowCount(); ++r) {
        if (m->value(r, col).toInt() == number)
            return r;
    }
    return -1;
}

} // namespace

class OrderWindowTest : public DocumentsFixture {};

TEST_F(OrderWindowTest, NewProposesTheNextWorkingDay)
{
    start();
    const std::pair<QDate, QDate> days[] = {
        {QDate(2026, 12, 11), QDate(2026, 12, 14)}, // Friday: Monday
        {QDate(2026, 12, 12), QDate(2026, 12, 14)}, // Saturday: Monday
        {QDate(2026, 12, 9), QDate(2026, 12, 10)},  // Wednesday: tomorrow
    };
    for (const auto& [today, delivery] : days) {
        setDocumentClock([today] { return today; });
        FrmBestel* w = newOrder();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), "Bestelling [Nieuw]");
        EXPECT_EQ(text(w, "txtReferentie"), "order van " + today.toString("dd-MM-yyyy"));
        EXPECT_EQ(text(w, "txtLeverdatum"), QLocale().toString(delivery, QLocale::ShortFormat));
        EXPECT_FALSE(w->findChild<QCheckBox*>("chkAfhalen")->isChecked());
        EXPECT_FALSE(w->changed());
        EXPECT_GE(w->tag().toInt(), 1);
        EXPECT_LE(w->tag().toInt(), 999999);
    }
    // Every window has its own code.
    const QList<FrmBestel*> windows = orderWindows();
    ASSERT_EQ(windows.size(), 3);
    EXPECT_NE(windows[0]->tag(), windows[1]->tag());
    EXPECT_NE(windows[1]->tag(), windows[2]->tag());
}

TEST_F(OrderWindowTest, DroppedRowsArriveInSelectionOrderPricedPerUnit)
{
    FrmArtinfo& m = start();
    FrmBestel* w = newOrder();
    ASSERT_NE(w, nullptr);
    ArticleGrid* list = m.table3();
    const int a = rowOfArticle(list, 1234568), b = rowOfArticle(list, 1000001), c = rowOfArticle(list, 1234567);
    ASSERT_GE(a, 0);
    list->setCurrentIndex(list->model()->index(rowOfArticle(list, 2000001), 0));
    selectInOrder(list, {a, b, c});
    bool batchSeen = false;
    QObject::connect(m.data3(), &DataControl::reposition, [&] { batchSeen = batchSeen || shared().BatchInProgress; });
    w->Table_DragDrop(*list);

    const QList<OrderFileLine> lines = w->content().lines;
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], (OrderFileLine{1, 1234568, "Knie 22 mm", Currency::fromCents(500), Currency::fromCents(400)}));
    EXPECT_EQ(lines[1], (OrderFileLine{1, 1000001, "Wastafel 60 cm", Currency::fromCents(12000), Currency::fromCents(9600)}));
    EXPECT_EQ(lines[2], (OrderFileLine{1, 1234567, "Knie 15 mm", Currency::fromCents(125), Currency::fromCents(100)}));
    EXPECT_TRUE(w->changed());
    EXPECT_FALSE(shared().BatchInProgress);
    // The list stands where it stood.
    EXPECT_EQ(list->recordsetModel()->recordset()->value("ArtikelNr").toInt(), 2000001);
    // The grid shows the lines with seven-digit numbers and two decimals.
    OrderLinesModel* model = w->linesModel();
    EXPECT_EQ(model->data(model->index(2, 1), Qt::DisplayRole).toString(), "1234567");
    EXPECT_EQ(model->data(model->index(2, 3), Qt::DisplayRole).toString(), "1,25");
    EXPECT_TRUE(w->table()->isColumnHidden(OrderLinesModel::OrderCodeColumn));
}

TEST_F(OrderWindowTest, TypedLineGetsQuantityOneAndCatalogAmounts)
{
    start();
    FrmBestel* w = newOrder();
    OrderLinesModel* model = w->linesModel();
    ASSERT_EQ(model->rowCount(), 1); // only the new-line row
    ASSERT_TRUE(model->setData(model->index(0, 1), "1234567", Qt::EditRole));
    EXPECT_EQ(w->content().lines.value(0), (OrderFileLine{1, 1234567, "Knie 15 mm", Currency::fromCents(125), Currency::fromCents(100)}));
    ASSERT_TRUE(model->setData(model->index(0, 0), "20", Qt::EditRole));
    EXPECT_EQ(w->content().lines.value(0).gross, Currency::fromCents(2500));
    EXPECT_FALSE(model->setData(model->index(0, 0), "twintig", Qt::EditRole)); // not a number: cell kept
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_TRUE(w->changed());
}

TEST_F(OrderWindowTest, SaveOnANewOrderAsksForANameThenReopens)
{
    start();
    setDocumentClock([] { return QDate(2026, 12, 9); });
    FrmBestel* w = newOrder();
    w->findChild<QPlainTextEdit*>("txtAdres")->setPlainText("Dorpsstraat 1\nErgens");
    OrderLinesModel* model = w->linesModel();
    model->setData(model->index(0, 1), "1234568", Qt::EditRole);
    model->setData(model->index(0, 0), "2", Qt::EditRole);

    const QString path = dir.file("order");
    ui.expectFile(path); // without extension: .vdb is added
    DocumentAction::send(w, "SAVE");
    ASSERT_EQ(ui.fileRequests().size(), 1);
    EXPECT_EQ(ui.fileRequests()[0].title, "Opslaan bestelling");
    EXPECT_EQ(ui.fileRequests()[0].fileName, "*.vdb");
    EXPECT_EQ(w->windowTitle(), "Bestelling [" + path + ".vdb]");
    EXPECT_EQ(readBytes(path + ".vdb"), QByteArray("order van 09-12-2026\r\n10-12-2026\r\nDorpsstraat 1\r\nErgens\r\nFalse"
                                                   "\r\n2\r\n1234568\r\nKnie 22 mm\r\n10,00\r\n8,00\r\x1a"));
    EXPECT_TRUE(w->changed()); // a save does not clear it

    // A second save goes to the same file without a dialog.
    model->setData(model->index(1, 1), "2000001", Qt::EditRole);
    DocumentAction::send(w, "save");
    EXPECT_EQ(ui.fileRequests().size(), 1);
    EXPECT_TRUE(readBytes(path + ".vdb").contains("\r\n1\r\n2000001\r\nIJzerzaag 300 mm\r\n8,00\r\n6,40\r\x1a"));

    // Opening it in a second window fails: the first holds it.
    ui.expectFile(path + ".vdb");
    ui.expectMessage(MsgAnswer::Ok);
    main->EMenu_Click(2);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].text.startsWith("Fout tijdens inlezen " + path + ".vdb: ")) << ui.messages()[0].text.toStdString();
    EXPECT_EQ(ui.messages()[0].title, "LoadOrder");
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(orderWindows().size(), 2); // shown empty
    FrmBestel* failed = orderWindows().last() == w ? orderWindows().first() : orderWindows().last();
    EXPECT_TRUE(failed->content().lines.isEmpty());
    EXPECT_EQ(failed->documentPath(), "");

    // Closed without changes, the first lets go; now it opens with its lines.
    ui.expectMessage(MsgAnswer::No);
    DocumentAction::send(w, "CLOSE");
    settle();
    ui.expectFile(path + ".vdb");
    main->EMenu_Click(2);
    FrmBestel* reopened = nullptr;
    for (FrmBestel* o : orderWindows())
        if (o->documentPath() == path + ".vdb")
            reopened = o;
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->windowTitle(), "Bestelling [" + path + ".vdb]");
    EXPECT_EQ(text(reopened, "txtAdres"), "Dorpsstraat 1\nErgens");
    ASSERT_EQ(reopened->content().lines.size(), 2);
    EXPECT_EQ(reopened->content().lines[1].articleNumber, 2000001);
    EXPECT_FALSE(reopened->changed());
}

TEST_F(OrderWindowTest, ClosingAsksOnlyWhenItShould)
{
    start();
    // "close" in lower case closes an unchanged order without a question.
    FrmBestel* w = newOrder();
    const int code = w->tag().toInt();
    DocumentAction::send(w, "close");
    settle();
    EXPECT_TRUE(orderWindows().isEmpty());
    EXPECT_TRUE(ui.messages().isEmpty());

    // "&Annuleren" drops the changes without asking; the rows go with the window.
    w = newOrder();
    w->linesModel()->setData(w->linesModel()->index(0, 1), "1000001", Qt::EditRole);
    EXPECT_EQ(rowsInStore(w->tag().toInt()), 1);
    const int cancelledCode = w->tag().toInt();
    w->findChild<QPushButton*>("Command12")->click();
    settle();
    EXPECT_TRUE(orderWindows().isEmpty());
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(rowsInStore(cancelledCode), 0);

    // "&Sluiten" asks; Cancel keeps the window, and so does the close box clicked after it.
    w = newOrder();
    w->findChild<QLineEdit*>("txtReferentie")->setText("gewijzigd");
    ui.expectMessage(MsgAnswer::Cancel);
    w->findChild<QPushButton*>("Command10")->click();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, "Deze bestelling is gewijzigd. Wilt u de wijzigingen opslaan?");
    EXPECT_EQ(ui.messages()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(ui.messages()[0].title, "Bestelling [Nieuw]");
    ui.expectMessage(MsgAnswer::Cancel);
    w->close();
    EXPECT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(orderWindows().size(), 1);
    // Yes, then the save dialog cancelled: still open. Yes and a name: saved and closed.
    ui.expectMessage(MsgAnswer::Yes);
    ui.expectFile(std::nullopt);
    w->close();
    EXPECT_EQ(orderWindows().size(), 1);
    ui.expectMessage(MsgAnswer::Yes);
    ui.expectFile(dir.file("dicht.vdb"));
    w->close();
    settle();
    EXPECT_TRUE(orderWindows().isEmpty());
    EXPECT_TRUE(QFile::exists(dir.file("dicht.vdb")));
    EXPECT_EQ(rowsInStore(code), 0);
}

TEST_F(OrderWindowTest, DeleteRemovesTheFileAndTheRows)
{
    start();
    FrmBestel* w = newOrder();
    w->linesModel()->setData(w->linesModel()->index(0, 1), "1000001", Qt::EditRole);
    const QString path = dir.file("weg.vdb");
    ui.expectFile(path);
    DocumentAction::send(w, "SAVEAS");
    ASSERT_TRUE(QFile::exists(path));
    const int code = w->tag().toInt();

    ui.expectMessage(MsgAnswer::No);
    DocumentAction::send(w, "DELETE");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(orderWindows().size(), 1);

    ui.expectMessage(MsgAnswer::Yes);
    DocumentAction::send(w, "DELETE");
    settle();
    EXPECT_EQ(ui.messages().last().text, "Weet u zeker dat u deze bestelling wilt verwijderen?");
    EXPECT_EQ(ui.messages().last().buttons, MsgButtons::YesNo);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(orderWindows().isEmpty());
    EXPECT_EQ(rowsInStore(code), 0);
}

TEST_F(OrderWindowTest, UnknownCommandsAndTheOrderMenu)
{
    FrmArtinfo& m = start();
    EXPECT_FALSE(m.action("EMenu3")->isEnabled());
    FrmBestel* first = newOrder();
    FrmBestel* second = newOrder();
    m.refreshDocumentMenus();
    for (const char* e : {"EMenu3", "EMenu5", "EMenu6", "EMenu7"})
        EXPECT_TRUE(m.action(e)->isEnabled()) << e;
    EXPECT_FALSE(m.action("EMenu9")->isEnabled());

    ui.expectMessage(MsgAnswer::Ok);
    DocumentAction::send(first, "PRINT");
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, "Command 'PRINT'  is not valid in FrmBestel.Action");
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);

    // The menu acts on the window that lost the focus last.
    shared().LastOrderWindow = first;
    ui.expectFile(std::nullopt);
    m.EMenu_Click(6); // "Ops&laan Als..." cancelled
    ASSERT_EQ(ui.fileRequests().size(), 1);
    m.EMenu_Click(3);
    settle();
    EXPECT_EQ(orderWindows(), QList<FrmBestel*>{second});
    EXPECT_NE(shared().LastOrderWindow, first);
    shared().LastOrderWindow = nullptr;
    m.EMenu_Click(3); // no matching window: nothing
    EXPECT_EQ(orderWindows().size(), 1);

    // Closing the main window closes the order windows, which may refuse.
    second->findChild<QLineEdit*>("txtReferentie")->setText("x");
    ui.expectMessage(MsgAnswer::Cancel);
    EXPECT_FALSE(m.close());
    EXPECT_EQ(orderWindows().size(), 1);
}

TEST_F(OrderWindowTest, AFailedSaveSaysSoAndKeepsThePreviousFile)
{
    start();
    FrmBestel* w = newOrder();
    const QString path = dir.file("vol.vdb");
    ui.expectFile(path);
    DocumentAction::send(w, "SAVEAS");
    const QByteArray before = readBytes(path);
    ASSERT_TRUE(before.endsWith("\r\x1a"));

    w->findChild<QLineEdit*>("txtReferentie")->setText(QString(100, 'r'));
    articleClipboard().replace(QList<ClipboardArticle>(400, ClipboardArticle{1, 1000001, "", {}, {}, 1}));
    w->mnuT_Click(5);
    ASSERT_EQ(w->content().lines.size(), 400);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous;
    limit.rlim_cur = 2048;
    setrlimit(RLIMIT_FSIZE, &limit);
    ui.expectMessage(MsgAnswer::Ok);
    const bool saved = w->SaveOrder(path);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, "Fout tijdens opslaan " + path + ": De schijf is vol");
    EXPECT_EQ(ui.messages()[0].title, "SaveOrder");
    EXPECT_EQ(readBytes(path), before);
}

TEST_F(OrderWindowTest, PrintingShowsProgressAndTakesNoCommandsMeanwhile)
{
    start();
    FrmBestel* w = newOrder();
    articleClipboard().replace(QList<ClipboardArticle>(60, ClipboardArticle{1, 1234567, "", {}, {}, 1}));
    w->mnuT_Click(5);
    ASSERT_EQ(w->content().lines.size(), 60);
    RecordingPrintDevice printer;
    ScopedPrintDevice toRecorder(printer);

    // While it prints, events run: the progress window shows, the order window takes no
    // input, and its close box does nothing (it would ask to save and unload the lines).
    QPointer<QWidget> progress;
    bool seen = false;
    bool enabledMeanwhile = true;
    int tries = 0;
    std::function<void()> look = [&] {
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == "PercForm" && t->isVisible())
                progress = t;
        seen = progress;
        if (!seen && ++tries < 20) {
            QTimer::singleShot(0, w, look);
            return;
        }
        enabledMeanwhile = w->isEnabled();
        w->close();
    };
    QTimer::singleShot(0, w, look);
    w->findChild<QPushButton*>("Command11")->click();

    ASSERT_TRUE(seen);
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(printer.jobsEnded(), 1);
    EXPECT_EQ(printer.texts().count("1234567"), 60);
    EXPECT_TRUE(!progress || !progress->isVisible()); // gone with the job
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(orderWindows(), QList<FrmBestel*>{w});
    EXPECT_EQ(w->content().lines.size(), 60);
}
