#include "documents/frmofferte.h"

#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/quickpak.h"
#include "app/core/sharedstate.h"
#include "app/core/ui.h"
#include "browser/articleclipboard.h"
#include "catalogdb/database.h"
#include "documents/articledrop.h"
#include "documents/documentaction.h"
#include "documents/documentcode.h"
#include "documents/frmoffparam.h"
#include "documents/quotationcalc.h"
#include "documents/quotationcatalog.h"
#include "documents/quotationedit.h"
#include "documents/quotationfile.h"
#include "documents/quotationline.h"
#include "documents/quotationoutput.h"
#include "printing/formatprint.h"
#include "printing/frmtexteditor.h"
#include "printing/printdevice.h"
#include "printing/qtprintdevice.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace vandrel {

namespace {

const QString windowName = QStringLiteral("FrmOfferte");
const QString fileFilter = QStringLiteral(
    "Vandrel offerte (*.vdo)|*.vdo|Opgemaakte offerte (*.rtf)|*.rtf|Alle bestanden (*.*)|*.*||");

enum Column { QuantityColumn, ArticleColumn, DescriptionColumn, AmountColumn };

// Draws a line in the columns of its fields, as the printout sets them: quantity,
// article number, description and the amount right-aligned at the end. Lines without a
// tab run across the whole row.
class LineDelegate : public QStyledItemDelegate {
public:
    explicit LineDelegate(QuotationList* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        const QString line = background.text;
        background.text.clear();
        QStyle* style = background.widget ? background.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, background.widget);
        painter->save();
        painter->setPen(option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                   : QPalette::Text));
        const auto draw = [&](const QRect& r, const QString& text, Qt::Alignment align) {
            const QRect inner = r.adjusted(4, 0, -4, 0);
            painter->drawText(inner, int(align | Qt::AlignVCenter),
                              option.fontMetrics.elidedText(text, Qt::ElideRight, inner.width()));
        };
        if (quotation::tabCount(line) == 0) {
            draw(option.rect, line, Qt::AlignLeft);
        } else {
            draw(list_->columnRect(option.rect, QuantityColumn), quotation::field(line, 1), Qt::AlignLeft);
            draw(list_->columnRect(option.rect, ArticleColumn), quotation::field(line, 2), Qt::AlignLeft);
            QString description = quotation::field(line, 4);
            description.replace(QLatin1Char('\t'), QLatin1Char(' '));
            draw(list_->columnRect(option.rect, DescriptionColumn), description, Qt::AlignLeft);
            draw(list_->columnRect(option.rect, AmountColumn), quotation::field(line, 3), Qt::AlignRight);
        }
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), list_->rowHeight());
    }

private:
    QuotationList* list_;
};

bool isLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isCtrlEnter(const QKeyEvent* e)
{
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & Qt::ControlModifier);
}

bool anyModifier(const QKeyEvent* e)
{
    return e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

} // namespace

// ---------------------------------------------------------------------------------------
// List1
// ---------------------------------------------------------------------------------------

QuotationList::QuotationList(FrmOfferte* window) : QListWidget(window), window_(window)
{
    setObjectName(QStringLiteral("List1"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setItemDelegate(new LineDelegate(this));
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int QuotationList::rowHeight() const
{
    // A row is as high as an editor box, so the boxes sit exactly over it.
    static const int height = [] {
        QLineEdit probe;
        return probe.sizeHint().height();
    }();
    return std::max(height, fontMetrics().height() + 6);
}

QRect QuotationList::columnRect(const QRect& row, int column) const
{
    const QFontMetrics fm = fontMetrics();
    const int quantity = fm.horizontalAdvance(QStringLiteral("8888888")) + 12;
    const int article = fm.horizontalAdvance(QStringLiteral("8888888888")) + 12;
    const int amount = fm.horizontalAdvance(QStringLiteral("88888888,88")) + 12;
    const int description = std::max(40, row.width() - quantity - article - amount);
    int left = row.left();
    const int widths[] = {quantity, article, description, amount};
    for (int i = 0; i < column; ++i)
        left += widths[i];
    return QRect(left, row.top(), widths[column], row.height());
}

void QuotationList::keyPressEvent(QKeyEvent* event)
{
    if (window_->List1_KeyDown(event))
        return;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QListWidget::keyPressEvent(event);
        return;
    default:
        window_->List1_KeyPress(event);
        event->accept(); // the list does nothing else with a key
    }
}

void QuotationList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void QuotationList::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        window_->List1_MouseUp(event->globalPosition().toPoint());
        return;
    }
    QListWidget::mouseReleaseEvent(event);
}

void QuotationList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()))
        window_->List1_DblClick();
}

void QuotationList::dragEnterEvent(QDragEnterEvent* event)
{
    if (!acceptArticleDrag(event))
        event->ignore();
}

void QuotationList::dragMoveEvent(QDragMoveEvent* event)
{
    if (!acceptArticleDrag(event))
        event->ignore();
}

void QuotationList::dropEvent(QDropEvent* event)
{
    ArticleGrid* source = articleDragSource(event->mimeData(), event->source());
    if (!source) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    window_->List1_DragDrop(*source);
}

void QuotationList::scrollContentsBy(int dx, int dy)
{
    QListWidget::scrollContentsBy(dx, dy);
    window_->placeEditors(); // the editor boxes follow their line
}

void QuotationList::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    window_->placeEditors();
}

// ---------------------------------------------------------------------------------------
// The window
// ---------------------------------------------------------------------------------------

FrmOfferte::FrmOfferte(Database* orders, Database* catalog, QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window), orders_(orders), catalogDb_(catalog), mainWindow_(mainWindow)
{
    setObjectName(windowName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Offerte"));
    catalog_ = std::make_unique<ProductsCursor>(catalog);
    createControls();
    resize(820, 600);
}

FrmOfferte::~FrmOfferte()
{
    file_.release();
    catalog_.reset();
    if (shared().LastQuotationWindow == this)
        shared().LastQuotationWindow = nullptr;
}

FrmOfferte* FrmOfferte::open(Database* orders, Database* catalog, QWidget* mainWindow, const QString& command)
{
    auto* w = new FrmOfferte(orders, catalog, mainWindow);
    DocumentAction::send(w, command);
    return w;
}

void FrmOfferte::createControls()
{
    Action_ = new DocumentAction(this);
    connect(Action_, &DocumentAction::captionChanged, this, &FrmOfferte::Action_Change);

    frame_ = new QGroupBox(QStringLiteral("Offertegegevens"), this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    txtReferentie_ = new QLineEdit(frame_);
    txtReferentie_->setObjectName(QStringLiteral("txtReferentie"));
    txtLeverdatum_ = new QLineEdit(frame_);
    txtLeverdatum_->setObjectName(QStringLiteral("txtLeverdatum"));
    txtLeverdatum_->setMaximumWidth(txtLeverdatum_->fontMetrics().horizontalAdvance(QStringLiteral("88-88-88888")) + 24);
    chkBTW_ = new QCheckBox(QStringLiteral("BTW:"), frame_);
    chkBTW_->setObjectName(QStringLiteral("chkBTW"));
    chkBTW_->setLayoutDirection(Qt::RightToLeft); // the caption in front of the box, as a label
    Label2_ = new QLabel(frame_);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label2_->setWordWrap(true);
    auto* fields = new QGridLayout(frame_);
    const auto label = [&](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text), frame_);
        l->setBuddy(buddy);
        return l;
    };
    fields->addWidget(label("Referentie:", txtReferentie_), 0, 0);
    fields->addWidget(txtReferentie_, 0, 1, 1, 3);
    fields->addWidget(label("Offertedatum:", txtLeverdatum_), 1, 0);
    fields->addWidget(txtLeverdatum_, 1, 1);
    fields->addWidget(chkBTW_, 1, 2);
    fields->addWidget(Label2_, 1, 3);
    fields->setColumnStretch(3, 1);
    updateVatNote();

    List1_ = new QuotationList(this);

    // The editors lie over the current line of the list.
    txtEdit_ = new QLineEdit(List1_->viewport());
    txtEdit_->setObjectName(QStringLiteral("txtEdit"));
    txtEdit_->setMaxLength(quotationfile::listLineLength); // what a quotation file keeps
    txtEdit_->hide();
    const auto box = [this](const char* name) {
        auto* b = new QLineEdit(List1_->viewport());
        b->setObjectName(QString::fromLatin1(name));
        b->hide();
        b->installEventFilter(this);
        return b;
    };
    txtAantal_ = box("txtAantal");
    txtArtikel_ = box("txtArtikel");
    txtOms_ = box("txtOms");
    txtPrijs_ = box("txtPrijs");
    txtPrijs_->setAlignment(Qt::AlignRight);
    txtEdit_->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const char* captions[] = {"&Sluiten", "Af&drukken", "&Annuleren"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(captions[i]), this);
        b->setObjectName(QStringLiteral("Command1%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1_ << b;
        buttons->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame_);
    layout->addWidget(List1_, 1);
    layout->addLayout(buttons);

    mnuTabel_ = new QMenu(this);
    mnuTabel_->setObjectName(QStringLiteral("mnuTabel"));
    const char* tableEntries[] = {"&Alles selecteren", "&Opheffen selecties", "-", "&Kopiëren selectie",
                                  "&Plakken", "&Wissen selectie", "-"};
    for (int i = 0; i < 7; ++i) {
        QAction* a = QByteArray(tableEntries[i]) == "-" ? mnuTabel_->addSeparator()
                                                        : mnuTabel_->addAction(QString::fromUtf8(tableEntries[i]));
        a->setObjectName(QStringLiteral("mnuT%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, i] { mnuT_Click(i + 1); });
        mnuT_ << a;
    }
    const char* editEntries[] = {"&Nieuwe Pagina", "K&ortingspercentage", "&Sub-totaal", "&BTW-totaal",
                                 "&Totaal", "-", "Prijzen &herberekenen"};
    for (int i = 0; i < 7; ++i) {
        QAction* a = QByteArray(editEntries[i]) == "-" ? mnuTabel_->addSeparator()
                                                       : mnuTabel_->addAction(QString::fromUtf8(editEntries[i]));
        a->setObjectName(QStringLiteral("mnuEdit%1").arg(i));
        connect(a, &QAction::triggered, this, [this, i] { mnuEdit_Click(i); });
        mnuEdit_ << a;
    }

    connect(txtReferentie_, &QLineEdit::textChanged, this, [this] { setChanged(); });
    connect(txtLeverdatum_, &QLineEdit::textChanged, this, [this] { setChanged(); });
    connect(chkBTW_, &QCheckBox::clicked, this, &FrmOfferte::chkBTW_Click);
    connect(txtEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (filling_ || !txtEdit_->isVisible())
            return;
        setLine(currentRow(), text);
        setChanged();
    });
    connect(txtAantal_, &QLineEdit::textChanged, this, [this] { quantityChanged(); });
    const auto rewrite = [this] {
        if (filling_)
            return;
        SetArtikel();
        setChanged();
    };
    connect(txtArtikel_, &QLineEdit::textChanged, this, rewrite);
    connect(txtOms_, &QLineEdit::textChanged, this, rewrite);
    connect(txtPrijs_, &QLineEdit::textChanged, this, [this] {
        if (filling_)
            return;
        SetArtikel();
        setChanged();
        Recalc(false);
    });
    connect(List1_, &QListWidget::currentRowChanged, this, [this] { placeEditors(); });

    for (QWidget* w : QList<QWidget*>{List1_, txtReferentie_, txtLeverdatum_, chkBTW_} +
                          QList<QWidget*>(Command1_.begin(), Command1_.end()))
        w->installEventFilter(this);
}

void FrmOfferte::updateVatNote()
{
    Label2_->setText(QStringLiteral("(Alle vermelde prijzen zijn in Euro en ") +
                     (chkBTW_->isChecked() ? QStringLiteral("in") : QStringLiteral("ex")) +
                     QStringLiteral("clusief btw)"));
}

// ---------------------------------------------------------------------------------------
// The command channel
// ---------------------------------------------------------------------------------------

void FrmOfferte::Action_Change(const QString& caption)
{
    switch (parseDocumentCommand(caption)) {
    case DocumentCommand::None: return;
    case DocumentCommand::New: cmdNew(); break;
    case DocumentCommand::Open: cmdOpen(true); break;
    case DocumentCommand::FastOpen: cmdOpen(false); break;
    case DocumentCommand::Save: cmdSave(); break;
    case DocumentCommand::SaveAs: cmdSaveAs(); break;
    case DocumentCommand::Close: cmdClose(); break;
    case DocumentCommand::Delete: cmdDelete(); break;
    case DocumentCommand::Invalid:
        msgBox(invalidCommandText(caption, windowName), MsgIcon::Critical);
        break;
    }
}

bool FrmOfferte::drawQuotationCode()
{
    const std::optional<int> code = drawDocumentCode(orders_);
    if (!code) {
        // As for orders: only this window goes, the others keep their unsaved work.
        reportOrdersDatabaseMissing();
        unloading_ = true;
        hide();
        deleteLater();
        return false;
    }
    // The code is reserved by a row that holds only it; the row stays.
    orders_->execute(QStringLiteral("INSERT INTO BestelRegels (OrderCode) VALUES (%1)").arg(*code));
    tag_ = QString::number(*code);
    return true;
}

void FrmOfferte::showAt150()
{
    // On a small screen the window takes what there is.
    if (const QScreen* s = screen()) {
        const QRect room = s->availableGeometry();
        resize(std::min(width(), room.width() - twipsToPixelsX(300)),
               std::min(height(), room.height() - twipsToPixelsY(300)));
    }
    move(twipsToPixelsX(150), twipsToPixelsY(150));
    show();
}

void FrmOfferte::setCaptionForPath(const QString& path)
{
    setWindowTitle(QStringLiteral("Offerte [") + path + QStringLiteral("]"));
}

void FrmOfferte::cmdNew()
{
    if (!drawQuotationCode())
        return;
    filling_ = true;
    const QDate today = QDate::currentDate();
    txtReferentie_->setText(QStringLiteral("offerte van ") + today.toString(QStringLiteral("dd-MM-yyyy")));
    txtLeverdatum_->setText(QLocale().toString(today, QLocale::ShortFormat));
    filling_ = false;
    setWindowTitle(QStringLiteral("Offerte [Nieuw]"));
    showAt150();
    List1_->addItem(QString());
    List1_->setFocus();
    setCurrentRowOnly(0);
    changed_ = false;
}

void FrmOfferte::cmdOpen(bool withDialog)
{
    QString path = dialogFileName_;
    if (withDialog) {
        FileDialogRequest request;
        request.title = QStringLiteral("Open offerte");
        request.filter = fileFilter;
        request.fileName = QStringLiteral("*.vdo");
        const std::optional<QString> chosen = Ui::instance().openFileName(request);
        if (!chosen) {
            unloading_ = true;
            hide();
            deleteLater();
            return;
        }
        path = *chosen;
        dialogFileName_ = path;
        if (path.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive)) {
            // A formatted quotation belongs to the text editor.
            frmTextEditor& editor = frmTextEditor::instance();
            editor.loadFile(path);
            editor.setTag(path);
            editor.showNormal();
            editor.raise();
            editor.activateWindow();
            unload();
            return;
        }
    }
    if (!drawQuotationCode())
        return;
    const bool loaded = LoadOfferte(path);
    showAt150();
    activateWindow();
    if (loaded) {
        documentPath_ = path;
        setCaptionForPath(path);
    } else {
        // A file that could not be read is not this window's document: saving must not
        // overwrite it unless the user chooses it again.
        documentPath_.clear();
        dialogFileName_ = QStringLiteral("*.vdo");
        setWindowTitle(QStringLiteral("Offerte [Nieuw]"));
        ensureOneLine();
    }
    changed_ = false;
}

void FrmOfferte::cmdSave()
{
    activateWindow();
    if (documentPath_.isEmpty()) {
        DocumentAction::send(this, QStringLiteral("SAVEAS"));
        return;
    }
    SaveOfferte(documentPath_);
}

std::optional<QString> FrmOfferte::askSaveFileName(const QString& title)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = fileFilter;
    request.fileName = documentPath_.isEmpty() ? QStringLiteral("*.vdo") : documentPath_;
    std::optional<QString> chosen = Ui::instance().saveFileName(request);
    if (chosen && QFileInfo(*chosen).suffix().isEmpty())
        *chosen += QStringLiteral(".vdo"); // the dialog's default extension
    return chosen;
}

void FrmOfferte::cmdSaveAs()
{
    activateWindow();
    const std::optional<QString> chosen = askSaveFileName(QStringLiteral("Opslaan Offerte"));
    if (!chosen)
        return;
    if (SaveOfferte(*chosen)) {
        documentPath_ = *chosen;
        dialogFileName_ = *chosen;
        setCaptionForPath(*chosen);
    }
}

void FrmOfferte::cmdClose()
{
    if (changed_) {
        const MsgAnswer answer =
            msgBox(QStringLiteral("Deze offerte is gewijzigd. Wilt u de wijzigingen opslaan?"), MsgIcon::Question,
                   MsgButtons::YesNoCancel, windowTitle());
        if (answer == MsgAnswer::Cancel)
            return;
        if (answer == MsgAnswer::Yes) {
            const std::optional<QString> chosen = askSaveFileName(QStringLiteral("Opslaan offerte"));
            if (!chosen || !SaveOfferte(*chosen))
                return;
        }
    }
    unload();
}

void FrmOfferte::cmdDelete()
{
    if (msgBox(QStringLiteral("Weet u zeker dat u deze offerte wilt verwijderen?"), MsgIcon::Question,
               MsgButtons::YesNo, windowTitle()) != MsgAnswer::Yes)
        return;
    file_.release();
    changed_ = false;
    if (!documentPath_.isEmpty())
        quickpak::KillFile(documentPath_);
    unload();
}

void FrmOfferte::unload()
{
    unloading_ = true;
    file_.release();
    hide();
    close(); // deletes the window
}

void FrmOfferte::closeEvent(QCloseEvent* event)
{
    if (unloading_) {
        event->accept();
        return;
    }
    event->ignore();
    DocumentAction::send(this, QStringLiteral("CLOSE"));
}

void FrmOfferte::markLastQuotationWindow(bool alsoDocument)
{
    shared().LastQuotationWindow = this;
    if (alsoDocument)
        shared().LastDocumentWindow = this;
}

void FrmOfferte::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !unloading_)
        markLastQuotationWindow(true);
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------------------------------
// The quotation file
// ---------------------------------------------------------------------------------------

bool FrmOfferte::LoadOfferte(const QString& path)
{
    if (tag_.isEmpty())
        return false;
    QByteArray bytes;
    int error = 0;
    if (!file_.open(path, bytes, error)) {
        msgBox(QStringLiteral("Fout tijdens inlezen ") + path + QStringLiteral(": ") + quickpak::ErrorMsg(error),
               MsgIcon::Warning, MsgButtons::Ok, QStringLiteral("LoadOrder"));
        return false;
    }
    const QuotationFileContent content = quotationfile::decode(bytes);
    filling_ = true;
    txtReferentie_->setText(content.reference);
    // A second line that is no date (a damaged or foreign file) is shown as it stands.
    const QDate date = quotationfile::readDate(content.date);
    txtLeverdatum_->setText(date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : content.date);
    List1_->clear();
    List1_->addItems(content.lines);
    filling_ = false;
    ensureOneLine();
    setCurrentRowOnly(0);
    return true;
}

bool FrmOfferte::SaveOfferte(const QString& path)
{
    file_.release();
    QuotationFileContent content;
    content.reference = txtReferentie_->text();
    content.date = txtLeverdatum_->text();
    content.lines = lines();
    int error = 0;
    if (!file_.save(path, quotationfile::encode(content), error)) {
        msgBox(QStringLiteral("Fout tijdens opslaan ") + path + QStringLiteral(": ") + quickpak::ErrorMsg(error),
               MsgIcon::Warning, MsgButtons::Ok, QStringLiteral("SaveOfferte"));
        return false;
    }
    file_.release(); // after a save the window holds no file
    return true;
}

// ---------------------------------------------------------------------------------------
// Lines and amounts
// ---------------------------------------------------------------------------------------

QStringList FrmOfferte::lines() const
{
    QStringList out;
    out.reserve(List1_->count());
    for (int i = 0; i < List1_->count(); ++i)
        out << List1_->item(i)->text();
    return out;
}

QListWidget* FrmOfferte::list() const
{
    return List1_;
}

QString FrmOfferte::GetLineField(int index, int field) const
{
    const QListWidgetItem* item = List1_->item(index);
    return quotation::GetLineField(item ? item->text() : QString(), field);
}

void FrmOfferte::SetLineValue(const QString& amount, int index)
{
    QListWidgetItem* item = List1_->item(index);
    const auto value = quotation::lineAmount(amount);
    if (!item || !value)
        return;
    QString text = item->text();
    if (quotation::SetLineValue(text, *value))
        item->setText(text);
}

void FrmOfferte::Recalc(bool reprice)
{
    WaitCursor hourglass;
    QStringList work = lines();
    RecalcOptions options;
    options.reprice = reprice;
    options.vatIncluded = chkBTW_->isChecked();
    options.catalog = catalog_.get();
    for (int i : recalcQuotation(work, options))
        List1_->item(i)->setText(work[i]);
}

int FrmOfferte::currentRow() const
{
    return List1_->currentRow();
}

void FrmOfferte::setCurrentRowOnly(int row)
{
    if (row < 0 || row >= List1_->count())
        return;
    List1_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    List1_->scrollToItem(List1_->item(row));
}

void FrmOfferte::setLine(int row, const QString& text)
{
    if (QListWidgetItem* item = List1_->item(row))
        item->setText(text);
}

void FrmOfferte::insertLine(int row, const QString& text)
{
    List1_->insertItem(std::clamp(row, 0, List1_->count()), text);
}

void FrmOfferte::insertAboveCurrent(const QStringList& newLines)
{
    if (newLines.isEmpty())
        return;
    const bool wasBatch = shared().BatchInProgress;
    shared().BatchInProgress = true;
    int row = currentRow();
    if (row < 0)
        row = List1_->count();
    // Inserted from the last to the first, each above the current line: they keep their
    // order and the current line stays the line it was.
    for (qsizetype i = newLines.size() - 1; i >= 0; --i)
        insertLine(row, newLines[i]);
    if (row + newLines.size() < List1_->count())
        List1_->setCurrentRow(int(row + newLines.size()), QItemSelectionModel::ClearAndSelect);
    shared().BatchInProgress = wasBatch;
    setChanged();
}

void FrmOfferte::removeLine(int row)
{
    delete List1_->takeItem(row);
    setChanged();
}

void FrmOfferte::ensureOneLine()
{
    // The list always has a line to stand on, so typing can start again.
    if (List1_->count() == 0)
        List1_->addItem(QString());
}

void FrmOfferte::insertPageBreak()
{
    insertAboveCurrent({quotation::pageBreakLine()});
}

void FrmOfferte::SetArtikel()
{
    setLine(currentRow(), txtAantal_->text() + QLatin1Char('\t') + txtArtikel_->text() + QLatin1Char('\t') +
                              txtPrijs_->text() + QLatin1Char('\t') + txtOms_->text());
}

void FrmOfferte::ShowArtEdit(bool visible)
{
    for (QLineEdit* b : {txtAantal_, txtArtikel_, txtPrijs_, txtOms_})
        b->setVisible(visible);
    if (visible)
        placeEditors();
}

void FrmOfferte::placeEditors()
{
    QListWidgetItem* item = List1_->currentItem();
    if (!item || (!txtEdit_->isVisible() && !txtAantal_->isVisible()))
        return;
    QRect row = List1_->visualItemRect(item);
    row.setHeight(List1_->rowHeight());
    txtEdit_->setGeometry(row);
    txtAantal_->setGeometry(List1_->columnRect(row, QuantityColumn));
    txtArtikel_->setGeometry(List1_->columnRect(row, ArticleColumn));
    txtOms_->setGeometry(List1_->columnRect(row, DescriptionColumn));
    txtPrijs_->setGeometry(List1_->columnRect(row, AmountColumn));
}

// ---------------------------------------------------------------------------------------
// Keys on the list and in the editors
// ---------------------------------------------------------------------------------------

bool FrmOfferte::List1_KeyDown(QKeyEvent* event)
{
    const int row = currentRow();
    switch (event->key()) {
    case Qt::Key_Insert:
        if (anyModifier(event)) {
            insertLine(std::max(row, 0), QString());
            setCurrentRowOnly(std::max(row, 0));
            setChanged();
        }
        return true;
    case Qt::Key_Delete:
        if (anyModifier(event) && row >= 0) {
            removeLine(row);
            ensureOneLine();
            setCurrentRowOnly(std::min(row, List1_->count() - 1));
        }
        return true;
    case Qt::Key_Down:
        if (!anyModifier(event) && row == List1_->count() - 1) {
            List1_->addItem(QString());
            setCurrentRowOnly(List1_->count() - 1);
            setChanged();
            return true;
        }
        [[fallthrough]];
    case Qt::Key_Up:
        if (!anyModifier(event) && List1_->selectedItems().size() > 1 && row >= 0)
            setCurrentRowOnly(row);
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (isCtrlEnter(event))
            insertPageBreak();
        return true;
    default:
        return false;
    }
}

void FrmOfferte::List1_KeyPress(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return;
    const QChar c = text[0];
    if (c == QLatin1Char('"') || isLetter(c)) {
        openTextEditor(isLetter(c) ? QString(c) : QString());
    } else if (c == QLatin1Char(' ')) {
        const int row = currentRow();
        if (row >= 0 && quotation::tabCount(List1_->item(row)->text()) > 0)
            openArticleEditor(QString());
        else
            openTextEditor(QString());
    } else if (c.isDigit() || c == QLatin1Char('=') || c == QLatin1Char('/')) {
        openArticleEditor(c.isDigit() ? QString(c) : QString());
    }
}

void FrmOfferte::List1_DblClick()
{
    QKeyEvent blank(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    List1_KeyPress(&blank);
}

void FrmOfferte::openTextEditor(const QString& typed)
{
    ensureOneLine();
    if (currentRow() < 0)
        setCurrentRowOnly(0);
    ShowArtEdit(false);
    filling_ = true;
    rememberedText_ = List1_->currentItem()->text();
    txtEdit_->setText(rememberedText_);
    filling_ = false;
    txtEdit_->show();
    placeEditors();
    txtEdit_->setFocus();
    txtEdit_->setCursorPosition(int(txtEdit_->text().size()));
    if (!typed.isEmpty())
        txtEdit_->insert(typed);
}

void FrmOfferte::openArticleEditor(const QString& typedDigit)
{
    ensureOneLine();
    if (currentRow() < 0)
        setCurrentRowOnly(0);
    txtEdit_->hide();
    const QString line = List1_->currentItem()->text();
    filling_ = true;
    for (QLineEdit* b : {txtAantal_, txtArtikel_, txtPrijs_, txtOms_})
        b->clear();
    if (quotation::tabCount(line) > 0) {
        txtAantal_->setText(quotation::field(line, 1));
        txtArtikel_->setText(quotation::field(line, 2));
        txtPrijs_->setText(quotation::field(line, 3));
        txtOms_->setText(quotation::field(line, 4));
    }
    rememberedQuantity_ = txtAantal_->text();
    rememberedAmount_ = txtPrijs_->text();
    rememberedArticle_ = txtArtikel_->text();
    filling_ = false;
    ShowArtEdit(true);
    txtAantal_->setFocus();
    if (!typedDigit.isEmpty())
        txtAantal_->setText(typedDigit);
    txtAantal_->setCursorPosition(int(txtAantal_->text().size()));
}

void FrmOfferte::quantityChanged()
{
    if (filling_)
        return;
    txtPrijs_->setText(quotationedit::rescaledAmount(rememberedQuantity_, rememberedAmount_, txtAantal_->text()));
    SetArtikel(); // also when the amount stays the same
    setChanged();
}

void FrmOfferte::articleLeft()
{
    const QString number = txtArtikel_->text();
    if (number == rememberedArticle_)
        return;
    rememberedArticle_ = number;
    const auto n = quotation::articleNumber(number);
    const auto article = n ? catalog_->find(*n) : std::nullopt;
    if (!article)
        return;
    txtPrijs_->setText(quotationedit::articleAmount(txtAantal_->text(), *article));
    txtOms_->setText(article->beschrijving);
}

void FrmOfferte::moveFromEditor(int step)
{
    txtEdit_->hide();
    ShowArtEdit(false);
    List1_->setFocus();
    const int row = currentRow();
    if (step > 0 && row == List1_->count() - 1) {
        List1_->addItem(QString());
        setChanged();
    }
    setCurrentRowOnly(std::clamp(row + step, 0, List1_->count() - 1));
}

void FrmOfferte::articleEditorKey(QLineEdit* box, QKeyEvent* event, bool& handled)
{
    handled = true;
    if (isCtrlEnter(event)) {
        ShowArtEdit(false);
        List1_->setFocus();
        insertPageBreak();
        return;
    }
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        moveFromEditor(event->key() == Qt::Key_Down ? 1 : -1);
        return;
    }
    const QString text = event->text();
    if (text == QLatin1String(".")) {
        box->insert(QStringLiteral(","));
        return;
    }
    if (box == txtPrijs_ && !text.isEmpty() && text[0].unicode() >= 32 &&
        !quotationedit::isAmountCharacter(text[0]))
        return; // not a character of an amount
    handled = false;
}

bool FrmOfferte::eventFilter(QObject* watched, QEvent* event)
{
    const bool isBox = watched == txtAantal_ || watched == txtArtikel_ || watched == txtPrijs_ || watched == txtOms_;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isBox) {
            bool handled = false;
            articleEditorKey(static_cast<QLineEdit*>(watched), key, handled);
            return handled;
        }
        if (watched == txtEdit_) {
            if (key->key() == Qt::Key_Escape) {
                setLine(currentRow(), rememberedText_);
                txtEdit_->hide();
                List1_->setFocus();
                return true;
            }
            if (isCtrlEnter(key)) {
                txtEdit_->hide();
                List1_->setFocus();
                insertPageBreak();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                txtEdit_->hide();
                List1_->setFocus();
                const int row = currentRow() + 1;
                insertLine(row, QString());
                setCurrentRowOnly(row);
                setChanged();
                openTextEditor(QString());
                return true;
            }
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                moveFromEditor(key->key() == Qt::Key_Down ? 1 : -1);
                return true;
            }
        }
        break;
    }
    case QEvent::FocusIn:
        if (watched == txtAantal_) {
            rememberedQuantity_ = txtAantal_->text();
            rememberedAmount_ = txtPrijs_->text();
        } else if (watched == txtArtikel_) {
            rememberedArticle_ = txtArtikel_->text();
        } else if (!isBox && watched != txtEdit_) {
            ShowArtEdit(false); // the header, the buttons or the list
        }
        break;
    case QEvent::FocusOut:
        if (watched == txtEdit_)
            txtEdit_->hide();
        else if (watched == txtArtikel_)
            articleLeft();
        else if (!isBox)
            markLastQuotationWindow(false);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Drops, the popup menu, the VAT switch and the buttons
// ---------------------------------------------------------------------------------------

void FrmOfferte::List1_DragDrop(ArticleGrid& source)
{
    WaitCursor hourglass;
    QStringList dropped;
    for (const DroppedArticle& row : droppedArticles(source))
        dropped << quotationedit::droppedLine(row);
    insertAboveCurrent(dropped);
    List1_->setFocus();
}

void FrmOfferte::List1_MouseUp(const QPoint& globalPos)
{
    const bool selection = !List1_->selectedItems().isEmpty();
    mnuT_[1]->setEnabled(selection);
    mnuT_[3]->setEnabled(selection);
    mnuT_[5]->setEnabled(selection);
    mnuT_[4]->setEnabled(articleClipboard().count() > 0);
    mnuTabel_->popup(globalPos);
}

void FrmOfferte::mnuT_Click(int index)
{
    switch (index) {
    case 1: List1_->selectAll(); break;
    case 2: List1_->clearSelection(); break;
    case 4: {
        QList<ClipboardArticle> rows;
        QString text;
        for (int i = 0; i < List1_->count(); ++i) {
            if (!List1_->item(i)->isSelected())
                continue;
            rows << quotationedit::clipboardRow(List1_->item(i)->text());
            text += List1_->item(i)->text() + QStringLiteral("\r\n");
        }
        if (rows.isEmpty()) {
            msgBox(QStringLiteral("U dient eerst 1 of meerdere regels te selecteren"), MsgIcon::Information);
            return;
        }
        articleClipboard().replace(rows);
        QApplication::clipboard()->setText(text);
        break;
    }
    case 5: {
        QStringList pasted;
        for (const ClipboardArticle& row : articleClipboard().rows())
            pasted << quotationedit::pastedLine(row);
        insertAboveCurrent(pasted);
        break;
    }
    case 6: {
        const bool wasBatch = shared().BatchInProgress;
        shared().BatchInProgress = true;
        int first = -1;
        for (int i = List1_->count() - 1; i >= 0; --i) {
            if (List1_->item(i)->isSelected()) {
                delete List1_->takeItem(i);
                first = i;
            }
        }
        shared().BatchInProgress = wasBatch;
        if (first >= 0) {
            ensureOneLine();
            setCurrentRowOnly(std::min(first, List1_->count() - 1));
            setChanged();
        }
        break;
    }
    default: break;
    }
}

void FrmOfferte::mnuEdit_Click(int index)
{
    const auto insertCalculation = [this](const QString& line) {
        const int row = std::max(currentRow(), 0);
        insertLine(row, line);
        setCurrentRowOnly(row);
        setChanged();
        Recalc(false);
    };
    switch (index) {
    case 0: insertPageBreak(); break;
    case 1: insertCalculation(quotation::discountLine()); break;
    case 2: insertCalculation(quotation::subtotalLine()); break;
    case 3: insertCalculation(quotation::vatLine()); break;
    case 4: insertCalculation(quotation::totalLine()); break;
    case 6:
        if (msgBox(QStringLiteral("Als u doorgaat worden alle prijzen vervangen door standaard bruto-prijzen uit het "
                                  "artikelbestand.\nWilt u doorgaan met deze bewerking?"),
                   MsgIcon::Warning, MsgButtons::YesNo, QStringLiteral("Prijzen herberekenen")) == MsgAnswer::Yes) {
            Recalc(true);
            setChanged();
        }
        break;
    default: break;
    }
}

void FrmOfferte::chkBTW_Click()
{
    updateVatNote();
    setChanged();
    Recalc(true);
}

void FrmOfferte::Command1_Click(int index)
{
    switch (index) {
    case 0: DocumentAction::send(this, QStringLiteral("CLOSE")); break;
    case 1: printQuotation(); break;
    case 2:
        changed_ = false;
        DocumentAction::send(this, QStringLiteral("CLOSE"));
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------
// "Af&drukken"
// ---------------------------------------------------------------------------------------

void FrmOfferte::printQuotation()
{
    if (!options_)
        options_ = new frmOffParam(this);
    if (!options_->ask())
        return; // the dialog stays loaded, hidden, as the user left it
    const QuotationPrintOptions options = options_->options();
    QuotationOutputSource source;
    source.reference = txtReferentie_->text();
    source.date = txtLeverdatum_->text();
    source.lines = lines();
    source.catalog = catalog_.get();
    {
        WaitCursor hourglass;
        pumpEvents();
        switch (options.output()) {
        case QuotationPrintOptions::Output::Printer: {
            PrintDevice& device = currentPrintDevice();
            if (&device == &systemPrinter())
                systemPrinter().setJobName(QStringLiteral("Vandrel offerte"));
            vandrel::printQuotation(source, options, device, [&device](const QString& m) { FormatPrint(device, m); });
            if (device.jobActive())
                device.endDoc();
            break;
        }
        case QuotationPrintOptions::Output::Editor: {
            frmTextEditor& editor = frmTextEditor::instance();
            writeQuotationRtf(source, options, [&editor](const QString& piece) { editor.WriteText(piece); });
            editor.WriteText(QString());
            editor.showNormalAt(mainWindow_ ? mainWindow_->geometry() : geometry());
            break;
        }
        case QuotationPrintOptions::Output::TabFile: {
            FileDialogRequest request;
            request.title = QStringLiteral("Exporteren huidige offerte");
            request.filter = QStringLiteral("Tab-gescheiden bestand (*.tab)|*.tab||");
            request.fileName = QStringLiteral("offerte.tab");
            const std::optional<QString> chosen = Ui::instance().saveFileName(request);
            if (!chosen)
                return; // the options dialog is not unloaded
            const QByteArray bytes = quotationTabText(source, options);
            quickpak::FCreate(*chosen);
            int handle = 0;
            if (!quickpak::DOSError())
                quickpak::FOpenAll(*chosen, quickpak::AccessReadWrite, quickpak::ShareDenyWrite, handle);
            if (!quickpak::DOSError() && handle)
                quickpak::FPut(handle, bytes);
            // A failed write is reported as a failed create is: the file is not complete.
            const int error = quickpak::DOSError() ? quickpak::WhichError() : 0;
            if (handle)
                quickpak::FClose(handle);
            if (error) {
                msgBox(QStringLiteral("Er is een DOS-fout opgetreden: ") + QString::number(error), MsgIcon::Critical,
                       MsgButtons::Ok, QStringLiteral("Exporteren"));
            }
            break;
        }
        }
    }
    options_->unloadSettings();
    options_->deleteLater();
    options_ = nullptr;
}

} // namespace vandrel
