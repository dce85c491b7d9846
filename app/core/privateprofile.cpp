#include "app/core/privateprofile.h"

#include "app/core/cp1252.h"

#include <QFile>
#include <QSaveFile>

#include <optional>
#include <vector>

namespace vandrel {

namespace {

// One line of the file with its own line end, so untouched lines are written back as read.
struct Line {
    QByteArray text;
    QByteArray ending;
};

std::vector<Line> splitLines(const QByteArray& bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype i = start;
        while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        Line line{bytes.mid(start, i - start), {}};
        if (i < bytes.size()) {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                line.ending = "\r\n";
            else
                line.ending = bytes.mid(i, 1);
            i += line.ending.size();
        }
        lines.push_back(line);
        start = i;
    }
    return lines;
}

QByteArray trimmed(const QByteArray& b)
{
    qsizetype s = 0;
    qsizetype e = b.size();
    while (s < e && (b[s] == ' ' || b[s] == '\t'))
        ++s;
    while (e > s && (b[e - 1] == ' ' || b[e - 1] == '\t'))
        --e;
    return b.mid(s, e - s);
}

bool sameName(const QByteArray& a, const QString& name)
{
    return cp1252::toUnicode(trimmed(a)).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// The name of a section header line, or nothing.
std::optional<QByteArray> sectionName(const QByteArray& line)
{
    const QByteArray t = trimmed(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return close < 0 ? t.mid(1) : t.mid(1, close - 1);
}

// Index of the key line inside [first, last), or -1.
qsizetype findKey(const std::vector<Line>& lines, qsizetype first, qsizetype last,
                  const QString& key)
{
    for (qsizetype i = first; i < last; ++i) {
        const qsizetype eq = lines[i].text.indexOf('=');
        if (eq >= 0 && sameName(lines[i].text.left(eq), key))
            return i;
    }
    return -1;
}

struct SectionRange {
    qsizetype header = -1; // line of "[name]"
    qsizetype end = -1;    // first line after the section
};

SectionRange findSection(const std::vector<Line>& lines, const QString& section)
{
    SectionRange r;
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const std::optional<QByteArray> name = sectionName(lines[i].text);
        if (!name)
            continue;
        if (r.header >= 0) {
            r.end = i;
            return r;
        }
        if (sameName(*name, section))
            r.header = i;
    }
    if (r.header >= 0)
        r.end = qsizetype(lines.size());
    return r;
}

QByteArray readAll(const QString& fileName, bool* exists)
{
    QFile f(fileName);
    *exists = f.open(QIODevice::ReadOnly);
    return *exists ? f.readAll() : QByteArray();
}

} // namespace

QString PrivateProfile::getString(const QString& section, const QString& key,
                                  const QString& defaultValue, const QString& fileName,
                                  int bufferSize)
{
    const int maxChars = std::max(0, bufferSize - 1);
    bool exists = false;
    const std::vector<Line> lines = splitLines(readAll(fileName, &exists));
    QString value = defaultValue;
    const SectionRange range = findSection(lines, section);
    if (range.header >= 0) {
        const qsizetype k = findKey(lines, range.header + 1, range.end, key);
        if (k >= 0) {
            const QByteArray& text = lines[k].text;
            QByteArray v = trimmed(text.mid(text.indexOf('=') + 1));
            if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
                v = v.mid(1, v.size() - 2);
            value = cp1252::toUnicode(v);
        }
    }
    return value.left(maxChars);
}

bool PrivateProfile::writeString(const QString& section, const QString& key,
                                 const QString& value, const QString& fileName)
{
    bool exists = false;
    const QByteArray original = readAll(fileName, &exists);
    std::vector<Line> lines = splitLines(original);
    const QByteArray entry = cp1252::fromUnicode(key.trimmed()) + '=' + cp1252::fromUnicode(value);
    const SectionRange range = findSection(lines, section);

    if (range.header < 0) {
        if (!lines.empty()) {
            if (lines.back().ending.isEmpty())
                lines.back().ending = "\r\n";
            lines.push_back({QByteArray(), "\r\n"});
        }
        lines.push_back({'[' + cp1252::fromUnicode(section.trimmed()) + ']', "\r\n"});
        lines.push_back({entry, "\r\n"});
    } else {
        const qsizetype k = findKey(lines, range.header + 1, range.end, key);
        if (k >= 0) {
            if (lines[k].text == entry)
                return true;
            lines[k].text = entry;
            if (lines[k].ending.isEmpty())
                lines[k].ending = "\r\n";
        } else {
            // After the last non-blank line of the section, so trailing empty lines
            // keep separating it from the next section.
            qsizetype at = range.end;
            while (at > range.header + 1 && trimmed(lines[at - 1].text).isEmpty())
                --at;
            if (lines[at - 1].ending.isEmpty())
                lines[at - 1].ending = "\r\n";
            lines.insert(lines.begin() + at, Line{entry, "\r\n"});
        }
    }

    QByteArray out;
    out.reserve(original.size() + entry.size() + section.size() + 8);
    for (const Line& l : lines)
        out += l.text + l.ending;
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out);
    return f.commit();
}

} // namespace vandrel
