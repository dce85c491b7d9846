#pragma once

#include "documents/quotationprintoptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace vandrel {

class PrintDevice;
class QuotationCatalog;

// What the outputs print: the quotation window's header fields and list lines, and its
// catalog cursor for the quotation texts.
struct QuotationOutputSource {
    QString reference;
    QString date;
    QStringList lines;
    const QuotationCatalog* catalog = nullptr;
};

// One list line as every output writes it, after the shared field rules.
struct QuotationOutputLine {
    enum class Shape {
        Text,      // no tab: `text` (empty lines and page breaks included)
        OneField,  // one tab: field1, then `rest`
        TwoFields, // two tabs: field1, code column, then `rest`
        Full,      // three tabs or more: field1, code column, description, value
    };
    Shape shape = Shape::Text;
    bool pageBreak = false;
    QString text;
    QString field1;
    bool codeWritten = false;
    QString code; // field 2 (only meaningful when codeWritten)
    QString rest;
    QString description;
    QString value; // field 3, or five blanks for an article line without values
};

// Where a found article's description comes from when quotation texts are chosen:
// the printer prints OfferteOms as it stands; RTF and tab file fall back to Beschrijving
// when OfferteOms holds only blanks.
enum class QuotationTextRule { AsStored, FallBackToDescription };

// The one walk over the lines all three outputs share.
void forEachQuotationOutputLine(const QuotationOutputSource& source,
                                const QuotationPrintOptions& options, QuotationTextRule rule,
                                const std::function<void(const QuotationOutputLine&)>& write);

// The printed quotation: every FormatPrint call goes through formatPrint (which prints on
// the device); the device is read for its page, position and text widths. The caller ends
// the job.
using MarkupSink = std::function<void(const QString& markup)>;
void printQuotation(const QuotationOutputSource& source, const QuotationPrintOptions& options,
                    PrintDevice& device, const MarkupSink& formatPrint);

// The RTF document, piece by piece as WriteText takes it (without the final empty call).
void writeQuotationRtf(const QuotationOutputSource& source, const QuotationPrintOptions& options,
                       const std::function<void(const QString& piece)>& writeText);

// The tab-separated file's bytes (Windows-1252, CR LF).
QByteArray quotationTabText(const QuotationOutputSource& source,
                            const QuotationPrintOptions& options);

// Text as RTF: "\", "{" and "}" escaped, characters outside ASCII as \'hh (Windows-1252)
// or \uN?, tabs as \tab, other control characters dropped.
QString rtfEscaped(const QString& text);

} // namespace vandrel
