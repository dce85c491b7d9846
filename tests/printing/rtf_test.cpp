#include "printing/rtfreader.h"
#include "printing/rtfwriter.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

// Format of the character at pos (0-based) of the document's plain text.
QTextCharFormat formatAt(const QTextDocument& doc, int pos)
{
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(pos + 1);
    return c.charFormat();
}

int find(const QTextDocument& doc, const QString& text)
{
    return static_cast<int>(doc.toPlainText().indexOf(text));
}

QString family(const QTextCharFormat& f)
{
    return f.fontFamilies().toStringList().value(0);
}

QTextDocument* read(const QByteArray& rtf)
{
    auto* doc = new QTextDocument;
    readRtf(rtf, *doc);
    return doc;
}

} // namespace

TEST(Rtf, WordPadFileWithFontTableColoursAndAccents)
{
    const QByteArray wordpad =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
        "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1"
        "\\lang19\\f0\\fs22 Caf\\'e9 cr\\'e8me \\b vet\\b0  en \\i schuin\\i0\\par\r\n"
        "\\pard\\qc\\cf1\\f1\\fs28 Gecentreerd rood\\cf0\\par\r\n"
        "\\pard\\qr\\ul onderstreept\\ulnone  \\strike doorgehaald\\strike0\\par\r\n"
        "\\pard\\tx1440 \\u8364?uro\\tab {\\cf2 blauw}\\par\r\n}\r\n\0";
    std::unique_ptr<QTextDocument> doc(read(wordpad));
    EXPECT_EQ(doc->toPlainText(),
              QString::fromUtf8("Café crème vet en schuin\nGecentreerd rood\n"
                                "onderstreept doorgehaald\n€uro\tblauw\n"));
    EXPECT_EQ(doc->blockCount(), 5);

    const QTextCharFormat cafe = formatAt(*doc, 0);
    EXPECT_EQ(family(cafe), "Arial");
    EXPECT_DOUBLE_EQ(cafe.fontPointSize(), 11.0);
    EXPECT_LT(cafe.fontWeight(), QFont::DemiBold);
    EXPECT_GE(formatAt(*doc, find(*doc, "vet")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(*doc, find(*doc, "schuin")).fontItalic());
    EXPECT_FALSE(formatAt(*doc, find(*doc, " en")).fontItalic());

    const QTextCharFormat red = formatAt(*doc, find(*doc, "rood"));
    EXPECT_EQ(family(red), "Times New Roman");
    EXPECT_DOUBLE_EQ(red.fontPointSize(), 14.0);
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(doc->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(doc->findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_TRUE(formatAt(*doc, find(*doc, "onderstreept")).fontUnderline());
    EXPECT_FALSE(formatAt(*doc, find(*doc, "doorgehaald")).fontUnderline());
    EXPECT_TRUE(formatAt(*doc, find(*doc, "doorgehaald")).fontStrikeOut());
    EXPECT_EQ(formatAt(*doc, find(*doc, "blauw")).foreground().color(), QColor(0, 0, 255));
    EXPECT_FALSE(formatAt(*doc, find(*doc, "uro")).hasProperty(QTextFormat::ForegroundBrush));
    const auto tabs = doc->findBlockByNumber(3).blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_EQ(rtfLayoutToTwips(tabs[0].position), 1440);
}

// The quotation output writes this head and these lines.
TEST(Rtf, QuotationHeadAndTabbedLines)
{
    const QByteArray quotation =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}"
        "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss\\fprq2 Arial;}{\\f3\\fswiss Arial;}"
        "{\\f4\\fswiss\\fprq2 System;}{\\f5\\fswiss Arial;}}\r\n"
        "{\\colortbl\\red0\\green0\\blue0;}\r\n"
        "\\deflang1043\\horzdoc{\\*\\fchars }{\\*\\lchars }\\pard\\plain\\f2\\fs20\r\n"
        "\\par \r\n"
        "\\par {\\fs18 \\b Offerte:} \r\n"
        "\\par {\\i Referentie: }{\\b 12-03-2024}\r\n"
        "\\par 2 \\tx750 \\tab 0123456 \\tx2100 \\tab Radiator kraan \\tx8100 \\tab   12,50\r\n"
        "\\par }\r\n";
    std::unique_ptr<QTextDocument> doc(read(quotation));
    EXPECT_EQ(doc->toPlainText(),
              "\n\nOfferte: \nReferentie: 12-03-2024\n2 \t0123456 \tRadiator kraan \t  12,50\n");
    const QTextCharFormat offerte = formatAt(*doc, find(*doc, "Offerte"));
    EXPECT_DOUBLE_EQ(offerte.fontPointSize(), 9.0);
    EXPECT_GE(offerte.fontWeight(), QFont::Bold);
    EXPECT_EQ(family(offerte), "Arial");
    const QTextCharFormat after = formatAt(*doc, find(*doc, "Offerte:") + 8);
    EXPECT_DOUBLE_EQ(after.fontPointSize(), 10.0);
    EXPECT_LT(after.fontWeight(), QFont::DemiBold);
    EXPECT_TRUE(formatAt(*doc, find(*doc, "Referentie")).fontItalic());
    EXPECT_FALSE(formatAt(*doc, find(*doc, "12-03")).fontItalic());

    QList<int> stops;
    for (const auto& tab : doc->findBlockByNumber(4).blockFormat().tabPositions())
        stops << rtfLayoutToTwips(tab.position);
    EXPECT_EQ(stops, (QList<int>{750, 2100, 8100}));
}

TEST(Rtf, CharacterEscapes)
{
    struct Case {
        const char* rtf;
        const char* text; // UTF-8
    } cases[] = {
        {"{\\rtf1 \\uc1\\u233\\'e9 x}", "é x"},
        {"{\\rtf1 \\uc2\\u8364\\'80\\'80X}", "€X"},
        {"{\\rtf1 \\uc0\\u-3913 y}", "\xEF\x82\xB7y"}, // negative: 65536 - 3913
        {"{\\rtf1 {\\uc2 \\u228 ab}c}", "äc"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "\xF0\x9F\x98\x80"}, // surrogate pair
        {"{\\rtf1 a\\{b\\}c\\\\d\\~e\\-f\\_g}", "a{b}c\\d\xC2\xA0" "ef\xE2\x80\x91g"},
        {"{\\rtf1 \\'80\\'e9\\'FF}", "€éÿ"},
        {"{\\rtf1 a\\line b\\tab c\\emdash d}", "a\xE2\x80\xA8" "b\tc—d"},
        {"{\\rtf1 {\\*\\unknown geheim}zicht{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}",
         "zichtlink"},
        {"{\\rtf1 {\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}{\\pict\\bin4 {}}}}ok}", "ok"},
        {"{\\rtf1 a}na het einde", "a"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<QTextDocument> doc(read(c.rtf));
        QString text;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            text += (b == doc->begin() ? "" : "\n") + b.text();
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.rtf;
    }
}

TEST(Rtf, PlainTextIsReadAsAnsiText)
{
    std::unique_ptr<QTextDocument> doc(read("ab"));
    EXPECT_EQ(doc->toPlainText(), "ab");
    doc.reset(read("r\xe9gel\r\ntwee"));
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("régel\ntwee"));
    doc.reset(read(""));
    EXPECT_TRUE(doc->isEmpty());
}

TEST(Rtf, WriterRoundTripKeepsTextAndFormats)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat plain;
    plain.setFontFamilies({"Arial"});
    plain.setFontPointSize(10);
    c.insertText(QString::fromUtf8("Prijs € 12,50 — café {x} \\ ł 😀\tna tab"), plain);
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    centre.setTabPositions({QTextOption::Tab(rtfTwipsToLayout(2100), QTextOption::LeftTab)});
    c.insertBlock(centre);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    c.insertText("vet", bold);
    QTextCharFormat mixed = plain;
    mixed.setFontItalic(true);
    mixed.setFontUnderline(true);
    mixed.setFontStrikeOut(true);
    mixed.setFontFamilies({"Courier New"});
    mixed.setFontPointSize(14.5);
    mixed.setForeground(QColor(0x12, 0x34, 0x56));
    c.insertText(" rest", mixed);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.insertBlock(right);
    c.insertBlock(QTextBlockFormat());
    c.insertText("laatste", plain);

    const QByteArray rtf = writeRtf(doc);
    for (const char byte : rtf)
        ASSERT_LT(static_cast<unsigned char>(byte), 0x80) << rtf.constData();
    ASSERT_TRUE(isRtf(rtf));

    QTextDocument back;
    readRtf(rtf, back);
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    ASSERT_EQ(back.blockCount(), 4);
    EXPECT_EQ(back.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(back.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    ASSERT_EQ(back.findBlockByNumber(1).blockFormat().tabPositions().size(), 1);
    EXPECT_EQ(rtfLayoutToTwips(back.findBlockByNumber(1).blockFormat().tabPositions()[0].position),
              2100);

    const int vet = find(back, "vet");
    EXPECT_GE(formatAt(back, vet).fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatAt(back, vet).fontItalic());
    const QTextCharFormat rest = formatAt(back, find(back, "rest"));
    EXPECT_LT(rest.fontWeight(), QFont::DemiBold);
    EXPECT_TRUE(rest.fontItalic());
    EXPECT_TRUE(rest.fontUnderline());
    EXPECT_TRUE(rest.fontStrikeOut());
    EXPECT_EQ(family(rest), "Courier New");
    EXPECT_DOUBLE_EQ(rest.fontPointSize(), 14.5);
    EXPECT_EQ(rest.foreground().color(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(family(formatAt(back, 0)), "Arial");
    EXPECT_DOUBLE_EQ(formatAt(back, 0).fontPointSize(), 10.0);
}

TEST(Rtf, MalformedInputNeverFailsAndStaysLinear)
{
    const QByteArray deep = "{\\rtf1 " + QByteArray(1'000'000, '{') + "diep" +
                            QByteArray(500'000, '}');
    const QByteArray cases[] = {
        "{\\rtf1 {{{ open",
        "}}}{\\rtf1 dicht}}}}",
        "{\\rtf1 \\fs99999999999999999999999 groot \\u99999999999999 \\cf-99999 x}",
        "{\\rtf1 \\'",
        "{\\rtf1 \\'4",
        "{\\rtf1 \\'zz na}",
        "{\\rtf1 \\bin999999999 tekst}",
        "{\\rtf1 \\bin-5 tekst}",
        "{\\rtf1 \\",
        "{\\rtf1 \\" + QByteArray(100'000, 'a') + "1 x}",
        "{\\rtf1 {\\fonttbl{\\f99999999999 " + QByteArray(10'000, 'F') + "}}\\f99999999999 x}",
        "{\\rtf1 {\\colortbl" + QByteArray(50'000, ';') + "}\\cf40000 x}",
        "{\\rtf1 " + QByteArray(20'000, 't').replace("t", "\\tx1 ") + "x}",
        "{\\rtf1 \\uc10\\u233}",
        deep,
        QByteArray("{\\rtf1 \0\x01\x7f\xff}", 13),
        QByteArray("geen rtf\0\x01\x81\xd4\r\n", 14),
    };
    for (const QByteArray& input : cases) {
        QElapsedTimer timer;
        timer.start();
        QTextDocument doc;
        readRtf(input, doc);
        // Whatever was read writes and reads back to the same text.
        QTextDocument again;
        readRtf(writeRtf(doc), again);
        EXPECT_EQ(again.toPlainText(), doc.toPlainText()) << input.left(60).constData();
        EXPECT_LT(timer.elapsed(), 5000) << input.left(60).constData();
    }
    QTextDocument doc;
    readRtf(deep, doc);
    EXPECT_EQ(doc.toPlainText(), "diep");
}
