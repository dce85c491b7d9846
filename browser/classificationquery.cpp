#include "browser/classificationquery.h"

#include "app/core/helpers.h"
#include "browser/sqlquote.h"

#include <QRegularExpression>

#include <cmath>

namespace vandrel::classificationquery {

QString groupQuery()
{
    return QStringLiteral("SELECT * FROM ProductGroups WHERE Mid(ProduktGroep,4,2) <> '00' ORDER BY GroepOmschrijving");
}

QString valuesQuery(const QString& groupCode, int n)
{
    const QString field = QStringLiteral("Klassificatie_%1").arg(n);
    return QStringLiteral("SELECT DISTINCT ") + field + QStringLiteral(" FROM Products ") +
           QStringLiteral("WHERE ProduktGroep LIKE '") + sqlEscaped(groupCode.trimmed()) + QStringLiteral("*' ") +
           QStringLiteral("AND ") + field + QStringLiteral(" > '0'");
}

QString colourValuesQuery(const QString& groupCode, int n, const QString& catalogPath)
{
    return QStringLiteral("SELECT DISTINCT Kleurnaam, KleurCode FROM ColorSpecifications ") +
           QStringLiteral("WHERE KleurenWaaier IN (SELECT ") + QStringLiteral("KleurenWaaier FROM Series ") +
           QStringLiteral("WHERE Series.SerieKode IN (SELECT ") + QStringLiteral("SerieKode FROM Products ") +
           QStringLiteral("IN '") + sqlEscaped(catalogPath) + QStringLiteral("' ") +
           QStringLiteral("WHERE Products.ProduktGroep LIKE '") + sqlEscaped(groupCode.trimmed()) +
           QStringLiteral("*' ") + QStringLiteral("AND Products.Klassificatie_%1 > '0'))").arg(n);
}

qint64 roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double result = lower;
    if (fraction > 0.5)
        result = lower + 1;
    else if (fraction == 0.5)
        result = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
    return qint64(result);
}

bool hasLeadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?\\s*(\\d|\\.\\d)"));
    return number.match(text).hasMatch();
}

QString propertyCondition(int n, const PropertyChoice& choice)
{
    // A panel hidden for this group keeps its previous state, but a property the group
    // does not have cannot select anything.
    if (!choice.shown || !choice.listEnabled)
        return {};
    const QString field = QStringLiteral("Klassificatie_%1").arg(n);
    switch (choice.comparison) {
    case Comparison::Exact:
        return QLatin1Char(' ') + field + QStringLiteral(" = ") + SqlQuote(choice.value, false) + QLatin1Char(' ');
    case Comparison::Tolerance:
        if (choice.numeric) {
            // Read as VAL() reads the stored text, so a value always matches itself.
            const double v = Val(choice.value);
            const double deviation = v * choice.tolerance / 100.0;
            return QStringLiteral(" VAL(") + field + QStringLiteral(") ") + QStringLiteral(" BETWEEN ") +
                   QString::number(roundHalfEven(v - deviation)) + QStringLiteral(" AND ") +
                   QString::number(roundHalfEven(v + deviation));
        }
        return QLatin1Char(' ') + field + QStringLiteral(" LIKE ") + SqlQuote(choice.value, true) + QLatin1Char(' ');
    case Comparison::Ignore:
        break;
    }
    return {};
}

QString selectionStatement(const QString& columns, const QString& groupCode, const QStringList& conditions)
{
    QStringList parts;
    for (const QString& c : conditions)
        parts << QLatin1Char('(') + c + QLatin1Char(')');
    return QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM Products WHERE LEFT(ProduktGroep,5) = '") +
           sqlEscaped(groupCode.trimmed()) + QStringLiteral("' AND ") + parts.join(QStringLiteral(" AND ")) +
           QStringLiteral(" ORDER BY ProduktGroep, ArtikelNr");
}

QString colourStatement(const QString& columns, qint64 colourCode)
{
    QStringList parts;
    for (int n = 1; n <= 4; ++n)
        parts << QStringLiteral("(Klassificatie_%1 = ").arg(n) + SqlQuote(QString::number(colourCode), false) +
                     QLatin1Char(')');
    return QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM Products WHERE ") +
           parts.join(QStringLiteral(" OR ")) + QStringLiteral(" ORDER BY ProduktGroep, ArtikelNr");
}

QColor packedColour(qint64 code)
{
    return QColor(int(code & 0xFF), int((code >> 8) & 0xFF), int((code >> 16) & 0xFF));
}

QColor textColourOn(qint64 code)
{
    constexpr qint64 darkGrey = 64 + 64 * 256 + 64 * 65536;
    return code < darkGrey ? QColor(Qt::white) : QColor(Qt::black);
}

FanLayout fanLayout(int swatches)
{
    FanLayout l;
    l.columns = std::max(3, swatches / 6);
    for (int i = 0; i < swatches; ++i)
        l.positions << QPoint(FanLayout::margin + (i % l.columns) * FanLayout::swatchSize,
                              FanLayout::margin + (i / l.columns) * FanLayout::swatchSize);
    const int lastRowTop = l.positions.isEmpty() ? FanLayout::margin : l.positions.last().y();
    l.windowWidth = l.columns * FanLayout::swatchSize + 270;
    // The last row is always inside the window, full or not.
    l.windowHeight = lastRowTop + 420 + FanLayout::swatchSize;
    return l;
}

} // namespace vandrel::classificationquery
