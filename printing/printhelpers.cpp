#include "printing/printhelpers.h"

#include "printing/printdevice.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QTextDocument>

#include <algorithm>
#include <map>
#include <memory>

namespace vandrel {

void PrintPictureFitted(PrintDevice& device, const QImage& picture, int topMargin,
                        int bottomMargin, int leftMargin, int rightMargin)
{
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return;
    // The picture's own size in twips (pictures without a resolution count as 96 dpi).
    const double dpiX = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() * 0.0254 : 96.0;
    const double dpiY = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() * 0.0254 : 96.0;
    const double w = picture.width() * kTwipsPerInch / dpiX;
    const double h = picture.height() * kTwipsPerInch / dpiY;

    const QSizeF sheet = device.pageSizeTwips();
    const double availableHeight = sheet.height() - topMargin - bottomMargin;
    const double availableWidth = sheet.width() - leftMargin - rightMargin;
    const double factor = std::min(availableHeight / h, availableWidth / w);
    if (!(factor > 0))
        return;
    ScopedPrintScale twips(device, PrintScale::Twips);
    device.drawPicture(picture, QRectF(leftMargin, topMargin, w * factor, h * factor));
}

namespace {

// The layout's paint device must outlive every laid-out copy (the preview keeps them):
// one per resolution, for the whole run.
QPaintDevice* layoutDevice(double dpi)
{
    static std::map<int, std::unique_ptr<QImage>> devices;
    const int key = qRound(dpi);
    std::unique_ptr<QImage>& image = devices[key];
    if (!image) {
        image = std::make_unique<QImage>(4, 4, QImage::Format_ARGB32_Premultiplied);
        image->setDotsPerMeterX(qRound(key / 0.0254));
        image->setDotsPerMeterY(qRound(key / 0.0254));
    }
    return image.get();
}

} // namespace

int printRichTextPages(PrintDevice& device, const QTextDocument& document, const QRectF& rectTwips,
                       const std::function<void(int page)>& pageStarted)
{
    device.openPage();
    if (rectTwips.width() <= 0 || rectTwips.height() <= 0) {
        if (pageStarted)
            pageStarted(device.page());
        return 1;
    }
    const double dpi = device.resolution();
    const double k = dpi / kTwipsPerInch;
    std::shared_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(layoutDevice(dpi));
    copy->setDocumentMargin(0);
    const QSizeF pagePixels(rectTwips.width() * k, rectTwips.height() * k);
    copy->setPageSize(pagePixels);
    const int pages = std::max(copy->pageCount(), 1);
    const std::shared_ptr<const QTextDocument> laidOut = copy;
    for (int i = 0; i < pages; ++i) {
        if (i > 0) {
            device.newPage();
            device.openPage();
        }
        if (pageStarted)
            pageStarted(device.page());
        const QRectF source(0, i * pagePixels.height(), pagePixels.width(), pagePixels.height());
        device.drawRichText(laidOut, dpi, source, rectTwips);
    }
    return pages;
}

void PrintRichText(PrintDevice& device, const QTextDocument& document, int leftMargin,
                   int topMargin, int rightMargin, int bottomMargin)
{
    device.openPage();
    ScopedPrintScale twips(device, PrintScale::Twips);
    const QPointF offset = device.physicalOffsetTwips();
    const QSizeF sheet = device.pageSizeTwips();
    const QRectF rect(QPointF(leftMargin - offset.x(), topMargin - offset.y()),
                      QPointF(sheet.width() - rightMargin - offset.x(),
                              sheet.height() - bottomMargin - offset.y()));
    printRichTextPages(device, document, rect);
    device.endDoc();
}

} // namespace vandrel
