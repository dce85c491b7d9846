// Rows copied in the main window with "&Kopiëren selectie" and pasted into an order, and
// the order window's own copy, paste and delete of lines.
#include "documentsfixture.h"

#include "app/core/sharedstate.h"
#include "browser/articleclipboard.h"
#include "browser/articlegrid.h"
#include "browser/recordsetmodel.h"
#include "documents/orderlinesmodel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>

using namespace vandrel;
using vandrel::test::DocumentsFixture;

namespace {

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

void selectInOrder(QTableView* grid, const QList<int>& rows)
{
    grid->clearSelection();
    for (int r : rows)
        grid->selectionModel()->select(grid->model()->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

class ArticleClipboardTest : public DocumentsFixture {};

TEST_F(ArticleClipboardTest, CopiedInTheListPastedIntoAnOrder)
{
    FrmArtinfo& m = start();
    ArticleGrid* list = m.table3();
    selectInOrder(list, {rowOfArticle(list, 1234568), rowOfArticle(list, 2000001)});
    m.mnuT_Click(4);
    const QList<ClipboardArticle> rows = articleClipboard().rows();
    ASSERT_EQ(rows.size(), 2);
    // The list has no Aantal column: quantity 1; the amounts are the catalog's, Per apart.
    EXPECT_EQ(rows[0], (ClipboardArticle{1, 1234568, "Knie 22 mm", Currency::fromCents(2500), Currency::fromCents(2000), 5}));
    EXPECT_EQ(rows[1].articleNumber, 2000001);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "1\t1234568\tKnie 22 mm\t25\t5\t20\r\n1\t2000001\tIJzerzaag 300 mm\t8\t1\t6,4\r\n");
    EXPECT_FALSE(shared().BatchInProgress);

    // The saw leaves the catalog before the paste: its line takes the clipboard's amounts.
    ASSERT_TRUE(databaseHandles().catalog->execute("DELETE * FROM Products WHERE ArtikelNr = 2000001"));
    FrmBestel* w = newOrder();
    w->mnuT_Click(5);
    const QList<OrderFileLine> lines = w->content().lines;
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], (OrderFileLine{1, 1234568, "Knie 22 mm", Currency::fromCents(500), Currency::fromCents(400)}));
    EXPECT_EQ(lines[1], (OrderFileLine{1, 2000001, "IJzerzaag 300 mm", Currency::fromCents(800), Currency::fromCents(640)}));
    EXPECT_TRUE(w->changed());
}

TEST_F(ArticleClipboardTest, OrderLinesCopiedPastedAndDeleted)
{
    start();
    FrmBestel* from = newOrder();
    articleClipboard().replace({{3, 1000001, "", {}, {}, 1}, {2, 1234567, "", {}, {}, 1}, {1, 4242, "eigen", Currency::fromCents(999), Currency::fromCents(888), 1}});
    from->mnuT_Click(5);
    ASSERT_EQ(from->content().lines.size(), 3);

    // Select all, deselect, select two, copy them into another order.
    from->mnuT_Click(1);
    EXPECT_EQ(from->table()->selectionModel()->selectedRows().size(), 3); // not the new-line row
    from->mnuT_Click(2);
    EXPECT_FALSE(from->table()->selectionModel()->hasSelection());
    selectInOrder(from->table(), {2, 0});
    from->mnuT_Click(4);
    FrmBestel* to = newOrder();
    to->mnuT_Click(5);
    const QList<OrderFileLine> pasted = to->content().lines;
    ASSERT_EQ(pasted.size(), 2);
    EXPECT_EQ(pasted[0], (OrderFileLine{1, 4242, "eigen", Currency::fromCents(999), Currency::fromCents(888)}));
    EXPECT_EQ(pasted[1], (OrderFileLine{3, 1000001, "Wastafel 60 cm", Currency::fromCents(36000), Currency::fromCents(28800)}));

    // "&Wissen selectie" removes the selected lines without a question.
    selectInOrder(from->table(), {0, 2});
    from->mnuT_Click(6);
    ASSERT_EQ(from->content().lines.size(), 1);
    EXPECT_EQ(from->content().lines[0].articleNumber, 1234567);
    EXPECT_EQ(rowsInStore(from->tag().toInt()), 1);
    EXPECT_TRUE(ui.messages().isEmpty());
}
