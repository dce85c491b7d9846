#pragma once

#include <QTableView>

namespace vandrel {

class DataControl;
class RecordsetModel;

// An article grid (Table3 in the list view, Table in the details view) bound to a data
// control, with the user's column layout.
class ArticleGrid : public QTableView {
    Q_OBJECT
public:
    ArticleGrid(const QString& objectName, QWidget* parent = nullptr);

    void bind(DataControl* data);
    DataControl* dataControl() const { return data_; }
    RecordsetModel* recordsetModel() const;

    // Applies the grid's sizes string and the column formats.
    void SetColumnWidth();
    // Reads the current columns back into the grid's layout strings (the caller saves).
    void StoreColLayout();
    // The restore's widths, formats and alignments by field.
    void applyDefaultColumns();

    // Column widths in the stored unit of the layout strings (pixels of the original
    // screens); shown scaled by widthScale() to today's fonts.
    int storedWidth(int column) const;
    void setStoredWidth(int column, int width);
    double widthScale() const { return widthScale_; }

    // Rows selected, in the order selected; the current row when none is.
    QList<int> selectedRowsInOrder() const;

signals:
    // A column was moved or resized by the user.
    void columnLayoutChanged();
    // Right button released: the window shows mnuTabel.
    void contextMenuWanted(const QPoint& globalPos, bool hasSelection);
    void rowDoubleClicked(int row);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    DataControl* data_ = nullptr;
    bool applyingLayout_ = false;
    double widthScale_ = 1.0;
};

} // namespace vandrel
