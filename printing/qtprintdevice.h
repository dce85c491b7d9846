#pragma once

#include "printing/printdevice.h"

#include <QPainter>

#include <memory>

class QPrinter;
class QWidget;

namespace vandrel {

// The system printer: the default printer, or, when there is none or $VANDREL_PRINT_DIR
// is set, one PDF file per job (the user is told its name when the job ends).
class QtPrintDevice final : public PrintDevice {
public:
    QtPrintDevice();
    ~QtPrintDevice() override;

    QPrinter& printer() { return *printer_; }
    // The next job's name (its PDF file is named after it).
    void setJobName(const QString& name);
    QString jobName() const { return jobName_; }
    // The PDF file of the last finished job; empty when it went to a printer.
    QString lastPdfPath() const { return lastPdf_; }
    // True when the printer could not be opened for the running job.
    bool failed() const { return failed_; }

    // The printer and paper dialog; the choice holds for later jobs. False on cancel.
    bool printerDialog(QWidget* parent);

    double resolution() const override;
    QString deviceName() const override;
    QString portName() const override;

protected:
    PageGeometry geometry(PageOrientation orientation) const override;
    void beginPage(const PageGeometry& geometry, PageOrientation orientation,
                   bool first) override;
    void output(const PrintItem& item) override;
    void finishJob() override;
    void abortJob() override;

private:
    void prepareJob() const;

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QString jobName_ = QStringLiteral("Vandrel Catalogus");
    mutable bool prepared_ = false;
    mutable QString pdfPath_;
    QString lastPdf_;
    bool failed_ = false;
    bool userSetup_ = false;
    QString userPrinterName_;
};

// The program's one system printer.
QtPrintDevice& systemPrinter();

} // namespace vandrel
