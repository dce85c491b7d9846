#pragma once

#include "documents/orderfile.h"

#include <QString>

namespace vandrel {

class Database;

// The lines of one open order window: rows of BestelRegels under the window's order code.
// The table is only a working store; the file is the document.
class OrderLineStore {
public:
    OrderLineStore(Database* orders, int orderCode) : db_(orders), code_(orderCode) {}

    int orderCode() const { return code_; }

    // Adds the lines of a file, numbered 1, 2, 3 ... in file order (one transaction).
    bool insertLoaded(const QList<OrderFileLine>& lines);
    // Adds one line (typed, dropped, pasted: no line number). Empty amounts stay empty.
    bool add(const OrderFileLine& line);
    // The lines in the grid's order; empty quantities and article numbers read as 0.
    QList<OrderFileLine> lines() const;

    // A line with its row identity, for the grid.
    struct Row {
        qint64 id = 0;
        OrderFileLine line;
        std::optional<int> lineNumber; // RegelNummer: set for lines loaded from a file
    };
    QList<Row> rows() const;
    bool update(qint64 id, const OrderFileLine& line);
    bool remove(qint64 id);
    // Deletes every row of this order.
    bool deleteAll();

private:
    Database* db_;
    int code_;
};

} // namespace vandrel
