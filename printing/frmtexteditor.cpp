#include "printing/frmtexteditor.h"

#include "app/core/cp1252.h"
#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/quickpak.h"
#include "app/core/ui.h"
#include "printing/frmrapport.h"
#include "printing/previewcontrol.h"
#include "printing/rtfreader.h"
#include "printing/rtfwriter.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vandrel {

namespace {

const char* const kCaption = "Tekstbewerker";
const char* const kOfferteFile = ".\\Offerte.rtf";
const char* const kRtfMime = "text/rtf";
const char* const kRtfMimeAlt = "application/rtf";

struct Field {
    const char* caption;
    const char* text;
};
constexpr Field kFields[frmTextEditor::FieldCount] = {
    {"LidNummer", "@LIDNUMMER@"},       {"Naam", "@NAAM@"},
    {"Adres", "@ADRES@"},               {"Postcode", "@POSTCODE@"},
    {"Woonplaats", "@WOONPLAATS@"},     {"Boekingsdatum", "@BOEKINGSDATUM@"},
    {"Uitleentermijn", "@UITLEENTERMIJN@"},
    {"Artikelen", "\r\n@ARTIKELEN@\r\n"}, {"Briefdatum", "@BRIEFDATUM@"},
};

bool isBold(const QTextCharFormat& f) { return f.fontWeight() >= QFont::DemiBold; }
bool isItalic(const QTextCharFormat& f) { return f.fontItalic(); }
bool isUnderline(const QTextCharFormat& f) { return f.fontUnderline(); }

// The font dialog with the effects the editor offers: Qt's font chooser plus the sixteen
// colours of the classic dialog.
class FontDialog : public QDialog {
public:
    FontDialog(const FontChoice& preset, QWidget* parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("Lettertype"));
        auto* layout = new QVBoxLayout(this);
        fonts_ = new QFontDialog(this);
        fonts_->setWindowFlags(Qt::Widget);
        fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::ScalableFonts);
        QFont font(preset.family);
        if (preset.pointSize > 0)
            font.setPointSizeF(preset.pointSize);
        font.setBold(preset.bold);
        font.setItalic(preset.italic);
        font.setUnderline(preset.underline);
        font.setStrikeOut(preset.strikeOut);
        fonts_->setCurrentFont(font);
        layout->addWidget(fonts_);

        auto* colorRow = new QHBoxLayout;
        colorRow->addWidget(new QLabel(QStringLiteral("&Kleur:"), this));
        colors_ = new QComboBox(this);
        static const std::pair<const char*, QRgb> named[] = {
            {"Zwart", 0x000000}, {"Kastanjebruin", 0x800000}, {"Groen", 0x008000},
            {"Olijfgroen", 0x808000}, {"Marineblauw", 0x000080}, {"Paars", 0x800080},
            {"Blauwgroen", 0x008080}, {"Grijs", 0x808080}, {"Zilver", 0xC0C0C0},
            {"Rood", 0xFF0000}, {"Limoen", 0x00FF00}, {"Geel", 0xFFFF00},
            {"Blauw", 0x0000FF}, {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF}, {"Wit", 0xFFFFFF}};
        for (const auto& [name, rgb] : named) {
            QPixmap swatch(16, 12);
            swatch.fill(QColor(rgb));
            colors_->addItem(QIcon(swatch), QString::fromUtf8(name), QColor(rgb));
        }
        const QColor current = preset.color.isValid() ? preset.color : QColor(Qt::black);
        int index = colors_->findData(current);
        if (index < 0) {
            colors_->addItem(QStringLiteral("Aangepast"), current);
            index = colors_->count() - 1;
        }
        colors_->setCurrentIndex(index);
        colorRow->addWidget(colors_, 1);
        layout->addLayout(colorRow);

        auto* buttons = new QDialogButtonBox(this);
        buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QStringLiteral("Annuleren"), QDialogButtonBox::RejectRole);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
    }

    FontChoice choice() const
    {
        const QFont font = fonts_->currentFont();
        FontChoice c;
        c.family = font.family();
        c.pointSize = font.pointSizeF();
        c.bold = font.bold();
        c.italic = font.italic();
        c.underline = font.underline();
        c.strikeOut = font.strikeOut();
        c.color = colors_->currentData().value<QColor>();
        return c;
    }

private:
    QFontDialog* fonts_ = nullptr;
    QComboBox* colors_ = nullptr;
};

} // namespace

// ---------------------------------------------------------------------------------------

RtfTextEdit::RtfTextEdit(QWidget* parent) : QTextEdit(parent) {}

QMimeData* RtfTextEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    QString text = cursor.selection().toPlainText();
    data->setText(text);
    // Word processors take the formatted selection.
    QTextDocument selection;
    QTextCursor(&selection).insertFragment(cursor.selection());
    const QByteArray rtf = writeRtf(selection);
    data->setData(QString::fromLatin1(kRtfMime), rtf);
    data->setData(QString::fromLatin1(kRtfMimeAlt), rtf);
    return data;
}

bool RtfTextEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source && source->hasText();
}

void RtfTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        textCursor().insertText(source->text());
}

// ---------------------------------------------------------------------------------------

QPointer<frmTextEditor> frmTextEditor::instance_;

frmTextEditor& frmTextEditor::instance()
{
    if (!instance_)
        instance_ = new frmTextEditor;
    return *instance_;
}

frmTextEditor* frmTextEditor::existing()
{
    return instance_.data();
}

QString frmTextEditor::fieldCaption(int index)
{
    return index >= 0 && index < FieldCount ? QString::fromLatin1(kFields[index].caption)
                                            : QString();
}

QString frmTextEditor::fieldText(int index)
{
    return index >= 0 && index < FieldCount ? QString::fromLatin1(kFields[index].text)
                                            : QString();
}

frmTextEditor::frmTextEditor()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmTextEditor"));
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* surface = new QWidget(this);
    auto* layout = new QVBoxLayout(surface);
    const int side = twipsToPixelsX(50);
    layout->setContentsMargins(side, 0, side, twipsToPixelsY(50));
    rtfText_ = new RtfTextEdit(surface);
    rtfText_->setObjectName(QStringLiteral("rtfText"));
    rtfText_->setLineWrapMode(QTextEdit::FixedPixelWidth);
    // New text is typed in the quotation's body font.
    rtfText_->document()->setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    rtfText_->installEventFilter(this);
    layout->addWidget(rtfText_);
    setCentralWidget(surface);

    buildMenus();
    buildToolBar();

    connect(rtfText_, &QTextEdit::cursorPositionChanged, this,
            &frmTextEditor::updateStyleButtons);
    connect(rtfText_, &QTextEdit::selectionChanged, this, &frmTextEditor::updateStyleButtons);
    connect(rtfText_, &QTextEdit::currentCharFormatChanged, this,
            &frmTextEditor::updateStyleButtons);

    resize(640, 480);
    layoutControls();
    setWindowState(Qt::WindowMinimized);
    updateStyleButtons();
}

frmTextEditor::~frmTextEditor() = default;

void frmTextEditor::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Bestand"));
    connect(file->addAction(QStringLiteral("&New")), &QAction::triggered, this,
            &frmTextEditor::mnuFileNew);
    connect(file->addAction(QStringLiteral("&Open...")), &QAction::triggered, this,
            &frmTextEditor::mnuFileOpen);
    connect(file->addAction(QStringLiteral("&Sluit")), &QAction::triggered, this,
            &frmTextEditor::mnuFileClose);
    file->addSeparator();
    connect(file->addAction(QStringLiteral("Op&slaan")), &QAction::triggered, this,
            &frmTextEditor::mnuFileSave);
    connect(file->addAction(QStringLiteral("Opslaan A&ls...")), &QAction::triggered, this,
            &frmTextEditor::mnuFileSave);
    file->addSeparator();
    mnuPreview_ = file->addAction(QStringLiteral("Afdruk&voorbeeld"));
    connect(mnuPreview_, &QAction::triggered, this, [this] { PrintData(true); });
    mnuPrint_ = file->addAction(QStringLiteral("&Afdrukken..."));
    connect(mnuPrint_, &QAction::triggered, this, [this] { PrintData(false); });
    file->addSeparator();
    connect(file->addAction(QStringLiteral("&Afsluiten")), &QAction::triggered, this,
            &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Be&werken"));
    connect(edit->addAction(QStringLiteral("&Ongedaan maken")), &QAction::triggered, this,
            &frmTextEditor::mnuEditUndo);
    edit->addSeparator();
    connect(edit->addAction(QStringLiteral("K&nippen")), &QAction::triggered, this,
            &frmTextEditor::mnuEditCut);
    connect(edit->addAction(QString::fromUtf8("&Kopiëren")), &QAction::triggered, this,
            &frmTextEditor::mnuEditCopy);
    connect(edit->addAction(QStringLiteral("&Plakken")), &QAction::triggered, this,
            &frmTextEditor::mnuEditPaste);

    QMenu* style = menuBar()->addMenu(QStringLiteral("&Opmaak"));
    connect(style->addAction(QStringLiteral("&Lettertype...")), &QAction::triggered, this,
            &frmTextEditor::mnuStyleFont);
    style->addSeparator();
    QMenu* align = style->addMenu(QStringLiteral("&Uitlijnen"));
    connect(align->addAction(QStringLiteral("&Links")), &QAction::triggered, this,
            [this] { setAlignment(Qt::AlignLeft); });
    connect(align->addAction(QStringLiteral("&Centreren")), &QAction::triggered, this,
            [this] { setAlignment(Qt::AlignHCenter); });
    connect(align->addAction(QStringLiteral("&Rechts")), &QAction::triggered, this,
            [this] { setAlignment(Qt::AlignRight); });
    style->addSeparator();
    QMenu* fields = style->addMenu(QStringLiteral("&Velden"));
    for (int i = 0; i < FieldCount; ++i) {
        QAction* entry = fields->addAction(fieldCaption(i));
        entry->setObjectName(QStringLiteral("mnuStyleFieldDef%1").arg(i));
        connect(entry, &QAction::triggered, this, [this, i] { mnuStyleFieldDef(i); });
    }
}

void frmTextEditor::buildToolBar()
{
    tbToolBar_ = addToolBar(QStringLiteral("tbToolBar"));
    tbToolBar_->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar_->setMovable(false);
    tbToolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [this](const QString& key, const QString& label, const QString& tip,
                      auto slot) {
        QAction* a = tbToolBar_->addAction(label);
        a->setObjectName(key);
        a->setToolTip(tip);
        connect(a, &QAction::triggered, this, slot);
        buttons_.insert(key, a);
        return a;
    };
    add("New", "Nieuw", "Nieuw", [this] { mnuFileNew(); });
    add("Open", "Open", "Open", [this] { mnuFileOpen(); });
    add("Save", "Opslaan", "Opslaan", [this] { mnuFileSave(); });
    add("Print", "Afdrukken", "Afdrukken", [this] { PrintData(false); });
    add("Preview", "Voorbeeld", "Afdrukvoorbeeld", [this] { PrintData(true); });
    tbToolBar_->addSeparator();
    add("Cut", "Knippen", "Knippen", [this] { mnuEditCut(); });
    add("Copy", QString::fromUtf8("Kopiëren"), QString::fromUtf8("Kopiëren"),
        [this] { mnuEditCopy(); });
    add("Paste", "Plakken", "Plakken", [this] { mnuEditPaste(); });
    tbToolBar_->addSeparator();
    QFont font = tbToolBar_->font();
    QAction* bold = add("Bold", "V", "Vetschrift", [this] { toggleBold(); });
    QAction* italic = add("Italic", "S", "Schuinschrift", [this] { toggleItalic(); });
    QAction* underline = add("Underline", "O", "Onderstrepen", [this] { toggleUnderline(); });
    for (QAction* a : {bold, italic, underline})
        a->setCheckable(true);
    font.setBold(true);
    bold->setFont(font);
    font.setBold(false);
    font.setItalic(true);
    italic->setFont(font);
    font.setItalic(false);
    font.setUnderline(true);
    underline->setFont(font);
    tbToolBar_->addSeparator();
    alignGroup_ = new QActionGroup(this);
    alignGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* a : {add("Align Left", "Links", "Links uitlijnen",
                           [this] { setAlignment(Qt::AlignLeft); }),
                       add("Center", "Midden", "Centreren",
                           [this] { setAlignment(Qt::AlignHCenter); }),
                       add("Align Right", "Rechts", "Rechts uitlijnen",
                           [this] { setAlignment(Qt::AlignRight); })}) {
        a->setCheckable(true);
        alignGroup_->addAction(a);
    }
    tbToolBar_->addSeparator();

    auto* fieldButton = new QToolButton(tbToolBar_);
    fieldButton->setObjectName(QStringLiteral("FieldList"));
    fieldButton->setText(QStringLiteral("Velden"));
    fieldButton->setToolTip(QStringLiteral("Invoegvelden"));
    fieldButton->setPopupMode(QToolButton::InstantPopup);
    auto* list = new QMenu(fieldButton);
    list->setObjectName(QStringLiteral("FieldListMenu"));
    for (int i = 0; i < FieldCount; ++i)
        connect(list->addAction(fieldCaption(i)), &QAction::triggered, this,
                [this, i] { mnuStyleFieldDef(i); });
    fieldButton->setMenu(list);
    tbToolBar_->addWidget(fieldButton);

}

QAction* frmTextEditor::action(const QString& key) const
{
    return buttons_.value(key);
}

bool frmTextEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == rtfText_ && event->type() == QEvent::Resize)
        layoutControls();
    return QMainWindow::eventFilter(watched, event);
}

void frmTextEditor::layoutControls()
{
    if (inLayout_)
        return;
    inLayout_ = true;
    // The text wraps 400 twips inside the control's width; a window too small keeps it.
    const int wrap = rtfText_->width() - twipsToPixelsX(400);
    if (wrap > 0)
        rtfText_->setLineWrapColumnOrWidth(wrap);
    inLayout_ = false;
}

void frmTextEditor::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            updateStyleButtons();
        else
            releaseStyleButtons();
    }
    QMainWindow::changeEvent(event);
}

void frmTextEditor::closeEvent(QCloseEvent* event)
{
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    event->accept();
}

void frmTextEditor::showNormalAt(const QRect& geometry)
{
    setWindowState(Qt::WindowNoState);
    if (geometry.isValid())
        setGeometry(geometry);
    show();
    raise();
    activateWindow();
}

// ---------------------------------------------------------------------------------------
// Files

bool frmTextEditor::writeFile(const QString& fileName, const QByteArray& bytes, QString& error)
{
    using namespace quickpak;
    FCreate(fileName);
    if (DOSError()) {
        error = ErrorMsg(WhichError());
        return false;
    }
    int handle = 0;
    FOpenAll(fileName, AccessReadWrite, ShareDenyWrite, handle);
    if (DOSError() || handle == 0) {
        error = ErrorMsg(WhichError());
        return false;
    }
    FPut(handle, bytes);
    const bool failed = DOSError();
    const int code = WhichError();
    FClose(handle);
    if (failed) {
        error = ErrorMsg(code);
        return false;
    }
    return true;
}

namespace {

bool readWholeFile(const QString& fileName, QByteArray& content, QString& error)
{
    using namespace quickpak;
    int handle = 0;
    FOpenAll(fileName, AccessRead, ShareDenyNone, handle);
    if (DOSError() || handle == 0) {
        error = ErrorMsg(WhichError());
        return false;
    }
    const qint64 length = FLof(handle);
    content = QByteArray(static_cast<qsizetype>(std::max<qint64>(length, 0)), '\0');
    if (length > 0)
        FGet(handle, content);
    const bool failed = length > 0 && DOSError() && WhichError() != fileerror::InputPastEnd;
    const int code = WhichError();
    FClose(handle);
    if (failed) {
        error = ErrorMsg(code);
        return false;
    }
    return true;
}

} // namespace

void frmTextEditor::showDocument(const QByteArray& content)
{
    readRtf(content, *rtfText_->document());
    rtfText_->moveCursor(QTextCursor::Start);
    layoutControls();
    updateStyleButtons();
}

void frmTextEditor::WriteText(const QString& text)
{
    if (!text.isEmpty()) {
        buffer_ += text;
        return;
    }
    const QByteArray bytes = cp1252::fromUnicode(buffer_);
    buffer_.clear();
    // A new quotation no longer belongs to a file opened earlier.
    tag_.clear();
    const QString name = QString::fromLatin1(kOfferteFile);
    QString error;
    QByteArray content;
    if (!writeFile(name, bytes, error) || !readWholeFile(name, content, error)) {
        // The quotation is shown all the same; only the copy on disk is missing.
        msgBox(QStringLiteral("Het bestand Offerte.rtf kan niet worden geschreven: ") + error,
               MsgIcon::Warning, MsgButtons::Ok, QString::fromLatin1(kCaption));
        content = bytes;
    }
    showDocument(content);
}

bool frmTextEditor::loadFile(const QString& fileName)
{
    QByteArray content;
    QString error;
    if (!readWholeFile(fileName, content, error)) {
        msgBox(QStringLiteral("Het bestand ") + fileName +
                   QStringLiteral(" kan niet worden gelezen: ") + error,
               MsgIcon::Warning, MsgButtons::Ok, QString::fromLatin1(kCaption));
        return false;
    }
    showDocument(content);
    return true;
}

bool frmTextEditor::confirmDiscard()
{
    if (!rtfText_->document()->isModified())
        return true;
    switch (msgBox(QStringLiteral("De tekst is gewijzigd. Wilt u de wijzigingen opslaan?"),
                   MsgIcon::Question, MsgButtons::YesNoCancel, QString::fromLatin1(kCaption))) {
    case MsgAnswer::Yes:
        mnuFileSave();
        return !rtfText_->document()->isModified();
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

void frmTextEditor::mnuFileNew()
{
    if (!confirmDiscard())
        return;
    showDocument(QByteArray());
    tag_.clear();
}

void frmTextEditor::mnuFileOpen()
{
    if (!confirmDiscard())
        return;
    const auto name = Ui::instance().openFileName(
        FileDialogRequest{QStringLiteral("Open"), QStringLiteral("All Files (*.*)|*.*"),
                          QString(), QString()});
    if (!name)
        return;
    if (loadFile(*name))
        tag_ = *name;
}

void frmTextEditor::mnuFileClose()
{
    mnuFileNew();
}

void frmTextEditor::mnuFileSave()
{
    const QString preset = tag_.toLower().contains(QLatin1String(".rtf")) ? tag_ : QString();
    const auto chosen = Ui::instance().saveFileName(
        FileDialogRequest{QStringLiteral("Opslaan"),
                          QStringLiteral("Opgemaakte offerte (*.rtf)|*.rtf"), QString(), preset});
    if (!chosen || chosen->isEmpty())
        return;
    QString name = *chosen;
    // The filter promises an RTF file: a bare name gets its extension.
    if (QFileInfo(QString(name).replace(u'\\', u'/')).suffix().isEmpty())
        name += QStringLiteral(".rtf");
    QString error;
    if (!writeFile(name, writeRtf(*rtfText_->document()), error)) {
        msgBox(QStringLiteral("Het bestand ") + name +
                   QStringLiteral(" kan niet worden opgeslagen: ") + error,
               MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Opslaan"));
        return;
    }
    rtfText_->document()->setModified(false);
}

// ---------------------------------------------------------------------------------------
// Editing

void frmTextEditor::mnuEditUndo()
{
    rtfText_->setFocus();
    rtfText_->undo();
}

void frmTextEditor::mnuEditCut()
{
    rtfText_->cut();
}

void frmTextEditor::mnuEditCopy()
{
    rtfText_->copy();
}

void frmTextEditor::mnuEditPaste()
{
    rtfText_->paste();
}

void frmTextEditor::mnuStyleFieldDef(int index)
{
    if (index < 0 || index >= FieldCount)
        return;
    // The CR LF of a field becomes a paragraph break.
    QString text = fieldText(index);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    rtfText_->textCursor().insertText(text);
    rtfText_->setFocus();
}

bool frmTextEditor::wholeSelection(const std::function<bool(const QTextCharFormat&)>& test) const
{
    const QTextCursor cursor = rtfText_->textCursor();
    if (!cursor.hasSelection())
        return test(cursor.charFormat());
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const QTextDocument* doc = rtfText_->document();
    for (QTextBlock block = doc->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() <= start || fragment.position() >= end)
                continue;
            if (!test(fragment.charFormat()))
                return false;
        }
    }
    return true;
}

void frmTextEditor::mergeFormat(const QTextCharFormat& format)
{
    rtfText_->mergeCurrentCharFormat(format);
    updateStyleButtons();
}

void frmTextEditor::toggleBold()
{
    QTextCharFormat f;
    f.setFontWeight(wholeSelection(isBold) ? QFont::Normal : QFont::Bold);
    mergeFormat(f);
}

void frmTextEditor::toggleItalic()
{
    QTextCharFormat f;
    f.setFontItalic(!wholeSelection(isItalic));
    mergeFormat(f);
}

void frmTextEditor::toggleUnderline()
{
    QTextCharFormat f;
    f.setFontUnderline(!wholeSelection(isUnderline));
    mergeFormat(f);
}

void frmTextEditor::setAlignment(Qt::Alignment alignment)
{
    rtfText_->setAlignment(alignment);
    updateStyleButtons();
}

void frmTextEditor::updateStyleButtons()
{
    if (buttons_.isEmpty())
        return;
    buttons_.value("Bold")->setChecked(wholeSelection(isBold));
    buttons_.value("Italic")->setChecked(wholeSelection(isItalic));
    buttons_.value("Underline")->setChecked(wholeSelection(isUnderline));
    const Qt::Alignment align =
        rtfText_->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    QString key = QStringLiteral("Align Left");
    if (align & Qt::AlignHCenter)
        key = QStringLiteral("Center");
    else if (align & (Qt::AlignRight | Qt::AlignTrailing))
        key = QStringLiteral("Align Right");
    buttons_.value(key)->setChecked(true);
}

void frmTextEditor::releaseStyleButtons()
{
    for (const char* key : {"Bold", "Italic", "Underline", "Align Left", "Center", "Align Right"})
        buttons_.value(QString::fromLatin1(key))->setChecked(false);
}

FontChoice frmTextEditor::selectionFont() const
{
    const QTextCharFormat f = rtfText_->textCursor().charFormat();
    FontChoice c;
    c.family = f.fontFamilies().toStringList().value(0);
    if (c.family.isEmpty())
        c.family = rtfText_->document()->defaultFont().family();
    c.pointSize = f.fontPointSize() > 0 ? f.fontPointSize()
                                        : rtfText_->document()->defaultFont().pointSizeF();
    c.bold = wholeSelection(isBold);
    c.italic = wholeSelection(isItalic);
    c.underline = wholeSelection(isUnderline);
    c.strikeOut = wholeSelection([](const QTextCharFormat& x) { return x.fontStrikeOut(); });
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        c.color = f.foreground().color();
    return c;
}

void frmTextEditor::applyFont(const FontChoice& choice)
{
    QTextCharFormat f;
    if (!choice.family.isEmpty())
        f.setFontFamilies({choice.family});
    if (choice.pointSize > 0)
        f.setFontPointSize(choice.pointSize);
    f.setFontWeight(choice.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(choice.italic);
    f.setFontUnderline(choice.underline);
    f.setFontStrikeOut(choice.strikeOut);
    if (choice.color.isValid())
        f.setForeground(choice.color);
    mergeFormat(f);
}

void frmTextEditor::mnuStyleFont()
{
    FontDialog dialog(selectionFont(), this);
    if (dialog.exec() == QDialog::Accepted)
        applyFont(dialog.choice());
}

// ---------------------------------------------------------------------------------------
// Preview and print

QString frmTextEditor::previewCaption(const QString& editorCaption)
{
    const qsizetype colon = editorCaption.indexOf(u':');
    if (colon >= 0)
        return QStringLiteral("Afdrukvoorbeeld") + editorCaption.mid(colon);
    return QStringLiteral("Afdrukvoorbeeld: ") + editorCaption;
}

void frmTextEditor::PrintData(bool preview)
{
    if (rtfText_->document()->toPlainText().isEmpty())
        return;
    QPointer<frmRapport> form = new frmRapport;
    PreviewControl* control = form->vsPrinter1();
    control->setPreview(preview);
    if (preview) {
        form->setWindowTitle(previewCaption(windowTitle()));
        form->show();
    }
    WaitCursor wait;
    pumpEvents();
    if (!form)
        return; // closed while events ran
    control->startDoc();
    control->setPreviewPage(1);
    // &HFF0000 is a BGR value: blue.
    control->setHeaderColor(QColor(0, 0, 255));
    PrintFont headerFont;
    headerFont.name = QStringLiteral("Arial Narrow");
    headerFont.size = 8;
    control->setHeaderFont(headerFont);
    control->setHeader(QString());
    control->setFooter(QString());
    // Rendered from its RTF, so the pages show what a saved file holds.
    QTextDocument document;
    readRtf(writeRtf(*rtfText_->document()), document);
    control->renderRichText(document);
    if (preview) {
        control->setPreviewPage(1);
        control->refresh();
        control->endDoc();
        return;
    }
    control->refresh();
    pumpEvents();
    control->endDoc(); // prints, as the preview mode is off
    pumpEvents();
    // A print-only window is never shown: nothing would ever close it.
    if (form)
        form->deleteLater();
}

} // namespace vandrel
