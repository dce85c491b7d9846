#include "printing/printdevice.h"

#include "printing/qtprintdevice.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace vandrel {

QString installedFamily(const QString& programFontName)
{
    // The printer fonts of the original layouts, by their metric-compatible faces, so
    // widths, columns and line breaks stay as designed.
    const QString name = programFontName.trimmed();
    if (name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (name.compare(QLatin1String("Arial Narrow"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans Narrow");
    if (name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    if (name.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    return programFontName;
}

QFont PrintFont::qfont() const
{
    QFont f(installedFamily(name));
    f.setPointSizeF(size);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    // Printer text is laid out by design widths: no hinting, no kerning (as GDI did).
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

void paintPrintItem(QPainter& painter, const PrintItem& item, double dpi)
{
    const double k = dpi / kTwipsPerInch;
    switch (item.kind) {
    case PrintItem::Kind::Text: {
        const QFont f = item.font.qfont();
        painter.setFont(f);
        painter.setPen(item.color);
        const QFontMetricsF fm(f, painter.device());
        painter.drawText(QPointF(item.pos.x() * k, item.pos.y() * k + fm.ascent()), item.text);
        break;
    }
    case PrintItem::Kind::Line: {
        double width = item.penWidth;
        if (item.deviceDpi > 0)
            width = width * dpi / item.deviceDpi;
        QPen pen(Qt::black, std::max(width, 0.5), Qt::SolidLine, Qt::RoundCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(item.pos.x() * k, item.pos.y() * k),
                         QPointF(item.end.x() * k, item.end.y() * k));
        break;
    }
    case PrintItem::Kind::Picture:
        painter.drawImage(QRectF(item.pos * k, item.size * k), item.image);
        break;
    case PrintItem::Kind::RichText: {
        if (!item.document || item.layoutDpi <= 0)
            break;
        painter.save();
        painter.translate(item.pos * k);
        const double s = dpi / item.layoutDpi;
        painter.scale(s, s);
        const QRectF clip(QPointF(0, 0), item.sourceRect.size());
        painter.setClipRect(clip, Qt::IntersectClip);
        painter.translate(-item.sourceRect.topLeft());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = item.sourceRect;
        context.palette.setColor(QPalette::Text, Qt::black);
        // The layout is only read while drawing.
        const_cast<QTextDocument&>(*item.document).documentLayout()->draw(&painter, context);
        painter.restore();
        break;
    }
    }
}

PrintDevice::~PrintDevice() = default;

double PrintDevice::toTwips(double units) const
{
    return scale_ == PrintScale::Millimetres ? units * kTwipsPerMm : units;
}

double PrintDevice::fromTwips(double twips) const
{
    return scale_ == PrintScale::Millimetres ? twips / kTwipsPerMm : twips;
}

void PrintDevice::setFontSize(double points)
{
    // A printer font has some size; nonsense sizes from markup stay printable.
    if (!std::isfinite(points) || points < 1)
        points = 1;
    font_.size = std::min(points, 2160.0);
}

const QImage& PrintDevice::metricsDevice() const
{
    const double dpi = resolution();
    if (metrics_.isNull() || metricsDpi_ != dpi) {
        metrics_ = QImage(4, 4, QImage::Format_ARGB32_Premultiplied);
        metrics_.setDotsPerMeterX(qRound(dpi / 0.0254));
        metrics_.setDotsPerMeterY(qRound(dpi / 0.0254));
        metricsDpi_ = dpi;
    }
    return metrics_;
}

static QStringList textLines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.split(breaks);
}

double PrintDevice::textWidthTwips(const QString& text) const
{
    const QFontMetricsF fm(font_.qfont(), &metricsDevice());
    double widest = 0;
    for (const QString& line : textLines(text))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest * kTwipsPerInch / resolution();
}

double PrintDevice::lineHeightTwips() const
{
    const QFontMetricsF fm(font_.qfont(), &metricsDevice());
    return fm.lineSpacing() * kTwipsPerInch / resolution();
}

double PrintDevice::textWidth(const QString& text) const
{
    return fromTwips(textWidthTwips(text));
}

double PrintDevice::textHeight(const QString& text) const
{
    return fromTwips(lineHeightTwips() * textLines(text).size());
}

double PrintDevice::averageCharWidth() const
{
    const QFontMetricsF fm(font_.qfont(), &metricsDevice());
    return fromTwips(fm.averageCharWidth() * kTwipsPerInch / resolution());
}

QSizeF PrintDevice::pageSizeTwips() const
{
    return geometry(pageOrientation_).paper;
}

double PrintDevice::printableWidth() const
{
    return fromTwips(geometry(pageOrientation_).printable.width());
}

double PrintDevice::printableHeight() const
{
    return fromTwips(geometry(pageOrientation_).printable.height());
}

QPointF PrintDevice::physicalOffsetTwips() const
{
    return geometry(pageOrientation_).printable.topLeft();
}

void PrintDevice::setOrientation(PageOrientation orientation)
{
    orientation_ = orientation;
    if (!pageOpen_)
        pageOrientation_ = orientation;
}

void PrintDevice::openPage()
{
    if (pageOpen_)
        return;
    const bool first = !jobActive_;
    jobActive_ = true;
    pageOpen_ = true;
    beginPage(geometry(pageOrientation_), pageOrientation_, first);
}

void PrintDevice::emitItem(PrintItem item)
{
    openPage();
    item.page = page_;
    output(item);
}

void PrintDevice::printText(const QString& text)
{
    printText(text, Qt::black);
}

void PrintDevice::printText(const QString& text, const QColor& color)
{
    if (text.isEmpty())
        return;
    const QStringList lines = textLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            endLine();
        if (lines[i].isEmpty())
            continue;
        // Text that would run past the bottom starts a new page, at the same column, as
        // the printer object does: a long printout never loses lines off the page.
        if (y_ > 0 && y_ + lineHeightTwips() > geometry(pageOrientation_).printable.height()) {
            const double x = x_;
            newPage();
            x_ = x;
        }
        PrintItem item;
        item.kind = PrintItem::Kind::Text;
        item.pos = QPointF(x_, y_);
        item.text = lines[i];
        item.font = font_;
        item.color = color;
        const double width = textWidthTwips(lines[i]);
        emitItem(std::move(item));
        x_ += width;
    }
}

void PrintDevice::endLine()
{
    x_ = 0;
    y_ += lineHeightTwips();
}

void PrintDevice::drawLine(double x1, double y1, double x2, double y2)
{
    PrintItem item;
    item.kind = PrintItem::Kind::Line;
    item.pos = QPointF(toTwips(x1), toTwips(y1));
    item.end = QPointF(toTwips(x2), toTwips(y2));
    item.penWidth = drawWidth_;
    item.deviceDpi = resolution();
    emitItem(std::move(item));
}

void PrintDevice::drawPicture(const QImage& image, const QRectF& target)
{
    if (image.isNull())
        return;
    PrintItem item;
    item.kind = PrintItem::Kind::Picture;
    item.pos = QPointF(toTwips(target.x()), toTwips(target.y()));
    item.size = QSizeF(toTwips(target.width()), toTwips(target.height()));
    item.image = image;
    emitItem(std::move(item));
}

void PrintDevice::drawRichText(std::shared_ptr<const QTextDocument> document, double layoutDpi,
                               const QRectF& sourceRect, const QRectF& targetTwips)
{
    PrintItem item;
    item.kind = PrintItem::Kind::RichText;
    item.pos = targetTwips.topLeft();
    item.size = targetTwips.size();
    item.layoutDpi = layoutDpi;
    item.sourceRect = sourceRect;
    // The plain text of the lines on this part, for whoever reads the recording.
    if (document) {
        QStringList shown;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QTextLayout* layout = block.layout();
            if (!layout)
                continue;
            const QPointF origin = document->documentLayout()->blockBoundingRect(block).topLeft();
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const double top = origin.y() + line.y();
                if (top >= sourceRect.top() && top < sourceRect.bottom())
                    shown << block.text().mid(line.textStart(), line.textLength());
            }
        }
        item.text = shown.join(QLatin1Char('\n'));
    }
    item.document = std::move(document);
    emitItem(std::move(item));
}

void PrintDevice::drawItem(const PrintItem& item)
{
    emitItem(item);
}

void PrintDevice::newPage()
{
    // A page break on an empty page still gives a (blank) page.
    openPage();
    ++page_;
    pageOpen_ = false;
    pageOrientation_ = orientation_;
    x_ = 0;
    y_ = 0;
}

void PrintDevice::endDoc()
{
    if (jobActive_)
        finishJob();
    jobActive_ = false;
    pageOpen_ = false;
    page_ = 1;
    pageOrientation_ = orientation_;
    x_ = 0;
    y_ = 0;
}

void PrintDevice::killDoc()
{
    if (jobActive_)
        abortJob();
    jobActive_ = false;
    pageOpen_ = false;
    page_ = 1;
    pageOrientation_ = orientation_;
    x_ = 0;
    y_ = 0;
}

static PrintDevice* installedDevice = nullptr;

PrintDevice& currentPrintDevice()
{
    return installedDevice ? *installedDevice : systemPrinter();
}

void setCurrentPrintDevice(PrintDevice* device)
{
    installedDevice = device;
}

ScopedPrintDevice::ScopedPrintDevice(PrintDevice& device) : previous_(installedDevice)
{
    installedDevice = &device;
}

ScopedPrintDevice::~ScopedPrintDevice()
{
    installedDevice = previous_;
}

} // namespace vandrel
