#include "printing/previewcontrol.h"

#include "app/core/events.h"
#include "app/core/percform.h"
#include "app/core/ui.h"
#include "printing/printhelpers.h"
#include "printing/qtprintdevice.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>

namespace vandrel {

PreviewControl::PreviewControl(QWidget* parent) : QScrollArea(parent), view_(new QLabel)
{
    setObjectName(QStringLiteral("vsPrinter1"));
    view_->setObjectName(QStringLiteral("vsPrinter1Page"));
    view_->setAlignment(Qt::AlignCenter);
    setWidget(view_);
    setWidgetResizable(true);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
}

void PreviewControl::startDoc()
{
    device_.clear();
    page_ = 1;
}

void PreviewControl::endDoc()
{
    device_.endDoc();
    page_ = 1;
    refresh();
    if (!preview_)
        printDocument();
}

void PreviewControl::setMargins(double left, double top, double right, double bottom)
{
    margins_[0] = left;
    margins_[1] = top;
    margins_[2] = right;
    margins_[3] = bottom;
}

void PreviewControl::placeHeaderFooter(int page)
{
    const QPointF offset = device_.physicalOffsetTwips();
    const QSizeF sheet = device_.pageSizeTwips();
    const double left = margins_[0] - offset.x();
    const double right = sheet.width() - margins_[2] - offset.x();
    const PrintFont bodyFont = device_.font();
    const QPointF position = device_.positionTwips();
    device_.setFont(headerFont_);
    const auto line = [&](const QString& text, double y) {
        const QStringList parts = QString(text).replace(QStringLiteral("%d"), QString::number(page))
                                      .split(QLatin1Char('|'));
        for (int i = 0; i < std::min<int>(int(parts.size()), 3); ++i) {
            if (parts[i].isEmpty())
                continue;
            const double w = device_.textWidthTwips(parts[i]);
            const double x = i == 0 ? left : i == 1 ? (left + right - w) / 2 : right - w;
            device_.setCurrentX(x);
            device_.setCurrentY(y);
            device_.printText(parts[i], headerColor_);
        }
    };
    const double h = device_.lineHeightTwips();
    if (!header_.isEmpty())
        line(header_, std::max(0.0, margins_[1] - offset.y() - 1.5 * h));
    if (!footer_.isEmpty())
        line(footer_, sheet.height() - margins_[3] - offset.y() + 0.5 * h);
    device_.setFont(bodyFont);
    device_.setCurrentX(position.x());
    device_.setCurrentY(position.y());
}

void PreviewControl::renderRichText(const QTextDocument& document)
{
    device_.openPage();
    const QPointF offset = device_.physicalOffsetTwips();
    const QSizeF sheet = device_.pageSizeTwips();
    const QRectF rect(QPointF(margins_[0] - offset.x(), margins_[1] - offset.y()),
                      QPointF(sheet.width() - margins_[2] - offset.x(),
                              sheet.height() - margins_[3] - offset.y()));
    printRichTextPages(device_, document, rect, [this](int page) { placeHeaderFooter(page); });
}

void PreviewControl::setPreviewPage(int page)
{
    page_ = std::clamp(page, 1, std::max(pageCount(), 1));
    refresh();
}

void PreviewControl::setZoom(int percent)
{
    zoom_ = std::clamp(percent, 5, 1000);
    refresh();
}

QSize PreviewControl::shownPageSize() const
{
    return view_->pixmap().size();
}

void PreviewControl::setProgressTexts(const QString& caption, const QString& button,
                                      const QString& deviceLine, const QString& pageLine)
{
    progressCaption_ = caption;
    progressButton_ = button;
    progressDevice_ = deviceLine;
    progressPage_ = pageLine;
}

QStringList PreviewControl::progressTexts() const
{
    return {progressCaption_, progressButton_, progressDevice_, progressPage_};
}

void PreviewControl::refresh()
{
    const QList<PrintPage>& pages = device_.pages();
    if (pages.isEmpty() || page_ > pages.size()) {
        view_->setPixmap(QPixmap());
        return;
    }
    const PrintPage& page = pages[page_ - 1];
    const double dpi = std::max(1, logicalDpiX()) * zoom_ / 100.0;
    const double k = dpi / kTwipsPerInch;
    const QSize size(std::max(1, qRound(page.geometry.paper.width() * k)),
                     std::max(1, qRound(page.geometry.paper.height() * k)));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(page.geometry.printable.topLeft() * k);
        for (const PrintItem& item : page.items)
            paintPrintItem(painter, item, dpi);
    }
    view_->setPixmap(QPixmap::fromImage(image));
}

bool PreviewControl::printDocument()
{
    const QList<PrintPage> pages = device_.pages();
    if (pages.isEmpty())
        return false;
    PrintDevice& printer = currentPrintDevice();
    PercForm progress(window());
    progress.setCaption(progressCaption_);
    auto* cancel = new QPushButton(progressButton_, &progress);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    if (auto* box = qobject_cast<QBoxLayout*>(progress.layout()))
        box->addWidget(cancel, 0, Qt::AlignHCenter);
    progress.setFixedSize(360, progress.sizeHint().height());
    cancelPrint_ = false;
    connect(cancel, &QPushButton::clicked, this, [this] { cancelPrint_ = true; });
    progress.show();

    QString devicePart = progressDevice_;
    {
        const qsizetype first = devicePart.indexOf(QLatin1String("%s"));
        if (first >= 0)
            devicePart.replace(first, 2, printer.deviceName());
        const qsizetype second = devicePart.indexOf(QLatin1String("%s"));
        if (second >= 0)
            devicePart.replace(second, 2, printer.portName());
    }

    const int count = int(pages.size());
    for (int i = 0; i < count; ++i) {
        const QString pageLine =
            QString(progressPage_).replace(QLatin1String("%d"), QString::number(i + 1)) +
            QLatin1Char(' ') + QString::number(count);
        const QString label = devicePart + QLatin1Char('\n') + pageLine;
        progress.setLabel(label);
        progress.setPercent(i * 100 / count);
        progress.refresh();
        emit printingPage(i + 1, count, label);
        pumpEvents();
        if (cancelPrint_) {
            printer.killDoc();
            return false;
        }
        if (i > 0)
            printer.newPage();
        printer.setOrientation(pages[i].orientation);
        printer.openPage();
        for (const PrintItem& item : pages[i].items)
            printer.drawItem(item);
    }
    progress.setPercent(100);
    progress.hide();
    printer.endDoc();
    return true;
}

bool PreviewControl::printerDialog()
{
    PrintDevice& printer = currentPrintDevice();
    if (&printer != &systemPrinter()) {
        msgBox(QStringLiteral("Voor dit afdrukapparaat zijn geen printerinstellingen."),
               MsgIcon::Information);
        return false;
    }
    return systemPrinter().printerDialog(window());
}

} // namespace vandrel
