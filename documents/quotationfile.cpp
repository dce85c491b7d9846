#include "documents/quotationfile.h"

#include "app/core/cp1252.h"
#include "documents/documentlinereader.h"

#include <QLocale>
#include <QRegularExpression>

namespace vandrel::quotationfile {

namespace {

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
    out += DocumentLineReader::endMarker;
    return out;
}

QuotationFileContent decode(const QByteArray& bytes)
{
    QuotationFileContent content;
    QList<QByteArray> read;
    DocumentLineReader reader(bytes);
    while (!reader.atEnd())
        read.append(reader.readLine(read.size() < 2 ? headerLineLength : listLineLength));
    // The empty text between the last line end and the CR of CR Ctrl-Z (or a CR at the
    // physical end) is the end marker, not one more list line.
    qsizetype end = bytes.indexOf(DocumentLineReader::endMarker);
    if (end < 0)
        end = bytes.size();
    if (read.size() > 2 && read.last().isEmpty() && end > 0 && bytes[end - 1] == '\r')
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
