#include "printing/rtfwriter.h"

#include "app/core/cp1252.h"

#include <QColor>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>

namespace vandrel {

namespace {

// QTextDocument lays out in pixels of the screen it was made for.
double layoutDpi()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return screen->logicalDotsPerInchX();
    }
    return 96.0;
}

QString familyOf(const QTextCharFormat& format, const QTextDocument& document)
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return document.defaultFont().family();
}

double pointSizeOf(const QTextCharFormat& format, const QTextDocument& document)
{
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        return format.fontPointSize();
    const double size = document.defaultFont().pointSizeF();
    return size > 0 ? size : 12.0;
}

QColor colorOf(const QTextCharFormat& format)
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return QColor();
    const QBrush brush = format.foreground();
    return brush.style() == Qt::NoBrush ? QColor() : brush.color();
}

class Writer {
public:
    explicit Writer(const QTextDocument& document) : document_(document) {}
    QByteArray run();

private:
    int fontIndex(const QString& family);
    int colorIndex(const QColor& color);
    void paragraph(const QTextBlock& block);
    void run(const QTextCharFormat& format, const QString& text);
    void characterFormat(const QTextCharFormat& format);
    void escaped(const QString& text);

    const QTextDocument& document_;
    QStringList fonts_;
    QList<QRgb> colors_;
    QByteArray body_;
};

int Writer::fontIndex(const QString& family)
{
    int index = static_cast<int>(fonts_.indexOf(family));
    if (index < 0) {
        fonts_.append(family);
        index = static_cast<int>(fonts_.size()) - 1;
    }
    return index;
}

int Writer::colorIndex(const QColor& color)
{
    if (!color.isValid())
        return 0;
    const QRgb rgb = color.rgb();
    int index = static_cast<int>(colors_.indexOf(rgb));
    if (index < 0) {
        colors_.append(rgb);
        index = static_cast<int>(colors_.size()) - 1;
    }
    return index + 1; // entry 0 is "automatic"
}

void Writer::escaped(const QString& text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            body_ += '\\';
            body_ += static_cast<char>(u);
        } else if (u == '\t') {
            body_ += "\\tab ";
        } else if (u == QChar::LineSeparator || u == '\n') {
            body_ += "\\line ";
        } else if (u == 0x00A0) {
            body_ += "\\~";
        } else if (u < 0x20 || u == QChar::ObjectReplacementCharacter) {
            // Control characters and embedded objects have no RTF text.
        } else if (u < 0x80) {
            body_ += static_cast<char>(u);
        } else {
            const QByteArray ansi = cp1252::fromUnicode(QString(ch));
            if (ansi.size() == 1 && ansi != "?" && u >= 0xA0) {
                body_ += "\\'" + QByteArray::number(static_cast<unsigned char>(ansi[0]), 16)
                                     .rightJustified(2, '0');
            } else {
                // Signed 16 bits, as word processors read it, with "?" for readers
                // without Unicode; every UTF-16 unit on its own keeps surrogate pairs.
                body_ += "\\u" + QByteArray::number(static_cast<int16_t>(u)) + '?';
            }
        }
    }
}

void Writer::characterFormat(const QTextCharFormat& format)
{
    body_ += "\\f" + QByteArray::number(fontIndex(familyOf(format, document_)));
    body_ += "\\fs" + QByteArray::number(
                          static_cast<int>(std::lround(pointSizeOf(format, document_) * 2)));
    if (format.fontWeight() >= QFont::DemiBold)
        body_ += "\\b";
    if (format.fontItalic())
        body_ += "\\i";
    if (format.fontUnderline())
        body_ += "\\ul";
    if (format.fontStrikeOut())
        body_ += "\\strike";
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        body_ += "\\super";
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        body_ += "\\sub";
    if (const int color = colorIndex(colorOf(format)))
        body_ += "\\cf" + QByteArray::number(color);
}

void Writer::run(const QTextCharFormat& format, const QString& text)
{
    body_ += '{';
    characterFormat(format);
    body_ += ' ';
    escaped(text);
    body_ += '}';
}

void Writer::paragraph(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    body_ += "\\pard";
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignJustify)
        body_ += "\\qj";
    else if (align & Qt::AlignHCenter)
        body_ += "\\qc";
    else if (align & (Qt::AlignRight | Qt::AlignTrailing))
        body_ += "\\qr";
    else
        body_ += "\\ql";
    auto twips = [&](const char* word, double units) {
        const int value = rtfLayoutToTwips(units);
        if (value != 0)
            body_ += QByteArray("\\") + word + QByteArray::number(value);
    };
    twips("li", format.leftMargin());
    twips("ri", format.rightMargin());
    twips("fi", format.textIndent());
    twips("sb", format.topMargin());
    twips("sa", format.bottomMargin());
    for (const QTextOption::Tab& tab : format.tabPositions())
        body_ += "\\tx" + QByteArray::number(rtfLayoutToTwips(tab.position));
    // The paragraph mark carries the font of an empty line.
    body_ += "\\plain";
    characterFormat(block.charFormat());
    body_ += ' ';
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.isValid())
            run(fragment.charFormat(), fragment.text());
    }
}

QByteArray Writer::run()
{
    fontIndex(document_.defaultFont().family());
    bool first = true;
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        if (!first)
            body_ += "\\par\r\n";
        first = false;
        paragraph(block);
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (int i = 0; i < fonts_.size(); ++i) {
        QString name = fonts_[i];
        name.remove(u';');
        // Font names go through the same escaping as text.
        Writer nameWriter(document_);
        nameWriter.escaped(name);
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 " + nameWriter.body_ + ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const QRgb rgb : colors_) {
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
               QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
               ';';
    }
    out += "}\r\n\\viewkind4\r\n";
    out += body_;
    out += "\r\n}\r\n";
    return out;
}

} // namespace

double rtfTwipsToLayout(int twips)
{
    return twips * layoutDpi() / 1440.0;
}

int rtfLayoutToTwips(double units)
{
    return static_cast<int>(std::lround(units * 1440.0 / layoutDpi()));
}

QByteArray writeRtf(const QTextDocument& document)
{
    return Writer(document).run();
}

} // namespace vandrel
