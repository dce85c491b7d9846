#include "browser/digiform.h"

#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/ui.h"
#include "catalogdb/database.h"
#include "catalogdb/documentfetch.h"
#include "catalogdb/recordset.h"
#include "printing/formatprint.h"
#include "printing/printdevice.h"
#include "printing/printhelpers.h"
#include "printing/qtprintdevice.h"
#include "printing/rtfreader.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>

#include <cmath>

namespace vandrel {

namespace {

int px(double twips) { return twipsToPixelsX(twips); }
int py(double twips) { return twipsToPixelsY(twips); }

bool isPlainRightRelease(QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    return mouse->button() == Qt::RightButton &&
           !(mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

bool isLeftRelease(QEvent* event)
{
    return event->type() == QEvent::MouseButtonRelease &&
           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

} // namespace

bool endPrintJobWithRetry(const std::function<bool()>& endOnce, int attempts)
{
    for (int i = 0; i < attempts; ++i) {
        if (endOnce())
            return true;
        QCoreApplication::processEvents();
    }
    return false;
}

PictureViewer::PictureViewer(const ViewerContext& context, const QString& caption,
                             const QString& pictureField, QWidget* parent)
    : QDialog(parent), context_(context), pictureField_(pictureField)
{
    setWindowTitle(caption);
    setContextMenuPolicy(Qt::PreventContextMenu);

    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBar"));
    menu_ = bar->addMenu(QStringLiteral("&Bestand"));
    QAction* copy = menu_->addAction(QStringLiteral("&Kopiëren"));
    QAction* print = menu_->addAction(QStringLiteral("Af&drukken"));
    menu_->addSeparator();
    QAction* close = menu_->addAction(QStringLiteral("&Sluiten"));
    menu_->setDefaultAction(print);
    connect(copy, &QAction::triggered, this, &PictureViewer::copyPicture);
    connect(print, &QAction::triggered, this, &PictureViewer::printPicture);
    connect(close, &QAction::triggered, this, &QDialog::reject);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("PicArtikel"));
    picture_->setContextMenuPolicy(Qt::PreventContextMenu);
    picture_->installEventFilter(this);

    description_ = new QTextEdit(this);
    description_->setObjectName(QStringLiteral("RichTextBox1"));
    // A viewer: the description is read, not edited.
    description_->setReadOnly(true);
    description_->setContextMenuPolicy(Qt::PreventContextMenu);
    description_->viewport()->installEventFilter(this);
}

void PictureViewer::GetRTF(const QVariant& field)
{
    if (field.isNull() || !field.isValid())
        return;
    const QString text = field.toString();
    if (text.size() > 64)
        readRtf(text.toLatin1(), *description_->document());
    else
        description_->clear();
    description_->update();
}

bool PictureViewer::DisplayPicture(const Recordset& recordset)
{
    // A picture that cannot be fetched is hidden; the viewer still opens with its title
    // and description. Only an error (a row without the picture field) refuses it.
    if (recordset.fieldIndex(pictureField_) < 0) {
        picture_->hide();
        return false;
    }
    picture_->setVisible(FetchDocument(picture_, recordset, pictureField_));
    return true;
}

bool PictureViewer::prepare(const Recordset& recordset, const QString& caption,
                            const QString& descriptionField, const QString& failureText)
{
    if (context_.mainWindow)
        setGeometry(context_.mainWindow->geometry());
    title_ = caption;
    setWindowTitle(caption);
    // The printout carries the Titel field itself, not the window's caption.
    const QVariant titel = recordset.value(QStringLiteral("Titel"));
    printTitle_ = titel.isNull() ? QString() : titel.toString();
    GetRTF(recordset.value(descriptionField));
    if (!DisplayPicture(recordset)) {
        msgBox(failureText, MsgIcon::Warning);
        return false;
    }
    layoutViewer();
    return true;
}

void PictureViewer::runModal(PictureViewer& viewer, const Recordset& recordset)
{
    bool ok = false;
    {
        WaitCursor wait;
        if (viewer.context_.mainWindow)
            viewer.context_.mainWindow->update();
        ok = viewer.open(recordset);
    }
    if (ok)
        viewer.exec();
    if (viewer.context_.mainWindow)
        viewer.context_.mainWindow->show();
}

void PictureViewer::runQuery(const ViewerContext& context, const QString& sql,
                             const std::function<std::unique_ptr<PictureViewer>()>& make)
{
    if (!context.illustrationDb)
        return;
    std::unique_ptr<Recordset> query = context.illustrationDb->openRecordset(sql);
    if (!query || !query->hasCurrent())
        return;
    std::unique_ptr<PictureViewer> viewer = make();
    runModal(*viewer, *query);
    viewer.reset();
    query->close();
}

void PictureViewer::layoutViewer()
{
    const int menuHeight = findChild<QMenuBar*>(QStringLiteral("MenuBar"))->sizeHint().height();
    const double W = pixelsToTwipsX(width());
    const double H = pixelsToTwipsY(height() - menuHeight);
    const double top = std::abs(H - H / 4);
    description_->setGeometry(px(60), menuHeight + py(top), px(std::abs(W - 240)),
                              py(std::abs(H - top - 480 - 300)));
    picture_->move(px(60), menuHeight + py(60));
    if (description_->toPlainText().size() < 3) {
        description_->hide();
        FitPicture(picture_, std::abs(H - 420 - 300), std::abs(W - 120), scale_);
    } else {
        description_->show();
        FitPicture(picture_, std::abs(top - 120), std::abs(W - 120), scale_);
    }
    layoutExtras();
}

void PictureViewer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutViewer();
}

bool PictureViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picture_ || watched == description_->viewport()) {
        if (isPlainRightRelease(event)) {
            menu_->popup(QCursor::pos(), menu_->defaultAction());
            return true;
        }
        if (watched == picture_ && isLeftRelease(event)) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PictureViewer::mouseReleaseEvent(QMouseEvent* event)
{
    // The window's own surface offers the file menu as the picture does.
    if (isPlainRightRelease(event)) {
        menu_->popup(event->globalPosition().toPoint(), menu_->defaultAction());
        event->accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void PictureViewer::copyPicture()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setPixmap(picture_->pixmap());
}

void PictureViewer::printPicture()
{
    WaitCursor wait;
    QCoreApplication::processEvents();
    PrintDevice& device = currentPrintDevice();
    const QImage image = picture_->pixmap().toImage();
    FormatPrint(device, image.width() > image.height() ? QStringLiteral("{landscape}")
                                                       : QStringLiteral("{portrait}"));
    FormatPrint(device, QStringLiteral("{fname:Arial}{fatoff}"));
    FormatPrint(device, QStringLiteral("{ftab:5}{widon}") + printTitle_ + QStringLiteral("{widoff}{crlf}"));
    FormatPrint(device, QStringLiteral("{hline:0}{crlf}"));
    PrintPictureFitted(device, image, 450, 450, 210, 450);
    if (description_->toPlainText().size() > 2) {
        device.newPage();
        FormatPrint(device, QStringLiteral("{portrait}"));
        FormatPrint(device, QStringLiteral("{fname:Arial}{fatoff}"));
        FormatPrint(device, QStringLiteral("{ftab:5}{widon}") + printTitle_ + QStringLiteral("{widoff}"));
        FormatPrint(device, QStringLiteral("{itaon} (opmerkingen){itaoff}{crlf}"));
        FormatPrint(device, QStringLiteral("{hline:0}{crlf}"));
        PrintFont font;
        font.name = QStringLiteral("Arial");
        font.size = 12;
        font.bold = true;
        device.setFont(font);
        PrintRichText(device, *description_->document(), 1440, 2160, 1440, 2880);
    }
    const bool ended = endPrintJobWithRetry([&device] {
        if (device.jobActive())
            device.endDoc();
        auto* printer = dynamic_cast<QtPrintDevice*>(&device);
        return !(printer && printer->failed());
    });
    if (!ended) {
        device.killDoc();
        msgBox(QStringLiteral("De afdruk kan niet worden voltooid: de printer geeft een fout."),
               MsgIcon::Warning);
    }
}

// --- DigiForm ---

DigiForm::DigiForm(const ViewerContext& context, QWidget* parent)
    : PictureViewer(context, QStringLiteral("Digitale informatie"), QStringLiteral("Tekening"), parent)
{
    btnhotspot_ = new QPushButton(QStringLiteral("#"), this);
    btnhotspot_->setObjectName(QStringLiteral("btnhotspot"));
    btnhotspot_->setToolTip(QStringLiteral("Hotspots tonen"));
    btnhotspot_->hide();
    connect(btnhotspot_, &QPushButton::clicked, this, &DigiForm::toggleHotspotFrames);
    newHotspot();
}

QLabel* DigiForm::newHotspot()
{
    auto* label = new QLabel(picture_);
    label->setObjectName(QStringLiteral("lblExplode"));
    label->installEventFilter(this);
    label->hide();
    lblExplode_.append(label);
    return label;
}

void DigiForm::showIllustration(qint64 tekeningNummer, const ViewerContext& context)
{
    runQuery(context, QStringLiteral("Select * From Illustrations Where TekeningNummer = ") +
                          QString::number(tekeningNummer),
             [&context] { return std::make_unique<DigiForm>(context, context.mainWindow); });
}

void DigiForm::showIllustration(const Recordset& recordset, const ViewerContext& context)
{
    if (!recordset.hasCurrent())
        return;
    DigiForm viewer(context, context.mainWindow);
    runModal(viewer, recordset);
}

bool DigiForm::open(const Recordset& recordset)
{
    const QVariant titel = recordset.value(QStringLiteral("Titel"));
    const QString caption = titel.isNull() || titel.toString() == QStringLiteral("null")
                                ? QStringLiteral("Titel Onbekend")
                                : titel.toString();
    // The Tag before the picture: the first layout places the hotspots.
    const QVariant number = recordset.value(QStringLiteral("TekeningNummer"));
    tag_ = number.isNull() ? QString() : number.toString();
    return prepare(recordset, caption, QStringLiteral("TekeningOmschrijving"),
                   QStringLiteral("De illustratie kan niet worden getoond"));
}

void DigiForm::layoutExtras()
{
    const double W = pixelsToTwipsX(width());
    btnhotspot_->setGeometry(twipsToPixelsX(std::abs(W - 480)), picture_->y(),
                             twipsToPixelsX(360), twipsToPixelsY(360));
    std::unique_ptr<Recordset> items;
    if (!tag_.isEmpty() && context_.illustrationDb)
        items = context_.illustrationDb->openRecordset(
            QStringLiteral("SELECT * FROM ExplodeItems WHERE TekeningNummer = ") + tag_);
    if (tag_.isEmpty() || !items) {
        btnhotspot_->hide();
        return;
    }
    if (!items->hasCurrent()) {
        QLabel* first = lblExplode_.first();
        first->setGeometry(0, 0, 0, 0);
        first->setProperty("Tag", QString());
        first->unsetCursor();
        first->hide();
        btnhotspot_->hide();
        return;
    }
    const double s = scale_;
    for (int k = 0; items->hasCurrent(); ++k, items->moveNext()) {
        QLabel* label = k < lblExplode_.size() ? lblExplode_[k] : newHotspot();
        const int left = int(s * items->value(QStringLiteral("LinksBoven_X_As")).toDouble());
        const int top = int(s * items->value(QStringLiteral("LinksBoven_Y_As")).toDouble());
        const int right = int(s * items->value(QStringLiteral("RechtsOnder_X_As")).toDouble());
        const int bottom = int(s * items->value(QStringLiteral("RechtsOnder_Y_As")).toDouble());
        label->setGeometry(left, top, std::abs(right - left), std::abs(bottom - top));
        const QVariant linked = items->value(QStringLiteral("GekoppeldeTekening"));
        const QString tag = linked.isNull() ? QString() : linked.toString();
        label->setProperty("Tag", tag);
        if (tag.isEmpty())
            label->unsetCursor();
        else
            label->setCursor(Qt::PointingHandCursor);
    }
    for (QLabel* label : lblExplode_) {
        label->setFrameStyle(QFrame::NoFrame);
        label->show();
        label->raise();
    }
    btnhotspot_->show();
    items->close();
}

void DigiForm::toggleHotspotFrames()
{
    for (QLabel* label : lblExplode_) {
        if (label->property("Tag").toString().isEmpty())
            continue;
        label->setFrameStyle(label->frameStyle() == QFrame::NoFrame ? (QFrame::Box | QFrame::Plain)
                                                                   : QFrame::NoFrame);
        label->raise();
    }
}

void DigiForm::hotspotClicked(int index)
{
    if (index < 0 || index >= lblExplode_.size())
        return;
    const QString tag = lblExplode_[index]->property("Tag").toString();
    if (tag.isEmpty())
        return;
    std::unique_ptr<Recordset> articles;
    if (context_.catalogDb)
        articles = context_.catalogDb->openRecordset(
            QStringLiteral("SELECT ArtikelNr FROM Products WHERE TekeningNummer = ") + tag);
    if (articles && articles->hasCurrent()) {
        hide();
        const QString number = articles->value(0).toString();
        if (context_.getArtikel)
            context_.getArtikel(number);
        articles->close();
        accept();
        return;
    }
    msgBox(QStringLiteral("De gekoppelde illustratie bestaat niet (meer)."), MsgIcon::Warning,
           MsgButtons::Ok, QStringLiteral("Opvragen gekoppelde illustratie"));
}

bool DigiForm::eventFilter(QObject* watched, QEvent* event)
{
    // Any object passes through here; only a hotspot label is looked up (a cast of
    // something else to QLabel would be undefined).
    auto* label = qobject_cast<QLabel*>(watched);
    const int index = label ? int(lblExplode_.indexOf(label)) : -1;
    if (index >= 0) {
        if (isLeftRelease(event)) {
            hotspotClicked(index);
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress)
            return true; // a click on a hotspot is not a click on the picture
    }
    return PictureViewer::eventFilter(watched, event);
}

} // namespace vandrel
