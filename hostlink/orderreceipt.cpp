#include "hostlink/orderreceipt.h"

#include "app/core/cp1252.h"
#include "app/core/currency.h"
#include "documents/documentlinereader.h"
#include "printing/formatprint.h"
#include "printing/printdevice.h"

namespace vandrel {

namespace {

constexpr int lineLength = 512;

Currency amount(const QString& text, const QLocale& locale)
{
    return Currency::parse(text.trimmed(), locale).value_or(Currency());
}

} // namespace

QStringList OrderReceipt::print(PrintDevice& device, const QByteArray& orderFile, const Availability& availability,
                                const QDate& today, const QLocale& locale)
{
    QStringList rows;
    auto out = [&](const QString& markup) {
        rows << markup;
        FormatPrint(device, markup);
    };
    DocumentLineReader reader(orderFile);
    auto readLine = [&] { return cp1252::toUnicode(reader.readLine(lineLength)); };

    const QString reference = readLine();
    const QString deliveryDate = readLine();
    QStringList address;
    bool pickUp = false;
    while (!reader.atEnd()) {
        const QString line = readLine();
        const QString flag = line.trimmed().toUpper();
        if (flag == QLatin1String("TRUE") || flag == QLatin1String("FALSE")) {
            pickUp = flag == QLatin1String("TRUE");
            break;
        }
        address << line;
    }

    out(QStringLiteral("{fname:Arial}{fatoff}"));
    out(QStringLiteral("{ftab:5}{widon}Vandrel bestelling, verzonden op:") + locale.toString(today, QLocale::LongFormat)
        + QStringLiteral("{widoff}{crlf}"));
    out(QStringLiteral("{hline:0}{crlf}"));
    out(QStringLiteral("{fname:Arial}{fatoff}"));
    out(QStringLiteral("{ftab:5}{itaon}Referentie: {itaoff}{faton}") + reference + QStringLiteral("{fatoff}{crlf}"));
    out(QStringLiteral("{ftab:5}{itaon}Leverdatum: {itaoff}{faton}") + deliveryDate + QStringLiteral("{fatoff}"));
    out(QStringLiteral("{itaon} Goederen afhalen: {itaoff}{faton}") + (pickUp ? QStringLiteral("Ja") : QStringLiteral("Nee"))
        + QStringLiteral("{fatoff}{crlf}"));
    if (!pickUp)
        out(QStringLiteral("{ftab:5}{itaon}Leveradres: {itaoff}{faton}{memo:50,2,") + address.join(QStringLiteral("\r\n"))
            + QStringLiteral("}{fatoff}{crlf}{crlf}"));
    out(QStringLiteral("{hline:0}"));
    out(QStringLiteral("{ftab:5}{itaon}Aant{ftab:9}Artnr{ftab:15}Omschrijving{ftab:63}Verkoop{ftab:71}Inkoop{itaoff}{crlf}"));
    out(QStringLiteral("{hline:0}"));
    out(QStringLiteral("{faton}{pica}"));

    Currency saleTotal;
    Currency purchaseTotal;
    while (!reader.atEnd()) {
        const QString quantity = readLine();
        if (quantity.isEmpty())
            continue;
        const qint32 article = readLine().trimmed().toInt();
        const QString description = readLine();
        const Currency sale = amount(readLine(), locale);
        const Currency purchase = amount(readLine(), locale);
        saleTotal = saleTotal + sale;
        purchaseTotal = purchaseTotal + purchase;

        out(QStringLiteral("{ftab:5}") + PrintPadLeft(device, quantity, 3) + QStringLiteral("{ftab:9}")
            + QStringLiteral("%1").arg(article, 7, 10, QLatin1Char('0')) + QStringLiteral("{ftab:15}"));
        out(QStringLiteral("{cndon}") + description);
        if (const std::optional<int> weeks = availability ? availability(article) : std::nullopt) {
            if (*weeks > 1)
                out(QStringLiteral("{fatoff}{itaon}   Levertijd ca. ") + QString::number(*weeks)
                    + QStringLiteral(" weken{itaoff}"));
            else if (*weeks == 1)
                out(QStringLiteral("{fatoff}{itaon}   Levertijd ca. 1 week{itaoff}"));
            else
                out(QStringLiteral("{fatoff}{itaon}   Standaard voorradig{itaoff}"));
        }
        out(QStringLiteral("{cndoff}{pica}{faton}{ftab:63}") + PrintPadLeft(device, sale.format(2, locale), 7)
            + QStringLiteral("{ftab:71}") + PrintPadLeft(device, purchase.format(2, locale), 7) + QStringLiteral("{crlf}"));
    }
    out(QStringLiteral("{fatoff}{hline:0}"));
    out(QStringLiteral("{ftab:5}{itaon}{ftab:63}Verkoop{ftab:71}Inkoop{itaoff}{crlf}"));
    out(QStringLiteral("{hline:0}"));
    out(QStringLiteral("{ftab:5}{faton}{ftab:63}") + PrintPadLeft(device, saleTotal.format(2, locale), 7)
        + QStringLiteral("{ftab:71}") + PrintPadLeft(device, purchaseTotal.format(2, locale), 7)
        + QStringLiteral("{crlf}"));
    device.endDoc();
    return rows;
}

} // namespace vandrel
