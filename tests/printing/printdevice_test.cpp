#include "printing/formatprint.h"
#include "printing/printhelpers.h"
#include "printing/qtprintdevice.h"
#include "printing/recordingprintdevice.h"

#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace vandrel {
namespace {

using Kind = PrintItem::Kind;

TEST(PrintDeviceTest, ProgramFontsPrintInTheirMetricCompatibleFaces)
{
    const struct {
        const char* name;
        const char* face;
        double digitWidth; // twips of "8" at 10 points, from the original font's widths
    } fonts[] = {{"Arial", "Liberation Sans", 111.2},
                 {"Arial Narrow", "Liberation Sans Narrow", 91.2},
                 {"Courier New", "Liberation Mono", 120}};
    RecordingPrintDevice dev;
    for (const auto& f : fonts) {
        PrintFont font;
        font.name = QString::fromLatin1(f.name);
        EXPECT_EQ(QFontInfo(font.qfont()).family(), QString::fromLatin1(f.face)) << f.name;
        dev.setFont(font);
        EXPECT_NEAR(dev.textWidthTwips(QStringLiteral("8")), f.digitWidth, 1.0) << f.name;
        EXPECT_NEAR(dev.textWidthTwips(QStringLiteral("88888888")),
                    8 * dev.textWidthTwips(QStringLiteral("8")), 1e-6);
    }
}

TEST(PrintDeviceTest, OrientationTakesEffectOnAPageWithNothingOnIt)
{
    RecordingPrintDevice dev;
    const double portraitWidth = dev.printableWidth();
    dev.setOrientation(PageOrientation::Landscape);
    EXPECT_GT(dev.printableWidth(), portraitWidth);
    dev.printText(QStringLiteral("a"));
    dev.setOrientation(PageOrientation::Portrait);
    EXPECT_GT(dev.printableWidth(), portraitWidth); // this page is already landscape
    dev.newPage();
    dev.newPage(); // a blank page
    dev.printText(QStringLiteral("b"));
    dev.newPage(); // pending page, dropped at the end
    EXPECT_EQ(dev.page(), 4);
    dev.endDoc();
    ASSERT_EQ(dev.pageCount(), 3);
    EXPECT_EQ(dev.pages()[0].orientation, PageOrientation::Landscape);
    EXPECT_EQ(dev.pages()[1].orientation, PageOrientation::Portrait);
    EXPECT_TRUE(dev.pages()[1].items.isEmpty());
    EXPECT_EQ(dev.pages()[2].items[0].page, 3);
    EXPECT_EQ(dev.page(), 1);

    dev.printText(QStringLiteral("weg"));
    dev.killDoc();
    EXPECT_EQ(dev.jobsKilled(), 1);
    EXPECT_EQ(dev.texts(), (QStringList{"a", "b"})); // the last ended job
}

TEST(PrintDeviceTest, PictureFittedIntoTheSheetLessTheMargins)
{
    RecordingPrintDevice dev;
    QImage wide(400, 100, QImage::Format_RGB32); // 96 dpi: 6000 by 1500 twips
    wide.fill(Qt::red);
    wide.setDotsPerMeterX(qRound(96 / 0.0254));
    wide.setDotsPerMeterY(qRound(96 / 0.0254));
    const QSizeF sheet = dev.pageSizeTwips();
    PrintPictureFitted(dev, wide, 450, 450, 210, 450);
    QList<PrintItem> pictures = dev.items(Kind::Picture);
    ASSERT_EQ(pictures.size(), 1);
    const double widthFactor = (sheet.width() - 660) / 6000;
    EXPECT_DOUBLE_EQ(pictures[0].pos.x(), 210);
    EXPECT_DOUBLE_EQ(pictures[0].pos.y(), 450);
    EXPECT_NEAR(pictures[0].size.width(), 6000 * widthFactor, 1e-6);
    EXPECT_NEAR(pictures[0].size.height(), 1500 * widthFactor, 1e-6);

    // A tall picture is limited by the height; no room or no picture draws nothing.
    const QImage tall = wide.transformed(QTransform().rotate(90));
    PrintPictureFitted(dev, tall, 1000, 1000, 0, 0);
    pictures = dev.items(Kind::Picture);
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_NEAR(pictures[1].size.height(), sheet.height() - 2000, 1e-6);
    PrintPictureFitted(dev, QImage(), 0, 0, 0, 0);
    PrintPictureFitted(dev, wide, 0, 0, 8000, 8000);
    EXPECT_EQ(dev.items(Kind::Picture).size(), 2);
}

TEST(PrintDeviceTest, RichTextPrintsPageByPageIntoTheMarginsAndEndsTheJob)
{
    RecordingPrintDevice dev;
    QTextDocument doc;
    QStringList paragraphs;
    for (int i = 1; i <= 120; ++i)
        paragraphs << QStringLiteral("Regel %1 van de omschrijving").arg(i);
    doc.setPlainText(paragraphs.join(QLatin1Char('\n')));
    doc.setDefaultFont(PrintFont{QStringLiteral("Arial"), 12, true}.qfont());

    PrintRichText(dev, doc, 1440, 2160, 1440, 2880);
    EXPECT_EQ(dev.jobsEnded(), 1);
    const QList<PrintItem> parts = dev.items(Kind::RichText);
    ASSERT_GE(parts.size(), 2);
    const QPointF offset = dev.physicalOffsetTwips();
    const QSizeF sheet = dev.pageSizeTwips();
    QStringList shown;
    for (int i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(parts[i].page, i + 1);
        EXPECT_DOUBLE_EQ(parts[i].pos.x(), 1440 - offset.x());
        EXPECT_DOUBLE_EQ(parts[i].pos.y(), 2160 - offset.y());
        EXPECT_NEAR(parts[i].size.width(), sheet.width() - 2880, 1e-6);
        EXPECT_NEAR(parts[i].size.height(), sheet.height() - 2160 - 2880, 1e-6);
        shown << parts[i].text;
    }
    // Every line once, in order, none cut between pages.
    EXPECT_EQ(shown.join(QLatin1Char('\n')), paragraphs.join(QLatin1Char('\n')));
}

TEST(PrintDeviceTest, TextRunningPastTheBottomStartsANewPageAtTheSameColumn)
{
    RecordingPrintDevice dev;
    const double bottom = dev.printableHeight();
    for (int i = 0; i < 120; ++i) {
        dev.printText(QString::number(i));
        dev.setCurrentX(2000);
        dev.printText(QStringLiteral("kolom"));
        dev.endLine();
    }
    dev.endLine(); // line ends alone start no page
    dev.endLine();
    dev.endDoc();
    ASSERT_GE(dev.pageCount(), 2);
    int lines = 0;
    for (const PrintPage& page : dev.pages()) {
        ASSERT_FALSE(page.items.isEmpty());
        EXPECT_EQ(page.items[0].pos.y(), 0); // each page starts at the top
        for (const PrintItem& item : page.items) {
            EXPECT_LE(item.pos.y() + dev.lineHeightTwips(), bottom) << item.text.toStdString();
            if (item.text == QLatin1String("kolom")) {
                EXPECT_EQ(item.pos.x(), 2000);
                ++lines;
            }
        }
    }
    EXPECT_EQ(lines, 120); // no line lost, none twice
    EXPECT_EQ(dev.texts().mid(0, 2), (QStringList{"0", "kolom"}));
}

TEST(PrintDeviceTest, QtPrinterWritesOnePdfPerJobWhenAPrintFolderIsSet)
{
    test::TestDir dir;
    const QByteArray previous = qgetenv("VANDREL_PRINT_DIR");
    qputenv("VANDREL_PRINT_DIR", dir.path().toLocal8Bit());
    test::ScriptedUi ui;
    ui.expectMessage(MsgAnswer::Ok);
    {
        QtPrintDevice dev;
        dev.setJobName(QStringLiteral("Bestelling"));
        FormatPrint(dev, QStringLiteral("{fname:Arial}{fatoff}{widon}Bestelling 42{widoff}{crlf}"
                                        "{hline:0}{crlf}{ftab:5}Kogelkraan 1/2\"{ftab:63}"));
        FormatPrint(dev, PrintPadLeft(dev, QStringLiteral("12,50"), 7) + QStringLiteral("{ff}"));
        FormatPrint(dev, QStringLiteral("{landscape}Tweede blad{eod}"));
        ASSERT_FALSE(dev.lastPdfPath().isEmpty());
        EXPECT_EQ(QFileInfo(dev.lastPdfPath()).absolutePath(), QDir(dir.path()).absolutePath());
        EXPECT_TRUE(QFileInfo::exists(dev.lastPdfPath()));
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_TRUE(ui.messages()[0].text.contains(QFileInfo(dev.lastPdfPath()).fileName()));

        // Nothing printed: no file and no message.
        const int files = int(QDir(dir.path()).entryList({"*.pdf"}).size());
        FormatPrint(dev, QStringLiteral("{eod}"));
        EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf"}).size(), files);

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (!pdftotext.isEmpty()) {
            QProcess p;
            p.start(pdftotext, {QStringLiteral("-layout"), dev.lastPdfPath(), QStringLiteral("-")});
            ASSERT_TRUE(p.waitForFinished(20000));
            const QString text = QString::fromUtf8(p.readAllStandardOutput());
            EXPECT_TRUE(text.contains(QStringLiteral("Bestelling 42"))) << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("Kogelkraan 1/2\""))) << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("12,50")));
            EXPECT_TRUE(text.contains(QStringLiteral("Tweede blad")));
        }
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (!pdfinfo.isEmpty()) {
            QProcess p;
            p.start(pdfinfo, {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                              QStringLiteral("2"), dev.lastPdfPath()});
            ASSERT_TRUE(p.waitForFinished(20000));
            const QString info = QString::fromUtf8(p.readAllStandardOutput());
            EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +2\\n"))))
                << info.toStdString();
            // Page 1 portrait, page 2 turned.
            const QRegularExpression size(QStringLiteral("Page +(\\d) size: +([\\d.]+) x ([\\d.]+)"));
            auto it = size.globalMatch(info);
            QList<bool> wide;
            while (it.hasNext()) {
                const auto m = it.next();
                wide << (m.captured(2).toDouble() > m.captured(3).toDouble());
            }
            EXPECT_EQ(wide, (QList<bool>{false, true})) << info.toStdString();
        }

        // A target chosen before the job got its name (a measurement) takes the new name.
        dev.setJobName(QStringLiteral("Eerder"));
        EXPECT_GT(dev.resolution(), 0);
        dev.setJobName(QStringLiteral("Lijst"));
        ui.expectMessage(MsgAnswer::Ok);
        FormatPrint(dev, QStringLiteral("Lijst{eod}"));
        EXPECT_TRUE(QFileInfo(dev.lastPdfPath()).fileName().startsWith(QStringLiteral("Lijst")))
            << dev.lastPdfPath().toStdString();
    }
    if (previous.isNull())
        qunsetenv("VANDREL_PRINT_DIR");
    else
        qputenv("VANDREL_PRINT_DIR", previous);
}

} // namespace
} // namespace vandrel
