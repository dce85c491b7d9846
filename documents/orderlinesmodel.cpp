#include "documents/orderlinesmodel.h"

namespace vandrel {

OrderLinesModel::OrderLinesModel(QObject* parent) : QAbstractTableModel(parent) {}

void OrderLinesModel::setStore(OrderLineStore* store)
{
    store_ = store;
    reload();
}

void OrderLinesModel::reload()
{
    beginResetModel();
    rows_ = store_ ? store_->rows() : QList<OrderLineStore::Row>();
    endResetModel();
}

const OrderLineStore::Row* OrderLinesModel::row(int gridRow) const
{
    return gridRow >= 0 && gridRow < rows_.size() ? &rows_[gridRow] : nullptr;
}

void OrderLinesModel::replaceRow(int gridRow, const OrderLineStore::Row& row)
{
    if (gridRow < 0 || gridRow > rows_.size())
        return;
    if (gridRow == rows_.size()) {
        beginInsertRows({}, gridRow + 1, gridRow + 1); // a new empty row appears below
        rows_ << row;
        endInsertRows();
        emit dataChanged(index(gridRow, 0), index(gridRow, OrderCodeColumn));
        return;
    }
    rows_[gridRow] = row;
    emit dataChanged(index(gridRow, 0), index(gridRow, OrderCodeColumn));
}

int OrderLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !store_ ? 0 : int(rows_.size()) + 1;
}

int OrderLinesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 7;
}

namespace {

QString amountText(const std::optional<Currency>& a)
{
    return a ? a->format(2, QLocale()) : QString();
}

} // namespace

QVariant OrderLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int c = index.column();
    if (role == Qt::TextAlignmentRole) {
        if (c == 3 || c == 4 || c == 0)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const OrderLineStore::Row* r = row(index.row());
    if (!r)
        return {}; // the new-line row
    const OrderFileLine& l = r->line;
    switch (c) {
    case 0: return l.quantity ? QVariant(QString::number(l.quantity)) : QVariant(QString());
    case 1: return l.articleNumber ? QVariant(QStringLiteral("%1").arg(l.articleNumber, 7, 10, QLatin1Char('0'))) : QVariant(QString());
    case 2: return l.description;
    case 3: return amountText(l.gross);
    case 4: return amountText(l.net);
    case RegelNummerColumn: return r->lineNumber ? QVariant(*r->lineNumber) : QVariant();
    case OrderCodeColumn: return store_ ? QVariant(store_->orderCode()) : QVariant();
    default: return {};
    }
}

bool OrderLinesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !store_ || index.column() > 4)
        return false;
    OrderFileLine line;
    if (const OrderLineStore::Row* r = row(index.row()))
        line = r->line;
    const QString text = value.toString().trimmed();
    const auto whole = [&](qint32& target) {
        if (text.isEmpty()) {
            target = 0;
            return true;
        }
        bool ok = false;
        const qint32 n = text.toInt(&ok);
        if (ok)
            target = n;
        return ok;
    };
    const auto money = [&](std::optional<Currency>& target) {
        if (text.isEmpty()) {
            target.reset();
            return true;
        }
        const auto a = Currency::parse(text, QLocale());
        if (a)
            target = a;
        return bool(a);
    };
    const auto column = OrderColumn(index.column());
    bool ok = true;
    switch (column) {
    case OrderColumn::Aantal: ok = whole(line.quantity); break;
    case OrderColumn::Artikel: ok = whole(line.articleNumber); break;
    case OrderColumn::Omschrijving: line.description = value.toString(); break;
    case OrderColumn::Verkoop: ok = money(line.gross); break;
    case OrderColumn::Inkoop: ok = money(line.net); break;
    }
    if (!ok)
        return false; // the cell keeps what it had
    emit lineEdited(index.row(), column, line);
    return true;
}

QVariant OrderLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section == rows_.size() ? QStringLiteral("*") : QString();
    static const char* names[] = {"Aantal", "Artikel", "Omschrijving", "Verkoop", "Inkoop", "RegelNummer", "OrderCode"};
    return section >= 0 && section < 7 ? QString::fromLatin1(names[section]) : QString();
}

Qt::ItemFlags OrderLinesModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (index.column() <= 4)
        f |= Qt::ItemIsEditable;
    return f;
}

} // namespace vandrel
