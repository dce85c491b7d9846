#include "documents/orderprint.h"

#include "catalogdb/scanfile.h"
#include "printing/formatprint.h"
#include "printing/printdevice.h"

namespace vandrel {

QString availabilityText(std::optional<int> weeks)
{
    if (weeks && *weeks > 1)
        return QStringLiteral("   Levertijd ca. %1 weken").arg(*weeks);
    if (weeks && *weeks == 1)
        return QStringLiteral("   Levertijd ca. 1 week");
    return QStringLiteral("   Standaard voorradig");
}

QStringList printOrder(PrintDevice& device, const OrderFileContent& order, const ArticleLookup& lookup,
                       ProgressMeter* meter)
{
    QStringList printed;
    const auto print = [&](const QString& text) {
        printed << text;
        FormatPrint(device, text);
    };
    const auto amount = [](const std::optional<Currency>& a) { return a.value_or(Currency()).toString(); };

    print(QStringLiteral("{fname:Arial}{fatoff}"));
    print(QStringLiteral("{ftab:5}{widon}Vandrel bestelling:{widoff}{crlf}"));
    print(QStringLiteral("{hline:0}{crlf}"));
    print(QStringLiteral("{fname:Arial}{fatoff}"));
    print(QStringLiteral("{ftab:5}{itaon}Referentie: {itaoff}{faton}") + order.reference + QStringLiteral("{fatoff}{crlf}"));
    print(QStringLiteral("{ftab:5}{itaon}Leverdatum: {itaoff}{faton}") + order.deliveryDate + QStringLiteral("{fatoff}"));
    print(QStringLiteral("{itaon} Goederen afhalen: {itaoff}{faton}") + (order.pickUp ? QStringLiteral("Ja") : QStringLiteral("Nee")) +
          QStringLiteral("{fatoff}{crlf}"));
    if (!order.pickUp)
        print(QStringLiteral("{ftab:5}{itaon}Leveradres: {itaoff}{faton}{memo:50,2,") + order.address +
              QStringLiteral("}{fatoff}{crlf}{crlf}"));
    print(QStringLiteral("{hline:0}"));
    print(QStringLiteral("{ftab:5}{itaon}Aant{ftab:9}Artnr{ftab:15}Omschrijving"));
    print(QStringLiteral("{ftab:63}Verkoop{ftab:71}Inkoop{itaoff}{crlf}"));
    print(QStringLiteral("{hline:0}"));
    print(QStringLiteral("{faton}{pica}"));

    Currency totalGross;
    Currency totalNet;
    const auto progress = [&](qsizetype done) {
        if (!meter)
            return;
        meter->setPercent(int(order.lines.isEmpty() ? 100 : done * 100 / order.lines.size()));
        meter->refresh();
    };
    for (qsizetype i = 0; i < order.lines.size(); ++i) {
        if (i > 0 && i % orderPrintStep == 0)
            progress(i);
        const OrderFileLine& line = order.lines[i];
        if (line.quantity == 0)
            continue; // an empty quantity
        print(QStringLiteral("{ftab:5}") + PrintPadLeft(device, QString::number(line.quantity), 3) +
              QStringLiteral("{ftab:9}") + QStringLiteral("%1").arg(line.articleNumber, 7, 10, QLatin1Char('0')) +
              QStringLiteral("{ftab:15}"));
        print(QStringLiteral("{cndon}") + line.description);
        if (const auto article = lookup ? lookup(line.articleNumber) : std::nullopt)
            print(QStringLiteral("{fatoff}{itaon}") + availabilityText(article->availability) + QStringLiteral("{itaoff}"));
        print(QStringLiteral("{cndoff}{pica}{faton}{ftab:63}"));
        print(PrintPadLeft(device, amount(line.gross), 7));
        print(QStringLiteral("{ftab:71}"));
        print(PrintPadLeft(device, amount(line.net), 7));
        print(QStringLiteral("{crlf}"));
        totalGross += line.gross.value_or(Currency());
        totalNet += line.net.value_or(Currency());
    }

    print(QStringLiteral("{fatoff}{hline:0}"));
    print(QStringLiteral("{ftab:5}{itaon}"));
    print(QStringLiteral("{ftab:63}Verkoop{ftab:71}Inkoop{itaoff}{crlf}"));
    print(QStringLiteral("{hline:0}"));
    print(QStringLiteral("{ftab:5}{faton}"));
    print(QStringLiteral("{ftab:63}") + PrintPadLeft(device, totalGross.toString(), 7));
    print(QStringLiteral("{ftab:71}") + PrintPadLeft(device, totalNet.toString(), 7) + QStringLiteral("{crlf}"));
    print(QStringLiteral("{ftab:5}{itaon}prijzen zijn in Euro.{itaoff}{crlf}"));
    progress(order.lines.size());
    if (meter)
        meter->close(); // before the job goes out, which may tell where it went
    device.endDoc();
    return printed;
}

} // namespace vandrel
