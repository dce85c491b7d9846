#include "catalogdb/jetfunctions.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QList>

#include <cmath>

namespace vandrel {

namespace {

struct PatternItem {
    enum Kind { Any, One, Digit, Set, Literal } kind;
    QChar ch;
    QList<QPair<QChar, QChar>> ranges; // Set: ranges (folded)
    bool negated = false;
};

std::optional<QList<PatternItem>> compile(const QString& pattern)
{
    QList<PatternItem> items;
    const QString p = pattern.toCaseFolded();
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == u'*') {
            if (items.isEmpty() || items.last().kind != PatternItem::Any)
                items.append({PatternItem::Any, {}, {}, false});
        } else if (c == u'?') {
            items.append({PatternItem::One, {}, {}, false});
        } else if (c == u'#') {
            items.append({PatternItem::Digit, {}, {}, false});
        } else if (c == u'[') {
            const qsizetype end = p.indexOf(u']', i + 1);
            if (end < 0)
                return std::nullopt;
            PatternItem set{PatternItem::Set, {}, {}, false};
            qsizetype j = i + 1;
            if (j < end && p[j] == u'!') {
                set.negated = true;
                ++j;
            }
            for (; j < end; ++j) {
                if (j + 2 < end && p[j + 1] == u'-') {
                    set.ranges.append({p[j], p[j + 2]});
                    j += 2;
                } else {
                    set.ranges.append({p[j], p[j]});
                }
            }
            // "[]" matches nothing in the classic engine's sense of an empty set: treat
            // it as the literal empty text, i.e. skip it.
            if (!set.ranges.isEmpty() || set.negated)
                items.append(set);
            i = end;
        } else {
            items.append({PatternItem::Literal, c, {}, false});
        }
    }
    return items;
}

bool matchOne(const PatternItem& item, QChar c)
{
    switch (item.kind) {
    case PatternItem::One:
        return true;
    case PatternItem::Digit:
        return c.isDigit();
    case PatternItem::Literal:
        return c == item.ch;
    case PatternItem::Set: {
        bool in = false;
        for (const auto& r : item.ranges)
            if (c >= r.first && c <= r.second)
                in = true;
        return in != item.negated;
    }
    case PatternItem::Any:
        break;
    }
    return false;
}

QString textArg(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? QString::fromUtf8(p, sqlite3_value_bytes(v)) : QString();
}

QString displayText(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_FLOAT) {
        const double d = sqlite3_value_double(v);
        return QString::number(d, 'g', 15);
    }
    return textArg(v);
}

void resultText(sqlite3_context* ctx, const QString& s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

bool isNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

void invalidCall(sqlite3_context* ctx)
{
    sqlite3_result_error(ctx, "Ongeldige procedure-aanroep of ongeldig argument", -1);
}

void fnLike(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]) || isNull(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    // like(pattern, text), as SQLite calls it for "text LIKE pattern".
    const auto r = JetFunctions::like(displayText(a[1]), displayText(a[0]));
    if (!r) {
        sqlite3_result_error(ctx, "Ongeldig patroon in LIKE", -1);
        return;
    }
    sqlite3_result_int(ctx, *r ? 1 : 0);
}

void fnVal(sqlite3_context* ctx, int, sqlite3_value** a)
{
    switch (sqlite3_value_type(a[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_value(ctx, a[0]);
        return;
    default:
        sqlite3_result_double(ctx, JetFunctions::val(textArg(a[0])));
    }
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** a)
{
    if (isNull(a[0]) || isNull(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 start = sqlite3_value_int64(a[1]);
    const qint64 len = argc > 2 && !isNull(a[2]) ? sqlite3_value_int64(a[2]) : -1;
    if (start < 1 || (argc > 2 && len < 0)) {
        invalidCall(ctx);
        return;
    }
    const QString s = displayText(a[0]);
    resultText(ctx, s.mid(start - 1, len < 0 ? -1 : len));
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]) || isNull(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 n = sqlite3_value_int64(a[1]);
    if (n < 0) {
        invalidCall(ctx);
        return;
    }
    resultText(ctx, displayText(a[0]).left(n));
}

void fnRight(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]) || isNull(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 n = sqlite3_value_int64(a[1]);
    if (n < 0) {
        invalidCall(ctx);
        return;
    }
    resultText(ctx, displayText(a[0]).right(n));
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        sqlite3_result_null(ctx);
    else if (sqlite3_value_type(a[0]) == SQLITE_BLOB)
        sqlite3_result_int64(ctx, sqlite3_value_bytes(a[0]));
    else
        sqlite3_result_int64(ctx, displayText(a[0]).size());
}

void fnUcase(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        sqlite3_result_null(ctx);
    else
        resultText(ctx, displayText(a[0]).toUpper());
}

void fnLcase(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        sqlite3_result_null(ctx);
    else
        resultText(ctx, displayText(a[0]).toLower());
}

template <bool Left, bool Right>
void fnTrim(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    QString s = displayText(a[0]);
    qsizetype b = 0, e = s.size();
    if (Left)
        while (b < e && s[b] == u' ')
            ++b;
    if (Right)
        while (e > b && s[e - 1] == u' ')
            --e;
    resultText(ctx, s.mid(b, e - b));
}

bool truthy(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(v) != 0;
    case SQLITE_FLOAT:
        return sqlite3_value_double(v) != 0;
    default: {
        const QString s = textArg(v).trimmed();
        if (s.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok && d != 0;
    }
    }
}

void fnIif(sqlite3_context* ctx, int, sqlite3_value** a)
{
    sqlite3_result_value(ctx, truthy(a[0]) ? a[1] : a[2]);
}

void fnNz(sqlite3_context* ctx, int argc, sqlite3_value** a)
{
    if (!isNull(a[0]))
        sqlite3_result_value(ctx, a[0]);
    else if (argc > 1)
        sqlite3_result_value(ctx, a[1]);
    else
        sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void fnCat(sqlite3_context* ctx, int, sqlite3_value** a)
{
    // & treats a missing value as empty text; only two missing values give none.
    if (isNull(a[0]) && isNull(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, displayText(a[0]) + displayText(a[1]));
}

void fnInstr(sqlite3_context* ctx, int argc, sqlite3_value** a)
{
    int i = 0;
    qint64 start = 1;
    if (argc >= 3) {
        if (isNull(a[0])) {
            sqlite3_result_null(ctx);
            return;
        }
        start = sqlite3_value_int64(a[0]);
        i = 1;
    }
    if (start < 1) {
        invalidCall(ctx);
        return;
    }
    if (isNull(a[i]) || isNull(a[i + 1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = displayText(a[i]);
    const QString f = displayText(a[i + 1]);
    const qsizetype pos = s.indexOf(f, start - 1, Qt::CaseInsensitive);
    sqlite3_result_int64(ctx, pos < 0 ? 0 : pos + 1);
}

void fnCstr(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        sqlite3_result_null(ctx);
    else
        resultText(ctx, displayText(a[0]));
}

double numberArg(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_TEXT)
        return JetFunctions::val(textArg(v));
    return sqlite3_value_double(v);
}

void fnClng(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    // Halves to even, as the classic conversion functions round.
    sqlite3_result_int64(ctx, qint64(std::nearbyint(numberArg(a[0]))));
}

void fnInt(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        sqlite3_result_null(ctx);
    else
        sqlite3_result_double(ctx, std::floor(numberArg(a[0])));
}

void fnFix(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        sqlite3_result_null(ctx);
    else
        sqlite3_result_double(ctx, std::trunc(numberArg(a[0])));
}

void fnAbs(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        sqlite3_result_null(ctx);
    else if (sqlite3_value_type(a[0]) == SQLITE_INTEGER)
        sqlite3_result_int64(ctx, std::llabs(sqlite3_value_int64(a[0])));
    else
        sqlite3_result_double(ctx, std::fabs(numberArg(a[0])));
}

void fnStr(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const double d = numberArg(a[0]);
    const QString s = QString::number(d, 'g', 15);
    resultText(ctx, d >= 0 ? u' ' + s : s);
}

} // namespace

std::optional<bool> JetFunctions::like(const QString& text, const QString& pattern)
{
    const auto items = compile(pattern);
    if (!items)
        return std::nullopt;
    const QString s = text.toCaseFolded();
    // Every item but * matches exactly one character, so backing up to the last *
    // is enough.
    qsizetype si = 0, pi = 0, starP = -1, starS = 0;
    const qsizetype pn = items->size();
    while (si < s.size()) {
        if (pi < pn && (*items)[pi].kind == PatternItem::Any) {
            starP = pi++;
            starS = si;
        } else if (pi < pn && matchOne((*items)[pi], s[si])) {
            ++pi;
            ++si;
        } else if (starP >= 0) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < pn && (*items)[pi].kind == PatternItem::Any)
        ++pi;
    return pi == pn;
}

double JetFunctions::val(const QString& text)
{
    QString s;
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            s += c;
    if (s.startsWith(u'&') && s.size() > 1) {
        const QChar kind = s[1].toUpper();
        const int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (base) {
            qsizetype i = 2;
            qint64 v = 0;
            while (i < s.size()) {
                const int d = s[i].isDigit() ? s[i].digitValue()
                              : (base == 16 && s[i].toUpper() >= u'A' && s[i].toUpper() <= u'F')
                                  ? s[i].toUpper().unicode() - 'A' + 10
                                  : -1;
                if (d < 0 || d >= base)
                    break;
                v = v * base + d;
                ++i;
            }
            return double(v);
        }
        return 0;
    }
    qsizetype i = 0;
    QString num;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        num += s[i++];
    bool digits = false;
    while (i < s.size() && s[i].isDigit()) {
        num += s[i++];
        digits = true;
    }
    if (i < s.size() && s[i] == u'.') {
        num += s[i++];
        while (i < s.size() && s[i].isDigit()) {
            num += s[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        QString exp = QStringLiteral("e");
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exp += s[j++];
        if (j < s.size() && s[j].isDigit()) {
            while (j < s.size() && s[j].isDigit())
                exp += s[j++];
            num += exp;
        }
    }
    bool ok = false;
    const double d = num.toDouble(&ok);
    return ok ? d : 0;
}

void JetFunctions::registerAll(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    struct Def {
        const char* name;
        int argc;
        void (*fn)(sqlite3_context*, int, sqlite3_value**);
    };
    static const Def defs[] = {
        {"like", 2, fnLike},         {"jet_val", 1, fnVal},     {"jet_mid", 2, fnMid},
        {"jet_mid", 3, fnMid},       {"jet_left", 2, fnLeft},   {"jet_right", 2, fnRight},
        {"jet_len", 1, fnLen},       {"jet_ucase", 1, fnUcase}, {"jet_lcase", 1, fnLcase},
        {"jet_trim", 1, fnTrim<true, true>}, {"jet_ltrim", 1, fnTrim<true, false>},
        {"jet_rtrim", 1, fnTrim<false, true>}, {"jet_iif", 3, fnIif}, {"jet_nz", 1, fnNz},
        {"jet_nz", 2, fnNz},         {"jet_cat", 2, fnCat},     {"jet_instr", 2, fnInstr},
        {"jet_instr", 3, fnInstr},   {"jet_instr", 4, fnInstr}, {"jet_cstr", 1, fnCstr},
        {"jet_clng", 1, fnClng},     {"jet_cint", 1, fnClng},   {"jet_int", 1, fnInt},
        {"jet_fix", 1, fnFix},       {"jet_abs", 1, fnAbs},     {"jet_str", 1, fnStr},
    };
    for (const Def& d : defs)
        sqlite3_create_function_v2(db, d.name, d.argc, flags, nullptr, d.fn, nullptr, nullptr, nullptr);
}

} // namespace vandrel
