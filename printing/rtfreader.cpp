#include "printing/rtfreader.h"

#include "app/core/cp1252.h"
#include "printing/rtfwriter.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vandrel {

namespace {

// Deeper groups share the innermost kept state: real documents nest a few levels, hostile
// ones millions.
constexpr int kMaxKeptDepth = 200;
constexpr int kMaxControlWord = 32;
constexpr int kMaxTableEntries = 4096;
constexpr int kMaxFontName = 256;
constexpr int kMaxTabStops = 64;
constexpr int kDefaultHalfPoints = 24;

enum class Dest { Text, Skip, FontTable, FontEntry, ColorTable };

struct Para {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
    QList<int> tabs;
};

struct State {
    Dest dest = Dest::Text;
    int font = -1; // -1: the default font
    int halfPoints = kDefaultHalfPoints;
    int color = 0; // 0: automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0; // 1 super, -1 sub
    int uc = 1;
    Para para;
};

bool charFormatEqual(const State& a, const State& b)
{
    return a.font == b.font && a.halfPoints == b.halfPoints && a.color == b.color &&
           a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
           a.strike == b.strike && a.vertical == b.vertical;
}

int clampParam(int64_t value, int low, int high)
{
    return static_cast<int>(std::clamp<int64_t>(value, low, high));
}

// \uN carries a signed 16-bit value; some writers use 0..65535 instead.
QChar unicodeParam(int64_t param)
{
    int v = clampParam(param, -32768, 65535);
    if (v < 0)
        v += 65536;
    return QChar(static_cast<char16_t>(v));
}

// Windows-1252 byte to character, built once.
QChar ansiChar(unsigned char byte)
{
    static const QString table = [] {
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = static_cast<char>(b);
        return cp1252::toUnicode(all);
    }();
    return table.size() == 256 ? table.at(byte) : QChar(u'?');
}

// Destinations whose text is not part of the document.
bool isSkippedDestination(const QByteArray& word)
{
    static const char* const names[] = {
        "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf",
        "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "atnid",
        "atnauthor", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator",
        "xmlnstbl", "fldinst", "filetbl", "pn", "pntxta", "pntxtb", "pnseclvl", "themedata",
        "colorschememapping", "latentstyles", "datastore", "mmathPr", "bkmkstart",
        "bkmkend", "userprops", "docvar", "template", "nonshppict", "shp", "shpinst",
        "private", "falt", "panose", "fchars", "lchars", "pgdsctbl", "operator", "author",
        "title", "subject", "comment", "keywords", "doccomm", "company", "manager"};
    for (const char* name : names) {
        if (word == name)
            return true;
    }
    return false;
}

class Reader {
public:
    Reader(const QByteArray& data, QTextDocument& document)
        : data_(data), cursor_(&document)
    {
        stack_.reserve(kMaxKeptDepth);
    }

    void run();

private:
    State& state() { return current_; }
    void pushGroup();
    // False when the outermost group has closed: the document ends there.
    bool popGroup();
    void controlWord(const QByteArray& word, bool hasParam, int64_t param);
    void controlSymbol(char symbol);
    void text(QChar ch);
    void byteChar(unsigned char byte);
    void flush();
    void endParagraph(bool newBlock);
    QTextCharFormat charFormat(const State& s) const;
    void applyParagraph();

    const QByteArray& data_;
    QTextCursor cursor_;

    State current_;
    std::vector<State> stack_;
    int overflowDepth_ = 0; // groups opened past kMaxKeptDepth
    int skipChars_ = 0;     // fallback characters after \u still to skip
    int defaultFont_ = 0;
    bool ignorableNext_ = false; // after \*
    bool groupStart_ = false;    // the last token was "{"

    QHash<int, QString> fonts_;
    int fontEntry_ = 0;
    QString fontName_;
    QList<QColor> colors_; // invalid colour: automatic
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;

    QString pending_;
    State pendingState_;
    bool paragraphHasFormat_ = false;
};

void Reader::pushGroup()
{
    if (static_cast<int>(stack_.size()) < kMaxKeptDepth)
        stack_.push_back(current_);
    else
        ++overflowDepth_;
    skipChars_ = 0;
}

bool Reader::popGroup()
{
    skipChars_ = 0;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return true;
    }
    if (stack_.empty())
        return true; // an unmatched "}" closes nothing
    const Dest leaving = current_.dest;
    if (leaving == Dest::FontEntry && !fontName_.isEmpty()) {
        if (fonts_.size() < kMaxTableEntries || fonts_.contains(fontEntry_))
            fonts_.insert(fontEntry_, fontName_.trimmed());
        fontName_.clear();
    }
    current_ = stack_.back();
    stack_.pop_back();
    return !stack_.empty();
}

QTextCharFormat Reader::charFormat(const State& s) const
{
    QTextCharFormat format;
    const int fontNumber = s.font < 0 ? defaultFont_ : s.font;
    QString family = fonts_.value(fontNumber);
    if (family.isEmpty())
        family = fonts_.value(defaultFont_);
    if (!family.isEmpty())
        format.setFontFamilies({family});
    format.setFontPointSize(s.halfPoints / 2.0);
    format.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(s.italic);
    format.setFontUnderline(s.underline);
    format.setFontStrikeOut(s.strike);
    if (s.vertical > 0)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (s.vertical < 0)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (s.color > 0 && s.color < colors_.size() && colors_[s.color].isValid())
        format.setForeground(colors_[s.color]);
    return format;
}

void Reader::flush()
{
    if (pending_.isEmpty())
        return;
    cursor_.insertText(pending_, charFormat(pendingState_));
    pending_.clear();
}

void Reader::applyParagraph()
{
    const Para& p = current_.para;
    QTextBlockFormat format;
    format.setAlignment(p.alignment);
    if (p.leftTwips)
        format.setLeftMargin(rtfTwipsToLayout(p.leftTwips));
    if (p.rightTwips)
        format.setRightMargin(rtfTwipsToLayout(p.rightTwips));
    if (p.firstTwips)
        format.setTextIndent(rtfTwipsToLayout(p.firstTwips));
    if (p.beforeTwips)
        format.setTopMargin(rtfTwipsToLayout(p.beforeTwips));
    if (p.afterTwips)
        format.setBottomMargin(rtfTwipsToLayout(p.afterTwips));
    if (!p.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        for (int t : p.tabs)
            tabs.append(QTextOption::Tab(rtfTwipsToLayout(t), QTextOption::LeftTab));
        format.setTabPositions(tabs);
    }
    cursor_.setBlockFormat(format);
    // An empty line keeps the height of the font it was typed in.
    if (!paragraphHasFormat_)
        cursor_.setBlockCharFormat(charFormat(current_));
}

void Reader::endParagraph(bool newBlock)
{
    flush();
    applyParagraph();
    if (newBlock) {
        cursor_.insertBlock();
        cursor_.setBlockCharFormat(charFormat(current_));
    }
    paragraphHasFormat_ = false;
}

void Reader::text(QChar ch)
{
    if (skipChars_ > 0) {
        --skipChars_;
        return;
    }
    switch (current_.dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
    case Dest::FontEntry:
        if (ch == u';') {
            if (!fontName_.isEmpty() &&
                (fonts_.size() < kMaxTableEntries || fonts_.contains(fontEntry_)))
                fonts_.insert(fontEntry_, fontName_.trimmed());
            fontName_.clear();
        } else if (fontName_.size() < kMaxFontName) {
            fontName_.append(ch);
        }
        return;
    case Dest::ColorTable:
        if (ch == u';') {
            if (colors_.size() < kMaxTableEntries)
                colors_.append(colorSet_ ? QColor(red_, green_, blue_) : QColor());
            red_ = green_ = blue_ = 0;
            colorSet_ = false;
        }
        return;
    case Dest::Text:
        break;
    }
    // Control characters other than the tab have no place in the text.
    if (ch.unicode() < 0x20 && ch != u'\t')
        return;
    if (!pending_.isEmpty() && !charFormatEqual(pendingState_, current_))
        flush();
    if (pending_.isEmpty())
        pendingState_ = current_;
    if (ch == QChar::ParagraphSeparator) {
        endParagraph(true);
        return;
    }
    pending_.append(ch);
    paragraphHasFormat_ = true;
}

void Reader::byteChar(unsigned char byte)
{
    text(ansiChar(byte));
}

void Reader::controlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        text(QChar::fromLatin1(symbol));
        break;
    case '~':
        text(QChar(0x00A0));
        break;
    case '_':
        text(QChar(0x2011));
        break;
    case '-': // optional hyphen
        break;
    case '*':
        ignorableNext_ = true;
        return;
    case '\r':
    case '\n':
        controlWord("par", false, 0);
        break;
    case '\t':
        text(u'\t');
        break;
    default:
        break;
    }
}

void Reader::controlWord(const QByteArray& word, bool hasParam, int64_t param)
{
    const bool wasIgnorable = ignorableNext_;
    const bool atGroupStart = groupStart_;
    ignorableNext_ = false;
    State& s = state();
    const bool on = !hasParam || param != 0;
    const int value = clampParam(param, INT32_MIN + 1, INT32_MAX);

    // Destinations.
    if (word == "fonttbl") {
        s.dest = Dest::FontTable;
        return;
    }
    if (word == "colortbl") {
        s.dest = Dest::ColorTable;
        return;
    }
    if (isSkippedDestination(word)) {
        s.dest = Dest::Skip;
        return;
    }
    if (wasIgnorable && atGroupStart) {
        // "\*\word" we do not know: skip the whole group.
        s.dest = Dest::Skip;
        return;
    }
    if (word == "bin") {
        return; // handled by the tokenizer
    }
    if (s.dest == Dest::Skip)
        return;

    if (s.dest == Dest::FontTable || s.dest == Dest::FontEntry) {
        if (word == "f") {
            fontEntry_ = value;
            fontName_.clear();
            if (atGroupStart)
                s.dest = Dest::FontEntry;
        } else if (word == "u") {
            text(unicodeParam(param));
            skipChars_ = s.uc;
        }
        return;
    }
    if (s.dest == Dest::ColorTable) {
        const int component = clampParam(param, 0, 255);
        if (word == "red") {
            red_ = component;
            colorSet_ = true;
        } else if (word == "green") {
            green_ = component;
            colorSet_ = true;
        } else if (word == "blue") {
            blue_ = component;
            colorSet_ = true;
        }
        return;
    }

    // A control word counts as one fallback character after \u.
    if (skipChars_ > 0) {
        --skipChars_;
        return;
    }

    // Character formatting.
    if (word == "plain") {
        const Para keep = s.para;
        const int uc = s.uc;
        const Dest dest = s.dest;
        s = State();
        s.para = keep;
        s.uc = uc;
        s.dest = dest;
    } else if (word == "f") {
        s.font = value;
    } else if (word == "fs") {
        if (hasParam && param > 0)
            s.halfPoints = clampParam(param, 2, 3276);
    } else if (word == "b") {
        s.bold = on;
    } else if (word == "i") {
        s.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" ||
               word == "uldash" || word == "ulwave" || word == "ulth" || word == "uldashd") {
        s.underline = on;
    } else if (word == "ulnone") {
        s.underline = false;
    } else if (word == "strike" || word == "striked") {
        s.strike = on;
    } else if (word == "super") {
        s.vertical = on ? 1 : 0;
    } else if (word == "sub") {
        s.vertical = on ? -1 : 0;
    } else if (word == "nosupersub") {
        s.vertical = 0;
    } else if (word == "cf") {
        s.color = hasParam ? std::max(0, value) : 0;
    } else if (word == "uc") {
        s.uc = clampParam(param, 0, 10);
    } else if (word == "deff") {
        defaultFont_ = value;
    }
    // Paragraph formatting.
    else if (word == "pard") {
        s.para = Para();
    } else if (word == "ql") {
        s.para.alignment = Qt::AlignLeft;
    } else if (word == "qc") {
        s.para.alignment = Qt::AlignHCenter;
    } else if (word == "qr") {
        s.para.alignment = Qt::AlignRight;
    } else if (word == "qj") {
        s.para.alignment = Qt::AlignJustify;
    } else if (word == "li") {
        s.para.leftTwips = clampParam(param, -31680, 31680);
    } else if (word == "ri") {
        s.para.rightTwips = clampParam(param, -31680, 31680);
    } else if (word == "fi") {
        s.para.firstTwips = clampParam(param, -31680, 31680);
    } else if (word == "sb") {
        s.para.beforeTwips = clampParam(param, 0, 31680);
    } else if (word == "sa") {
        s.para.afterTwips = clampParam(param, 0, 31680);
    } else if (word == "tx" || word == "tb") {
        const int t = clampParam(param, 0, 31680);
        if (!s.para.tabs.contains(t) && s.para.tabs.size() < kMaxTabStops) {
            s.para.tabs.append(t);
            std::sort(s.para.tabs.begin(), s.para.tabs.end());
        }
    }
    // Breaks and special characters.
    else if (word == "par" || word == "sect" || word == "page" || word == "row") {
        // The paragraph's own properties are the ones in force at its end.
        endParagraph(true);
    } else if (word == "line") {
        text(QChar::LineSeparator);
    } else if (word == "tab" || word == "cell") {
        text(u'\t');
    } else if (word == "u") {
        text(unicodeParam(param));
        skipChars_ = s.uc;
    } else if (word == "emdash") {
        text(QChar(0x2014));
    } else if (word == "endash") {
        text(QChar(0x2013));
    } else if (word == "bullet") {
        text(QChar(0x2022));
    } else if (word == "lquote") {
        text(QChar(0x2018));
    } else if (word == "rquote") {
        text(QChar(0x2019));
    } else if (word == "ldblquote") {
        text(QChar(0x201C));
    } else if (word == "rdblquote") {
        text(QChar(0x201D));
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
        text(u' ');
    }
}

void Reader::run()
{
    const int n = static_cast<int>(data_.size());
    int i = 0;
    // Skip the leading white space before "{\rtf".
    while (i < n && (data_[i] == ' ' || data_[i] == '\r' || data_[i] == '\n' || data_[i] == '\t'))
        ++i;
    while (i < n) {
        const char c = data_[i];
        if (c == '{') {
            ++i;
            pushGroup();
            groupStart_ = true;
            continue;
        }
        const bool wasGroupStart = groupStart_;
        groupStart_ = false;
        if (c == '}') {
            ++i;
            if (!popGroup())
                break;
            continue;
        }
        if (c == '\\') {
            ++i;
            if (i >= n)
                break;
            const char d = data_[i];
            if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
                const int start = i;
                while (i < n && ((data_[i] >= 'a' && data_[i] <= 'z') ||
                                 (data_[i] >= 'A' && data_[i] <= 'Z')))
                    ++i;
                const QByteArray word =
                    data_.mid(start, std::min(i - start, kMaxControlWord));
                bool hasParam = false;
                bool negative = false;
                int64_t param = 0;
                if (i < n && data_[i] == '-' && i + 1 < n && data_[i + 1] >= '0' &&
                    data_[i + 1] <= '9') {
                    negative = true;
                    ++i;
                }
                while (i < n && data_[i] >= '0' && data_[i] <= '9') {
                    hasParam = true;
                    if (param < (int64_t(1) << 40))
                        param = param * 10 + (data_[i] - '0');
                    ++i;
                }
                if (negative)
                    param = -param;
                if (i < n && data_[i] == ' ')
                    ++i; // the delimiting space belongs to the word
                groupStart_ = wasGroupStart;
                if (word == "bin") {
                    // Binary data of the given length: never text, never parsed.
                    const int64_t skip = std::clamp<int64_t>(param, 0, n - i);
                    i += static_cast<int>(skip);
                    groupStart_ = false;
                    continue;
                }
                controlWord(word, hasParam, param);
                groupStart_ = false;
                continue;
            }
            if (d == '\'') {
                ++i;
                auto hex = [](char h) {
                    if (h >= '0' && h <= '9')
                        return h - '0';
                    if (h >= 'a' && h <= 'f')
                        return h - 'a' + 10;
                    if (h >= 'A' && h <= 'F')
                        return h - 'A' + 10;
                    return -1;
                };
                const int hi = i < n ? hex(data_[i]) : -1;
                const int lo = i + 1 < n ? hex(data_[i + 1]) : -1;
                if (hi < 0 || lo < 0) {
                    // A broken \'h: drop it and read on from the next character.
                    if (hi >= 0)
                        ++i;
                    continue;
                }
                i += 2;
                if (current_.dest == Dest::Text || current_.dest == Dest::FontTable ||
                    current_.dest == Dest::FontEntry)
                    byteChar(static_cast<unsigned char>(hi * 16 + lo));
                continue;
            }
            ++i;
            groupStart_ = wasGroupStart && d == '*';
            controlSymbol(d);
            continue;
        }
        ++i;
        if (c == '\r' || c == '\n')
            continue; // line ends in RTF carry no meaning
        if (c == '\t') {
            text(u'\t');
            continue;
        }
        byteChar(static_cast<unsigned char>(c));
    }
    flush();
    applyParagraph();
}

void readPlain(const QByteArray& data, QTextDocument& document)
{
    QString text = cp1252::toUnicode(data);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    // As in RTF text: no control characters but the tab and the line end.
    text.removeIf([](QChar ch) { return ch.unicode() < 0x20 && ch != u'\t' && ch != u'\n'; });
    document.setPlainText(text);
}

} // namespace

bool isRtf(const QByteArray& data)
{
    int i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t'))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

void readRtf(const QByteArray& data, QTextDocument& document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    if (isRtf(data)) {
        Reader reader(data, document);
        reader.run();
    } else {
        readPlain(data, document);
    }
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

} // namespace vandrel
