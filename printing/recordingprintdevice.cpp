#include "printing/recordingprintdevice.h"

namespace vandrel {

RecordingPrintDevice::RecordingPrintDevice(const PageGeometry& portrait, double dpi)
    : portrait_(portrait), dpi_(dpi > 0 ? dpi : 1200)
{
}

PageGeometry RecordingPrintDevice::a4(double stripTwips)
{
    PageGeometry g;
    g.paper = QSizeF(210 * kTwipsPerMm, 297 * kTwipsPerMm);
    g.printable = QRectF(stripTwips, stripTwips, g.paper.width() - 2 * stripTwips,
                         g.paper.height() - 2 * stripTwips);
    return g;
}

PageGeometry RecordingPrintDevice::geometry(PageOrientation orientation) const
{
    if (orientation == PageOrientation::Portrait)
        return portrait_;
    const QRectF p = portrait_.printable;
    PageGeometry g;
    g.paper = portrait_.paper.transposed();
    g.printable = QRectF(p.top(), portrait_.paper.width() - p.right(), p.height(), p.width());
    return g;
}

void RecordingPrintDevice::beginPage(const PageGeometry& geometry, PageOrientation orientation,
                                     bool first)
{
    if (first)
        running_.clear();
    PrintPage page;
    page.orientation = orientation;
    page.geometry = geometry;
    running_.append(page);
}

void RecordingPrintDevice::output(const PrintItem& item)
{
    running_.last().items.append(item);
}

void RecordingPrintDevice::finishJob()
{
    lastJob_ = running_;
    running_.clear();
    ++jobsEnded_;
}

void RecordingPrintDevice::abortJob()
{
    running_.clear();
    ++jobsKilled_;
}

const QList<PrintPage>& RecordingPrintDevice::pages() const
{
    return jobActive() ? running_ : lastJob_;
}

QList<PrintItem> RecordingPrintDevice::items() const
{
    QList<PrintItem> all;
    for (const PrintPage& page : pages())
        all += page.items;
    return all;
}

QList<PrintItem> RecordingPrintDevice::items(PrintItem::Kind kind) const
{
    QList<PrintItem> some;
    for (const PrintPage& page : pages())
        for (const PrintItem& item : page.items)
            if (item.kind == kind)
                some.append(item);
    return some;
}

QStringList RecordingPrintDevice::texts() const
{
    QStringList all;
    for (const PrintItem& item : items(PrintItem::Kind::Text))
        all.append(item.text);
    return all;
}

void RecordingPrintDevice::clear()
{
    killDoc();
    running_.clear();
    lastJob_.clear();
    jobsEnded_ = 0;
    jobsKilled_ = 0;
}

} // namespace vandrel
