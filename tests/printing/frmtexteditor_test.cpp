#include "printing/frmtexteditor.h"
#include "printing/frmrapport.h"
#include "printing/previewcontrol.h"
#include "printing/recordingprintdevice.h"
#include "printing/rtfreader.h"

#include "app/core/helpers.h"

#include "scriptedui.h"
#include "testdir.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every test gets a fresh editor in a fresh current directory.
class TextEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
        editor_ = &frmTextEditor::instance();
    }
    void TearDown() override
    {
        if (frmTextEditor* e = frmTextEditor::existing()) {
            e->rtfText()->document()->setModified(false);
            e->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(previous_);
    }
    QTextEdit& text() { return *editor_->rtfText(); }
    void setText(const QString& plain)
    {
        text().setPlainText(plain);
        text().document()->setModified(false);
    }
    void select(int from, int to)
    {
        QTextCursor c = text().textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        text().setTextCursor(c);
    }

    test::TestDir dir_;
    test::ScriptedUi ui_;
    QString previous_;
    frmTextEditor* editor_ = nullptr;
};

} // namespace

TEST_F(TextEditor, WriteTextCollectsAndStoresOfferteRtf)
{
    EXPECT_EQ(&frmTextEditor::instance(), editor_);
    editor_->WriteText("a");
    editor_->WriteText("b");
    EXPECT_EQ(editor_->rtfBuffer(), "ab");
    EXPECT_FALSE(QFile::exists(dir_.file("Offerte.rtf")));
    editor_->WriteText("");
    EXPECT_EQ(readFile(dir_.file("Offerte.rtf")), "ab");
    EXPECT_EQ(text().toPlainText(), "ab");
    EXPECT_TRUE(editor_->rtfBuffer().isEmpty());

    editor_->WriteText("");
    EXPECT_EQ(readFile(dir_.file("Offerte.rtf")), "");
    EXPECT_TRUE(text().toPlainText().isEmpty());

    // An RTF quotation, in the ANSI code page, arrives formatted.
    editor_->WriteText("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\plain\\f0\\fs20 ");
    editor_->WriteText(QString::fromUtf8("\\par {\\b Offerte:} café\r\n"));
    editor_->WriteText("\\par }\r\n");
    editor_->WriteText("");
    EXPECT_TRUE(readFile(dir_.file("Offerte.rtf")).contains("caf\xe9"));
    EXPECT_EQ(text().toPlainText(), QString::fromUtf8("\nOfferte: café\n"));
    QTextCursor c(text().document());
    c.setPosition(2);
    EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(ui_.messages().isEmpty());
}

TEST_F(TextEditor, OfferteRtfThatCannotBeWrittenIsReportedAndStillShown)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Offerte.rtf")); // a folder where the file goes
    ui_.expectMessage(MsgAnswer::Ok);
    editor_->WriteText("{\\rtf1 niet opgeslagen}");
    editor_->WriteText("");
    ASSERT_EQ(ui_.messages().size(), 1);
    EXPECT_TRUE(ui_.messages()[0].text.startsWith(
        "Het bestand Offerte.rtf kan niet worden geschreven"));
    EXPECT_EQ(ui_.messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(text().toPlainText(), "niet opgeslagen");
    EXPECT_TRUE(editor_->rtfBuffer().isEmpty());
}

TEST_F(TextEditor, FieldsFromMenuAndToolbarList)
{
    auto* button = editor_->findChild<QToolButton*>("FieldList");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), "Invoegvelden");
    const QList<QAction*> entries = button->menu()->actions();
    ASSERT_EQ(entries.size(), frmTextEditor::FieldCount);
    const char* const expected[] = {"@LIDNUMMER@", "@NAAM@", "@ADRES@", "@POSTCODE@",
                                    "@WOONPLAATS@", "@BOEKINGSDATUM@", "@UITLEENTERMIJN@",
                                    "\n@ARTIKELEN@\n", "@BRIEFDATUM@"};
    for (int i = 0; i < frmTextEditor::FieldCount; ++i) {
        EXPECT_EQ(entries[i]->text(), frmTextEditor::fieldCaption(i));
        setText("");
        entries[i]->trigger();
        EXPECT_EQ(text().toPlainText(), expected[i]) << i;
        setText("");
        editor_->findChild<QAction*>(QString("mnuStyleFieldDef%1").arg(i))->trigger();
        EXPECT_EQ(text().toPlainText(), expected[i]) << i;
    }

    // "Artikelen" in the middle of a line stands on a line of its own.
    setText("abcdef");
    select(3, 3);
    editor_->mnuStyleFieldDef(7);
    ASSERT_EQ(text().document()->blockCount(), 3);
    EXPECT_EQ(text().document()->findBlockByNumber(0).text(), "abc");
    EXPECT_EQ(text().document()->findBlockByNumber(1).text(), "@ARTIKELEN@");
    EXPECT_EQ(text().document()->findBlockByNumber(2).text(), "def");
    editor_->mnuEditUndo();
    EXPECT_EQ(text().toPlainText(), "abcdef");
}

TEST_F(TextEditor, SaveOffersTheTagAndWritesRtf)
{
    struct Case {
        QString tag;
        QString preset;
    } cases[] = {{"C:\\offertes\\Klant.RTF", "C:\\offertes\\Klant.RTF"},
                 {"klant.vdo", ""},
                 {"", ""}};
    for (const Case& c : cases) {
        editor_->setTag(c.tag);
        ui_.expectFile(std::nullopt);
        editor_->mnuFileSave();
        const FileDialogRequest& r = ui_.fileRequests().last();
        EXPECT_EQ(r.title, "Opslaan");
        EXPECT_EQ(r.filter, "Opgemaakte offerte (*.rtf)|*.rtf");
        EXPECT_EQ(r.fileName, c.preset) << c.tag.toStdString();
        EXPECT_EQ(editor_->tag(), c.tag);
    }
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty()); // cancelled: nothing

    setText("vet schuin gewoon");
    select(0, 3);
    editor_->toggleBold();
    select(4, 10);
    editor_->toggleItalic();
    EXPECT_TRUE(text().document()->isModified());
    const QString target = dir_.file("brief");
    ui_.expectFile(target);
    editor_->action("Save")->trigger();
    EXPECT_FALSE(text().document()->isModified());

    QTextDocument back;
    readRtf(readFile(target + ".rtf"), back);
    EXPECT_EQ(back.toPlainText(), "vet schuin gewoon");
    QTextCursor c(&back);
    c.setPosition(1);
    EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);
    EXPECT_FALSE(c.charFormat().fontItalic());
    c.setPosition(6);
    EXPECT_TRUE(c.charFormat().fontItalic());
    EXPECT_LT(c.charFormat().fontWeight(), QFont::DemiBold);
    c.setPosition(13);
    EXPECT_FALSE(c.charFormat().fontItalic());
    EXPECT_TRUE(ui_.messages().isEmpty());
}

TEST_F(TextEditor, SavedFileOpensInLibreOffice)
{
    QString office = QStandardPaths::findExecutable("libreoffice");
    if (office.isEmpty())
        office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";

    setText(QString::fromUtf8("Offerte voor café\nTotaal € 12,50"));
    select(0, 7);
    editor_->toggleBold();
    ui_.expectFile(dir_.file("lo.rtf"));
    editor_->mnuFileSave();
    QProcess convert;
    convert.setWorkingDirectory(dir_.path());
    convert.start(office, {"--headless", "--convert-to", "txt:Text (encoded):UTF8", "--outdir",
                           dir_.path(), dir_.file("lo.rtf")});
    ASSERT_TRUE(convert.waitForFinished(120000));
    QString txt = QString::fromUtf8(readFile(dir_.file("lo.txt")));
    txt.remove(QChar(0xFEFF));
    txt.replace("\r\n", "\n");
    EXPECT_EQ(txt.trimmed(), QString::fromUtf8("Offerte voor café\nTotaal € 12,50"));
    // And with its bold and italic: LibreOffice writes it back as RTF.
    QProcess again;
    again.setWorkingDirectory(dir_.path());
    QDir(dir_.path()).mkdir("lo");
    again.start(office, {"--headless", "--convert-to", "rtf", "--outdir", dir_.file("lo"),
                         dir_.file("lo.rtf")});
    ASSERT_TRUE(again.waitForFinished(120000));
    QTextDocument back;
    readRtf(readFile(dir_.file("lo/lo.rtf")), back);
    QTextCursor c(&back);
    c.setPosition(1);
    EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);
    c.setPosition(10);
    EXPECT_LT(c.charFormat().fontWeight(), QFont::DemiBold);
}

TEST_F(TextEditor, StyleButtonsFollowTheSelection)
{
    setText("vet normaal");
    select(0, 3);
    editor_->action("Bold")->trigger();
    EXPECT_TRUE(editor_->action("Bold")->isChecked());
    select(4, 11);
    EXPECT_FALSE(editor_->action("Bold")->isChecked());
    select(0, 11); // mixed: released, and a toggle makes it all bold
    EXPECT_FALSE(editor_->action("Bold")->isChecked());
    editor_->toggleBold();
    EXPECT_TRUE(editor_->action("Bold")->isChecked());
    select(5, 5);
    EXPECT_TRUE(editor_->action("Bold")->isChecked());
    editor_->toggleUnderline();
    EXPECT_TRUE(editor_->action("Underline")->isChecked());
    EXPECT_FALSE(editor_->action("Italic")->isChecked());

    EXPECT_TRUE(editor_->action("Align Left")->isChecked());
    editor_->action("Center")->trigger();
    EXPECT_EQ(text().document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_TRUE(editor_->action("Center")->isChecked());
    EXPECT_FALSE(editor_->action("Align Left")->isChecked());
    editor_->setAlignment(Qt::AlignRight);
    EXPECT_TRUE(editor_->action("Align Right")->isChecked());
    EXPECT_FALSE(editor_->action("Center")->isChecked());

    QEvent deactivate(QEvent::ActivationChange); // the window is not active here
    QApplication::sendEvent(editor_, &deactivate);
    for (const char* key : {"Bold", "Italic", "Underline", "Align Left", "Center", "Align Right"})
        EXPECT_FALSE(editor_->action(key)->isChecked()) << key;
}

TEST_F(TextEditor, FontChoiceIsPresetFromAndAppliedToTheSelection)
{
    setText("een twee");
    select(0, 3);
    FontChoice choice;
    choice.family = "Courier New";
    choice.pointSize = 14;
    choice.bold = true;
    choice.italic = true;
    choice.underline = true;
    choice.strikeOut = true;
    choice.color = QColor(255, 0, 0);
    editor_->applyFont(choice);
    select(0, 3);
    const FontChoice preset = editor_->selectionFont();
    EXPECT_EQ(preset.family, "Courier New");
    EXPECT_DOUBLE_EQ(preset.pointSize, 14);
    EXPECT_TRUE(preset.bold && preset.italic && preset.underline && preset.strikeOut);
    EXPECT_EQ(preset.color, QColor(255, 0, 0));
    select(4, 8);
    EXPECT_FALSE(editor_->selectionFont().bold);
    EXPECT_FALSE(editor_->selectionFont().strikeOut);
}

TEST_F(TextEditor, ClipboardCarriesTextAndRtfAndPastesText)
{
    setText("knip dit");
    select(0, 4);
    editor_->toggleBold();
    select(0, 4);
    editor_->mnuEditCut();
    EXPECT_EQ(text().toPlainText(), " dit");
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), "knip");
    QTextDocument rtf;
    readRtf(data->data("text/rtf"), rtf);
    EXPECT_EQ(rtf.toPlainText(), "knip");

    auto* html = new QMimeData;
    html->setHtml("<b>vet</b>");
    html->setText("vet");
    QApplication::clipboard()->setMimeData(html);
    select(0, 0);
    editor_->action("Paste")->trigger();
    EXPECT_EQ(text().toPlainText(), "vet dit");
    QTextCursor c(text().document());
    c.setPosition(1);
    EXPECT_LT(c.charFormat().fontWeight(), QFont::DemiBold);
}

QList<frmRapport*> previewWindows()
{
    QList<frmRapport*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<frmRapport*>(w))
            found << f;
    return found;
}

QString richText(const RecordingPrintDevice& device)
{
    QString text;
    for (const PrintItem& item : device.items(PrintItem::Kind::RichText))
        text += item.text;
    return text;
}

TEST_F(TextEditor, PreviewAndPrintGoThroughThePreviewWindow)
{
    RecordingPrintDevice printer;
    ScopedPrintDevice redirect(printer);

    // An empty document opens nothing and prints nothing.
    setText("");
    editor_->action("Preview")->trigger();
    editor_->PrintData(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(previewWindows().isEmpty());
    EXPECT_EQ(printer.jobsEnded(), 0);

    setText("Offerte voor de klant");
    editor_->action("Preview")->trigger();
    ASSERT_EQ(previewWindows().size(), 1);
    frmRapport* form = previewWindows()[0];
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Afdrukvoorbeeld: Tekstbewerker");
    PreviewControl* control = form->vsPrinter1();
    EXPECT_TRUE(control->preview());
    EXPECT_EQ(control->previewPage(), 1);
    EXPECT_EQ(control->pageCount(), 1);
    EXPECT_TRUE(richText(control->device()).contains("Offerte voor de klant"));
    EXPECT_EQ(control->headerColor(), QColor(0, 0, 255));
    EXPECT_EQ(control->headerFont().name, "Arial Narrow");
    EXPECT_DOUBLE_EQ(control->headerFont().size, 8);
    EXPECT_FALSE(control->headerFont().bold || control->headerFont().italic ||
                 control->headerFont().underline);
    EXPECT_TRUE(control->header().isEmpty() && control->footer().isEmpty());
    EXPECT_EQ(printer.jobsEnded(), 0); // a preview prints nothing by itself

    // Every request makes its own window.
    editor_->PrintData(true);
    EXPECT_EQ(previewWindows().size(), 2);

    // Printing goes straight to the printer, without a window left behind.
    editor_->action("Print")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(printer.jobsEnded(), 1);
    EXPECT_TRUE(richText(printer).contains("Offerte voor de klant"));
    EXPECT_EQ(previewWindows().size(), 2);
    for (frmRapport* f : previewWindows())
        f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ui_.messages().isEmpty());
}

TEST_F(TextEditor, FileMenuAndClosing)
{
    // Open loads the chosen file and remembers it for saving.
    QFile rtf(dir_.file("brief.rtf"));
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1 uit een bestand}");
    rtf.close();
    ui_.expectFile(dir_.file("brief.rtf"));
    editor_->action("Open")->trigger();
    EXPECT_EQ(ui_.fileRequests().last().title, "Open");
    EXPECT_EQ(ui_.fileRequests().last().filter, "All Files (*.*)|*.*");
    EXPECT_EQ(text().toPlainText(), "uit een bestand");
    EXPECT_EQ(editor_->tag(), dir_.file("brief.rtf"));

    ui_.expectFile(dir_.file("bestaat-niet.rtf"));
    ui_.expectMessage(MsgAnswer::Ok);
    editor_->mnuFileOpen();
    EXPECT_TRUE(ui_.messageTexts().last().contains("kan niet worden gelezen"));
    EXPECT_EQ(text().toPlainText(), "uit een bestand");

    // Edits are not thrown away unasked.
    text().textCursor().insertText("extra ");
    ui_.expectMessage(MsgAnswer::Cancel);
    editor_->mnuFileClose();
    EXPECT_EQ(text().toPlainText(), "extra uit een bestand");
    ui_.expectMessage(MsgAnswer::No);
    editor_->mnuFileNew();
    EXPECT_TRUE(text().toPlainText().isEmpty());
    EXPECT_TRUE(editor_->tag().isEmpty());

    // Closing the editor leaves the other windows alone; the next use makes a new one.
    QWidget other;
    other.show();
    text().textCursor().insertText("weg");
    ui_.expectMessage(MsgAnswer::Cancel);
    EXPECT_FALSE(editor_->close());
    EXPECT_EQ(frmTextEditor::existing(), editor_);
    ui_.expectMessage(MsgAnswer::No);
    EXPECT_TRUE(editor_->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmTextEditor::existing(), nullptr);
    EXPECT_TRUE(other.isVisible());
    editor_ = &frmTextEditor::instance();
    EXPECT_TRUE(text().toPlainText().isEmpty());
    EXPECT_EQ(editor_->windowTitle(), "Tekstbewerker");
    EXPECT_TRUE(editor_->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(ui_.pendingAnswers(), 0);
}

TEST_F(TextEditor, LayoutWrapsInsideTheControlAndSurvivesATinyWindow)
{
    editor_->setWindowState(Qt::WindowNoState);
    editor_->resize(800, 600);
    editor_->show();
    QCoreApplication::processEvents();
    const int wrap = text().lineWrapColumnOrWidth();
    EXPECT_EQ(wrap, text().width() - twipsToPixelsX(400));
    editor_->resize(20, 20);
    QCoreApplication::processEvents();
    EXPECT_GT(text().lineWrapColumnOrWidth(), 0);
}

TEST(TextEditorCaption, PreviewCaption)
{
    EXPECT_EQ(frmTextEditor::previewCaption("Tekstbewerker"), "Afdrukvoorbeeld: Tekstbewerker");
    EXPECT_EQ(frmTextEditor::previewCaption("Tekst: brief.rtf"), "Afdrukvoorbeeld: brief.rtf");
    EXPECT_EQ(frmTextEditor::previewCaption("a:b:c"), "Afdrukvoorbeeld:b:c");
}
