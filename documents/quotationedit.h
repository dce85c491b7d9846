#pragma once

#include "app/core/currency.h"

#include <QLocale>
#include <QString>

namespace vandrel {

struct ClipboardArticle;
struct DroppedArticle;
struct QuotationArticle;

// The editing rules of the quotation window that need no window.
namespace quotationedit {

// An article row as "&Kopiëren selectie" puts a line on the article clipboard: a line
// without tab is a description with all numbers 0; otherwise quantity (0 when field 1
// holds "%"), article number (0 when field 2 is no number), description and gross amount.
ClipboardArticle clipboardRow(const QString& line, const QLocale& locale = QLocale());

// The line "&Plakken" inserts for a clipboard row: an article line when it has a
// quantity, else the description alone.
QString pastedLine(const ClipboardArticle& row, const QLocale& locale = QLocale());

// The line a catalog row dropped on the list becomes.
QString droppedLine(const DroppedArticle& row, const QLocale& locale = QLocale());

// The amount box after the quantity changed: the unit price (remembered amount /
// remembered quantity, 0 when that cannot be computed) times the new quantity, "0.00".
QString rescaledAmount(const QString& rememberedQuantity, const QString& rememberedAmount,
                       const QString& newQuantity, const QLocale& locale = QLocale());

// The amount of a looked-up article: quantity x gross price / price unit, "0.00".
QString articleAmount(const QString& quantity, const QuotationArticle& article,
                      const QLocale& locale = QLocale());

// Characters the amount box takes.
bool isAmountCharacter(QChar c);

} // namespace quotationedit
} // namespace vandrel
