// libFuzzer target: the quotation file reader, then the line fields, GenVal and Recalc
// over whatever lines it gives, with and without re-pricing and VAT.
#include "documents/quotationcalc.h"
#include "documents/quotationcatalog.h"
#include "documents/quotationfile.h"
#include "documents/quotationline.h"

#include <QLocale>

#include <cstddef>
#include <cstdint>

namespace {

// Every article number is found, with a price and unit taken from the number, so the
// re-pricing path runs on every line that has one.
class AnyArticle final : public vandrel::QuotationCatalog {
public:
    std::optional<vandrel::QuotationArticle> find(qint64 number) const override
    {
        vandrel::QuotationArticle a;
        a.number = number;
        a.brutoPrijs = vandrel::Currency::fromRaw((number % 1000003) * 137);
        a.per = double(number % 7) - 1; // includes 0 and a negative unit
        return a;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const vandrel::QuotationFileContent content = vandrel::quotationfile::decode(bytes);
    (void)vandrel::quotationfile::readDate(content.date);
    for (const QString& line : content.lines) {
        (void)vandrel::quotation::kindOf(line);
        for (int n = 1; n <= 4; ++n)
            (void)vandrel::quotation::GenVal(vandrel::quotation::GetLineField(line, n));
    }
    static const AnyArticle catalog;
    for (int pass = 0; pass < 4; ++pass) {
        QStringList lines = content.lines;
        vandrel::RecalcOptions options;
        options.reprice = pass & 1;
        options.vatIncluded = pass & 2;
        options.catalog = &catalog;
        options.locale = QLocale::c();
        vandrel::recalcQuotation(lines, options);
        // A second pass over its own result must be stable.
        QStringList again = lines;
        options.reprice = false;
        vandrel::recalcQuotation(again, options);
    }
    // What was read is written back as it was read.
    const QByteArray written = vandrel::quotationfile::encode(content);
    const vandrel::QuotationFileContent back = vandrel::quotationfile::decode(written);
    if (back.reference != content.reference || back.date != content.date || back.lines != content.lines)
        __builtin_trap();
    return 0;
}
