#include "documents/frmbestel.h"

#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/quickpak.h"
#include "app/core/sharedstate.h"
#include "app/core/ui.h"
#include "browser/articlegrid.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "documents/articledrop.h"
#include "documents/catalogcursor.h"
#include "documents/documentaction.h"
#include "documents/documentcode.h"
#include "documents/orderlinesmodel.h"
#include "documents/orderlinestore.h"
#include "documents/orderprint.h"
#include "printing/printdevice.h"
#include "printing/qtprintdevice.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QVBoxLayout>

namespace vandrel {

namespace {

const QString windowName = QStringLiteral("FrmBestel");
const QString fileFilter = QStringLiteral("Vandrel bestelling (*.vdb)|*.vdb|Alle bestanden (*.*)|*.*||");

// The order grid: takes catalog rows dropped from the main window and shows the window's
// popup menu on the right button instead of its own handling of the click.
class OrderTable : public QTableView {
public:
    OrderTable(FrmBestel* window, std::function<void(const QPoint&)> menu)
        : QTableView(window), window_(window), menu_(std::move(menu))
    {
        setObjectName(QStringLiteral("Table"));
        setAcceptDrops(true);
        viewport()->setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::DropOnly);
        setDropIndicatorShown(false);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* e) override
    {
        if (!acceptArticleDrag(e))
            e->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* e) override
    {
        if (!acceptArticleDrag(e))
            e->ignore();
    }
    void dropEvent(QDropEvent* e) override
    {
        ArticleGrid* source = articleDragSource(e->mimeData(), e->source());
        if (!source) {
            e->ignore();
            return;
        }
        e->setDropAction(Qt::CopyAction);
        e->accept(); // ends the source's drag
        window_->Table_DragDrop(*source);
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::RightButton) {
            e->accept();
            return;
        }
        QTableView::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::RightButton) {
            e->accept();
            menu_(e->globalPosition().toPoint());
            return;
        }
        QTableView::mouseReleaseEvent(e);
    }

private:
    FrmBestel* window_;
    std::function<void(const QPoint&)> menu_;
};

} // namespace

FrmBestel::FrmBestel(DocumentDatabases databases, QWidget* parent) : QWidget(parent, Qt::Window), db_(databases)
{
    setObjectName(windowName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Bestelling"));
    catalog_ = std::make_unique<CatalogCursor>(db_.catalog);
    createControls();
    resize(760, 560);
}

FrmBestel::~FrmBestel()
{
    // Unloading: the held file, the grid's rows and the catalog cursor go; the window is
    // no longer the last order window.
    if (!unloading_)
        unbindData2(true);
    file_.release();
    catalog_.reset();
    if (shared().LastOrderWindow == this)
        shared().LastOrderWindow = nullptr;
}

FrmBestel* FrmBestel::open(DocumentDatabases databases, const QString& command)
{
    auto* w = new FrmBestel(databases);
    DocumentAction::send(w, command);
    return w;
}

void FrmBestel::createControls()
{
    Action_ = new DocumentAction(this);
    connect(Action_, &DocumentAction::captionChanged, this, &FrmBestel::Action_Change);

    frame_ = new QGroupBox(QStringLiteral("Bestelgegevens"), this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    txtReferentie_ = new QLineEdit(frame_);
    txtReferentie_->setObjectName(QStringLiteral("txtReferentie"));
    txtLeverdatum_ = new QLineEdit(frame_);
    txtLeverdatum_->setObjectName(QStringLiteral("txtLeverdatum"));
    txtAdres_ = new QPlainTextEdit(frame_);
    txtAdres_->setObjectName(QStringLiteral("txtAdres"));
    txtAdres_->setTabChangesFocus(true);
    chkAfhalen_ = new QCheckBox(QStringLiteral("Afhalen"), frame_);
    chkAfhalen_->setObjectName(QStringLiteral("chkAfhalen"));
    const int lineHeight = txtReferentie_->sizeHint().height();
    txtAdres_->setFixedHeight(lineHeight * 2 + 8);

    auto* fields = new QGridLayout(frame_);
    const auto label = [&](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text), frame_);
        l->setBuddy(buddy);
        return l;
    };
    fields->addWidget(label("Ref:", txtReferentie_), 0, 0);
    fields->addWidget(txtReferentie_, 0, 1);
    fields->addWidget(label("Lev.dat:", txtLeverdatum_), 0, 2);
    fields->addWidget(txtLeverdatum_, 0, 3);
    fields->addWidget(chkAfhalen_, 0, 4);
    fields->addWidget(label("Adres:", txtAdres_), 1, 0, Qt::AlignTop);
    fields->addWidget(txtAdres_, 1, 1, 1, 4);
    fields->setColumnStretch(1, 3);
    fields->setColumnStretch(3, 1);

    model_ = new OrderLinesModel(this);
    Table_ = new OrderTable(this, [this](const QPoint& p) { showTableMenu(p); });
    Table_->setModel(model_);
    Table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    Table_->setAlternatingRowColors(true);
    Table_->setWordWrap(false);
    Table_->verticalHeader()->setDefaultSectionSize(Table_->fontMetrics().height() + 6);
    Table_->verticalHeader()->setFixedWidth(18);
    Table_->horizontalHeader()->setStretchLastSection(false);
    Table_->setColumnWidth(0, 60);
    Table_->setColumnWidth(1, 80);
    Table_->setColumnWidth(3, 80);
    Table_->setColumnWidth(4, 80);
    Table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    connect(model_, &OrderLinesModel::lineEdited, this, &FrmBestel::lineEdited);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        Table_->setColumnHidden(OrderLinesModel::RegelNummerColumn, true);
        Table_->setColumnHidden(OrderLinesModel::OrderCodeColumn, true);
    });
    Table_->setColumnHidden(OrderLinesModel::RegelNummerColumn, true);
    Table_->setColumnHidden(OrderLinesModel::OrderCodeColumn, true);

    auto* note = new QLabel(QStringLiteral("(Alle vermelde prijzen zijn exclusief btw)"), this);
    note->setObjectName(QStringLiteral("Label4"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note, 1);
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
    layout->addWidget(Table_, 1);
    layout->addLayout(buttons);

    mnuTabel_ = new QMenu(this);
    mnuTabel_->setObjectName(QStringLiteral("mnuTabel"));
    const char* entries[] = {"&Alles selecteren", "&Opheffen selecties", "-", "&Kopiëren selectie", "&Plakken",
                             "&Wissen selectie"};
    for (int i = 0; i < 6; ++i) {
        if (QByteArray(entries[i]) == "-") {
            mnuTabel_->addSeparator()->setObjectName(QStringLiteral("mnuT%1").arg(i + 1));
            continue;
        }
        QAction* a = mnuTabel_->addAction(QString::fromUtf8(entries[i]));
        a->setObjectName(QStringLiteral("mnuT%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, i] { mnuT_Click(i + 1); });
    }

    // Every edit sets the changed flag; ticking Afhalen (goods collected) takes the
    // delivery address out of use.
    connect(txtReferentie_, &QLineEdit::textChanged, this, [this] { setChanged(); });
    connect(txtLeverdatum_, &QLineEdit::textChanged, this, [this] { setChanged(); });
    connect(txtAdres_, &QPlainTextEdit::textChanged, this, [this] { setChanged(); });
    connect(chkAfhalen_, &QCheckBox::clicked, this, [this] {
        setChanged();
        txtAdres_->setEnabled(!chkAfhalen_->isChecked());
    });
    for (QWidget* w : QList<QWidget*>{Table_, txtReferentie_, txtLeverdatum_} + QList<QWidget*>(Command1_.begin(), Command1_.end()))
        w->installEventFilter(this);
}

// ---------------------------------------------------------------------------------------
// The command channel
// ---------------------------------------------------------------------------------------

void FrmBestel::Action_Change(const QString& caption)
{
    // While the printout runs (it lets window events run) the lines it prints stay as
    // they are: no command, the close box included, is carried out meanwhile.
    if (printing_)
        return;
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

bool FrmBestel::drawOrderCode()
{
    const std::optional<int> code = drawDocumentCode(db_.orders);
    if (!code) {
        // Without the orders database no order can be kept. Only this window goes:
        // ending the whole program here would drop the other windows' unsaved work.
        reportOrdersDatabaseMissing();
        unloading_ = true;
        hide();
        deleteLater();
        return false;
    }
    tag_ = QString::number(*code);
    return true;
}

void FrmBestel::bindData2()
{
    store_ = std::make_unique<OrderLineStore>(db_.orders, tag_.toInt());
    model_->setStore(store_.get());
}

void FrmBestel::unbindData2(bool deleteRows)
{
    if (store_ && deleteRows)
        store_->deleteAll();
    model_->setStore(nullptr);
    store_.reset();
}

void FrmBestel::showAt150()
{
    move(twipsToPixelsX(150), twipsToPixelsY(150));
    show();
}

void FrmBestel::setCaptionForPath(const QString& path)
{
    setWindowTitle(QStringLiteral("Bestelling [") + path + QStringLiteral("]"));
}

void FrmBestel::cmdNew()
{
    if (!drawOrderCode())
        return;
    filling_ = true;
    bindData2();
    const QDate today = documentToday();
    txtReferentie_->setText(newOrderReference(today));
    txtLeverdatum_->setText(QLocale().toString(proposedDeliveryDate(today), QLocale::ShortFormat));
    chkAfhalen_->setChecked(false);
    txtAdres_->setEnabled(true);
    filling_ = false;
    setWindowTitle(QStringLiteral("Bestelling [Nieuw]"));
    showAt150();
    changed_ = false;
}

void FrmBestel::cmdOpen(bool withDialog)
{
    QString path = dialogFileName_;
    if (withDialog) {
        FileDialogRequest request;
        request.title = QStringLiteral("Open bestelling");
        request.filter = fileFilter;
        request.fileName = QStringLiteral("*.vdb");
        const std::optional<QString> chosen = Ui::instance().openFileName(request);
        if (!chosen) {
            // The window was made for this command only.
            unloading_ = true;
            hide();
            deleteLater();
            return;
        }
        path = *chosen;
        dialogFileName_ = path;
    }
    if (!drawOrderCode())
        return;
    bindData2();
    const bool loaded = LoadOrder(path);
    if (!loaded) {
        unbindData2(true);
        bindData2();
    }
    showAt150();
    activateWindow();
    if (loaded) {
        documentPath_ = path;
        setCaptionForPath(path);
    } else {
        // A file that could not be read is not this window's document: a later save
        // must not overwrite it without the user choosing it again.
        documentPath_.clear();
        dialogFileName_ = QStringLiteral("*.vdb");
        setWindowTitle(QStringLiteral("Bestelling [Nieuw]"));
    }
    changed_ = false;
}

void FrmBestel::cmdSave()
{
    activateWindow();
    if (documentPath_.isEmpty()) {
        DocumentAction::send(this, QStringLiteral("SAVEAS"));
        return;
    }
    SaveOrder(documentPath_);
}

std::optional<QString> FrmBestel::askSaveFileName()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Opslaan bestelling");
    request.filter = fileFilter;
    request.fileName = documentPath_.isEmpty() ? QStringLiteral("*.vdb") : documentPath_;
    std::optional<QString> chosen = Ui::instance().saveFileName(request);
    if (chosen && QFileInfo(*chosen).suffix().isEmpty())
        *chosen += QStringLiteral(".vdb"); // the dialog's default extension
    return chosen;
}

void FrmBestel::cmdSaveAs()
{
    activateWindow();
    const std::optional<QString> chosen = askSaveFileName();
    if (!chosen)
        return;
    if (SaveOrder(*chosen)) {
        documentPath_ = *chosen;
        dialogFileName_ = *chosen;
        setCaptionForPath(*chosen);
    }
}

void FrmBestel::cmdClose()
{
    if (changed_) {
        activateWindow();
        const MsgAnswer answer =
            msgBox(QStringLiteral("Deze bestelling is gewijzigd. Wilt u de wijzigingen opslaan?"), MsgIcon::Question,
                   MsgButtons::YesNoCancel, windowTitle());
        if (answer == MsgAnswer::Cancel)
            return;
        if (answer == MsgAnswer::Yes) {
            const std::optional<QString> chosen = askSaveFileName();
            if (!chosen || !SaveOrder(*chosen))
                return;
        }
        changed_ = false;
    }
    unload();
}

void FrmBestel::cmdDelete()
{
    activateWindow();
    if (msgBox(QStringLiteral("Weet u zeker dat u deze bestelling wilt verwijderen?"), MsgIcon::Question,
               MsgButtons::YesNo, windowTitle()) != MsgAnswer::Yes)
        return;
    file_.release();
    if (!documentPath_.isEmpty())
        quickpak::KillFile(documentPath_);
    unload();
}

void FrmBestel::unload()
{
    unloading_ = true;
    unbindData2(true);
    file_.release();
    hide();
    close(); // deletes the window
}

void FrmBestel::closeEvent(QCloseEvent* event)
{
    if (unloading_) {
        event->accept();
        return;
    }
    // All closing goes through "CLOSE", which asks to save first. Sent through the empty
    // text, so a close box clicked after a cancelled question asks again.
    event->ignore();
    DocumentAction::send(this, QStringLiteral("CLOSE"));
}

// ---------------------------------------------------------------------------------------
// The order file
// ---------------------------------------------------------------------------------------

OrderFileContent FrmBestel::content() const
{
    OrderFileContent c;
    c.reference = txtReferentie_->text();
    c.deliveryDate = txtLeverdatum_->text();
    c.address = txtAdres_->toPlainText();
    c.address.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    c.pickUp = chkAfhalen_->isChecked();
    if (store_)
        c.lines = store_->lines();
    return c;
}

bool FrmBestel::LoadOrder(const QString& path)
{
    if (tag_.isEmpty() || !store_)
        return false;
    const auto failed = [&](const QString& why) {
        file_.release();
        msgBox(QStringLiteral("Fout tijdens inlezen ") + path + QStringLiteral(": ") + why, MsgIcon::Warning,
               MsgButtons::Ok, QStringLiteral("LoadOrder"));
        return false;
    };
    QByteArray bytes;
    int error = 0;
    if (!file_.open(path, bytes, error))
        return failed(quickpak::ErrorMsg(error));
    const OrderFileReadResult read = readOrderFile(bytes);
    if (!read.ok)
        return failed(read.problem);
    filling_ = true;
    txtReferentie_->setText(read.order.reference);
    txtLeverdatum_->setText(read.order.deliveryDate);
    QString address = read.order.address;
    address.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtAdres_->setPlainText(address);
    chkAfhalen_->setChecked(read.order.pickUp);
    txtAdres_->setEnabled(!read.order.pickUp);
    filling_ = false;
    store_->insertLoaded(read.order.lines);
    model_->reload();
    return true;
}

bool FrmBestel::SaveOrder(const QString& path)
{
    int error = 0;
    if (!file_.save(path, writeOrderFile(content()), error)) {
        msgBox(QStringLiteral("Fout tijdens opslaan ") + path + QStringLiteral(": ") + quickpak::ErrorMsg(error),
               MsgIcon::Warning, MsgButtons::Ok, QStringLiteral("SaveOrder"));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Buttons, printing
// ---------------------------------------------------------------------------------------

void FrmBestel::Command1_Click(int index)
{
    switch (index) {
    case 0: DocumentAction::send(this, QStringLiteral("CLOSE")); break;
    case 1: printOrder(); break;
    case 2:
        changed_ = false;
        DocumentAction::send(this, QStringLiteral("CLOSE"));
        break;
    default: break;
    }
}

void FrmBestel::printOrder()
{
    if (printing_)
        return;
    // A long order shows its progress and keeps the program responsive; this window
    // takes no input until the job is done.
    printing_ = true;
    setEnabled(false);
    const auto done = qScopeGuard([this] {
        setEnabled(true);
        printing_ = false;
    });
    WaitCursor hourglass;
    pumpEvents();
    PrintDevice& device = currentPrintDevice();
    if (&device == &systemPrinter())
        systemPrinter().setJobName(QStringLiteral("Vandrel bestelling"));
    PercFormMeter meter;
    meter.open(QStringLiteral("Vandrel bestelling"), QStringLiteral("Bestelling afdrukken..."));
    vandrel::printOrder(device, content(), [this](qint32 n) { return catalog_->find(n); }, &meter);
    meter.close();
}

// ---------------------------------------------------------------------------------------
// The grid
// ---------------------------------------------------------------------------------------

void FrmBestel::lineEdited(int gridRow, OrderColumn column, const OrderFileLine& edited)
{
    if (!store_)
        return;
    OrderFileLine line = edited;
    completeTypedLine(line, column, [this](qint32 n) { return catalog_->find(n); });
    const OrderLineStore::Row* existing = model_->row(gridRow);
    if (existing) {
        store_->update(existing->id, line);
        OrderLineStore::Row r = *existing;
        r.line = line;
        model_->replaceRow(gridRow, r);
    } else {
        store_->add(line);
        const QList<OrderLineStore::Row> rows = store_->rows();
        if (!rows.isEmpty())
            model_->replaceRow(gridRow, rows.last());
    }
    changed_ = true;
}

void FrmBestel::addLines(const QList<OrderFileLine>& lines)
{
    if (!store_ || lines.isEmpty())
        return;
    const bool own = db_.orders->beginTrans();
    for (const OrderFileLine& l : lines)
        store_->add(l);
    if (own)
        db_.orders->commitTrans();
    model_->reload();
}

void FrmBestel::Table_DragDrop(ArticleGrid& source)
{
    if (!store_)
        return;
    if (QWidget* editor = Table_->indexWidget(Table_->currentIndex()))
        editor->clearFocus(); // a cell being typed is committed first
    WaitCursor hourglass;
    repaint();
    const bool wasBatch = shared().BatchInProgress;
    shared().BatchInProgress = true;
    changed_ = true;
    QList<OrderFileLine> lines;
    for (const DroppedArticle& a : droppedArticles(source))
        lines << OrderFileLine{a.quantity, a.articleNumber, a.description, a.gross, a.net};
    addLines(lines);
    shared().BatchInProgress = wasBatch;
    activateWindow();
    Table_->setFocus();
}

QList<int> FrmBestel::selectedLineRows() const
{
    QList<int> rows;
    if (!Table_->selectionModel())
        return rows;
    for (const QModelIndex& i : Table_->selectionModel()->selectedIndexes()) {
        if (i.row() < model_->lineCount() && !rows.contains(i.row()))
            rows << i.row();
    }
    return rows;
}

void FrmBestel::showTableMenu(const QPoint& globalPos)
{
    const bool selection = !selectedLineRows().isEmpty();
    for (int i : {2, 4, 6})
        mnuTabel_->findChild<QAction*>(QStringLiteral("mnuT%1").arg(i))->setEnabled(selection);
    mnuTabel_->findChild<QAction*>(QStringLiteral("mnuT5"))->setEnabled(articleClipboard().count() >= 1);
    mnuTabel_->popup(globalPos);
}

void FrmBestel::mnuT_Click(int index)
{
    switch (index) {
    case 1: {
        WaitCursor hourglass;
        const bool wasBatch = shared().BatchInProgress;
        shared().BatchInProgress = true;
        const QModelIndex current = Table_->currentIndex();
        if (model_->lineCount() > 0)
            Table_->selectionModel()->select(
                QItemSelection(model_->index(0, 0), model_->index(model_->lineCount() - 1, model_->columnCount() - 1)),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (current.isValid())
            Table_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        shared().BatchInProgress = wasBatch;
        break;
    }
    case 2: Table_->clearSelection(); break;
    case 4: {
        const bool wasBatch = shared().BatchInProgress;
        shared().BatchInProgress = true;
        QList<OrderFileLine> lines;
        for (int row : selectedLineRows())
            lines << model_->row(row)->line;
        articleClipboard().replace(copiedOrderLines(lines));
        shared().BatchInProgress = wasBatch;
        break;
    }
    case 5: {
        WaitCursor hourglass;
        const bool wasBatch = shared().BatchInProgress;
        shared().BatchInProgress = true;
        addLines(pastedOrderLines(articleClipboard().rows(), [this](qint32 n) { return catalog_->find(n); }));
        shared().BatchInProgress = wasBatch;
        changed_ = true;
        break;
    }
    case 6: {
        WaitCursor hourglass;
        const bool wasBatch = shared().BatchInProgress;
        shared().BatchInProgress = true;
        const int current = Table_->currentIndex().row();
        const bool own = db_.orders->beginTrans();
        for (int row : selectedLineRows())
            store_->remove(model_->row(row)->id);
        if (own)
            db_.orders->commitTrans();
        model_->reload();
        if (current >= 0 && current < model_->rowCount())
            Table_->setCurrentIndex(model_->index(current, 0));
        shared().BatchInProgress = wasBatch;
        changed_ = true;
        break;
    }
    default: break;
    }
}

// ---------------------------------------------------------------------------------------
// Focus tracking
// ---------------------------------------------------------------------------------------

void FrmBestel::markLastOrderWindow(bool alsoDocument)
{
    shared().LastOrderWindow = this;
    if (alsoDocument)
        shared().LastDocumentWindow = this;
}

void FrmBestel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !unloading_)
        markLastOrderWindow(true);
    QWidget::changeEvent(event);
}

bool FrmBestel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !unloading_)
        markLastOrderWindow(false);
    return QWidget::eventFilter(watched, event);
}

} // namespace vandrel
