#pragma once

#include "documents/orderlinestore.h"
#include "documents/orderrules.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace vandrel {

// The order window's grid over its lines: Aantal, Artikel ("0000000"), Omschrijving,
// Verkoop and Inkoop ("0.00", right-aligned), and the hidden RegelNummer and OrderCode.
// A last, empty row takes a new line, as the grid always offered. Edits are handed to the
// window (lineEdited), which completes and stores them.
class OrderLinesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int RegelNummerColumn = 5;
    static constexpr int OrderCodeColumn = 6;

    explicit OrderLinesModel(QObject* parent = nullptr);

    void setStore(OrderLineStore* store); // not owned; nullptr empties the grid
    OrderLineStore* store() const { return store_; }
    // Reads the lines again from the store.
    void reload();
    // The stored line of a grid row; nullptr for the new-line row.
    const OrderLineStore::Row* row(int gridRow) const;
    int lineCount() const { return int(rows_.size()); }
    // Puts a stored row in place after the window changed it.
    void replaceRow(int gridRow, const OrderLineStore::Row& row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The user changed a cell: the line as it now reads (gridRow == lineCount() for the
    // new-line row).
    void lineEdited(int gridRow, vandrel::OrderColumn column, const vandrel::OrderFileLine& line);

private:
    OrderLineStore* store_ = nullptr;
    QList<OrderLineStore::Row> rows_;
};

} // namespace vandrel
