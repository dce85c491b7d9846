#include "documents/quotationoutput.h"

#include "app/core/cp1252.h"
#include "app/core/currency.h"
#include "app/core/events.h"
#include "app/core/helpers.h"
#include "documents/quotationcatalog.h"
#include "documents/quotationline.h"
#include "printing/formatprint.h"
#include "printing/printdevice.h"
#include "printing/recordingprintdevice.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace vandrel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kNoValue = QStringLiteral("     ");

bool isNumeric(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    if (Currency::parse(t, QLocale()))
        return true;
    bool ok = false;
    QLocale::c().toDouble(t, &ok);
    return ok;
}

QString afterTabs(const QString& line, int tabs)
{
    qsizetype at = -1;
    for (int i = 0; i < tabs; ++i)
        at = line.indexOf(QLatin1Char('\t'), at + 1);
    return line.mid(at + 1);
}

// Whole millimetres of a margin box ("20", " 15 "); no number reads as 0.
int marginMm(const QString& text)
{
    const double v = Val(text);
    return v > 0 && v < 10000 ? int(v) : 0;
}

// A move to a margin. A margin of 0 moves nothing: "{MoveR:0}" would go to the page's
// right edge and "{MoveD:0}" to its bottom.
QString marginMove(const char* command, const QString& margin)
{
    if (marginMm(margin) <= 0)
        return QString();
    return QStringLiteral("{%1:%2}").arg(QLatin1String(command), margin.trimmed());
}

// PrintPadLeft for the outputs that do not print: measured in the body font (10-point
// Arial), as the printed page measures it.
QString padLeftInBodyFont(const QString& text, int n)
{
    static RecordingPrintDevice* measure = [] {
        auto* d = new RecordingPrintDevice();
        PrintFont font;
        font.name = QStringLiteral("Arial");
        font.size = 10;
        d->setFont(font);
        return d;
    }();
    return PrintPadLeft(*measure, text, n);
}

} // namespace

void forEachQuotationOutputLine(const QuotationOutputSource& source,
                                const QuotationPrintOptions& options, QuotationTextRule rule,
                                const std::function<void(const QuotationOutputLine&)>& write)
{
    for (const QString& line : source.lines) {
        QuotationOutputLine out;
        const int tabs = quotation::tabCount(line);
        if (tabs == 0) {
            out.shape = QuotationOutputLine::Shape::Text;
            out.text = line;
            out.pageBreak = quotation::isPageBreak(line);
            write(out);
            continue;
        }
        out.field1 = quotation::field(line, 1);
        if (tabs == 1) {
            out.shape = QuotationOutputLine::Shape::OneField;
            out.rest = afterTabs(line, 1);
            write(out);
            continue;
        }
        out.code = quotation::field(line, 2);
        const bool article = isNumeric(out.code) && !out.code.contains(QLatin1Char('%'));
        out.codeWritten = options.printCodes || !article;
        if (tabs == 2) {
            out.shape = QuotationOutputLine::Shape::TwoFields;
            out.rest = afterTabs(line, 2);
            write(out);
            continue;
        }
        out.shape = QuotationOutputLine::Shape::Full;
        out.value = (!options.printValues && article) ? kNoValue : quotation::field(line, 3);
        out.description = quotation::field(line, 4);
        if (options.printOfferte && source.catalog) {
            const auto number = quotation::articleNumber(quotation::GetLineField(line, 2));
            if (const auto found = number ? source.catalog->find(*number) : std::nullopt) {
                if (rule == QuotationTextRule::AsStored || !found->offerteOms.trimmed().isEmpty())
                    out.description = found->offerteOms;
                else
                    out.description = found->beschrijving;
            }
        }
        write(out);
    }
}

// ---------------------------------------------------------------------------------------
// Printer
// ---------------------------------------------------------------------------------------

void printQuotation(const QuotationOutputSource& source, const QuotationPrintOptions& options,
                    PrintDevice& device, const MarkupSink& formatPrint)
{
    const QString indent = QStringLiteral("{Cr}") + marginMove("MoveR", options.leftMargin);
    const QString topMarkup = QStringLiteral("{Tof}") + marginMove("MoveD", options.topMargin);
    const QString firstTopMarkup =
        QStringLiteral("{Tof}") + marginMove("MoveD", options.firstPageTopMargin);

    // Positions are twips from the printable area's top-left; margins are from the
    // paper's edges.
    const QSizeF paper = device.pageSizeTwips();
    const QPointF offset = device.physicalOffsetTwips();
    const double leftX = marginMm(options.leftMargin) * kTwipsPerMm;
    const double rightEdge = std::min(paper.width() - offset.x() - marginMm(options.rightMargin) * kTwipsPerMm,
                                      device.toTwips(device.printableWidth()));
    const double pageBottom = paper.height() - offset.y() - marginMm(options.botMargin) * kTwipsPerMm;
    // A box always gets a positive width; it stays inside the margins whenever they
    // leave room at all.
    const auto boxWidth = [](double room) { return QString::number(std::max(1, int(std::floor(room)))); };
    const auto moveRight = [&](double twips) {
        const int mm = int(twips / kTwipsPerMm);
        // Under one millimetre there is nothing to move ("{MoveR:0}" is the right edge).
        if (mm >= 1)
            formatPrint(QStringLiteral("{MoveR:%1}").arg(mm));
    };

    int recordedPage = device.page();
    if (options.printHeader) {
        formatPrint(firstTopMarkup + QStringLiteral("{fname:Arial}{fatoff}"));
        formatPrint(indent + QStringLiteral("{widon}Offerte:{widoff}{crlf}"));
        formatPrint(QStringLiteral("{hline:0}{crlf}"));
        formatPrint(QStringLiteral("{fname:Arial}{fatoff}"));
        formatPrint(indent + QStringLiteral("{itaon}Referentie: {itaoff}{faton}") + source.reference +
                    QStringLiteral("{fatoff}{crlf}"));
        formatPrint(indent + QStringLiteral("{itaon}Offertedatum: {itaoff}{faton}") + source.date +
                    QStringLiteral("{fatoff}{crlf}"));
        formatPrint(QStringLiteral("{hline:0}{crlf}"));
    } else {
        formatPrint(firstTopMarkup + QStringLiteral("{fname:Arial}{fatoff}"));
    }
    formatPrint(QStringLiteral("{fatoff}{pica}"));

    forEachQuotationOutputLine(source, options, QuotationTextRule::AsStored, [&](const QuotationOutputLine& line) {
        const bool due = line.pageBreak || device.page() != recordedPage ||
                         device.positionTwips().y() >= pageBottom;
        if (due) {
            if (device.page() == recordedPage)
                device.newPage();
            pumpEvents();
            recordedPage = device.page();
            formatPrint(topMarkup);
            if (line.pageBreak)
                return;
        }
        switch (line.shape) {
        case QuotationOutputLine::Shape::Text:
            if (line.text.isEmpty())
                formatPrint(QStringLiteral("{crlf}"));
            else
                formatPrint(indent + QStringLiteral("{Memo:") + boxWidth(rightEdge - leftX) +
                            QStringLiteral("tw,3,") + line.text + QStringLiteral("}{RestoreY}{RestoreX}"));
            return;
        case QuotationOutputLine::Shape::OneField:
        case QuotationOutputLine::Shape::TwoFields:
        case QuotationOutputLine::Shape::Full:
            break;
        }
        formatPrint(indent + line.field1);
        moveRight(device.textWidthTwips(QStringLiteral("8888888")) - device.textWidthTwips(line.field1));
        if (line.shape == QuotationOutputLine::Shape::OneField) {
            formatPrint(line.rest + QStringLiteral("{crlf}"));
            return;
        }
        const QString codeColumn = QStringLiteral("8888888888");
        if (line.codeWritten) {
            formatPrint(line.code);
            moveRight(device.textWidthTwips(codeColumn) - device.textWidthTwips(line.code));
        } else {
            moveRight(device.textWidthTwips(codeColumn));
        }
        if (line.shape == QuotationOutputLine::Shape::TwoFields) {
            formatPrint(PrintPadLeft(device, line.rest, 7) + QStringLiteral("{crlf}"));
            return;
        }
        const QString value = PrintPadLeft(device, line.value, 7);
        const double room = rightEdge - device.positionTwips().x() - device.textWidthTwips(value);
        formatPrint(QStringLiteral("{Memo:") + boxWidth(room) + QStringLiteral("tw,3,") +
                    line.description + QStringLiteral("}"));
        formatPrint(value + QStringLiteral("{RestoreY}"));
    });
}

// ---------------------------------------------------------------------------------------
// RTF
// ---------------------------------------------------------------------------------------

QString rtfEscaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u == u'\t') {
            out += QStringLiteral("\\tab ");
        } else if (u < 32) {
            continue;
        } else if (u < 128) {
            out += c;
        } else {
            const QByteArray b = cp1252::fromUnicode(QString(c));
            if (b.size() == 1 && b[0] != '?')
                out += QStringLiteral("\\'%1").arg(uchar(b[0]), 2, 16, QLatin1Char('0'));
            else
                out += QStringLiteral("\\u%1?").arg(qint16(u));
        }
    }
    return out;
}

void writeQuotationRtf(const QuotationOutputSource& source, const QuotationPrintOptions& options,
                       const std::function<void(const QString& piece)>& writeText)
{
    writeText(QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}"
                             "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss\\fprq2 Arial;}{\\f3\\fswiss Arial;}"
                             "{\\f4\\fswiss\\fprq2 System;}{\\f5\\fswiss Arial;}}") + kCrLf);
    writeText(QStringLiteral("{\\colortbl\\red0\\green0\\blue0;}") + kCrLf);
    writeText(QStringLiteral("\\deflang1043\\horzdoc{\\*\\fchars }{\\*\\lchars }\\pard\\plain\\f2\\fs20") + kCrLf);
    writeText(QStringLiteral("\\par ") + kCrLf);
    if (options.printHeader) {
        writeText(QStringLiteral("\\par {\\fs18 \\b Offerte:} ") + kCrLf);
        writeText(QStringLiteral("\\par ") + kCrLf);
        writeText(QStringLiteral("\\par {\\i Referentie: }{\\b ") + rtfEscaped(source.reference) +
                  QStringLiteral("}") + kCrLf);
        writeText(QStringLiteral("\\par {\\i Offertedatum: }{\\b ") + rtfEscaped(source.date) +
                  QStringLiteral("}") + kCrLf);
        writeText(QStringLiteral("\\par ") + kCrLf);
        writeText(QStringLiteral("\\par ") + kCrLf);
    }
    forEachQuotationOutputLine(source, options, QuotationTextRule::FallBackToDescription,
                               [&](const QuotationOutputLine& line) {
        if (line.shape == QuotationOutputLine::Shape::Text) {
            writeText(QStringLiteral("\\par ") + rtfEscaped(line.text) + kCrLf);
            return;
        }
        writeText(QStringLiteral("\\par ") + rtfEscaped(line.field1) + QStringLiteral(" \\tx750 \\tab "));
        if (line.shape == QuotationOutputLine::Shape::OneField) {
            writeText(rtfEscaped(line.rest) + kCrLf);
            return;
        }
        writeText((line.codeWritten ? rtfEscaped(line.code) : QString()) + QStringLiteral(" \\tx2100 \\tab "));
        if (line.shape == QuotationOutputLine::Shape::TwoFields) {
            writeText(rtfEscaped(padLeftInBodyFont(line.rest, 7)) + kCrLf);
            return;
        }
        writeText(rtfEscaped(line.description) + QStringLiteral(" \\tx8100 \\tab "));
        writeText(rtfEscaped(padLeftInBodyFont(line.value, 7)) + kCrLf);
    });
    writeText(QStringLiteral("\\par }") + kCrLf);
}

// ---------------------------------------------------------------------------------------
// Tab-separated file
// ---------------------------------------------------------------------------------------

QByteArray quotationTabText(const QuotationOutputSource& source, const QuotationPrintOptions& options)
{
    QString out;
    if (options.printHeader) {
        out += QStringLiteral("Offerte:") + kCrLf + kCrLf;
        out += QStringLiteral("Referentie: \t") + source.reference + kCrLf;
        out += QStringLiteral("Offertedatum: \t") + source.date + kCrLf + kCrLf;
    }
    const QChar tab = QLatin1Char('\t');
    forEachQuotationOutputLine(source, options, QuotationTextRule::FallBackToDescription,
                               [&](const QuotationOutputLine& line) {
        if (line.shape == QuotationOutputLine::Shape::Text) {
            out += line.text + kCrLf;
            return;
        }
        out += line.field1 + tab;
        if (line.shape == QuotationOutputLine::Shape::OneField) {
            out += line.rest + kCrLf;
            return;
        }
        out += (line.codeWritten ? line.code : QString()) + tab;
        if (line.shape == QuotationOutputLine::Shape::TwoFields) {
            out += padLeftInBodyFont(line.rest, 7) + kCrLf;
            return;
        }
        QString value = line.value;
        value.replace(QLatin1Char('.'), QLatin1Char(','));
        out += line.description + tab + value + kCrLf;
    });
    return cp1252::fromUnicode(out);
}

} // namespace vandrel
