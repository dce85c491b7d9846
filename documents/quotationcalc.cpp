#include "documents/quotationcalc.h"

#include "app/core/currency.h"
#include "documents/quotationcatalog.h"
#include "documents/quotationline.h"

#include <limits>
#include <optional>
#include <vector>

namespace vandrel {

namespace {

using quotation::LineKind;

constexpr std::int64_t kMaxRaw = std::numeric_limits<std::int64_t>::max() / 4;

std::optional<Currency> checked(__int128 raw)
{
    if (raw > kMaxRaw || raw < -kMaxRaw)
        return std::nullopt;
    return Currency::fromRaw(static_cast<std::int64_t>(raw));
}

std::optional<Currency> plus(Currency a, Currency b)
{
    return checked(__int128(a.raw()) + b.raw());
}

std::optional<Currency> times(Currency a, Currency b)
{
    const __int128 product = __int128(a.raw()) * b.raw();
    if (product / Currency::scale > kMaxRaw || product / Currency::scale < -kMaxRaw)
        return std::nullopt;
    return Currency::fromRaw(divideRoundHalfEven(product, Currency::scale));
}

std::optional<Currency> dividedBy(Currency a, Currency b)
{
    if (b.raw() == 0)
        return std::nullopt;
    const __int128 n = __int128(a.raw()) * Currency::scale;
    if (n / b.raw() > kMaxRaw || n / b.raw() < -kMaxRaw)
        return std::nullopt;
    return Currency::fromRaw(divideRoundHalfEven(n, b.raw()));
}

// The open sections and the sum of all of them, kept together so a VAT or total line
// does not add up every section again.
class Sections {
public:
    Currency open() const { return sums_[current_]; }
    Currency all() const { return all_; }
    // False (nothing changed) when the result is out of range.
    bool addToOpen(Currency amount)
    {
        const auto section = plus(sums_[current_], amount);
        const auto total = plus(all_, amount);
        if (!section || !total)
            return false;
        sums_[current_] = *section;
        all_ = *total;
        return true;
    }
    void close()
    {
        ++current_;
        if (current_ == sums_.size())
            sums_.push_back(Currency());
    }
    void clearAll()
    {
        for (std::size_t i = firstUsed_; i < sums_.size(); ++i)
            sums_[i] = Currency();
        firstUsed_ = current_;
        all_ = Currency();
    }

private:
    std::vector<Currency> sums_ = std::vector<Currency>(1);
    std::size_t current_ = 0;
    std::size_t firstUsed_ = 0; // sections before it are known to be zero
    Currency all_;
};

const Currency kVatFactor = Currency::fromRaw(11900); // 1.19

} // namespace

std::optional<Currency> pricedAmount(const QString& quantity, const QuotationArticle& article,
                                     bool vatIncluded)
{
    const auto q = quotation::amountOf(quotation::GenVal(quantity));
    auto amount = q ? times(*q, article.brutoPrijs) : std::nullopt;
    if (amount)
        amount = dividedBy(*amount, article.priceUnit());
    if (amount && vatIncluded)
        amount = times(*amount, kVatFactor);
    return amount;
}

QList<int> recalcQuotation(QStringList& lines, const RecalcOptions& options)
{
    QList<int> changed;
    Sections sections;
    const auto setValue = [&](int i, Currency amount) {
        if (quotation::SetLineValue(lines[i], amount, options.locale))
            changed.append(i);
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i];
        switch (quotation::kindOf(line)) {
        case LineKind::Empty:
        case LineKind::Text:
        case LineKind::PageBreak:
            break;
        case LineKind::Subtotal:
            setValue(i, sections.open());
            sections.close();
            break;
        case LineKind::Vat: {
            if (options.vatIncluded) {
                setValue(i, Currency());
                break;
            }
            const auto rate = quotation::amountOf(quotation::GenVal(quotation::GetLineField(line, 1)));
            const auto vat = rate ? times(sections.all(), *rate) : std::nullopt;
            if (vat && sections.addToOpen(*vat))
                setValue(i, *vat);
            break;
        }
        case LineKind::Total: {
            const Currency total = sections.all();
            sections.clearAll();
            setValue(i, total);
            break;
        }
        case LineKind::Discount: {
            const QString d = quotation::GetLineField(line, 3);
            std::optional<Currency> discount;
            if (d.contains(QLatin1Char('%'))) {
                const auto share = quotation::amountOf(quotation::GenVal(d));
                discount = share ? times(sections.open(), *share) : std::nullopt;
            } else {
                discount = quotation::lineAmount(d, options.locale);
            }
            if (discount)
                sections.addToOpen(-*discount);
            break;
        }
        case LineKind::Article: {
            if (options.reprice && options.catalog) {
                const auto number = quotation::articleNumber(quotation::GetLineField(line, 2));
                const auto article = number ? options.catalog->find(*number) : std::nullopt;
                if (article) {
                    if (const auto amount = pricedAmount(quotation::GetLineField(line, 1), *article, options.vatIncluded))
                        setValue(i, *amount);
                }
            }
            // The amount as shown: two decimals.
            if (const auto shown = quotation::lineAmount(quotation::GetLineField(lines[i], 3), options.locale))
                sections.addToOpen(*shown);
            break;
        }
        }
    }
    return changed;
}

} // namespace vandrel
