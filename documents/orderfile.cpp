#include "documents/orderfile.h"

#include "app/core/cp1252.h"
#include "documents/documentlinereader.h"

#include <QDate>
#include <QRegularExpression>

namespace vandrel {

namespace {

constexpr int lineLimit = 128;
constexpr int descriptionLimit = 4096;
const QByteArray crlf("\r\n");

QString amountText(const std::optional<Currency>& amount, const QLocale& locale)
{
    return amount ? amount->format(2, locale) : QString();
}

std::optional<qint32> wholeNumber(const QString& text)
{
    bool ok = false;
    const qint32 n = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<qint32>(n) : std::nullopt;
}

} // namespace

QByteArray writeOrderFile(const OrderFileContent& order, const QLocale& locale)
{
    QString text;
    text += order.reference + QStringLiteral("\r\n");
    text += order.deliveryDate + QStringLiteral("\r\n");
    // An address line reading "True" or "False" would end the address on reading and
    // leave the rest of the file unreadable: a blank behind it keeps the order whole.
    QStringList addressLines = order.address.split(QStringLiteral("\r\n"));
    for (QString& l : addressLines) {
        if (l.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ||
            l.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
            l += QLatin1Char(' ');
    }
    text += addressLines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    text += order.pickUp ? QStringLiteral("True") : QStringLiteral("False");
    for (const OrderFileLine& line : order.lines) {
        if (line.quantity <= 0 || line.articleNumber <= 0)
            continue;
        text += QStringLiteral("\r\n") + QString::number(line.quantity) + QStringLiteral("\r\n");
        text += QStringLiteral("%1").arg(line.articleNumber, 7, 10, QLatin1Char('0')) + QStringLiteral("\r\n");
        text += line.description + QStringLiteral("\r\n");
        text += amountText(line.gross, locale) + QStringLiteral("\r\n");
        text += amountText(line.net, locale);
    }
    QByteArray bytes = cp1252::fromUnicode(text);
    bytes += '\r';
    bytes += DocumentLineReader::endMarker;
    return bytes;
}

std::optional<QDate> readDocumentDate(const QString& text, const QLocale& locale)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QDate d = locale.toDate(t, QLocale::ShortFormat);
    if (d.isValid())
        return d;
    static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})[-/.](\\d{1,2})[-/.](\\d{2}|\\d{4})$"));
    if (const auto m = dmy.match(t); m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            year += year < 30 ? 2000 : 1900; // as the system's two-digit year window reads them
        d = QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
        if (d.isValid())
            return d;
    }
    d = QDate::fromString(t, Qt::ISODate);
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

OrderFileReadResult readOrderFile(const QByteArray& bytes, const QLocale& locale)
{
    OrderFileReadResult result;
    const auto damaged = [&](const QString& why) {
        result.ok = false;
        result.order = OrderFileContent();
        result.problem = why;
        return result;
    };
    // Our files always end in CR Ctrl-Z: without it the file was cut short.
    if (!bytes.endsWith(QByteArray("\r") + DocumentLineReader::endMarker) &&
        !bytes.contains(DocumentLineReader::endMarker))
        return damaged(QStringLiteral("het bestand is onvolledig (het eindteken ontbreekt)"));
    DocumentLineReader reader(bytes);
    const auto line = [&](int limit) { return cp1252::toUnicode(reader.readLine(limit)); };
    const auto where = [&] { return QStringLiteral(" (regel %1)").arg(reader.lineNumber()); };

    OrderFileContent& order = result.order;
    order.reference = line(lineLimit);
    if (reader.atEnd())
        return damaged(QStringLiteral("het bestand is geen Vandrel bestelling") + where());
    const QString date = line(lineLimit);
    if (!date.trimmed().isEmpty()) {
        const std::optional<QDate> d = readDocumentDate(date, locale);
        if (!d)
            return damaged(QStringLiteral("de leverdatum is geen datum") + where());
        order.deliveryDate = locale.toString(*d, QLocale::ShortFormat);
    }
    bool flagFound = false;
    while (!reader.atEnd()) {
        const QString l = line(lineLimit);
        const QString upper = l.toUpper();
        if (upper == QLatin1String("TRUE") || upper == QLatin1String("FALSE")) {
            order.pickUp = upper == QLatin1String("TRUE");
            flagFound = true;
            break;
        }
        if (!order.address.isEmpty())
            order.address += QStringLiteral("\r\n");
        order.address += l;
    }
    if (!flagFound)
        return damaged(QStringLiteral("het bestand is geen Vandrel bestelling (het afhaalteken ontbreekt)"));

    while (!reader.atEnd()) {
        const QString quantityText = line(lineLimit);
        // A final line end before the marker adds no line.
        if (quantityText.isEmpty() && reader.atEnd())
            break;
        OrderFileLine l;
        const auto quantity = wholeNumber(quantityText);
        if (!quantity)
            return damaged(QStringLiteral("het aantal is geen geheel getal") + where());
        l.quantity = *quantity;
        if (reader.atEnd())
            return damaged(QStringLiteral("een bestelregel is onvolledig") + where());
        const auto article = wholeNumber(line(lineLimit));
        if (!article)
            return damaged(QStringLiteral("het artikelnummer is geen geheel getal") + where());
        l.articleNumber = *article;
        if (reader.atEnd())
            return damaged(QStringLiteral("een bestelregel is onvolledig") + where());
        l.description = line(descriptionLimit);
        for (std::optional<Currency>* amount : {&l.gross, &l.net}) {
            if (reader.atEnd())
                return damaged(QStringLiteral("een bestelregel is onvolledig") + where());
            const QString text = line(lineLimit).trimmed();
            if (text.isEmpty())
                continue;
            *amount = Currency::parse(text, locale);
            if (!*amount)
                return damaged(QStringLiteral("het bedrag is geen bedrag") + where());
        }
        order.lines << l;
    }
    result.ok = true;
    return result;
}

} // namespace vandrel
