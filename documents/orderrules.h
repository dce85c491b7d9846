#pragma once

#include "app/core/currency.h"
#include "browser/articleclipboard.h"
#include "documents/catalogcursor.h"
#include "documents/orderfile.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

namespace vandrel {

// The next working day: tomorrow, or Monday when tomorrow falls in the weekend.
QDate proposedDeliveryDate(const QDate& today);

// "order van dd-mm-yyyy".
QString newOrderReference(const QDate& today);

// A line total: quantity x price / price unit, where a price unit that is empty or below
// 1 counts as 1 (catalog prices are quoted per that many pieces).
Currency lineAmount(qint64 quantity, Currency price, double priceUnit);

// The article number that marks the end record of an update file; an order line takes it
// even when the catalog has no such article.
inline constexpr qint32 endRecordArticle = 9999999;

// Today's date for the document windows; tests set their own clock.
QDate documentToday();
void setDocumentClock(std::function<QDate()> today); // empty: the system clock

using ArticleLookup = std::function<std::optional<CatalogArticle>(qint32 articleNumber)>;

// The grid's editable columns, in grid order.
enum class OrderColumn { Aantal = 0, Artikel = 1, Omschrijving = 2, Verkoop = 3, Inkoop = 4 };

// A line the user typed in the grid: an empty or 0 quantity becomes 1; after a change of
// the article number or the quantity the description and both line totals come from the
// catalog. Article 9999999 without a catalog row keeps what the line had.
void completeTypedLine(OrderFileLine& line, OrderColumn edited, const ArticleLookup& lookup);

// "&Plakken": the clipboard rows with quantity and article number of at least 1, priced
// from the catalog when the article is there, else from the clipboard row.
QList<OrderFileLine> pastedOrderLines(const QList<ClipboardArticle>& rows, const ArticleLookup& lookup);

// "&Kopiëren selectie" in an order: the lines as clipboard rows. Their amounts are line
// totals, so they carry price unit 1.
QList<ClipboardArticle> copiedOrderLines(const QList<OrderFileLine>& lines);

} // namespace vandrel
