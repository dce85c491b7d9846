#pragma once

#include "printing/printdevice.h"

#include <QStringList>

namespace vandrel {

// A printer that keeps what is drawn: every item with its position, font and page.
// Tests read it; the preview shows its pages and prints them on another device.
class RecordingPrintDevice final : public PrintDevice {
public:
    // Portrait geometry; landscape is the same sheet turned.
    explicit RecordingPrintDevice(const PageGeometry& portrait = a4(240), double dpi = 1200);

    // A4 with an unprintable strip of the given width (twips) on every side.
    static PageGeometry a4(double stripTwips);

    // Pages of the running job, or of the last ended one when none runs.
    const QList<PrintPage>& pages() const;
    int pageCount() const { return int(pages().size()); }
    int jobsEnded() const { return jobsEnded_; }
    int jobsKilled() const { return jobsKilled_; }
    // All items of pages(), in drawing order; filtered by kind.
    QList<PrintItem> items() const;
    QList<PrintItem> items(PrintItem::Kind kind) const;
    // The texts of the text items, in drawing order.
    QStringList texts() const;
    // Forgets everything recorded.
    void clear();

    void setDeviceName(const QString& name) { name_ = name; }
    double resolution() const override { return dpi_; }
    QString deviceName() const override { return name_; }
    QString portName() const override { return QString(); }

protected:
    PageGeometry geometry(PageOrientation orientation) const override;
    void beginPage(const PageGeometry& geometry, PageOrientation orientation,
                   bool first) override;
    void output(const PrintItem& item) override;
    void finishJob() override;
    void abortJob() override;

private:
    PageGeometry portrait_;
    double dpi_;
    QString name_ = QStringLiteral("Afdrukvoorbeeld");
    QList<PrintPage> running_;
    QList<PrintPage> lastJob_;
    int jobsEnded_ = 0;
    int jobsKilled_ = 0;
};

} // namespace vandrel
