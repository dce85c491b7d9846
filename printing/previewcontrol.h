#pragma once

#include "printing/printdevice.h"
#include "printing/recordingprintdevice.h"

#include <QColor>
#include <QScrollArea>

class QLabel;
class QTextDocument;

namespace vandrel {

// The preview control of frmRapport (`vsPrinter1`): holds a document as recorded pages,
// shows one page at a zoom, prints the pages on the program's printer with a progress
// window, and opens the printer dialog.
//
// Building a document: startDoc(), then draw on device() (FormatPrint(device(), ...),
// PrintPictureFitted, ...) or renderRichText(), then endDoc(). With preview mode off,
// endDoc() prints at once.
class PreviewControl : public QScrollArea {
    Q_OBJECT
public:
    explicit PreviewControl(QWidget* parent = nullptr);

    RecordingPrintDevice& device() { return device_; }
    const RecordingPrintDevice& device() const { return device_; }

    bool preview() const { return preview_; }
    void setPreview(bool on) { preview_ = on; }
    void startDoc();
    void endDoc();

    // Page header and footer of rich text: "left|centre|right" parts, "%d" is the page.
    void setHeaderFont(const PrintFont& font) { headerFont_ = font; }
    PrintFont headerFont() const { return headerFont_; }
    void setHeaderColor(const QColor& color) { headerColor_ = color; }
    QColor headerColor() const { return headerColor_; }
    void setHeader(const QString& text) { header_ = text; }
    QString header() const { return header_; }
    void setFooter(const QString& text) { footer_ = text; }
    QString footer() const { return footer_; }
    // Margins around rich text, twips from the sheet's edges.
    void setMargins(double left, double top, double right, double bottom);
    // Lays the document out on the open document's pages, with header and footer.
    void renderRichText(const QTextDocument& document);

    int pageCount() const { return device_.pageCount(); }
    // 1-based; limited to the pages there are.
    int previewPage() const { return page_; }
    void setPreviewPage(int page);
    int zoom() const { return zoom_; }
    void setZoom(int percent);
    // The size of the shown page in pixels.
    QSize shownPageSize() const;

    // Progress window texts: caption, button, device line ("%s" printer, "%s" port),
    // page line ("%d" page, the count follows).
    void setProgressTexts(const QString& caption, const QString& button,
                          const QString& deviceLine, const QString& pageLine);
    QStringList progressTexts() const;

    // Prints the held pages on the program's printer. False when cancelled or empty.
    bool printDocument();
    // The printer and paper dialog of the system printer.
    bool printerDialog();
    void refresh();

signals:
    // Each page printed, with the progress window's label ("Bezig met pagina 2 van 5").
    void printingPage(int page, int count, const QString& progressLabel);

private:
    void placeHeaderFooter(int page);

    RecordingPrintDevice device_;
    QLabel* view_;
    bool preview_ = true;
    int page_ = 1;
    int zoom_ = 100;
    PrintFont headerFont_;
    QColor headerColor_ = Qt::black;
    QString header_;
    QString footer_;
    double margins_[4] = {1440, 1440, 1440, 1440};
    QString progressCaption_;
    QString progressButton_;
    QString progressDevice_;
    QString progressPage_;
    bool cancelPrint_ = false;
};

} // namespace vandrel
