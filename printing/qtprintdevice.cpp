#include "printing/qtprintdevice.h"

#include "app/core/printtarget.h"
#include "app/core/ui.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace vandrel {

QtPrintDevice::QtPrintDevice() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
}

QtPrintDevice::~QtPrintDevice()
{
    if (painter_.isActive())
        painter_.end();
}

void QtPrintDevice::prepareJob() const
{
    if (prepared_)
        return;
    // The paper and printer the user chose in the dialog survive the choice of target.
    const QPageLayout layout = printer_->pageLayout();
    pdfPath_ = printtarget::choose(*printer_, jobName_);
    if (userSetup_) {
        if (pdfPath_.isEmpty() && !userPrinterName_.isEmpty())
            printer_->setPrinterName(userPrinterName_);
        printer_->setPageLayout(layout);
    }
    prepared_ = true;
}

void QtPrintDevice::setJobName(const QString& name)
{
    jobName_ = name;
    // A target chosen before (a measurement, the printer dialog) carries the old name.
    if (!jobActive())
        prepared_ = false;
}

double QtPrintDevice::resolution() const
{
    prepareJob();
    return printer_->resolution();
}

QString QtPrintDevice::deviceName() const
{
    prepareJob();
    return pdfPath_.isEmpty() ? printer_->printerName() : QStringLiteral("PDF-bestand");
}

QString QtPrintDevice::portName() const
{
    prepareJob();
    if (!pdfPath_.isEmpty())
        return QFileInfo(pdfPath_).fileName();
    const QString location = QPrinterInfo::printerInfo(printer_->printerName()).location();
    return location.isEmpty() ? QStringLiteral("CUPS") : location;
}

PageGeometry QtPrintDevice::geometry(PageOrientation orientation) const
{
    prepareJob();
    QPageLayout layout = printer_->pageLayout();
    layout.setOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
    // Points are twentieths of twips.
    const QRectF full = layout.fullRect(QPageLayout::Point);
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    PageGeometry g;
    g.paper = full.size() * 20.0;
    g.printable = QRectF(paint.topLeft() * 20.0, paint.size() * 20.0);
    return g;
}

void QtPrintDevice::beginPage(const PageGeometry&, PageOrientation orientation, bool first)
{
    prepareJob();
    printer_->setPageOrientation(orientation == PageOrientation::Landscape
                                     ? QPageLayout::Landscape
                                     : QPageLayout::Portrait);
    if (first) {
        failed_ = false;
        if (!painter_.begin(printer_.get())) {
            failed_ = true;
            msgBox(QStringLiteral("Er kan niet worden afgedrukt: de printer \"%1\" is niet "
                                  "beschikbaar.")
                       .arg(deviceName()),
                   MsgIcon::Critical);
        }
        return;
    }
    if (!failed_)
        printer_->newPage();
}

void QtPrintDevice::output(const PrintItem& item)
{
    if (failed_ || !painter_.isActive())
        return;
    paintPrintItem(painter_, item, printer_->resolution());
}

void QtPrintDevice::finishJob()
{
    const bool wrote = painter_.isActive();
    if (wrote)
        painter_.end();
    prepared_ = false;
    lastPdf_ = pdfPath_;
    if (wrote && !failed_ && !pdfPath_.isEmpty())
        printtarget::tellPdfWritten(pdfPath_);
    failed_ = false;
}

void QtPrintDevice::abortJob()
{
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
    if (!pdfPath_.isEmpty())
        QFile::remove(pdfPath_);
    prepared_ = false;
    lastPdf_.clear();
    failed_ = false;
}

bool QtPrintDevice::printerDialog(QWidget* parent)
{
    if (jobActive())
        return false;
    prepareJob();
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setWindowTitle(QStringLiteral("Printer instellen"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) {
        prepared_ = false; // the next job chooses its own target and file name
        return false;
    }
    userSetup_ = true;
    if (printer_->outputFormat() == QPrinter::NativeFormat)
        userPrinterName_ = printer_->printerName();
    prepared_ = false;
    return true;
}

QtPrintDevice& systemPrinter()
{
    static QtPrintDevice* device = new QtPrintDevice; // lives for the whole run
    return *device;
}

} // namespace vandrel
