#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>

class QPainter;
class QTextDocument;

namespace vandrel {

// Positions are kept in twips (1440 to the inch) from the top-left corner of the
// printable area; the scale only changes what the position accessors read and take.
enum class PrintScale { Twips, Millimetres };
enum class PageOrientation { Portrait, Landscape };

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerMm = 1440.0 / 25.4;

// The font as the program names it, plus the installed face that prints it.
struct PrintFont {
    QString name = QStringLiteral("Arial");
    double size = 10.0; // points, fractions allowed
    bool bold = false;
    bool italic = false;
    bool underline = false;

    // A QFont of the metric-compatible face ("Arial" -> Liberation Sans, ...), in points.
    QFont qfont() const;
    bool operator==(const PrintFont&) const = default;
};

// The installed face for a font name of the program; other names pass unchanged.
QString installedFamily(const QString& programFontName);

// Paper and printable area of one orientation, in twips.
struct PageGeometry {
    QSizeF paper;       // full sheet
    QRectF printable;   // within the sheet; its top-left is position 0,0
};

// One thing drawn on a page. Everything a page needs to be painted again (preview,
// printing a recorded job) is in here.
struct PrintItem {
    enum class Kind { Text, Line, Picture, RichText };
    Kind kind = Kind::Text;
    QPointF pos;          // twips: text top-left, line start, picture/rich text top-left
    QPointF end;          // twips: line end
    QSizeF size;          // twips: picture / rich text target size
    QString text;         // text; for rich text the plain text shown on this page
    PrintFont font;
    QColor color = Qt::black; // text
    int penWidth = 1;     // device pixels
    double deviceDpi = 0; // resolution the pen width was meant for
    QImage image;
    std::shared_ptr<const QTextDocument> document; // laid out at layoutDpi
    QRectF sourceRect;    // rich text: the part of the document, layout pixels
    double layoutDpi = 0;
    int page = 0;         // 1-based page of the job it was drawn on
};

struct PrintPage {
    PageOrientation orientation = PageOrientation::Portrait;
    PageGeometry geometry;
    QList<PrintItem> items;
};

// Paints an item with a painter whose device has `dpi` dots per inch and whose origin
// is the printable area's top-left. Fonts are set in points, so the device's logical
// resolution must equal `dpi`.
void paintPrintItem(QPainter& painter, const PrintItem& item, double dpi);

// The printer as the program sees it: a position, a font, a pen, pages, a job.
// Text metrics come from the real fonts at the device's resolution, so a recorded job
// measures exactly as a printed one.
class PrintDevice {
public:
    PrintDevice() = default;
    virtual ~PrintDevice();
    PrintDevice(const PrintDevice&) = delete;
    PrintDevice& operator=(const PrintDevice&) = delete;

    // --- scale and position (in scale units) ---
    PrintScale scale() const { return scale_; }
    void setScale(PrintScale scale) { scale_ = scale; }
    double toTwips(double units) const;
    double fromTwips(double twips) const;
    double currentX() const { return fromTwips(x_); }
    double currentY() const { return fromTwips(y_); }
    void setCurrentX(double x) { x_ = toTwips(x); }
    void setCurrentY(double y) { y_ = toTwips(y); }
    QPointF positionTwips() const { return {x_, y_}; }

    // --- font ---
    const PrintFont& font() const { return font_; }
    void setFont(const PrintFont& font) { font_ = font; }
    QString fontName() const { return font_.name; }
    void setFontName(const QString& name) { font_.name = name; }
    double fontSize() const { return font_.size; }
    void setFontSize(double points);
    bool fontBold() const { return font_.bold; }
    void setFontBold(bool on) { font_.bold = on; }
    bool fontItalic() const { return font_.italic; }
    void setFontItalic(bool on) { font_.italic = on; }
    bool fontUnderline() const { return font_.underline; }
    void setFontUnderline(bool on) { font_.underline = on; }

    // --- metrics (scale units) ---
    double textWidth(const QString& text) const;
    // Line height times the number of lines of the text.
    double textHeight(const QString& text) const;
    double averageCharWidth() const;
    double textWidthTwips(const QString& text) const;
    double lineHeightTwips() const;

    // --- page ---
    // Full sheet in twips, of the current page's orientation.
    QSizeF pageSizeTwips() const;
    // Printable area in scale units.
    double printableWidth() const;
    double printableHeight() const;
    // The unprintable left and top strips, twips.
    QPointF physicalOffsetTwips() const;
    // 1-based page number within the job.
    int page() const { return page_; }
    PageOrientation orientation() const { return orientation_; }
    // Takes effect on the current page while nothing is drawn on it, else on the next.
    void setOrientation(PageOrientation orientation);
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    virtual double resolution() const = 0;

    // --- drawing ---
    // Prints text at the position; x moves by its width. Line breaks in the text end the
    // line (x := 0, y down one line).
    void printText(const QString& text);
    // Text in a colour, where the printer has one (page headers).
    void printText(const QString& text, const QColor& color);
    // Ends the current line: x := 0, y down one line of the current font.
    void endLine();
    // From/to in scale units, with the current draw width.
    void drawLine(double x1, double y1, double x2, double y2);
    // Target rectangle in scale units.
    void drawPicture(const QImage& image, const QRectF& target);
    // A part of a laid-out document (sourceRect in its layout pixels) into a target
    // rectangle in twips.
    void drawRichText(std::shared_ptr<const QTextDocument> document, double layoutDpi,
                      const QRectF& sourceRect, const QRectF& targetTwips);
    // Puts an item recorded elsewhere on the current page as it is.
    void drawItem(const PrintItem& item);
    // Makes sure the current page exists, even when nothing is drawn on it.
    void openPage();
    void newPage();
    // Sends the job; the next drawing starts a new one. Position and page start over.
    void endDoc();
    // Drops the job (what is drawn so far is not printed).
    void killDoc();
    bool jobActive() const { return jobActive_; }

    // Printer name and port, for the progress window.
    virtual QString deviceName() const = 0;
    virtual QString portName() const = 0;

protected:
    virtual PageGeometry geometry(PageOrientation orientation) const = 0;
    // A page begins (before its first item); first is true for the job's first page.
    virtual void beginPage(const PageGeometry& geometry, PageOrientation orientation,
                           bool first) = 0;
    virtual void output(const PrintItem& item) = 0;
    virtual void finishJob() = 0;
    virtual void abortJob() = 0;

private:
    void emitItem(PrintItem item);
    const QImage& metricsDevice() const;

    PrintScale scale_ = PrintScale::Twips;
    double x_ = 0;
    double y_ = 0;
    PrintFont font_;
    int drawWidth_ = 1;
    PageOrientation orientation_ = PageOrientation::Portrait;
    PageOrientation pageOrientation_ = PageOrientation::Portrait;
    int page_ = 1;
    bool pageOpen_ = false;
    bool jobActive_ = false;
    mutable QImage metrics_;
    mutable double metricsDpi_ = 0;
};

// Changes the scale for its lifetime.
class ScopedPrintScale {
public:
    ScopedPrintScale(PrintDevice& device, PrintScale scale)
        : device_(device), previous_(device.scale())
    {
        device_.setScale(scale);
    }
    ~ScopedPrintScale() { device_.setScale(previous_); }
    ScopedPrintScale(const ScopedPrintScale&) = delete;
    ScopedPrintScale& operator=(const ScopedPrintScale&) = delete;

private:
    PrintDevice& device_;
    PrintScale previous_;
};

// The program's printer: the device FormatPrint and the printouts use. Unless one is
// installed, the system printer (a QtPrintDevice, created on first use).
PrintDevice& currentPrintDevice();
// Installs a device (not owned); nullptr goes back to the system printer.
void setCurrentPrintDevice(PrintDevice* device);

// Sends the program's printing to a device for its lifetime.
class ScopedPrintDevice {
public:
    explicit ScopedPrintDevice(PrintDevice& device);
    ~ScopedPrintDevice();
    ScopedPrintDevice(const ScopedPrintDevice&) = delete;
    ScopedPrintDevice& operator=(const ScopedPrintDevice&) = delete;

private:
    PrintDevice* previous_;
};

} // namespace vandrel
