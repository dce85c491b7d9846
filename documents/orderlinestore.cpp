#include "documents/orderlinestore.h"

#include "catalogdb/database.h"

namespace vandrel {

namespace {

bool addRow(Recordset& rs, const OrderFileLine& line, int orderCode, int lineNumber)
{
    if (!rs.addNew())
        return false;
    rs.setValue(QStringLiteral("OrderCode"), orderCode);
    if (lineNumber > 0)
        rs.setValue(QStringLiteral("RegelNummer"), lineNumber);
    rs.setValue(QStringLiteral("Aantal"), line.quantity);
    rs.setValue(QStringLiteral("Artikel"), line.articleNumber);
    rs.setValue(QStringLiteral("Omschrijving"), line.description);
    if (line.gross)
        rs.setValue(QStringLiteral("Verkoop"), QVariant::fromValue(*line.gross));
    if (line.net)
        rs.setValue(QStringLiteral("Inkoop"), QVariant::fromValue(*line.net));
    return rs.update();
}

} // namespace

bool OrderLineStore::insertLoaded(const QList<OrderFileLine>& lines)
{
    if (!db_)
        return false;
    auto rs = db_->openRecordset(QStringLiteral("BestelRegels"), Recordset::Table);
    if (!rs)
        return false;
    const bool ownTransaction = db_->beginTrans();
    bool ok = true;
    int number = 0;
    for (const OrderFileLine& line : lines)
        ok = addRow(*rs, line, code_, ++number) && ok;
    if (ownTransaction)
        db_->commitTrans();
    return ok;
}

bool OrderLineStore::add(const OrderFileLine& line)
{
    if (!db_)
        return false;
    auto rs = db_->openRecordset(QStringLiteral("BestelRegels"), Recordset::Table);
    return rs && addRow(*rs, line, code_, 0);
}

QList<OrderFileLine> OrderLineStore::lines() const
{
    QList<OrderFileLine> result;
    for (const Row& row : rows())
        result << row.line;
    return result;
}

QList<OrderLineStore::Row> OrderLineStore::rows() const
{
    QList<Row> result;
    if (!db_)
        return result;
    // In the order the lines came in (the file's order for loaded ones): the table's index
    // on OrderCode;RegelNummer would put lines added later, which have no number, first.
    auto rs = db_->openRecordset(QStringLiteral("SELECT Aantal, Artikel, Omschrijving, Verkoop, Inkoop, RegelNummer, ID "
                                                "FROM BestelRegels WHERE OrderCode = ") +
                                     QString::number(code_) + QStringLiteral(" ORDER BY ID"),
                                 Recordset::ForwardOnly, Recordset::ReadOnly);
    if (!rs)
        return result;
    for (; rs->hasCurrent(); rs->moveNext()) {
        Row row;
        OrderFileLine& l = row.line;
        l.quantity = rs->value(0).toInt();
        l.articleNumber = rs->value(1).toInt();
        l.description = rs->value(2).toString();
        if (!rs->value(3).isNull())
            l.gross = rs->currency(3);
        if (!rs->value(4).isNull())
            l.net = rs->currency(4);
        if (!rs->value(5).isNull())
            row.lineNumber = rs->value(5).toInt();
        row.id = rs->value(6).toLongLong();
        result << row;
    }
    return result;
}

bool OrderLineStore::update(qint64 id, const OrderFileLine& line)
{
    if (!db_)
        return false;
    auto rs = db_->openRecordset(QStringLiteral("SELECT * FROM BestelRegels WHERE ID = ") + QString::number(id));
    if (!rs || !rs->hasCurrent() || !rs->edit())
        return false;
    rs->setValue(QStringLiteral("Aantal"), line.quantity);
    rs->setValue(QStringLiteral("Artikel"), line.articleNumber);
    rs->setValue(QStringLiteral("Omschrijving"), line.description);
    rs->setValue(QStringLiteral("Verkoop"), line.gross ? QVariant::fromValue(*line.gross) : QVariant());
    rs->setValue(QStringLiteral("Inkoop"), line.net ? QVariant::fromValue(*line.net) : QVariant());
    return rs->update();
}

bool OrderLineStore::remove(qint64 id)
{
    return db_ && db_->execute(QStringLiteral("DELETE * FROM BestelRegels WHERE ID = ") + QString::number(id));
}

bool OrderLineStore::deleteAll()
{
    return db_ && db_->execute(QStringLiteral("DELETE * FROM BestelRegels WHERE OrderCode = ") + QString::number(code_));
}

} // namespace vandrel
