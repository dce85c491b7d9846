#include "browser/articlegrid.h"

#include "browser/columnlayout.h"
#include "browser/datacontrol.h"
#include "browser/recordsetmodel.h"
#include "app/core/helpers.h"
#include "app/core/settings.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProxyStyle>

#include <cmath>

namespace vandrel {

namespace {

// Cells and headers with a narrow text margin: the stored widths were made for a grid
// whose cells had next to none, and Per and KortingGroep are only 21 units wide.
class CompactGridStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_FocusFrameHMargin)
            return 1; // the cell text margin is this plus one
        if (metric == PM_HeaderMargin)
            return 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The digit width of the small sans-serif face of the screens the stored widths were
// made on.
constexpr double storedDigitWidth = 5.0;

} // namespace

ArticleGrid::ArticleGrid(const QString& objectName, QWidget* parent) : QTableView(parent)
{
    setObjectName(objectName);
    SetGridDefaults(this);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setAlternatingRowColors(true);
    setWordWrap(false);
    // The stored widths are pixels of a grid in a small sans-serif face.
    QFont gridFont(QStringLiteral("Arial"));
    gridFont.setPointSizeF(8);
    setFont(gridFont);
    horizontalHeader()->setFont(gridFont);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(gridFont).height() + 4);
    verticalHeader()->setMinimumWidth(14);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(8); // Per and KortingGroep are 21 wide
    // A caption wider than its column shows its start (the whole name is the tooltip).
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* compact = new CompactGridStyle;
    compact->setParent(this);
    setStyle(compact);
    horizontalHeader()->setStyle(compact);
    // One scale from the stored unit to today's pixels, taken from the grid's own face,
    // so a stored width shows the same number of digits it always did.
    widthScale_ = std::max(1.0, QFontMetricsF(gridFont).horizontalAdvance(QStringLiteral("0123456789")) / 10.0 /
                                    storedDigitWidth);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this] {
        if (!applyingLayout_)
            emit columnLayoutChanged();
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        // Only a resize by the user: the view also resizes sections itself on a new model.
        if (!applyingLayout_ && QGuiApplication::mouseButtons() != Qt::NoButton)
            emit columnLayoutChanged();
    });
}

void ArticleGrid::bind(DataControl* data)
{
    data_ = data;
    setModel(data->model());
    const auto follow = [this] {
        const int row = data_->currentRow();
        if (row >= 0 && currentIndex().row() != row)
            setCurrentIndex(model()->index(row, std::max(0, currentIndex().column())));
    };
    connect(data, &DataControl::refreshed, this, follow);
    connect(data, &DataControl::reposition, this, follow);
}

int ArticleGrid::storedWidth(int column) const
{
    // Rounding both ways is exact for a scale of at least 1: a stored width comes back
    // unchanged however often the layout is stored and applied.
    return int(std::lround(columnWidth(column) / widthScale_));
}

void ArticleGrid::setStoredWidth(int column, int width)
{
    setColumnWidth(column, int(std::lround(width * widthScale_)));
}

RecordsetModel* ArticleGrid::recordsetModel() const { return data_ ? data_->model() : nullptr; }

void ArticleGrid::SetColumnWidth()
{
    RecordsetModel* m = recordsetModel();
    if (!m || m->columnCount() == 0)
        return;
    const ColumnLayouts& c = columnLayouts();
    const QList<int> sizes = columnlayout::parseSizes(
        columnlayout::isListGrid(objectName()) ? c.viewColumnSizes : c.detailColumnSizes);
    applyingLayout_ = true;
    QHeaderView* header = horizontalHeader();
    int next = 0;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (header->isSectionHidden(column))
            continue;
        const columnlayout::ColumnSpec* spec = columnlayout::specFor(m->fieldName(column));
        if (!spec)
            continue;
        if (next < sizes.size())
            setStoredWidth(column, sizes[next++]);
        m->setNumberFormat(column, spec->numberFormat);
        m->setAlignment(column, spec->alignment);
    }
    applyingLayout_ = false;
}

void ArticleGrid::applyDefaultColumns()
{
    RecordsetModel* m = recordsetModel();
    if (!m)
        return;
    applyingLayout_ = true;
    for (int column = 0; column < m->columnCount(); ++column) {
        const QString field = m->fieldName(column);
        const columnlayout::ColumnSpec* spec = columnlayout::specFor(field);
        setStoredWidth(column, columnlayout::defaultWidthFor(field));
        m->setNumberFormat(column, spec ? spec->numberFormat : QString());
        m->setAlignment(column, spec ? spec->restoreAlignment : columnlayout::AlignGeneral);
    }
    applyingLayout_ = false;
}

void ArticleGrid::StoreColLayout()
{
    RecordsetModel* m = recordsetModel();
    if (!m)
        return;
    QList<columnlayout::GridColumn> columns;
    QHeaderView* header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        columns << columnlayout::GridColumn{m->fieldName(column), double(storedWidth(column)),
                                            !header->isSectionHidden(column)};
    }
    QString layout;
    QString sizes;
    columnlayout::buildLayout(columns, layout, sizes);
    columnlayout::storeLayout(objectName(), layout, sizes);
}

QList<int> ArticleGrid::selectedRowsInOrder() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& i : selectionModel()->selectedIndexes()) {
        if (!rows.contains(i.row()))
            rows << i.row();
    }
    if (rows.isEmpty() && currentIndex().isValid())
        rows << currentIndex().row();
    return rows;
}

void ArticleGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept(); // the context menu comes on release
        return;
    }
    QTableView::mousePressEvent(event);
}

void ArticleGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        const bool hasSelection = selectionModel() && selectionModel()->hasSelection();
        emit contextMenuWanted(event->globalPosition().toPoint(), hasSelection);
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void ArticleGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    if (index.isValid())
        emit rowDoubleClicked(index.row());
}

void ArticleGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (data_ && current.isValid() && current.row() != data_->currentRow())
        data_->moveToRow(current.row());
}

} // namespace vandrel
