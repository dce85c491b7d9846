#include "browser/columnlayout.h"

#include "app/core/settings.h"
#include "app/core/ui.h"

#include <QRegularExpression>

namespace vandrel::columnlayout {

const QList<ColumnSpec>& columnSet()
{
    static const QList<ColumnSpec> set = {
        {"ArtikelNr", "ArtikelNr", "0000000", AlignLeft, 54, AlignLeft},
        {"Beschrijving", "Beschrijving", "", AlignGeneral, 237, AlignGeneral},
        {"Bruto excl", "Brutoprijs AS [Bruto excl]", "Standard", AlignRight, 52, AlignRight},
        {"Bruto incl", "(Brutoprijs * 1.19) AS [Bruto incl]", "Standard", AlignRight, 52, AlignRight},
        {"Per", "Per", "", AlignGeneral, 21, AlignRight},
        {"Netto excl", "NettoPrijs AS [Netto excl]", "Standard", AlignRight, 50, AlignRight},
        {"ArtNummerLev", "ArtNummerLev", "", AlignGeneral, 78, AlignGeneral},
        {"EANNummer", "EANNummer", "", AlignGeneral, 85, AlignGeneral},
        {"KortingGroep", "KortingGroep", "", AlignGeneral, 21, AlignRight},
    };
    return set;
}

const ColumnSpec* specFor(const QString& dataField)
{
    for (const ColumnSpec& s : columnSet()) {
        if (s.dataField.compare(dataField, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

int defaultWidthFor(const QString& dataField)
{
    const ColumnSpec* s = specFor(dataField);
    return s ? s->defaultWidth : 100;
}

bool isListGrid(const QString& gridName) { return gridName == QLatin1String("Table3"); }

QString ReeksDef(const QString& gridName)
{
    ColumnLayouts& c = columnLayouts();
    QString& layout = isListGrid(gridName) ? c.viewColumnLayout : c.detailColumnLayout;
    QString& sizes = isListGrid(gridName) ? c.viewColumnSizes : c.detailColumnSizes;
    if (layout.trimmed().isEmpty()) {
        layout = ColumnLayouts::defaultLayout;
        sizes = ColumnLayouts::defaultSizes;
    }
    return layout;
}

namespace {

QString normalisedItem(const QString& item)
{
    return item.simplified().remove(QLatin1Char(' ')).toLower();
}

} // namespace

bool usableLayoutText(const QString& layout)
{
    static const QStringList known = [] {
        QStringList items;
        for (const ColumnSpec& s : columnSet())
            items << normalisedItem(s.storedItem);
        for (const QString& item : ColumnLayouts::defaultLayout.split(QStringLiteral(", ")))
            items << normalisedItem(item);
        return items;
    }();
    static const QRegularExpression bareName(QStringLiteral("^(?:[A-Za-z_][A-Za-z0-9_]*|\\[[A-Za-z0-9_ ]+\\])$"));
    const QStringList items = layout.split(QLatin1Char(','));
    if (layout.trimmed().isEmpty())
        return false;
    for (const QString& item : items) {
        if (!known.contains(normalisedItem(item)) && !bareName.match(item.trimmed()).hasMatch())
            return false;
    }
    return true;
}

QList<int> parseSizes(const QString& sizes)
{
    QList<int> widths;
    const QStringList parts = sizes.split(QLatin1Char(','));
    for (const QString& p : parts) {
        const QString t = p.trimmed();
        if (t.isEmpty())
            continue;
        widths << int(t.toDouble());
    }
    return widths;
}

void buildLayout(const QList<GridColumn>& displayOrder, QString& layout, QString& sizes)
{
    layout.clear();
    sizes.clear();
    for (const GridColumn& col : displayOrder) {
        if (!col.visible)
            continue;
        const ColumnSpec* spec = specFor(col.dataField);
        if (!spec)
            continue;
        layout += spec->storedItem + QStringLiteral(", ");
        sizes += QString::number(qint64(col.width)) + QStringLiteral(", ");
    }
    if (layout.size() > 2)
        layout.chop(2);
    if (sizes.size() > 2)
        sizes.chop(2);
}

void storeLayout(const QString& gridName, const QString& layout, const QString& sizes)
{
    ColumnLayouts& c = columnLayouts();
    if (isListGrid(gridName)) {
        c.viewColumnLayout = layout;
        c.viewColumnSizes = sizes;
    } else {
        c.detailColumnLayout = layout;
        c.detailColumnSizes = sizes;
    }
}

QString whereTail(const QString& recordSource)
{
    const qsizetype at = recordSource.indexOf(QLatin1String("WHERE"), 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : recordSource.mid(at);
}

} // namespace vandrel::columnlayout
