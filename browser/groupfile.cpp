#include "browser/groupfile.h"

namespace vandrel {

std::optional<GroupEntry> parseGroupLine(const QString& line)
{
    if (line.trimmed().isEmpty())
        return std::nullopt;
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return std::nullopt;
    QString code = line.left(bar);
    code = code.leftJustified(9, QLatin1Char('0'), true);
    const auto part = [&](int from, int n) { return code.mid(from, n).trimmed().toInt(); };
    const int main = part(0, 1);
    const int group = part(1, 2);
    const int subgroup = part(3, 4);
    const int subsub = part(7, 2);
    GroupEntry e;
    e.level = (group == 0 ? 1 : 2) + (subgroup != 0 ? 1 : 0) + (subsub != 0 ? 1 : 0);
    // 3 + 2 + 4 + 2 digits; a main group that is not a digit reads as 0.
    e.itemData = qint32(qint64(main) * 100000000 + group * 1000000 + subgroup * 100 + subsub);
    e.text = line.mid(bar + 1);
    return e;
}

QList<GroupEntry> parseGroupLines(const QList<QString>& lines)
{
    QList<GroupEntry> entries;
    for (const QString& line : lines) {
        if (std::optional<GroupEntry> e = parseGroupLine(line))
            entries << *e;
    }
    return entries;
}

QString groupPrefix(qint32 itemData)
{
    const QString digits = QStringLiteral("%1").arg(itemData, 11, 10, QLatin1Char('0'));
    const QString main = QString::number(digits.left(3).toInt());
    const QString a = digits.mid(3, 4);
    const QString b = digits.mid(7, 2);
    const QString c = digits.mid(9, 2);
    return c != QLatin1String("00") ? main + a + b + c : main + a;
}

std::optional<GroupColours> groupColours(const QString& mainGroupText)
{
    // Colours as the window system writes them: &HBBGGRR.
    const QColor white(255, 255, 255);
    if (mainGroupText == QLatin1String("1"))
        return GroupColours{QColor(0, 0, 255), white};
    if (mainGroupText == QLatin1String("2"))
        return GroupColours{QColor(0, 128, 128), white};
    if (mainGroupText == QLatin1String("3"))
        return GroupColours{QColor(255, 0, 0), white};
    if (mainGroupText == QLatin1String("4"))
        return GroupColours{QColor(255, 255, 0), QColor(0, 0, 0)};
    // Any other text from "0" to "9" in text order.
    if (mainGroupText >= QLatin1String("0") && mainGroupText <= QLatin1String("9"))
        return GroupColours{QColor(0, 0, 0), white};
    return std::nullopt;
}

} // namespace vandrel
