#include "documents/quotationfile.h"

#include "app/core/cp1252.h"

#include <QLocale>
#include <QRegularExpression>

namespace vandrel::quotationfile {

namespace {

constexpr char kCtrlZ = 26;

void appendLine(QByteArray& out, const QString& text)
{
    out += cp1252::fromUnicode(text);
    out += "\r\n";
}

} // namespace

QByteArray encode(const QuotationFileContent& content)
{
    QByteArray out;
    appendLine(out, content.reference);
    appendLine(out, content.date);
    for (const QString& line : content.lines)
        appendLine(out, line);
    out += '\r';
    out += kCtrlZ;
    return out;
}

QuotationFileContent decode(const QByteArray& bytes)
{
    QuotationFileContent content;
    QList<QByteArray> read;
    bool lastEndedByMarker = false; // the last line was ended by a CR before Ctrl-Z / end
    qsizetype pos = 0;
    const qsizetype size = bytes.size();
    while (pos < size && bytes[pos] != kCtrlZ) {
        const int limit = read.size() < 2 ? headerLineLength : listLineLength;
        QByteArray line;
        bool pendingCR = false;
        lastEndedByMarker = false;
        for (;;) {
            if (pos >= size || bytes[pos] == kCtrlZ) {
                lastEndedByMarker = pendingCR;
                break;
            }
            const char c = bytes[pos++];
            if (c == '\n')
                break;
            if (pendingCR && line.size() < limit)
                line += '\r';
            pendingCR = c == '\r';
            if (!pendingCR && line.size() < limit)
                line += c;
        }
        read.append(line);
    }
    if (read.size() > 2 && lastEndedByMarker && read.last().isEmpty())
        read.removeLast();
    if (!read.isEmpty())
        content.reference = cp1252::toUnicode(read[0]);
    if (read.size() > 1)
        content.date = cp1252::toUnicode(read[1]);
    content.lines.reserve(read.size());
    for (qsizetype i = 2; i < read.size(); ++i)
        content.lines.append(cp1252::toUnicode(read[i]));
    return content;
}

QDate readDate(const QString& text)
{
    static const QRegularExpression dayMonthYear(
        QStringLiteral("^\\s*(\\d{1,2})[-/.](\\d{1,2})[-/.](\\d{2}|\\d{4})\\s*$"));
    const QRegularExpressionMatch m = dayMonthYear.match(text);
    if (m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            year += year < 30 ? 2000 : 1900; // as the regional two-digit year window does
        return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
    }
    return QLocale().toDate(text.trimmed(), QLocale::ShortFormat);
}

} // namespace vandrel::quotationfile
