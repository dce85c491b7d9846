#include "browser/listoutput.h"

#include "app/core/helpers.h"
#include "browser/articlegrid.h"
#include "browser/recordsetmodel.h"
#include "browser/selectedarticles.h"
#include "printing/formatprint.h"
#include "printing/printdevice.h"

#include <QDate>
#include <QHeaderView>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <cmath>

namespace vandrel::listoutput {

namespace {

constexpr double twipsPerChar = 120;
constexpr double pageEndTwips = 1250;
constexpr double footerTwips = 1200;

// The platform's plain number-to-text conversion: no grouping, no trailing zeros.
QString plainNumber(double value)
{
    return QLocale().toString(value, 'g', 15);
}

// The time as the system's clock shows it (14:22:05): the locale's long time format
// without the time zone that QLocale adds to it.
QString systemTimeText(const QLocale& locale, const QTime& time)
{
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    return locale.toString(time, locale.timeFormat(QLocale::LongFormat).remove(zone).trimmed());
}

} // namespace

QList<Column> visibleColumns(const ArticleGrid& grid)
{
    QList<Column> columns;
    const RecordsetModel* model = grid.recordsetModel();
    if (!model)
        return columns;
    const QHeaderView* header = grid.horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int c = header->logicalIndex(visual);
        if (header->isSectionHidden(c))
            continue;
        Column col;
        col.modelColumn = c;
        col.caption = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        col.widthPixels = grid.columnWidth(c);
        col.widthChars = pixelsToTwipsX(col.widthPixels) / twipsPerChar;
        col.rightAligned = model->alignment(c) == columnlayout::AlignRight;
        col.numberFormat = model->numberFormat(c);
        columns << col;
    }
    return columns;
}

int fontSize(double pageWidthTwips, double eightsTwips, double digitsTwips)
{
    const qint64 a = std::llround(pageWidthTwips - eightsTwips);
    const qint64 b = std::llround(digitsTwips);
    if (b <= 0)
        return 10; // no visible column: nothing to fit
    const qint64 n = 10 * (a / b);
    return n < 5 ? 5 : int(n);
}

int widthTotal(const QList<Column>& listGridColumns)
{
    double t = 0;
    for (const Column& c : listGridColumns)
        t = std::nearbyint(t + c.widthChars + 2); // rounds halves to even
    return int(t);
}

QStringList printList(PrintDevice& device, const ListPrint& list)
{
    QStringList printed;
    const auto print = [&](const QString& text) {
        printed << text;
        FormatPrint(device, text);
    };
    print(QStringLiteral("{FName:Arial}{FatOff}{ItaOff}{FSize:10}"));
    const double eights = device.textWidthTwips(QStringLiteral("88888888"));
    const double digits = device.textWidthTwips(QString(list.widthTotal, QLatin1Char('8')));
    const QString size =
        QStringLiteral("{FSize:%1}").arg(fontSize(device.pageSizeTwips().width(), eights, digits));

    const auto header = [&] {
        QString h = QStringLiteral("{FName:Arial}{FTab:5}{WidOn}") + list.title + QStringLiteral("{WidOff}{CrLf}{CrLf}");
        h += QStringLiteral("{FSize:12}{hline:0}");
        h += QStringLiteral("{FTab:5}{FatOn}Query: {FatOff}{ItaOn}{FSize:10}{Memo:65,3,") + list.query +
             QStringLiteral("}{ItaOff}");
        h += QStringLiteral("{CrLf}{CrLf}{CrLf}{CrLf}{hline:0}{CrLf}");
        h += QStringLiteral("{FTab:5}{FName:Arial}") + size + QStringLiteral("{FatOn}{UnlOn}");
        for (const Column& c : list.columns)
            h += QStringLiteral("{UnlOn}") + PrintPadRight(device, c.caption, int(std::nearbyint(c.widthChars))) +
                 QStringLiteral("{UnlOff}  ");
        h += QStringLiteral("{CrLf}{FatOff}");
        print(h);
    };
    const auto footer = [&] {
        device.setCurrentY(device.fromTwips(device.pageSizeTwips().height() - footerTwips));
        const QLocale locale;
        print(QStringLiteral("{FSize:8}{hline:0}Wijzigingen voorbehouden") + QString(5, QLatin1Char(' ')) +
              locale.toString(QDate::currentDate(), QLocale::ShortFormat) + QString(5, QLatin1Char(' ')) +
              systemTimeText(locale, QTime::currentTime()) + QStringLiteral("{FTab:54}Blad: ") +
              QString::number(device.page()) + QStringLiteral("{FF}"));
    };

    header();
    for (int row = 0; row < list.rowCount; ++row) {
        QString line = QStringLiteral("{FTab:5}{FName:Arial}") + size;
        for (const Column& c : list.columns) {
            const QString v = list.value ? list.value(row, c) : QString();
            const int n = int(std::nearbyint(c.widthChars));
            line += (c.rightAligned ? PrintPadLeft(device, v, n) : PrintPadRight(device, v, n)) + QStringLiteral("  ");
        }
        line += QStringLiteral("{CrLf}{FatOff}");
        print(line);
        if (device.pageSizeTwips().height() - device.positionTwips().y() <= pageEndTwips) {
            footer();
            header();
        }
        if (list.pump && row % 25 == 0)
            list.pump();
    }
    footer();
    device.endDoc();
    return printed;
}

QString seriesText(const QString& seriesName, const QList<Column>& columns, int rowCount,
                   const std::function<QString(int row, const Column& column)>& value)
{
    QString text = QStringLiteral("Reeks:\t") + seriesName + QStringLiteral("\r\n");
    for (const Column& c : columns)
        text += (c.caption + QString(256, QLatin1Char(' '))).left(std::max(0, c.widthPixels)) + QLatin1Char('\t');
    text += QStringLiteral("\r\n");
    for (int row = 0; row < rowCount; ++row) {
        for (const Column& c : columns)
            text += (value ? value(row, c) : QString()) + QLatin1Char('\t');
        text += QStringLiteral("\r\n");
    }
    return text;
}

QList<ClipboardArticle> copySelection(ArticleGrid& grid, QString& text)
{
    QList<ClipboardArticle> rows;
    text.clear();
    for (const SelectedArticle& a : readSelectedArticles(grid)) {
        ClipboardArticle c;
        c.quantity = a.hasQuantity ? a.quantity : 1;
        c.articleNumber = a.articleNumber;
        c.description = a.description;
        c.gross = a.grossExcl * c.quantity;
        c.net = a.netExcl * c.quantity;
        c.priceUnit = a.priceUnit > 0 ? float(a.priceUnit) : 1.0f;
        rows << c;
        text += QString::number(c.quantity) + QLatin1Char('\t') + QString::number(c.articleNumber) + QLatin1Char('\t') +
                c.description + QLatin1Char('\t') + plainNumber(c.gross.toDouble()) + QLatin1Char('\t') +
                plainNumber(c.priceUnit) + QLatin1Char('\t') + plainNumber(c.net.toDouble()) + QStringLiteral("\r\n");
    }
    return rows;
}

} // namespace vandrel::listoutput
