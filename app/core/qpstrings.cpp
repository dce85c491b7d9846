// String searches with 1-based positions; 0 means not found. An empty search text or
// character set is found nowhere.

#include "app/core/cp1252.h"
#include "app/core/quickpak.h"

#include <array>

namespace vandrel::quickpak {
namespace {


struct ExactBytes {
    bool operator()(char a, char b) const { return a == b; }
};

struct FoldedBytes {
    bool operator()(char a, char b) const
    {
        const auto& t = cp1252::lowerCaseTable();
        return t[static_cast<unsigned char>(a)] == t[static_cast<unsigned char>(b)];
    }
};

struct ExactChars {
    bool operator()(QChar a, QChar b) const { return a == b; }
};

struct FoldedChars {
    bool operator()(QChar a, QChar b) const
    {
        return a == b || a.toCaseFolded() == b.toCaseFolded();
    }
};

template <typename Text, typename Equal>
bool matchesAt(const Text& text, qsizetype at, const Text& search, Equal equal)
{
    for (qsizetype j = 0; j < search.size(); ++j) {
        if (!equal(text.at(at + j), search.at(j)))
            return false;
    }
    return true;
}

template <typename Text, typename Equal>
int forward(int start, const Text& text, const Text& search, Equal equal)
{
    if (search.isEmpty() || search.size() > text.size())
        return 0;
    const qsizetype last = text.size() - search.size();
    for (qsizetype i = start < 1 ? 0 : start - 1; i <= last; ++i) {
        if (equal(text.at(i), search.at(0)) && matchesAt(text, i, search, equal))
            return static_cast<int>(i + 1);
    }
    return 0;
}

template <typename Text> int backward(int start, const Text& text, const Text& search)
{
    if (search.isEmpty() || search.size() > text.size())
        return 0;
    qsizetype from = text.size() - search.size();
    if (start >= 1 && start <= text.size() && start - 1 < from)
        from = start - 1;
    for (qsizetype i = from; i >= 0; --i) {
        if (matchesAt(text, i, search, [](auto a, auto b) { return a == b; }))
            return static_cast<int>(i + 1);
    }
    return 0;
}

template <typename Text> int tableForward(int start, const Text& text, const Text& set)
{
    if (set.isEmpty())
        return 0;
    for (qsizetype i = start < 1 ? 0 : start - 1; i < text.size(); ++i) {
        if (set.contains(text.at(i)))
            return static_cast<int>(i + 1);
    }
    return 0;
}

template <typename Text> int tableBackward(int start, const Text& text, const Text& set)
{
    if (set.isEmpty())
        return 0;
    qsizetype from = text.size() - 1;
    if (start >= 1 && start <= text.size())
        from = start - 1;
    for (qsizetype i = from; i >= 0; --i) {
        if (set.contains(text.at(i)))
            return static_cast<int>(i + 1);
    }
    return 0;
}

template <typename Text> int countTable(const Text& text, const Text& set)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (set.contains(text.at(i)))
            ++count;
    }
    return count;
}

template <typename Text, typename Char> Text trimBlanksAndZeros(const Text& text)
{
    auto strip = [](Char c) { return c == Char(' ') || c == Char('\0'); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && strip(text.at(begin)))
        ++begin;
    while (end > begin && strip(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

int QInstr(int start, const QByteArray& text, const QByteArray& search)
{
    return forward(start, text, search, ExactBytes{});
}

int QInstr(int start, const QString& text, const QString& search)
{
    return forward(start, text, search, ExactChars{});
}

int QInstr2(int start, const QByteArray& text, const QByteArray& search)
{
    return forward(start, text, search, FoldedBytes{});
}

int QInstr2(int start, const QString& text, const QString& search)
{
    return forward(start, text, search, FoldedChars{});
}

int QInstrB(int start, const QByteArray& text, const QByteArray& search)
{
    return backward(start, text, search);
}

int QInstrB(int start, const QString& text, const QString& search)
{
    return backward(start, text, search);
}

int InstrTbl(int start, const QByteArray& text, const QByteArray& set)
{
    return tableForward(start, text, set);
}

int InstrTbl(int start, const QString& text, const QString& set)
{
    return tableForward(start, text, set);
}

int InstrTblB(int start, const QByteArray& text, const QByteArray& set)
{
    return tableBackward(start, text, set);
}

int InstrTblB(int start, const QString& text, const QString& set)
{
    return tableBackward(start, text, set);
}

int InCountTbl(const QByteArray& text, const QByteArray& set)
{
    return countTable(text, set);
}

int InCountTbl(const QString& text, const QString& set)
{
    return countTable(text, set);
}

void ReplaceChar(QByteArray& text, char oldChar, char newChar)
{
    text.replace(oldChar, newChar);
}

void ReplaceChar(QString& text, QChar oldChar, QChar newChar)
{
    text.replace(oldChar, newChar);
}

QByteArray QPTrim(const QByteArray& text)
{
    return trimBlanksAndZeros<QByteArray, char>(text);
}

QString QPTrim(const QString& text)
{
    return trimBlanksAndZeros<QString, QChar>(text);
}

QByteArray TrimZStr(const QByteArray& text)
{
    const qsizetype zero = text.indexOf('\0');
    return zero < 0 ? text : text.left(zero);
}

QString TrimZStr(const QString& text)
{
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.left(zero);
}

} // namespace vandrel::quickpak
