#include "catalogdb/jetsql.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>
#include <QTime>

namespace vandrel {

namespace {

struct Token {
    enum Type { Space, Word, Name, Text, Number, Date, Punct } type;
    QString text;  // output text
    QString value; // Name: the name; Text: the unescaped text; Date: stored form
    qsizetype pos = 0, end = 0; // place in the input
};

using Tokens = QList<Token>;

bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

std::optional<QString> parseDate(const QString& body)
{
    const QString s = body.trimmed();
    static const QRegularExpression iso(
        QStringLiteral(R"(^(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:\s+(.*))?$)"));
    static const QRegularExpression us(
        QStringLiteral(R"(^(\d{1,2})[-/](\d{1,2})[-/](\d{2,4})(?:\s+(.*))?$)"));
    static const QRegularExpression timeOnly(QStringLiteral(R"(^(\d{1,2}:\d{2}.*)$)"));
    QDate date(1899, 12, 30);
    QString timePart;
    if (auto m = iso.match(s); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        timePart = m.captured(4);
    } else if (auto m = us.match(s); m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() <= 2)
            year += year < 30 ? 2000 : 1900;
        date = QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
        timePart = m.captured(4);
    } else if (timeOnly.match(s).hasMatch()) {
        timePart = s;
    } else {
        return std::nullopt;
    }
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (!timePart.isEmpty()) {
        static const QRegularExpression tm(
            QStringLiteral(R"(^(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?$)"));
        auto m = tm.match(timePart.trimmed());
        if (!m.hasMatch())
            return std::nullopt;
        int h = m.captured(1).toInt();
        const QString ampm = m.captured(4).toUpper();
        if (ampm == u"PM" && h < 12)
            h += 12;
        if (ampm == u"AM" && h == 12)
            h = 0;
        time = QTime(h, m.captured(2).toInt(), m.captured(3).toInt());
        if (!time.isValid())
            return std::nullopt;
    }
    return JetSql::dateText(QDateTime(date, time));
}

EngineError syntaxError(const QString& detail)
{
    return {EngineError::SyntaxError, QStringLiteral("Syntaxisfout in de SQL-instructie: %1").arg(detail)};
}

std::optional<EngineError> tokenize(const QString& s, Tokens& out)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && s[i].isSpace())
                ++i;
            out.append({Token::Space, s.mid(start, i - start), {}});
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(s[i]))
                ++i;
            out.append({Token::Word, s.mid(start, i - start), {}});
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && s[i + 1].isDigit())) {
            while (i < n && s[i].isDigit())
                ++i;
            if (i < n && s[i] == u'.') {
                ++i;
                while (i < n && s[i].isDigit())
                    ++i;
            }
            if (i < n && (s[i] == u'e' || s[i] == u'E')) {
                qsizetype j = i + 1;
                if (j < n && (s[j] == u'+' || s[j] == u'-'))
                    ++j;
                if (j < n && s[j].isDigit()) {
                    i = j;
                    while (i < n && s[i].isDigit())
                        ++i;
                }
            }
            out.append({Token::Number, s.mid(start, i - start), {}});
        } else if (c == u'\'' || c == u'"') {
            QString value;
            ++i;
            bool closed = false;
            while (i < n) {
                if (s[i] == c) {
                    if (i + 1 < n && s[i + 1] == c) {
                        value += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += s[i++];
            }
            if (!closed)
                return syntaxError(QStringLiteral("tekst zonder afsluitend aanhalingsteken"));
            out.append({Token::Text, {}, value});
        } else if (c == u'[' || c == u'`') {
            const QChar close = c == u'[' ? u']' : u'`';
            const qsizetype end = s.indexOf(close, i + 1);
            if (end < 0)
                return syntaxError(QStringLiteral("naam zonder afsluitend haakje"));
            const QString name = s.mid(i + 1, end - i - 1);
            if (name.isEmpty())
                return syntaxError(QStringLiteral("lege naam tussen haakjes"));
            out.append({Token::Name, {}, name});
            i = end + 1;
        } else if (c == u'#') {
            const qsizetype end = s.indexOf(u'#', i + 1);
            if (end < 0)
                return syntaxError(QStringLiteral("datum zonder afsluitend #-teken"));
            const auto date = parseDate(s.mid(i + 1, end - i - 1));
            if (!date)
                return syntaxError(QStringLiteral("ongeldige datum %1").arg(s.mid(i, end - i + 1)));
            out.append({Token::Date, {}, *date});
            i = end + 1;
        } else {
            static const QStringList twoChar = {QStringLiteral("<>"), QStringLiteral("<="),
                                                QStringLiteral(">="), QStringLiteral("!="),
                                                QStringLiteral("=="), QStringLiteral("||")};
            const QString two = s.mid(i, 2);
            if (twoChar.contains(two)) {
                out.append({Token::Punct, two, {}});
                i += 2;
            } else {
                out.append({Token::Punct, QString(c), {}});
                ++i;
            }
        }
        out.last().pos = start;
        out.last().end = i;
    }
    return std::nullopt;
}

bool isWord(const Token& t, const char* upper)
{
    return t.type == Token::Word && t.text.compare(QLatin1String(upper), Qt::CaseInsensitive) == 0;
}
bool isPunct(const Token& t, const char* p) { return t.type == Token::Punct && t.text == QLatin1String(p); }

// Index of the next/previous token that is not blank, or -1.
qsizetype nextSig(const Tokens& t, qsizetype i)
{
    for (++i; i < t.size(); ++i)
        if (t[i].type != Token::Space)
            return i;
    return -1;
}
qsizetype prevSig(const Tokens& t, qsizetype i)
{
    for (--i; i >= 0; --i)
        if (t[i].type != Token::Space)
            return i;
    return -1;
}

const QSet<QString>& dialectFunctions()
{
    static const QSet<QString> names = {
        QStringLiteral("VAL"),  QStringLiteral("MID"),   QStringLiteral("LEFT"),
        QStringLiteral("RIGHT"), QStringLiteral("LEN"),  QStringLiteral("UCASE"),
        QStringLiteral("LCASE"), QStringLiteral("TRIM"), QStringLiteral("IIF"),
        QStringLiteral("NZ"),   QStringLiteral("LTRIM"), QStringLiteral("RTRIM"),
        QStringLiteral("INSTR"), QStringLiteral("CSTR"), QStringLiteral("CLNG"),
        QStringLiteral("CINT"), QStringLiteral("INT"),   QStringLiteral("FIX"),
        QStringLiteral("ABS"),  QStringLiteral("STR")};
    return names;
}

// Words that end an operand of &.
const QSet<QString>& operandStops()
{
    static const QSet<QString> words = {
        QStringLiteral("AND"),    QStringLiteral("OR"),     QStringLiteral("NOT"),
        QStringLiteral("XOR"),    QStringLiteral("LIKE"),   QStringLiteral("BETWEEN"),
        QStringLiteral("IS"),     QStringLiteral("IN"),     QStringLiteral("SELECT"),
        QStringLiteral("FROM"),   QStringLiteral("WHERE"),  QStringLiteral("AS"),
        QStringLiteral("ON"),     QStringLiteral("THEN"),   QStringLiteral("ELSE"),
        QStringLiteral("WHEN"),   QStringLiteral("CASE"),   QStringLiteral("END"),
        QStringLiteral("SET"),    QStringLiteral("VALUES"), QStringLiteral("BY"),
        QStringLiteral("HAVING"), QStringLiteral("UNION"),  QStringLiteral("ALL"),
        QStringLiteral("DISTINCT"), QStringLiteral("ORDER"), QStringLiteral("GROUP"),
        QStringLiteral("ASC"),    QStringLiteral("DESC"),   QStringLiteral("COLLATE"),
        QStringLiteral("LIMIT")};
    return words;
}

bool isOperandStop(const Token& t)
{
    if (t.type == Token::Punct) {
        static const QSet<QString> ops = {QStringLiteral(","), QStringLiteral("="), QStringLiteral("<>"),
                                          QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="),
                                          QStringLiteral(">="), QStringLiteral("!="), QStringLiteral("=="),
                                          QStringLiteral("&"), QStringLiteral(";")};
        return ops.contains(t.text);
    }
    return t.type == Token::Word && operandStops().contains(t.text.toUpper());
}

// Rewrites a & b as jet_cat(a, b), left to right, honouring parentheses.
std::optional<EngineError> rewriteConcatenation(Tokens& t)
{
    for (qsizetype amp = 0; amp < t.size(); ++amp) {
        if (!isPunct(t[amp], "&"))
            continue;
        // Left operand: back to a stop at this depth.
        qsizetype left = amp;
        for (qsizetype i = amp - 1; i >= 0; --i) {
            if (t[i].type == Token::Space)
                continue;
            if (isPunct(t[i], ")")) {
                int depth = 0;
                qsizetype j = i;
                for (; j >= 0; --j) {
                    if (isPunct(t[j], ")"))
                        ++depth;
                    else if (isPunct(t[j], "(") && --depth == 0)
                        break;
                }
                if (j < 0)
                    return syntaxError(QStringLiteral("haakjes kloppen niet"));
                i = j;
                left = i;
                continue;
            }
            if (isPunct(t[i], "(") || isOperandStop(t[i]))
                break;
            left = i;
        }
        qsizetype right = amp;
        for (qsizetype i = amp + 1; i < t.size(); ++i) {
            if (t[i].type == Token::Space)
                continue;
            if (isPunct(t[i], "(")) {
                int depth = 0;
                qsizetype j = i;
                for (; j < t.size(); ++j) {
                    if (isPunct(t[j], "("))
                        ++depth;
                    else if (isPunct(t[j], ")") && --depth == 0)
                        break;
                }
                if (j >= t.size())
                    return syntaxError(QStringLiteral("haakjes kloppen niet"));
                i = j;
                right = i;
                continue;
            }
            if (isPunct(t[i], ")") || isOperandStop(t[i]))
                break;
            // A unary sign directly after & belongs to the operand.
            right = i;
        }
        if (left == amp || right == amp)
            return syntaxError(QStringLiteral("& zonder operand"));
        Tokens rebuilt = t.mid(0, left);
        rebuilt.append({Token::Word, QStringLiteral("jet_cat"), {}});
        rebuilt.append({Token::Punct, QStringLiteral("("), {}});
        rebuilt.append(t.mid(left, amp - left));
        rebuilt.append({Token::Punct, QStringLiteral(","), {}});
        rebuilt.append(t.mid(amp + 1, right - amp));
        rebuilt.append({Token::Punct, QStringLiteral(")"), {}});
        const qsizetype resume = rebuilt.size() - 1;
        rebuilt.append(t.mid(right + 1));
        t = rebuilt;
        amp = resume;
    }
    return std::nullopt;
}

// Declared types for the dialect's type names in CREATE/ALTER TABLE.
std::optional<QString> ddlType(const QString& word, bool sized)
{
    const QString w = word.toUpper();
    if (w == u"TEXT" || w == u"CHAR" || w == u"VARCHAR" || w == u"STRING")
        return sized ? QStringLiteral("VARCHAR") : QStringLiteral("VARCHAR(255) COLLATE NOCASE");
    if (w == u"MEMO" || w == u"LONGTEXT" || w == u"NOTE")
        return QStringLiteral("LONGTEXT COLLATE NOCASE");
    if (w == u"LONG" || w == u"INTEGER" || w == u"INT" || w == u"INTEGER4")
        return QStringLiteral("INTEGER");
    if (w == u"SHORT" || w == u"SMALLINT" || w == u"INTEGER2")
        return QStringLiteral("SMALLINT");
    if (w == u"BYTE" || w == u"TINYINT" || w == u"INTEGER1")
        return QStringLiteral("TINYINT");
    if (w == u"CURRENCY" || w == u"MONEY")
        return QStringLiteral("CURRENCY REAL");
    if (w == u"DATETIME" || w == u"DATE" || w == u"TIME" || w == u"TIMESTAMP")
        return QStringLiteral("DATETIME");
    if (w == u"YESNO" || w == u"BIT" || w == u"LOGICAL" || w == u"BOOLEAN")
        return QStringLiteral("YESNO");
    if (w == u"SINGLE" || w == u"REAL" || w == u"FLOAT4")
        return QStringLiteral("FLOAT");
    if (w == u"DOUBLE" || w == u"FLOAT" || w == u"NUMBER" || w == u"FLOAT8")
        return QStringLiteral("DOUBLE");
    if (w == u"LONGBINARY" || w == u"OLEOBJECT" || w == u"GENERAL" || w == u"IMAGE")
        return QStringLiteral("LONGBLOB");
    if (w == u"COUNTER" || w == u"AUTOINCREMENT")
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    return std::nullopt;
}

JetSql::Kind kindOf(const Tokens& t)
{
    const qsizetype first = t.isEmpty() ? -1 : (t[0].type == Token::Space ? nextSig(t, 0) : 0);
    if (first < 0)
        return JetSql::Kind::Other;
    const Token& w = t[first];
    if (isWord(w, "SELECT") || isPunct(w, "("))
        return JetSql::Kind::Select;
    if (isWord(w, "INSERT"))
        return JetSql::Kind::Insert;
    if (isWord(w, "UPDATE"))
        return JetSql::Kind::Update;
    if (isWord(w, "DELETE"))
        return JetSql::Kind::Delete;
    if (isWord(w, "CREATE"))
        return JetSql::Kind::Create;
    if (isWord(w, "ALTER"))
        return JetSql::Kind::Alter;
    if (isWord(w, "DROP"))
        return JetSql::Kind::Drop;
    return JetSql::Kind::Other;
}

JetSql::Result run(const QString& input, bool statement, const JetSql::SchemaForFile& schemaFor)
{
    JetSql::Result r;
    Tokens t;
    if (auto e = tokenize(input, t)) {
        r.error = *e;
        return r;
    }

    // One statement only: a ";" may end it, nothing may follow.
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!isPunct(t[i], ";"))
            continue;
        if (nextSig(t, i) >= 0) {
            r.error = {EngineError::CharactersAfterEnd,
                       QStringLiteral("Er staan tekens na het einde van de SQL-instructie.")};
            return r;
        }
        t = t.mid(0, i);
        break;
    }

    r.kind = statement ? kindOf(t) : JetSql::Kind::Select;
    const bool dml = r.kind == JetSql::Kind::Select || r.kind == JetSql::Kind::Insert
                     || r.kind == JetSql::Kind::Update || r.kind == JetSql::Kind::Delete;
    const bool ddl = r.kind == JetSql::Kind::Create || r.kind == JetSql::Kind::Alter;

    if (r.kind == JetSql::Kind::Delete && statement) {
        const qsizetype del = nextSig(t, -1);
        const qsizetype a = nextSig(t, del);
        if (a >= 0 && isPunct(t[a], "*")) {
            t.remove(a);
            if (a < t.size() && t[a].type == Token::Space && t[a - 1].type == Token::Space)
                t.remove(a);
        } else if (a >= 0 && (t[a].type == Token::Word || t[a].type == Token::Name)) {
            const qsizetype dot = nextSig(t, a);
            const qsizetype star = dot >= 0 ? nextSig(t, dot) : -1;
            if (dot >= 0 && isPunct(t[dot], ".") && star >= 0 && isPunct(t[star], "*")
                && nextSig(t, star) >= 0 && isWord(t[nextSig(t, star)], "FROM"))
                t.remove(a, star - a + 1);
        }
    }

    QString limit;
    if (r.kind == JetSql::Kind::Select && statement) {
        qsizetype i = nextSig(t, -1);
        if (i >= 0 && isWord(t[i], "SELECT")) {
            qsizetype j = nextSig(t, i);
            if (j >= 0 && (isWord(t[j], "DISTINCT") || isWord(t[j], "DISTINCTROW"))) {
                t[j].text = QStringLiteral("DISTINCT");
                j = nextSig(t, j);
            }
            if (j >= 0 && isWord(t[j], "TOP")) {
                const qsizetype num = nextSig(t, j);
                if (num < 0 || t[num].type != Token::Number) {
                    r.error = syntaxError(QStringLiteral("TOP zonder aantal"));
                    return r;
                }
                limit = t[num].text;
                t.remove(j, num - j + 1);
            }
        }
    }

    for (qsizetype i = 0; i < t.size(); ++i) {
        Token& tok = t[i];
        const qsizetype prev = prevSig(t, i);
        const qsizetype next = nextSig(t, i);
        const bool qualified = prev >= 0 && isPunct(t[prev], ".");
        const bool call = next >= 0 && isPunct(t[next], "(");
        switch (tok.type) {
        case Token::Word: {
            const QString upper = tok.text.toUpper();
            if (isWord(tok, "IN") && next >= 0 && t[next].type == Token::Text) {
                // "table IN '<file>'": a table of another database.
                if (prev < 0 || (t[prev].type != Token::Word && t[prev].type != Token::Name)) {
                    r.error = syntaxError(QStringLiteral("IN '...' zonder tabelnaam"));
                    return r;
                }
                const QString file = t[next].value;
                const QString schema = schemaFor ? schemaFor(file) : QString();
                if (schema.isEmpty()) {
                    r.error = {EngineError::CannotOpen,
                               QStringLiteral("De database '%1' kan niet worden geopend.").arg(file)};
                    return r;
                }
                Token& table = t[prev];
                const QString name = table.type == Token::Name ? table.value : table.text;
                table = {Token::Word, JetSql::quoteName(schema) + u'.' + JetSql::quoteName(name), {}};
                t.remove(i, next - i + 1);
                --i;
                continue;
            }
            if (!qualified && !call && (upper == u"TRUE" || upper == u"FALSE") && dml) {
                tok = {Token::Number, upper == u"TRUE" ? QStringLiteral("-1") : QStringLiteral("0"), {}};
            } else if (!qualified && upper == u"MOD" && !call) {
                tok.text = QStringLiteral("%");
            } else if (!qualified && call && dialectFunctions().contains(upper)) {
                tok.text = QStringLiteral("jet_") + upper.toLower();
            } else if (ddl && prev >= 0 && (t[prev].type == Token::Word || t[prev].type == Token::Name)) {
                static const QSet<QString> keywords = {
                    QStringLiteral("COLUMN"), QStringLiteral("ADD"), QStringLiteral("TABLE"),
                    QStringLiteral("DROP"), QStringLiteral("ALTER"), QStringLiteral("CONSTRAINT"),
                    QStringLiteral("EXISTS"), QStringLiteral("TO"), QStringLiteral("RENAME")};
                if (t[prev].type == Token::Name || !keywords.contains(t[prev].text.toUpper())) {
                    const bool sized = call && next + 3 < t.size();
                    if (auto type = ddlType(tok.text, call)) {
                        tok.text = *type;
                        if (sized && tok.text == u"VARCHAR") {
                            // Collation after the size: VARCHAR(n) COLLATE NOCASE.
                            for (qsizetype j = next; j < t.size(); ++j)
                                if (isPunct(t[j], ")")) {
                                    t[j].text += QStringLiteral(" COLLATE NOCASE");
                                    break;
                                }
                        }
                    }
                }
            }
            break;
        }
        case Token::Name:
            tok.text = JetSql::quoteName(tok.value);
            break;
        case Token::Text:
            // The classic engine compares text without regard to case, also where
            // neither side is a column.
            tok.text = JetSql::quoteText(tok.value) + (dml ? QStringLiteral(" COLLATE NOCASE") : QString());
            break;
        case Token::Date:
            tok.text = JetSql::quoteText(tok.value);
            break;
        default:
            break;
        }
    }

    if (auto e = rewriteConcatenation(t)) {
        r.error = *e;
        return r;
    }

    for (const Token& tok : t) {
        // The dialect has no comments: "--" is minus minus and "/*" divides, so they
        // must not reach SQLite as comment openers.
        if (!r.sql.isEmpty() && !tok.text.isEmpty()
            && ((r.sql.back() == u'-' && tok.text.front() == u'-') || (r.sql.back() == u'/' && tok.text.front() == u'*')))
            r.sql += u' ';
        r.sql += tok.text;
    }
    r.sql = r.sql.trimmed();
    if (!limit.isEmpty())
        r.sql += QStringLiteral(" LIMIT ") + limit;
    if (r.sql.isEmpty()) {
        r.error = syntaxError(QStringLiteral("lege instructie"));
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace

JetSql::Result JetSql::translate(const QString& statement, const SchemaForFile& schemaFor)
{
    return run(statement, true, schemaFor);
}

JetSql::Result JetSql::translateExpression(const QString& expression, const SchemaForFile& schemaFor)
{
    return run(expression, false, schemaFor);
}

std::optional<JetSql::SimpleSelect> JetSql::simpleSelect(const QString& statement, const SchemaForFile& schemaFor)
{
    if (!translate(statement, schemaFor).ok)
        return std::nullopt;
    Tokens t;
    if (tokenize(statement, t))
        return std::nullopt;
    // Drop a closing ";" (translate has checked nothing follows it).
    for (qsizetype i = 0; i < t.size(); ++i)
        if (isPunct(t[i], ";")) {
            t = t.mid(0, i);
            break;
        }
    qsizetype sel = nextSig(t, -1);
    if (sel < 0 || !isWord(t[sel], "SELECT"))
        return std::nullopt;
    static const QSet<QString> aggregates = {QStringLiteral("COUNT"), QStringLiteral("SUM"), QStringLiteral("MAX"),
                                             QStringLiteral("MIN"),   QStringLiteral("AVG"), QStringLiteral("FIRST"),
                                             QStringLiteral("LAST"),  QStringLiteral("STDEV"), QStringLiteral("VAR")};
    const qsizetype listStart = nextSig(t, sel);
    if (listStart < 0 || isWord(t[listStart], "DISTINCT") || isWord(t[listStart], "DISTINCTROW")
        || isWord(t[listStart], "TOP") || isWord(t[listStart], "ALL"))
        return std::nullopt;
    int depth = 0;
    qsizetype from = -1;
    for (qsizetype i = listStart; i < t.size(); ++i) {
        if (isPunct(t[i], "("))
            ++depth;
        else if (isPunct(t[i], ")"))
            --depth;
        else if (depth == 0 && isWord(t[i], "FROM")) {
            from = i;
            break;
        } else if (depth == 0 && t[i].type == Token::Word && aggregates.contains(t[i].text.toUpper())) {
            const qsizetype n = nextSig(t, i);
            if (n >= 0 && isPunct(t[n], "("))
                return std::nullopt;
        }
    }
    if (from < 0)
        return std::nullopt;
    SimpleSelect r;
    const qsizetype tableTok = nextSig(t, from);
    if (tableTok < 0 || (t[tableTok].type != Token::Word && t[tableTok].type != Token::Name))
        return std::nullopt;
    r.table = t[tableTok].type == Token::Name ? t[tableTok].value : t[tableTok].text;
    qsizetype i = nextSig(t, tableTok);
    auto clauseWord = [&](qsizetype k) { return isWord(t[k], "WHERE") || isWord(t[k], "ORDER"); };
    if (i >= 0 && isWord(t[i], "AS"))
        i = nextSig(t, i);
    if (i >= 0 && !clauseWord(i)) {
        if (t[i].type != Token::Word && t[i].type != Token::Name)
            return std::nullopt;
        static const QSet<QString> notAlias = {QStringLiteral("IN"), QStringLiteral("GROUP"), QStringLiteral("HAVING"),
                                               QStringLiteral("UNION"), QStringLiteral("INNER"), QStringLiteral("LEFT"),
                                               QStringLiteral("RIGHT"), QStringLiteral("JOIN"), QStringLiteral("CROSS"),
                                               QStringLiteral("NATURAL"), QStringLiteral("OUTER")};
        if (t[i].type == Token::Word && notAlias.contains(t[i].text.toUpper()))
            return std::nullopt;
        r.alias = t[i].type == Token::Name ? t[i].value : t[i].text;
        i = nextSig(t, i);
    }
    if (i >= 0 && !clauseWord(i))
        return std::nullopt;
    depth = 0;
    for (qsizetype k = i < 0 ? t.size() : i; k < t.size(); ++k) {
        if (isPunct(t[k], "("))
            ++depth;
        else if (isPunct(t[k], ")"))
            --depth;
        else if (depth == 0
                 && (isWord(t[k], "GROUP") || isWord(t[k], "HAVING") || isWord(t[k], "UNION") || isWord(t[k], "JOIN")))
            return std::nullopt;
    }
    const QString list = statement.mid(t[listStart].pos, t[from].pos - t[listStart].pos);
    auto lr = translateExpression(list, schemaFor);
    if (!lr.ok)
        return std::nullopt;
    r.list = lr.sql;
    if (i >= 0) {
        const QString tail = statement.mid(t[i].pos, t.last().end - t[i].pos);
        auto tr = translateExpression(tail, schemaFor);
        if (!tr.ok)
            return std::nullopt;
        r.tail = tr.sql;
    }
    return r;
}

QString JetSql::quoteText(const QString& text)
{
    QString s = text;
    s.replace(u'\'', QStringLiteral("''"));
    return u'\'' + s + u'\'';
}

QString JetSql::quoteName(const QString& name)
{
    QString s = name;
    s.replace(u'"', QStringLiteral("\"\""));
    return u'"' + s + u'"';
}

QString JetSql::dateText(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace vandrel
