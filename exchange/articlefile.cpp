#include "exchange/articlefile.h"

#include "app/core/cp1252.h"

#include <QFile>
#include <QRegularExpression>

namespace vandrel {
namespace {

constexpr char ctrlZ = 26;
constexpr qint64 readSize = 1 << 16;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

ArticleFile::ArticleFile(QIODevice& device)
    : device_(device)
{
}

bool ArticleFile::fill()
{
    if (ended_)
        return false;
    if (pos_ > 0) {
        buffer_.remove(0, pos_);
        pos_ = 0;
    }
    const QByteArray more = device_.read(readSize);
    if (more.isEmpty()) {
        ended_ = true;
        return false;
    }
    const qsizetype z = more.indexOf(ctrlZ);
    if (z >= 0) {
        buffer_ += more.left(z);
        ended_ = true;
        return true;
    }
    buffer_ += more;
    return true;
}

bool ArticleFile::readLine(QByteArray& line)
{
    for (;;) {
        const qsizetype lf = buffer_.indexOf('\n', pos_);
        if (lf >= 0) {
            qsizetype end = lf;
            if (end > pos_ && buffer_[end - 1] == '\r')
                --end;
            line = buffer_.mid(pos_, end - pos_);
            pos_ = lf + 1;
            return true;
        }
        if (!fill())
            break;
    }
    if (pos_ >= buffer_.size())
        return false;
    // The last line, without a line end; a CR at the very end ends it.
    qsizetype end = buffer_.size();
    if (buffer_[end - 1] == '\r')
        --end;
    line = buffer_.mid(pos_, end - pos_);
    pos_ = buffer_.size();
    return true;
}

bool ArticleFile::readRecord(QStringList& fields)
{
    QByteArray record;
    QByteArray line;
    bool any = false;
    while (readLine(line)) {
        qsizetype end = line.size();
        while (end > 0 && isBlank(line[end - 1]))
            --end;
        const bool closes = end > 0 && line[end - 1] == '|';
        if (any)
            record += "\r\n";
        any = true;
        if (closes) {
            record += QByteArrayView(line.constData(), end);
            break;
        }
        record += line;
    }
    if (!any)
        return false;
    fields = splitFields(record);
    return true;
}

qint64 ArticleFile::countLines(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    ArticleFile reader(file);
    QByteArray line;
    qint64 n = 0;
    while (reader.readLine(line))
        ++n;
    return n;
}

QStringList splitFields(const QByteArray& record, int maxFields)
{
    QStringList fields;
    qsizetype start = 0;
    while (fields.size() < maxFields) {
        const qsizetype bar = record.indexOf('|', start);
        if (bar < 0) {
            // Text after the last "|" (a record cut off by the end of the file) is a field.
            if (start < record.size() || fields.isEmpty())
                fields << cp1252::toUnicode(record.mid(start));
            break;
        }
        fields << cp1252::toUnicode(record.mid(start, bar - start));
        start = bar + 1;
        if (start >= record.size())
            break;
    }
    return fields;
}

std::optional<qint32> articleNumber(const QString& field)
{
    const QString t = field.trimmed();
    if (t.isEmpty() || t.size() > 7)
        return std::nullopt;
    qint32 n = 0;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c.unicode() - '0');
    }
    if (n <= 0)
        return std::nullopt;
    return n;
}

std::optional<qint32> wholeNumber(const QString& field)
{
    const QString t = field.trimmed();
    if (t.isEmpty() || t.size() > 10)
        return std::nullopt;
    qint64 n = 0;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c.unicode() - '0');
    }
    if (n <= 0 || n > 2147483647)
        return std::nullopt;
    return qint32(n);
}

std::optional<Currency> priceFromCents(const QString& field)
{
    // VAL: blanks, tabs and line feeds are skipped wherever they are.
    QString t;
    t.reserve(field.size());
    for (QChar c : field) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            t += c;
    }
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    __int128 value = 0;
    __int128 scale = 1;
    int digits = 0;
    bool fraction = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' && !fraction) {
            fraction = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            break;
        if (!fraction && value == 0 && c == u'0')
            continue; // leading zeros do not count as digits
        if (!fraction && ++digits > 20)
            return std::nullopt;
        if (fraction && scale >= __int128(1000000000000000000LL))
            continue; // beyond 18 decimals nothing shows in four
        value = value * 10 + (c.unicode() - '0');
        if (fraction)
            scale *= 10;
    }
    // cents / 100 with four decimals: raw = value * 10000 / (100 * scale).
    const __int128 limit = __int128(922337203685477LL) * Currency::scale;
    if (value * 100 / scale > limit)
        return std::nullopt;
    const std::int64_t raw = divideRoundHalfEven(value * 100, scale);
    return Currency::fromRaw(negative ? -raw : raw);
}

bool isWithdrawn(const QString& description)
{
    return description.trimmed().compare(QLatin1String("*** VERVALLEN ***"), Qt::CaseInsensitive) == 0;
}

std::optional<QDateTime> changeDate(const QString& field)
{
    const QString t = field.trimmed();
    if (t.isEmpty() || t == QLatin1String("0"))
        return std::nullopt;
    static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(?:\\s+(.*))?$"));
    static const QRegularExpression separated(
        QStringLiteral("^(\\d{1,4})([-/.])(\\d{1,2})\\2(\\d{1,4})(?:\\s+(.*))?$"));
    int y = 0, m = 0, d = 0;
    QString timeText;
    if (const auto c = compact.match(t); c.hasMatch()) {
        y = c.captured(1).toInt();
        m = c.captured(2).toInt();
        d = c.captured(3).toInt();
        timeText = c.captured(4);
    } else if (const auto s = separated.match(t); s.hasMatch()) {
        const QString a = s.captured(1);
        const QString b = s.captured(3);
        const QString e = s.captured(4);
        if (a.size() == 4) {
            if (e.size() > 2)
                return std::nullopt;
            y = a.toInt();
            m = b.toInt();
            d = e.toInt();
        } else {
            if (a.size() > 2 || (e.size() != 2 && e.size() != 4))
                return std::nullopt;
            d = a.toInt();
            m = b.toInt();
            y = e.toInt();
            if (e.size() == 2)
                y += y < 30 ? 2000 : 1900;
        }
        timeText = s.captured(5);
    } else {
        return std::nullopt;
    }
    const QDate date(y, m, d);
    if (!date.isValid() || y < 100)
        return std::nullopt;
    QTime time(0, 0);
    if (!timeText.isEmpty()) {
        time = QTime::fromString(timeText, QStringLiteral("H:mm:ss"));
        if (!time.isValid())
            time = QTime::fromString(timeText, QStringLiteral("H:mm"));
        if (!time.isValid())
            return std::nullopt;
    }
    // A fixed zone: the stored text is the date as written, and no time zone is consulted.
    return QDateTime(date, time, Qt::UTC);
}

} // namespace vandrel
