#pragma once

#include "documents/quotationcatalog.h"

#include <QMap>
#include <QStringList>

namespace vandrel::test {

// A catalog in memory for the quotation tests.
class FakeQuotationCatalog final : public QuotationCatalog {
public:
    void add(qint64 number, const char* bruto, double per, const QString& beschrijving,
             const QString& offerteOms = QString())
    {
        QuotationArticle a;
        a.number = number;
        a.brutoPrijs = *Currency::parse(QString::fromLatin1(bruto), QLocale::c());
        a.per = per;
        a.beschrijving = beschrijving;
        a.offerteOms = offerteOms;
        articles_.insert(number, a);
    }
    std::optional<QuotationArticle> find(qint64 number) const override
    {
        const auto it = articles_.find(number);
        if (it == articles_.end())
            return std::nullopt;
        return *it;
    }

private:
    QMap<qint64, QuotationArticle> articles_;
};

} // namespace vandrel::test
