#include "documents/orderrules.h"

namespace vandrel {

namespace {
std::function<QDate()>& clock()
{
    static std::function<QDate()> today;
    return today;
}
} // namespace

QDate proposedDeliveryDate(const QDate& today)
{
    const QDate tomorrow = today.addDays(1);
    switch (tomorrow.dayOfWeek()) {
    case Qt::Saturday: return today.addDays(3);
    case Qt::Sunday: return today.addDays(2);
    default: return tomorrow;
    }
}

QString newOrderReference(const QDate& today)
{
    return QStringLiteral("order van ") + today.toString(QStringLiteral("dd-MM-yyyy"));
}

Currency lineAmount(qint64 quantity, Currency price, double priceUnit)
{
    const Currency divisor = priceUnit < 1 ? Currency::fromRaw(Currency::scale) : Currency::fromDouble(priceUnit);
    return (price * quantity) / divisor;
}

QDate documentToday()
{
    return clock() ? clock()() : QDate::currentDate();
}

void setDocumentClock(std::function<QDate()> today)
{
    clock() = std::move(today);
}


void completeTypedLine(OrderFileLine& line, OrderColumn edited, const ArticleLookup& lookup)
{
    if (line.quantity == 0)
        line.quantity = 1;
    if (edited != OrderColumn::Artikel && edited != OrderColumn::Aantal)
        return;
    const std::optional<CatalogArticle> article = lookup ? lookup(line.articleNumber) : std::nullopt;
    if (!article)
        return; // not found, or 9999999 with no catalog row: nothing to take
    line.gross = lineAmount(line.quantity, article->gross, article->priceUnit);
    line.description = article->description;
    line.net = lineAmount(line.quantity, article->net, article->priceUnit);
}

QList<OrderFileLine> pastedOrderLines(const QList<ClipboardArticle>& rows, const ArticleLookup& lookup)
{
    QList<OrderFileLine> lines;
    for (const ClipboardArticle& row : rows) {
        if (row.quantity < 1 || row.articleNumber < 1)
            continue;
        OrderFileLine line;
        line.quantity = row.quantity;
        line.articleNumber = row.articleNumber;
        if (const auto article = lookup ? lookup(row.articleNumber) : std::nullopt) {
            const double p = article->priceUnit > 0 ? article->priceUnit : 1;
            line.description = article->description;
            line.gross = lineAmount(row.quantity, article->gross, p);
            line.net = lineAmount(row.quantity, article->net, p);
        } else {
            line.description = row.description;
            // A clipboard row without a price unit cannot be divided: its amounts stay empty.
            if (row.priceUnit > 0) {
                const Currency unit = Currency::fromDouble(row.priceUnit);
                line.gross = row.gross / unit;
                line.net = row.net / unit;
            }
        }
        lines << line;
    }
    return lines;
}

QList<ClipboardArticle> copiedOrderLines(const QList<OrderFileLine>& lines)
{
    QList<ClipboardArticle> rows;
    for (const OrderFileLine& l : lines)
        rows << ClipboardArticle{l.quantity, l.articleNumber, l.description, l.gross.value_or(Currency()),
                                 l.net.value_or(Currency()), 1.0f};
    return rows;
}

} // namespace vandrel
