#include "app/core/infoform.h"

#include "app/core/infotexts.h"
#include "scriptedui.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vandrel;
using namespace vandrel::infotexts;

TEST(InfoTexts, DiskLabelUndoesTheThirtyTwoBitWrap)
{
    // 3 221 225 472 free bytes, as a 32-bit count reports them.
    EXPECT_EQ(diskText(3221225472LL - 4294967296LL), QStringLiteral("3146 Mb vrij"));
    EXPECT_EQ(diskText(3221225472LL), QStringLiteral("3146 Mb vrij"));
    EXPECT_EQ(diskText(0), QStringLiteral("0 Mb vrij"));
    EXPECT_EQ(diskText(511999), QStringLiteral("0 Mb vrij"));
    EXPECT_EQ(diskText(512001), QStringLiteral("1 Mb vrij")); // 1024000, not 1048576
    EXPECT_EQ(diskText(2000000000000LL), QStringLiteral("1953125 Mb vrij"));
}

TEST(InfoTexts, ProcessorCodesInTableOrder)
{
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {386, "Intel 80386"},
        {486, "Intel 80486"},
        {586, "Intel Pentium"},
        {860, "Inter Pentium Pro"},
        {2000, "MIPS R2000"},
        {4000, "MIPS R4000"},
        {9000, "MIPS R9000"},
        {9001, "Compatibel, type 9001"},
        {21064, "Alpha 21064"},
        {601, "Power PC, model 601"},
        {680, "Power PC, model 680"},
        {681, "Compatibel, type 681"},
        {1000, "Compatibel, type 1000"},
        {686, "Compatibel, type 686"},
        {0, "Compatibel, type 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(processorText(c.code), QString::fromLatin1(c.text)) << c.code;
}

TEST(InfoTexts, OtherLabels)
{
    EXPECT_EQ(versionText(4, 0, 1),
              QStringLiteral("Vandrel Interactieve Catalogus, Versie 4.0, Revisie 1"));
    EXPECT_EQ(versionText(),
              versionText(VANDREL_VERSION_MAJOR, VANDREL_VERSION_MINOR, VANDREL_VERSION_REVISION));
    EXPECT_EQ(memoryText(1048575), QStringLiteral("1023 Kb vrij"));
    EXPECT_EQ(resourcesText(42), QStringLiteral("42 % vrij"));
    EXPECT_EQ(osText("Windows NT", "4.0", "1381"),
              QStringLiteral("Windows NT, ver. 4.0, build 1381"));
    EXPECT_EQ(windowsPlatformName(1), QStringLiteral("Windows 95"));

    const struct {
        const char* release;
        const char* version;
        const char* build;
    } releases[] = {
        {"6.1.0-18-amd64", "6.1", "0-18-amd64"},
        {"5.15.0-1051-azure", "5.15", "0-1051-azure"},
        {"6.8", "6.8", "0"},
        {"6.8-rc1", "6.8", "rc1"},
        {"weird", "weird", "0"},
    };
    for (const auto& r : releases) {
        QString version, build;
        splitKernelRelease(r.release, version, build);
        EXPECT_EQ(version, QString(r.version)) << r.release;
        EXPECT_EQ(build, QString(r.build)) << r.release;
    }
}

namespace {

SystemReadings sampleReadings()
{
    SystemReadings r;
    r.osName = "Linux";
    r.osVersion = "6.1";
    r.osBuild = "0-18-amd64";
    r.diskRoom = 3221225472LL;
    r.freeMemory = 8 * 1024 * 1024;
    r.cpu = 4000;
    r.resources = 73;
    return r;
}

QString labelText(const QWidget& form, const char* name)
{
    const auto* label = form.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<geen label>");
}

} // namespace

TEST(InfoForm, ShowsTheReadingsAndClosesOnOkOrLosingFocus)
{
    InfoForm form(sampleReadings());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Programma informatie"));
    EXPECT_EQ(labelText(form, "lblVersie"), versionText());
    EXPECT_EQ(labelText(form, "lblPlatform"), QStringLiteral("Linux, ver. 6.1, build 0-18-amd64"));
    EXPECT_EQ(labelText(form, "lblSchijfruimte"), QStringLiteral("3146 Mb vrij"));
    EXPECT_EQ(labelText(form, "lblGeheugen"), QStringLiteral("8192 Kb vrij"));
    EXPECT_EQ(labelText(form, "lblProcessor"), QStringLiteral("MIPS R4000"));
    EXPECT_EQ(labelText(form, "lblSysteembronnen"), QStringLiteral("73 % vrij"));
    QStringList captions;
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        if (label->objectName().isEmpty())
            captions << label->text();
    }
    EXPECT_EQ(captions, QStringList({"OS-Platform:", "schijfruimte:", "Geheugen:",
                                     "Processor-type:", "Systeembronnen:"}));
    auto* ok = form.findChild<QPushButton*>("OKBut");
    auto* print = form.findChild<QPushButton*>("Command1");
    ASSERT_TRUE(ok && print);
    EXPECT_EQ(ok->text(), QStringLiteral("&Ok"));
    EXPECT_EQ(print->text(), QStringLiteral("Af&drukken"));

    form.show();
    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(form.frameGeometry().x(),
              screen.x() + (screen.width() - form.frameGeometry().width()) / 2);
    EXPECT_EQ(form.frameGeometry().y(),
              screen.y() + (screen.height() - form.frameGeometry().height()) / 2);
    ok->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);

    form.show();
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&form, &deactivate);
    EXPECT_FALSE(form.isVisible());
}

TEST(InfoForm, UnreadableDiskIsShownAsUnknown)
{
    SystemReadings r = sampleReadings();
    r.diskRoom = -1;
    InfoForm form(r);
    EXPECT_EQ(labelText(form, "lblSchijfruimte"), QStringLiteral("onbekend"));
}

TEST(InfoForm, PrintWithoutPrinterWritesAPdfAndTellsItsName)
{
    QTemporaryDir printDir;
    qputenv("VANDREL_PRINT_DIR", QFile::encodeName(printDir.path()));
    test::ScriptedUi ui;
    ui.expectMessage(MsgAnswer::Ok);
    {
        InfoForm form(sampleReadings());
        form.show();
        // The message takes the focus; the window must outlive it.
        ui.onMessage([&](const Message&) {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(&form, &deactivate);
        });
        form.findChild<QPushButton*>("Command1")->click();
        EXPECT_TRUE(form.isVisible());
    }
    qunsetenv("VANDREL_PRINT_DIR");

    const QStringList pdfs = QDir(printDir.path()).entryList({"*.pdf"}, QDir::Files);
    ASSERT_EQ(pdfs.size(), 1);
    QFile pdf(QDir(printDir.path()).filePath(pdfs.first()));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_GT(pdf.size(), 1000);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Information);
    EXPECT_TRUE(ui.messages()[0].text.contains(QDir::toNativeSeparators(pdf.fileName())))
        << ui.messages()[0].text.toStdString();
}
