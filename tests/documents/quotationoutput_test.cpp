#include "documents/quotationline.h"
#include "documents/quotationoutput.h"
#include "printing/formatprint.h"
#include "printing/recordingprintdevice.h"
#include "printing/rtfreader.h"
#include "quotationfixture.h"
#include "testdir.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

struct Fixture {
    test::FakeQuotationCatalog catalog;
    QuotationOutputSource source;
    Fixture()
    {
        catalog.add(1, "10.00", 1, QStringLiteral("Kraan"), QStringLiteral("Luxe kraan"));
        catalog.add(2, "5.00", 1, QStringLiteral("Sifon"), QStringLiteral("   "));
        source.reference = QStringLiteral("offerte van 09-12-2026");
        source.date = QStringLiteral("09-12-2026");
        source.catalog = &catalog;
        source.lines = {QStringLiteral("Badkamer"),
                        QStringLiteral("2\t0000001\t20,00\tKraan"),
                        QStringLiteral("1\t0000002\t5,00\tSifon eigen"),
                        QStringLiteral("\tSubtot:\t25,00\t "),
                        QStringLiteral("\tKorting:\t10%\t "),
                        QStringLiteral("19%\tBTW:\t4,75\t "),
                        QStringLiteral("\tTotaal:\t29,75\t "),
                        quotation::pageBreakLine(),
                        QString(),
                        QStringLiteral("3\t0000999\t12.50\tOnbekend artikel")};
    }
};

const QByteArray kDashes(80, char(151));

} // namespace

TEST(QuotationOutput, TabFileWithEachOptionSwitched)
{
    Fixture f;
    QuotationPrintOptions all;
    QuotationPrintOptions noValues;
    noValues.printValues = false;
    QuotationPrintOptions noCodes;
    noCodes.printCodes = false;
    QuotationPrintOptions texts;
    texts.printOfferte = true;
    texts.printHeader = true;
    const QByteArray tail = "\t\tTotaal:\t \t29,75\r\n" + kDashes + "\r\n\r\n";
    const struct {
        const char* name;
        QuotationPrintOptions options;
        QByteArray expected;
    } cases[] = {
        {"all", all,
         "Badkamer\r\n2\t0000001\tKraan\t20,00\r\n1\t0000002\tSifon eigen\t5,00\r\n"
         "\tSubtot:\t \t25,00\r\n\tKorting:\t \t10%\r\n19%\tBTW:\t \t4,75\r\n\tTotaal:\t \t29,75\r\n" +
             kDashes + "\r\n\r\n3\t0000999\tOnbekend artikel\t12,50\r\n"},
        {"no values", noValues,
         "Badkamer\r\n2\t0000001\tKraan\t     \r\n1\t0000002\tSifon eigen\t     \r\n"
         "\tSubtot:\t \t25,00\r\n\tKorting:\t \t10%\r\n19%\tBTW:\t \t4,75\r\n\tTotaal:\t \t29,75\r\n" +
             kDashes + "\r\n\r\n3\t0000999\tOnbekend artikel\t     \r\n"},
        {"no codes", noCodes,
         "Badkamer\r\n2\t\tKraan\t20,00\r\n1\t\tSifon eigen\t5,00\r\n"
         "\tSubtot:\t \t25,00\r\n\tKorting:\t \t10%\r\n19%\tBTW:\t \t4,75\r\n\tTotaal:\t \t29,75\r\n" +
             kDashes + "\r\n\r\n3\t\tOnbekend artikel\t12,50\r\n"},
        {"header and quotation texts", texts,
         "Offerte:\r\n\r\nReferentie: \tofferte van 09-12-2026\r\nOffertedatum: \t09-12-2026\r\n\r\n"
         "Badkamer\r\n2\t0000001\tLuxe kraan\t20,00\r\n1\t0000002\tSifon\t5,00\r\n"
         "\tSubtot:\t \t25,00\r\n\tKorting:\t \t10%\r\n19%\tBTW:\t \t4,75\r\n\tTotaal:\t \t29,75\r\n" +
             kDashes + "\r\n\r\n3\t0000999\tOnbekend artikel\t12,50\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quotationTabText(f.source, c.options), c.expected) << c.name;
}

namespace {

QString rtfOf(const QuotationOutputSource& source, const QuotationPrintOptions& options)
{
    QString rtf;
    writeQuotationRtf(source, options, [&](const QString& piece) { rtf += piece; });
    return rtf;
}

// The document's paragraphs with runs of blanks and tabs made one blank.
QStringList simplifiedParagraphs(const QString& text)
{
    QStringList out;
    for (const QString& p : text.split(QLatin1Char('\n')))
        out << p.simplified();
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

QStringList expectedRtfText(bool header)
{
    QStringList lines = {QString(), QString()}; // the head's paragraph and the first \par
    if (header)
        lines << "Offerte:" << "" << "Referentie: offerte van 09-12-2026" << "Offertedatum: 09-12-2026" << "" << "";
    lines << "Badkamer" << QString::fromUtf8("2 0000001 Kraan {chroom} \\ één € ő") << "1 0000002 Sifon eigen 5,00"
          << "Subtot: 25,00" << "Korting: 10%" << "19% BTW: 4,75" << "Totaal: 29,75"
          << quotation::pageBreakLine() << "" << "3 0000999 Onbekend artikel 12.50";
    return lines;
}

} // namespace

TEST(QuotationOutput, RtfKeepsEveryCharacterOfTheText)
{
    Fixture f;
    // Braces and backslashes must not break the document; accented letters, the euro sign
    // and a letter outside the code page survive.
    f.source.lines[1] = QStringLiteral("2\t0000001\t20,00\tKraan {chroom} \\ \xE9\xE9n \u20AC \u0151");
    QuotationPrintOptions options;
    options.printValues = false;
    options.printHeader = true;
    const QString rtf = rtfOf(f.source, options);
    for (QChar c : rtf)
        ASSERT_LT(c.unicode(), 128) << "RTF is 7-bit";
    EXPECT_TRUE(rtf.contains(QStringLiteral("Kraan \\{chroom\\} \\\\ \\'e9\\'e9n \\'80 \\u337?")));
    EXPECT_TRUE(rtf.endsWith(QStringLiteral("\\par }\r\n")));

    QTextDocument document;
    readRtf(rtf.toLatin1(), document);
    QStringList expected = expectedRtfText(true);
    expected[9] = QString::fromUtf8("2 0000001 Kraan {chroom} \\ één € ő"); // value left out
    expected[10] = "1 0000002 Sifon eigen";
    expected.last() = "3 0000999 Onbekend artikel";
    EXPECT_EQ(simplifiedParagraphs(document.toPlainText()), expected);
}

TEST(QuotationOutput, RtfOpensInLibreOfficeWithTheSameText)
{
    const QString office = !QStandardPaths::findExecutable(QStringLiteral("libreoffice")).isEmpty()
                               ? QStandardPaths::findExecutable(QStringLiteral("libreoffice"))
                               : QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    Fixture f;
    f.source.lines[1] = QStringLiteral("2\t0000001\t20,00\tKraan {chroom} \\ \xE9\xE9n \u20AC \u0151");
    test::TestDir dir;
    const QString rtfFile = dir.file(QStringLiteral("Offerte.rtf"));
    QFile out(rtfFile);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(rtfOf(f.source, QuotationPrintOptions()).toLatin1());
    out.close();

    QProcess convert;
    convert.setWorkingDirectory(dir.path());
    QStringList env = QProcess::systemEnvironment();
    env << QStringLiteral("HOME=") + dir.path(); // a profile of its own
    convert.setEnvironment(env);
    convert.start(office, {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"),
                           dir.path(), rtfFile});
    ASSERT_TRUE(convert.waitForFinished(180000));
    QFile text(dir.file(QStringLiteral("Offerte.txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << convert.readAllStandardError().toStdString();
    QString converted = QString::fromUtf8(text.readAll());
    converted.remove(QChar(0xFEFF));
    converted.remove(QLatin1Char('\r'));
    QStringList expected = expectedRtfText(false);
    expected[3] += " 20,00";
    EXPECT_EQ(simplifiedParagraphs(converted), expected);

    // The program's own editor reads the same text.
    QTextDocument document;
    readRtf(rtfOf(f.source, QuotationPrintOptions()).toLatin1(), document);
    EXPECT_EQ(simplifiedParagraphs(document.toPlainText()), expected);
}

namespace {

struct PrintRun {
    RecordingPrintDevice device;
    QStringList markup;
    void run(const QuotationOutputSource& source, const QuotationPrintOptions& options)
    {
        formatterState() = FormatterState();
        printQuotation(source, options, device, [this](const QString& m) {
            markup << m;
            FormatPrint(device, m);
        });
        device.endDoc();
    }
    // The right edge the text must stay inside (printable coordinates, twips).
    double rightEdge(int rightMm) const
    {
        const PageGeometry g = RecordingPrintDevice::a4(240);
        return g.paper.width() - g.printable.left() - rightMm * kTwipsPerMm;
    }
};

} // namespace

TEST(QuotationOutput, PrintedPagesFollowTheMarginsAndTheOptions)
{
    Fixture f;
    QuotationPrintOptions options;
    options.firstPageTopMargin = QStringLiteral("40");
    options.topMargin = QStringLiteral("15");
    options.leftMargin = QStringLiteral("25");
    options.rightMargin = QStringLiteral("30");
    f.source.lines[0] = QStringLiteral("Een lange tekstregel die over de hele breedte van het papier loopt en dan "
                                       "netjes binnen de marges moet worden afgebroken, op drie regels na.");
    f.source.lines[2] = QStringLiteral("1\t0000002\t5,00\tEen omschrijving die zo lang is dat zij in het vak naast "
                                       "het bedrag over meer dan een regel moet worden verdeeld");
    PrintRun run;
    run.run(f.source, options);
    EXPECT_EQ(run.markup.mid(0, 2), (QStringList{"{Tof}{MoveD:40}{fname:Arial}{fatoff}", "{fatoff}{pica}"}));
    EXPECT_TRUE(run.markup[2].startsWith("{Cr}{MoveR:25}{Memo:"));
    const int article = int(run.markup.indexOf("{Cr}{MoveR:25}2"));
    ASSERT_GT(article, 0);
    EXPECT_TRUE(run.markup[article + 1].startsWith("{MoveR:"));
    EXPECT_EQ(run.markup[article + 2], "0000001");
    EXPECT_TRUE(run.markup[article + 4].startsWith("{Memo:") && run.markup[article + 4].endsWith(",3,Kraan}"));
    EXPECT_TRUE(run.markup[article + 5].endsWith("20,00{RestoreY}"));

    // The page break starts page 2 at the top margin; page 1 began at the first-page one.
    ASSERT_EQ(run.device.pageCount(), 2);
    const QList<PrintPage>& pages = run.device.pages();
    EXPECT_NEAR(pages[0].items.first().pos.y(), 40 * kTwipsPerMm, 1);
    RecordingPrintDevice body; // 10-point Arial
    // The empty line after the break is one line of space.
    EXPECT_NEAR(pages[1].items.first().pos.y(), 15 * kTwipsPerMm + body.lineHeightTwips(), 1);
    EXPECT_EQ(pages[1].items.first().text, "3");
    // Every text stays between the left and right margins.
    for (const PrintItem& item : run.device.items(PrintItem::Kind::Text)) {
        RecordingPrintDevice measure;
        measure.setFont(item.font);
        const double width = measure.textWidthTwips(item.text);
        EXPECT_GE(item.pos.x(), 25 * kTwipsPerMm - 1) << item.text.toStdString();
        EXPECT_LE(item.pos.x() + width, run.rightEdge(30) + 1) << item.text.toStdString();
    }
    // The long text line wrapped onto the three lines of its box.
    EXPECT_NEAR(pages[0].items[1].pos.x(), pages[0].items[0].pos.x(), 1);
    EXPECT_GT(pages[0].items[1].pos.y(), pages[0].items[0].pos.y());
    EXPECT_TRUE(pages[0].items[2].text == "2" || pages[0].items[3].text == "2");
}

TEST(QuotationOutput, PrintedColumnsFollowTheOptions)
{
    Fixture f;
    QuotationPrintOptions options;
    options.printValues = false;
    options.printCodes = false;
    options.printOfferte = true;
    options.printHeader = true;
    PrintRun run;
    run.run(f.source, options);
    EXPECT_EQ(run.markup[0], "{Tof}{MoveD:20}{fname:Arial}{fatoff}");
    EXPECT_EQ(run.markup[1], "{Cr}{MoveR:20}{widon}Offerte:{widoff}{crlf}");
    EXPECT_EQ(run.markup[4], "{Cr}{MoveR:20}{itaon}Referentie: {itaoff}{faton}offerte van 09-12-2026{fatoff}{crlf}");
    const QStringList texts = run.device.texts();
    EXPECT_FALSE(texts.contains("0000001"));  // article numbers left out ...
    EXPECT_TRUE(texts.contains("Subtot:"));   // ... but calculation labels stay
    EXPECT_FALSE(texts.join(' ').contains("20,00"));
    EXPECT_TRUE(texts.join(' ').contains("25,00")); // the subtotal keeps its amount
    EXPECT_TRUE(texts.contains("Luxe kraan"));
    EXPECT_FALSE(texts.join(' ').contains("Sifon")); // blank quotation text prints empty
    EXPECT_TRUE(texts.join(' ').contains("Onbekend artikel"));

    // Margins of 0 stay at the edge instead of jumping to the far side.
    options.leftMargin = options.topMargin = options.firstPageTopMargin = QStringLiteral("0");
    PrintRun zero;
    zero.run(f.source, options);
    for (const QString& m : zero.markup)
        EXPECT_FALSE(m.contains("{MoveR:0}") || m.contains("{MoveD:0}")) << m.toStdString();
    EXPECT_LT(zero.device.items(PrintItem::Kind::Text).first().pos.x(), 10);
}

TEST(QuotationOutput, LongQuotationsRunOntoNewPagesAtTheBottomMargin)
{
    Fixture f;
    f.source.lines.clear();
    for (int i = 0; i < 150; ++i)
        f.source.lines << QStringLiteral("1\t0000001\t10,00\tRegel %1").arg(i);
    QuotationPrintOptions options;
    options.botMargin = QStringLiteral("30");
    PrintRun run;
    run.run(f.source, options);
    ASSERT_GE(run.device.pageCount(), 3);
    const double bottom = RecordingPrintDevice::a4(240).paper.height() - 240 - 30 * kTwipsPerMm;
    for (const PrintPage& page : run.device.pages()) {
        EXPECT_NEAR(page.items.first().pos.y(), 20 * kTwipsPerMm, 1);
        for (const PrintItem& item : page.items)
            EXPECT_LT(item.pos.y(), bottom);
    }
}
