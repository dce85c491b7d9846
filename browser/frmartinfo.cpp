#include "browser/frmartinfo.h"

#include "app/core/cp1252.h"
#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/helpsystem.h"
#include "app/core/infoform.h"
#include "app/core/privateprofile.h"
#include "app/core/quickpak.h"
#include "app/core/sharedstate.h"
#include "app/core/ui.h"
#include "browser/articlegrid.h"
#include "browser/articlesearcher.h"
#include "browser/columnlayout.h"
#include "browser/datacontrol.h"
#include "browser/groupfile.h"
#include "browser/listoutput.h"
#include "browser/digiform.h"
#include "browser/drawform.h"
#include "browser/frmkleuren.h"
#include "browser/grouptree.h"
#include "browser/klasseform.h"
#include "browser/listexport.h"
#include "browser/numberpattern.h"
#include "browser/sqlquote.h"
#include "browser/textfit.h"
#include "catalogdb/documentfetch.h"
#include "browser/recordsetmodel.h"
#include "browser/splitterbar.h"
#include "browser/windowsurface.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/database.h"
#include "catalogdb/catalogreorganisation.h"
#include "catalogdb/scanfile.h"
#include "exchange/catalogimport.h"
#include "exchange/importrecord.h"
#include "exchange/importwindow.h"
#include "printing/printdevice.h"
#include "printing/qtprintdevice.h"

#include <QAction>
#include <tuple>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <optional>

namespace vandrel {

namespace {

constexpr int articleTop = 70;     // top of the tree, the list and the details
constexpr int headerTop = 40;      // "Inhoudsopgave" and "Productinformatie"
constexpr int headerHeight = 26;

int clamp(int v, int a, int b)
{
    // As the window has always clamped: a below a, b above b, even when b < a.
    if (v < a)
        return a;
    if (v > b)
        return b;
    return v;
}

QPixmap backgroundTile()
{
    QPixmap tile(48, 48);
    tile.fill(QColor(0xD8, 0xDE, 0xE6));
    QPainter p(&tile);
    p.setPen(QColor(0xCF, 0xD6, 0xE0));
    p.drawLine(0, 47, 47, 0);
    p.drawLine(0, 23, 23, 0);
    p.drawLine(24, 47, 47, 24);
    return tile;
}

QIcon printerIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 7);
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(3, 8, 18, 9, 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(7, 14, 10, 8);
    p.setPen(QColor(120, 120, 120));
    p.drawLine(9, 17, 15, 17);
    p.drawLine(9, 19, 15, 19);
    return QIcon(pm);
}

QIcon letterIcon(const QString& letter, const QColor& colour)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(4, 2, 15, 20);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(11, 12, 11, 11));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(11, 12, 11, 11), Qt::AlignCenter, letter);
    return QIcon(pm);
}


qint64 numberOf(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    return ok ? n : qint64(Val(v.toString()));
}

bool isNullOrZero(const QVariant& v) { return !v.isValid() || v.isNull() || numberOf(v) == 0; }

// Colours are stored packed as &HBBGGRR.
QColor packedColour(qint64 packed)
{
    return QColor(int(packed & 0xFF), int((packed >> 8) & 0xFF), int((packed >> 16) & 0xFF));
}

void showEngineError(const QString& title)
{
    if (!PendingError::isSet())
        return;
    const EngineError e = PendingError::get();
    PendingError::clear();
    msgBox(QString::number(e.number) + QStringLiteral(": ") + e.text, MsgIcon::Warning, MsgButtons::Ok, title);
}

} // namespace

FrmArtinfo::FrmArtinfo(MainWindowServices services) : services_(std::move(services))
{
    setObjectName(QStringLiteral("FrmArtinfo"));
    setWindowTitle(QStringLiteral("Vandrel Interactieve Catalogus"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    createControls();
    createMenus();
    createToolbar();
    refreshDocumentMenus();
    resize(twipsToPixelsX(9660), twipsToPixelsY(7575));
    installHelpKey();
}

FrmArtinfo::~FrmArtinfo()
{
    if (!unloaded_)
        Form_Unload();
}

void FrmArtinfo::createControls()
{
    surface_ = new WindowSurface(this);
    setCentralWidget(surface_);
    surface_->setTile(backgroundTile()); // Image1
    connect(surface_, &WindowSurface::mouseHeldChanged, this, [this](bool held) { mouseHeld_ = held; });

    CmbZoek_ = new QComboBox(surface_);
    CmbZoek_->setObjectName(QStringLiteral("CmbZoek"));
    CmbZoek_->setGeometry(12, 8, 150, 24);
    TxtZoek_ = new QLineEdit(surface_);
    TxtZoek_->setObjectName(QStringLiteral("TxtZoek"));
    TxtZoek_->setGeometry(170, 8, 400, 24);
    TxtZoek_->setPlaceholderText(QStringLiteral("Zoektekst, Enter om te zoeken"));
    connect(TxtZoek_, &QLineEdit::returnPressed, this, [this] { TxtZoek_KeyPress(13); });
    // The mode list is chosen from, never typed into: Qt's keyboard search (typing "K"
    // picks "Klassificatie") is swallowed in eventFilter, in the box and in its pop-up.
    CmbZoek_->setEditable(false);
    CmbZoek_->installEventFilter(this);
    CmbZoek_->view()->installEventFilter(this);
    connect(CmbZoek_, &QComboBox::activated, this, [this] { CmbZoek_Click(); });

    const auto header = [this](const QString& name, const QString& text) {
        auto* l = new QLabel(text, surface_);
        l->setObjectName(name);
        l->setAutoFillBackground(true);
        l->setContentsMargins(6, 0, 6, 0);
        l->setStyleSheet(QStringLiteral("background: #33506e; color: white; border: 1px solid #23384f;"));
        return l;
    };
    HdrInhoud_ = header(QStringLiteral("HdrInhoud"), QStringLiteral("Inhoudsopgave"));
    HdrProdukt_ = header(QStringLiteral("HdrProdukt"), QStringLiteral("Productinformatie"));
    lblGroep_ = new QLabel(QStringLiteral("Vandrel Interactieve Catalogus"), surface_);
    lblGroep_->setObjectName(QStringLiteral("lblGroep"));
    lblGroep_->setFrameShape(QFrame::Panel);
    lblGroep_->setFrameShadow(QFrame::Sunken);
    lblGroep_->setAutoFillBackground(true);
    lblGroep_->setContentsMargins(6, 0, 6, 0);
    {
        QPalette pal = lblGroep_->palette();
        pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
        lblGroep_->setPalette(pal);
    }

    Outline1_ = new GroupTree(surface_);
    Outline1_->installEventFilter(this);
    connect(Outline1_, &GroupTree::leafChosen, this, &FrmArtinfo::chooseGroup);

    LblBorder_ = new SplitterBar(QStringLiteral("LblBorder"), Qt::Vertical, surface_);
    LblBorder_->setGeometry(236, articleTop, 6, 300);
    LblBorder_->setRoutine([this](Qt::MouseButtons b, int x, int y) { LblBorder_MouseMove(b, x, y); });
    HdrTable_ = new SplitterBar(QStringLiteral("HdrTable"), Qt::Horizontal, surface_);
    HdrTable_->setGeometry(250, 245, 400, 7);
    HdrTable_->setRoutine([this](Qt::MouseButtons b, int x, int y) { HdrTable_MouseMove(b, x, y); });

    PicFrame_ = new QLabel(surface_);
    PicFrame_->setObjectName(QStringLiteral("PicFrame"));
    PicFrame_->setFrameShape(QFrame::StyledPanel);
    PicFrame_->setAutoFillBackground(true);
    PicArtikel_ = new QLabel(PicFrame_);
    PicArtikel_->setObjectName(QStringLiteral("PicArtikel"));
    PicArtikel_->setToolTip(QStringLiteral("Inzoomen op illustratie"));
    PicArtikel_->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(surface_);
        l->setObjectName(QStringLiteral("lblTitel%1").arg(i));
        QFont f = l->font();
        f.setBold(true);
        if (i == 0)
            f.setPointSize(f.pointSize() + 2);
        l->setFont(f);
        lblTitel_ << l;
    }
    for (int i = 0; i < 5; ++i) {
        auto* k = new QLabel(i == 0 ? QStringLiteral("Reeks") : QString(), surface_);
        k->setObjectName(QStringLiteral("lblKlasse%1").arg(i));
        lblKlasse_ << k;
        auto* w = new QLabel(surface_);
        w->setObjectName(QStringLiteral("lblWaarde%1").arg(i));
        w->setFrameShape(QFrame::StyledPanel);
        w->setAutoFillBackground(true);
        lblWaarde_ << w;
    }
    const auto pictureButton = [this](const QString& name, const QString& tip, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(surface_);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setIcon(style()->standardIcon(icon));
        b->setIconSize(QSize(28, 28));
        b->resize(36, 36);
        return b;
    };
    btnLevertijd_ = pictureButton(QStringLiteral("btnLevertijd"), QString(), QStyle::SP_MessageBoxInformation);
    btnSerietek_ = pictureButton(QStringLiteral("btnSerietek"), QStringLiteral("Toon serie-overzicht"),
                                 QStyle::SP_FileDialogContentsView);
    btnLijntek_ = pictureButton(QStringLiteral("btnLijntek"), QStringLiteral("Toon technische illustratie"),
                                QStyle::SP_FileDialogDetailedView);

    Table_ = new ArticleGrid(QStringLiteral("Table"), surface_);
    Table3_ = new ArticleGrid(QStringLiteral("Table3"), surface_);
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(i == 0 ? QStringLiteral("Additionele artikelen")
                                         : QStringLiteral("Alternatieve artikelen"),
                                  surface_);
        b->setObjectName(QStringLiteral("cmdOther%1").arg(i));
        b->resize(b->sizeHint().width(), 26);
        cmdOther_ << b;
    }

    Data1_ = new DataControl(QStringLiteral("Data1"), surface_);
    Data1_->hide();
    Data3_ = new DataControl(QStringLiteral("Data3"), surface_);
    Data3_->setFixedHeight(24);
    Data2_ = new DataControl(QStringLiteral("Data2"), surface_);
    Data4_ = new DataControl(QStringLiteral("Data4"), surface_);
    Data5_ = new DataControl(QStringLiteral("Data5"), surface_);
    for (DataControl* d : {Data2_, Data4_, Data5_})
        d->hide();
    Table3_->bind(Data3_);
    Table_->bind(Data1_);

    connect(Data1_, &DataControl::reposition, this, &FrmArtinfo::Data1_Reposition);
    connect(Data2_, &DataControl::reposition, this, &FrmArtinfo::Data2_Reposition);
    connect(Data3_, &DataControl::reposition, this, &FrmArtinfo::Data3_Reposition);
    connect(Data3_, &DataControl::navigatedPastEnd, this, &FrmArtinfo::Data3_PastEnd);
    connect(Table3_, &ArticleGrid::rowDoubleClicked, this, [this] { DMenu_Click(1); });
    for (int i = 0; i < 2; ++i)
        connect(cmdOther_[i], &QPushButton::clicked, this, [this, i] { cmdOther_Click(i); });
    for (QLabel* w : lblWaarde_)
        w->installEventFilter(this);
    PicArtikel_->installEventFilter(this);
    connect(btnSerietek_, &QToolButton::clicked, this, [this] {
        const QString tag = btnSerietek_->property("Tag").toString();
        if (btnSerietek_->isVisible() && !tag.isEmpty())
            DigiForm::showIllustration(tag.toLongLong(), viewerContext());
    });
    connect(btnLijntek_, &QToolButton::clicked, this, [this] {
        const QString tag = btnLijntek_->property("Tag").toString();
        if (btnLijntek_->isVisible() && !tag.isEmpty())
            DrawForm::showDrawing(tag.toLongLong(), viewerContext());
    });

    ArticleSearcher::Window sw;
    sw.list = Data3_;
    sw.grid = Table3_;
    sw.catalog = [this] { return db_.catalog; };
    sw.illustrations = [this] { return db_.illustrations; };
    sw.products = [this] { return products_.get(); };
    sw.scanFile = [] { return programState().productFile + QStringLiteral("VD-CLNT4.SCN"); };
    sw.showListView = [this] { DMenu_Click(0); };
    sw.focusSearchBox = [this] { TxtZoek_->setFocus(); };
    sw.getArtikel = [this](const QString& number) { return GetArtikel(number); };
    sw.showDetails = [this](bool show) { DetailsVisible(show); };
    sw.openClassification = [this] { openClassification(); };
    searcher_ = std::make_unique<ArticleSearcher>(sw);

    for (ArticleGrid* grid : {Table3_, Table_}) {
        connect(grid, &ArticleGrid::columnLayoutChanged, this, [this, grid] { storeGridLayout(grid); });
        connect(grid, &ArticleGrid::contextMenuWanted, this,
                [this, grid](const QPoint& pos, bool sel) { showGridMenu(grid, pos, sel); });
    }

    for (QWidget* w : QList<QWidget*>{PicFrame_, btnLevertijd_, btnSerietek_, btnLijntek_, HdrTable_, Table_,
                                      cmdOther_[0], cmdOther_[1]})
        w->hide();
    for (QLabel* l : lblTitel_ + lblWaarde_ + lblKlasse_)
        l->hide();
}

void FrmArtinfo::createMenus()
{
    QMenuBar* bar = menuBar();
    const auto addMenu = [&](const QString& name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        return m;
    };
    // One handler per menu array; every entry passes its own index.
    const auto entry = [this](QMenu* menu, const QString& name, const QString& caption, int index,
                              void (FrmArtinfo::*handler)(int), bool enabled) {
        if (caption == QLatin1String("-")) {
            QAction* sep = menu->addSeparator();
            sep->setObjectName(name);
            return sep;
        }
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, [this, handler, index] { (this->*handler)(index); });
        return a;
    };

    QMenu* b = addMenu(QStringLiteral("BMenuMain"), QStringLiteral("&Bestand"));
    entry(b, QStringLiteral("BMenu0"), QStringLiteral("&Modeminstelling..."), 0, &FrmArtinfo::BMenu_Click,
          bool(services_.showCommunicationSettings));
    QMenu* update = b->addMenu(QStringLiteral("&Update"));
    update->setObjectName(QStringLiteral("BMenu1"));
    QAction* ib = update->addAction(QStringLiteral("via &Orbisnet"));
    ib->setObjectName(QStringLiteral("mnuUpdateIB"));
    ib->setEnabled(bool(services_.startCatalogUpdate));
    connect(ib, &QAction::triggered, this, [this] {
        if (services_.startCatalogUpdate)
            services_.startCatalogUpdate(*this);
    });
    QAction* disk = update->addAction(QStringLiteral("via &Diskette"));
    disk->setObjectName(QStringLiteral("mnuUpdateDISK"));
    disk->setVisible(false);
    connect(disk, &QAction::triggered, this, &FrmArtinfo::mnuUpdateDISK_Click);
    // The entry stays hidden in the menu; its shortcut reaches it.
    auto* diskShortcut = new QAction(QStringLiteral("Update via bestanden"), this);
    diskShortcut->setObjectName(QStringLiteral("mnuUpdateDISKShortcut"));
    diskShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
    diskShortcut->setShortcutContext(Qt::ApplicationShortcut);
    addAction(diskShortcut);
    connect(diskShortcut, &QAction::triggered, this, &FrmArtinfo::mnuUpdateDISK_Click);
    entry(b, QStringLiteral("BMenu2"), QStringLiteral("-"), 2, &FrmArtinfo::BMenu_Click, true);
    QMenu* exports = b->addMenu(QStringLiteral("&Exporteren"));
    exports->setObjectName(QStringLiteral("BMenu3"));
    for (const auto& [name, caption, standard] : {std::tuple{"mnuExportStdASCII", "&Standaard ASCII...", true},
                                                  std::tuple{"mnuExportHuidig", "&Huidig overzicht...", false}}) {
        QAction* a = exports->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, standard] {
            exportShownList(this, detailsVisible_ ? Table_ : Table3_, Data3_, standard);
        });
    }
    entry(b, QStringLiteral("BMenu4"), QStringLiteral("-"), 4, &FrmArtinfo::BMenu_Click, true);
    entry(b, QStringLiteral("BMenu5"), QStringLiteral("Printer&instelling..."), 5, &FrmArtinfo::BMenu_Click, true);
    entry(b, QStringLiteral("BMenu6"), QStringLiteral("Af&drukken"), 6, &FrmArtinfo::BMenu_Click, true);
    entry(b, QStringLiteral("BMenu7"), QStringLiteral("-"), 7, &FrmArtinfo::BMenu_Click, true);
    entry(b, QStringLiteral("BMenu8"), QStringLiteral("&Afsluiten"), 8, &FrmArtinfo::BMenu_Click, true);

    QMenu* w = addMenu(QStringLiteral("WMenuMain"), QStringLiteral("Be&werken"));
    entry(w, QStringLiteral("WMenu1"), QStringLiteral("&Kopieer tekening"), 1, &FrmArtinfo::WMenu_Click, true);
    entry(w, QStringLiteral("WMenu2"), QStringLiteral("K&opieer tekst"), 2, &FrmArtinfo::WMenu_Click, true);
    mnuRestoreCol_ = w->addAction(QStringLiteral("&Herstel kolomweergave"));
    mnuRestoreCol_->setObjectName(QStringLiteral("mnuRestoreCol"));
    connect(mnuRestoreCol_, &QAction::triggered, this, &FrmArtinfo::mnuRestoreCol_Click);

    QMenu* e = addMenu(QStringLiteral("EMenuMain"), QStringLiteral("B&estelling"));
    const QStringList orderEntries = {"&Nieuw", "&Openen...", "&Sluiten", "-", "O&pslaan",
                                      "Ops&laan Als...", "&Wissen", "-", "&Verzenden..."};
    for (int i = 0; i < orderEntries.size(); ++i) {
        QAction* a = entry(e, QStringLiteral("EMenu%1").arg(i + 1), orderEntries[i], i + 1, &FrmArtinfo::EMenu_Click,
                           i + 1 <= 2 && services_.newOrderWindow);
        // "&Wissen" is never shown, but the toolbar's Trashbin reaches it; an action
        // hidden with setVisible cannot be enabled, so it leaves the menu instead.
        if (i + 1 == 7)
            e->removeAction(a);
        if (i + 1 == 9)
            a->setEnabled(bool(services_.sendOrders));
    }
    connect(e, &QMenu::aboutToShow, this, &FrmArtinfo::refreshDocumentMenus);
    QMenu* o = addMenu(QStringLiteral("OMenuMain"), QStringLiteral("&Offerte"));
    const QStringList quotationEntries = {"&Nieuw", "&Openen...", "&Sluiten", "-", "O&pslaan", "Ops&laan Als...", "&Wissen"};
    for (int i = 0; i < quotationEntries.size(); ++i)
        entry(o, QStringLiteral("OMenu%1").arg(i + 1), quotationEntries[i], i + 1, &FrmArtinfo::OMenu_Click,
              i + 1 <= 2 && services_.newQuotationWindow);
    connect(o, &QMenu::aboutToShow, this, &FrmArtinfo::refreshDocumentMenus);

    QMenu* d = addMenu(QStringLiteral("DMenuMain"), QStringLiteral("Beel&d"));
    entry(d, QStringLiteral("DMenu0"), QStringLiteral("&Overzicht"), 0, &FrmArtinfo::DMenu_Click, true);
    entry(d, QStringLiteral("DMenu1"), QStringLiteral("&Details"), 1, &FrmArtinfo::DMenu_Click, true);

    QMenu* p = addMenu(QStringLiteral("PMenuMain"), QStringLiteral("&Vandrel"));
    const QStringList wholesaler = {"&Adresinformatie", "&Contactpersonen", "A&ctualiteiten", "&Leveringsvoorwaarden"};
    for (int i = 0; i < wholesaler.size(); ++i) {
        QAction* a = entry(p, QStringLiteral("PMenu%1").arg(i + 1), wholesaler[i], i + 1, &FrmArtinfo::PMenu_Click, true);
        if (i == 1 || i == 2)
            a->setVisible(false);
    }

    QMenu* h = addMenu(QStringLiteral("HMenuMain"), QStringLiteral("&?"));
    const QStringList help = {"Inhouds&opgave", "&Zoeken...", "&On-line support...", "-",
                              "Programma &info...", "-", "&Reorganiseren artikelgegevens"};
    for (int i = 0; i < help.size(); ++i)
        entry(h, QStringLiteral("HMenu%1").arg(i + 1), help[i], i + 1, &FrmArtinfo::HMenu_Click,
              i + 1 != 3 || services_.openSupportPage);

    mnuTabel_ = new QMenu(this);
    mnuTabel_->setObjectName(QStringLiteral("mnuTabel"));
    const QStringList table = {"&Alles selecteren", "&Selecties opheffen", "-", QString::fromUtf8("&Kopiëren selectie")};
    for (int i = 0; i < table.size(); ++i)
        entry(mnuTabel_, QStringLiteral("mnuT%1").arg(i + 1), table[i], i + 1, &FrmArtinfo::mnuT_Click, i + 1 <= 2);
}

void FrmArtinfo::createToolbar()
{
    Toolbar1_ = addToolBar(QStringLiteral("Werkbalk"));
    Toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1_->setMovable(false);
    Toolbar1_->setIconSize(QSize(24, 24));
    struct Button {
        const char* key;
        const char* tip;
        QIcon icon;
        const char* target; // the menu entry whose enabling the button follows
        bool separatorAfter;
    };
    QStyle* s = style();
    const Button buttons[] = {
        {"NewOrder", "Nieuwe bestelling", letterIcon(QStringLiteral("B"), QColor(0, 110, 60)), "EMenu1", false},
        {"NewOffer", "Nieuwe offerte", letterIcon(QStringLiteral("O"), QColor(180, 90, 0)), "OMenu1", false},
        {"OpenFile", "Openen", s->standardIcon(QStyle::SP_DialogOpenButton), "EMenu2", false},
        // Saving and deleting act on the order or the quotation window: they follow the
        // open document windows (refreshDocumentMenus).
        {"SaveFile", "Opslaan", s->standardIcon(QStyle::SP_DialogSaveButton), nullptr, false},
        {"Trashbin", "Wissen", s->standardIcon(QStyle::SP_TrashIcon), nullptr, true},
        {"Printer", "Afdrukken", printerIcon(), "BMenu6", true},
        {"XmitUpdate", "Verzenden bestelling", s->standardIcon(QStyle::SP_ArrowRight), "EMenu9", true},
        {"ViewList", "Overzichtsweergave", s->standardIcon(QStyle::SP_FileDialogListView), "DMenu0", false},
        {"ViewDetails", "Detailweergave", s->standardIcon(QStyle::SP_FileDialogDetailedView), "DMenu1", false},
    };
    for (const Button& b : buttons) {
        QAction* a = Toolbar1_->addAction(b.icon, QString::fromUtf8(b.tip));
        a->setObjectName(QString::fromLatin1(b.key));
        a->setToolTip(QString::fromUtf8(b.tip));
        const QString key = QString::fromLatin1(b.key);
        if (key == QLatin1String("ViewList") || key == QLatin1String("ViewDetails"))
            a->setCheckable(true); // pressed for the view shown
        connect(a, &QAction::triggered, this, [this, key] {
            Toolbar1_ButtonClick(key);
            // A checkable button toggles itself on a click; the view decides.
            syncViewButtons();
        });
        if (QAction* target = b.target ? action(QString::fromLatin1(b.target)) : nullptr) {
            a->setEnabled(target->isEnabled());
            connect(target, &QAction::changed, a, [a, target] { a->setEnabled(target->isEnabled()); });
        }
        if (b.separatorAfter)
            Toolbar1_->addSeparator();
    }
}

QAction* FrmArtinfo::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

// ---------------------------------------------------------------------------------------
// Start-up and closing
// ---------------------------------------------------------------------------------------

bool FrmArtinfo::Form_Load()
{
    Data3_->setCaption(QStringLiteral("Bezig met initialiseren, moment a.u.b...."));
    // The hourglass ends before the first-start questions and the update reminder.
    std::optional<WaitCursor> hourglass(std::in_place);
    pumpEvents();

    SetGridDefaults(Table3_);
    SetGridDefaults(Table_);
    LoadSettings(this);
    settingsApplied_ = true;

    CmbZoek_->clear();
    CmbZoek_->addItems({QStringLiteral("Vandrel Nummer"), QStringLiteral("Omschrijving"),
                        QStringLiteral("Productreeks"), QStringLiteral("Productnummer"),
                        QStringLiteral("Fabrikant"), QStringLiteral("Klassificatie"),
                        QStringLiteral("SQL-Query")});
    CmbZoek_->setCurrentText(QStringLiteral("Vandrel Nummer"));
    helpFile_ = programState().helpFile + QStringLiteral("Vandrel catalogus.chm");

    if (!buildGroupTree())
        return false;

    if (services_.openCatalogDatabases && !services_.openCatalogDatabases(db_, this))
        return false;
    checkCatalogFreshness();

    if (db_.catalog)
        products_ = db_.catalog->openRecordset(QStringLiteral("Products"), Recordset::Table);
    if (products_)
        products_->setIndex(QStringLiteral("PrimaryKey"));

    Data1_->setDatabase(db_.catalog);
    if (services_.openIllustrationDatabase && !services_.openIllustrationDatabase(db_))
        return false;
    Data3_->setDatabase(db_.catalog);
    Data3_->setCaption(QStringLiteral("Vandrel Productcatalogus"));
    for (DataControl* d : {Data2_, Data4_, Data5_})
        d->setDatabase(db_.illustrations);
    Data2_->setRecordSource(QStringLiteral("SELECT * FROM illustrations"));
    for (DataControl* d : {Data2_, Data4_, Data5_})
        d->refresh();
    if (services_.loadCommunicationSettings)
        services_.loadCommunicationSettings(this);

    checkStoredLayouts();
    Data3_->setRecordSource(QStringLiteral("SELECT ") + columnlayout::ReeksDef(Table3_->objectName()) +
                            QStringLiteral(" FROM Products ORDER BY ProduktGroep, ArtikelNr"));
    Data1_->refresh();
    PendingError::clear();
    // A list that cannot be read is not an empty catalog: importing into it again and
    // restarting would find it unreadable again, for ever.
    const bool listRead = Data3_->refresh();
    if (!listRead && db_.catalog)
        showListError();
    Table3_->SetColumnWidth();

    if (db_.catalog && ImportRecord::interrupted(*db_.catalog))
        hourglass.reset(); // the question about the unfinished import follows
    const bool offered = db_.catalog && offerInterruptedImport();
    if (unloaded_)
        return false; // the import restarted the program
    if (listRead && Data3_->recordCount() > 0) {
        DMenu_Click(0);
        ensureScanFile();
    } else if (listRead && !offered && db_.catalog) {
        hourglass.reset();
        offerFirstImport();
    }
    if (unloaded_)
        return false; // the import restarted the program

    show();
    hourglass.reset();
    Form_Resize();
    pumpEvents();
    updateReminder();
    return true;
}

bool FrmArtinfo::buildGroupTree()
{
    using namespace quickpak;
    const QString file = programState().indexFile + QStringLiteral("GRPINFO.TXT");
    if (Exist(file) != -1) {
        msgBox(QStringLiteral("FOUT: Het artikelgroepdefinitie-bestand ontbreekt!"), MsgIcon::Critical);
        return false;
    }
    int handle = 0;
    FOpenAll(file, AccessRead, ShareCompatibility, handle);
    if (DOSError()) {
        msgBox(QString::number(WhichError()));
        Outline1_->clear();
        return true;
    }
    FSeek(handle, 0);
    QList<QString> lines;
    while (!FEof(handle)) {
        const QByteArray line = FLInput(handle, 128);
        if (DOSError())
            break;
        lines << cp1252::toUnicode(line);
    }
    FClose(handle);
    Outline1_->build(parseGroupLines(lines));
    return true;
}

void FrmArtinfo::checkCatalogFreshness()
{
    Database* catalog = db_.catalog;
    const QString artinfo = quickpak::localPath(programState().productFile + QStringLiteral("ARTINFO.TXT"));
    if (!catalog || !QFileInfo::exists(artinfo))
        return;
    std::unique_ptr<Recordset> newest =
        catalog->openRecordset(QStringLiteral("SELECT MAX(MutatieDatum) As MutDate FROM Products"),
                               Recordset::ForwardOnly, Recordset::ReadOnly);
    PendingError::clear();
    if (!newest || !newest->hasCurrent())
        return;
    const QVariant v = newest->value(0);
    newest->close();
    if (!v.isValid() || v.isNull())
        return; // an empty catalog is left as it is
    const QDateTime latest = v.typeId() == QMetaType::QDateTime ? v.toDateTime() : QDateTime(v.toDate(), QTime());
    if (!latest.isValid())
        return;
    const QDateTime fileTime = QFileInfo(artinfo).lastModified();
    if (fileTime <= latest.addDays(14))
        return;
    catalog->execute(QStringLiteral("DELETE * FROM Products"));
    PendingError::clear();
    pumpEvents();
    programState().lastProducts = fileTime.date().toString(QStringLiteral("yyyyMMdd"));
    PrivateProfile::writeString(QStringLiteral("Updates"), QStringLiteral("LastProducts"),
                                programState().lastProducts, settingsFileName());
}

void FrmArtinfo::checkStoredLayouts()
{
    ColumnLayouts& c = columnLayouts();
    bool reset = false;
    for (auto [layout, sizes] : {std::pair{&c.viewColumnLayout, &c.viewColumnSizes},
                                 std::pair{&c.detailColumnLayout, &c.detailColumnSizes}}) {
        if (layout->trimmed().isEmpty())
            continue; // the column definition gives the default without a word
        bool usable = columnlayout::usableLayoutText(*layout);
        if (usable && db_.catalog) {
            PendingError::clear();
            const auto probe = db_.catalog->openRecordset(QStringLiteral("SELECT ") + *layout
                                                              + QStringLiteral(" FROM Products WHERE 1 = 0"),
                                                          Recordset::Dynaset, Recordset::ReadOnly);
            // A database that cannot be read says nothing about the layout.
            usable = probe || isDatabaseWideError(PendingError::get());
            PendingError::clear();
        }
        if (!usable) {
            *layout = ColumnLayouts::defaultLayout;
            *sizes = ColumnLayouts::defaultSizes;
            reset = true;
        }
    }
    if (reset)
        msgBox(QStringLiteral("De kolomindeling van de artikellijsten in VANDREL4.INI is onbruikbaar. "
                              "De standaardindeling wordt gebruikt."),
               MsgIcon::Warning);
}

void FrmArtinfo::showListError()
{
    const QString cause = PendingError::isSet() ? PendingError::get().text : QString();
    PendingError::clear();
    msgBox(QStringLiteral("De artikellijst kan niet worden gelezen:") + QStringLiteral("\r\n") + cause
               + QStringLiteral("\r\n\r\n")
               + QStringLiteral("De artikeldatabase is mogelijk beschadigd. Er wordt niets ingelezen of verwijderd."),
           MsgIcon::Warning);
}

bool FrmArtinfo::offerInterruptedImport()
{
    const auto entry = ImportRecord::read(*db_.catalog);
    if (!entry || entry->finished)
        return false;
    const QString started = entry->started.isValid()
                                ? entry->started.toLocalTime().toString(QStringLiteral("dd-MM-yyyy HH:mm"))
                                : QStringLiteral("onbekend");
    const MsgAnswer answer = msgBox(
        QStringLiteral("Het inlezen van de artikelinformatie uit \"%1\" (begonnen op %2) is niet afgemaakt. "
                       "De artikelinformatie is daardoor onvolledig.")
                .arg(QDir::toNativeSeparators(entry->directory), started)
            + QStringLiteral("\r\n\r\n") + QStringLiteral("Wilt u het inlezen nu opnieuw starten?"),
        MsgIcon::Question, MsgButtons::YesNo, CatalogImport::messageTitle);
    if (answer == MsgAnswer::Yes) {
        show();
        activateWindow();
        ASCIIimport(entry->directory, entry->updateMode);
    }
    return true;
}

void FrmArtinfo::ensureScanFile()
{
    const QString scan = programState().productFile + scanFileName;
    if (!db_.catalog || scanFileComplete(scan))
        return;
    // Missing, or cut short by a build that was stopped: searches would miss articles.
    const int error = RebuildScanFile(*db_.catalog, scan);
    PendingError::clear();
    if (error > 0)
        msgBox(QStringLiteral("Het zoekbestand \"%1\" kan niet worden aangemaakt: %2")
                   .arg(QDir::toNativeSeparators(scan), quickpak::ErrorMsg(error)),
               MsgIcon::Warning);
}

void FrmArtinfo::offerFirstImport()
{
    if (services_.startedAfterImport) {
        // This copy was started by an import that just finished: never import again here.
        msgBox(QStringLiteral("Het inlezen van de artikelinformatie is zojuist afgerond, maar de artikellijst is leeg. "
                              "Controleer het artikelbestand en lees het opnieuw in via Bestand, Update."),
               MsgIcon::Warning);
        return;
    }
    const QString artinfo = programState().productFile + QStringLiteral("ARTINFO.TXT");
    if (quickpak::Exist(artinfo) == -1) {
        msgBox(QStringLiteral("Dit is de eerste keer dat u de Vandrel Catalogus gebruikt. Bij het programma is een "
                              "compleet artikelbestand bijgeleverd. Deze gegevens bevatten geen nettoprijzen. U kunt "
                              "deze gegevens bijwerken via de modem. Raadpleeg hiervoor de helpfunctie in de "
                              "Catalogus.") +
                   QStringLiteral("\n\n") + QStringLiteral("Klik op OK om de aanmaak van artikelinformatie te starten."),
               MsgIcon::Information, MsgButtons::Ok, QStringLiteral("De eerste keer opstarten..."));
        BMenu_Click(-1);
        return;
    }
    const MsgAnswer answer = msgBox(
        QStringLiteral("WAARSCHUWING! U heeft nog geen artikelinformatie tot uw beschikking. Hiervoor moet u eerst "
                       "een update uitvoeren:") +
            QStringLiteral("\n") + QStringLiteral("Wilt u nu een artikel-update uitvoeren?"),
        MsgIcon::None, MsgButtons::YesNo, QStringLiteral("Vandrel Catalogus"));
    if (answer == MsgAnswer::Yes) {
        show();
        repaint();
    } else {
        Data3_->closeRecordset();
    }
}

bool FrmArtinfo::ASCIIimport(const QString& directory, bool updateMode)
{
    if (!db_.catalog)
        return false;
    WidgetImportWindow importWindow(this, [this](const QString& text) {
        Data3_->setCaption(text);
        Data3_->repaint();
    });
    ImportActions actions;
    actions.startProgram = services_.startProgram;
    actions.closeDatabase = [this] {
        products_.reset();
        Data1_->closeRecordset();
        Data3_->closeRecordset();
        if (services_.closeDatabases)
            services_.closeDatabases();
        db_ = MainWindowDatabases();
    };
    actions.restartProgram = [this] {
        // This copy ends without saving over what the new one will read; one copy only.
        unloaded_ = true;
        if (services_.restartProgram)
            services_.restartProgram();
        close();
    };
    // The list must not hold rows of the table being rewritten.
    Data3_->closeRecordset();
    Data1_->closeRecordset();
    CatalogImport import(*db_.catalog, importWindow, actions);
    const bool done = import.run(directory, updateMode);
    if (db_.catalog && !unloaded_) {
        Data3_->refresh();
        Table3_->SetColumnWidth();
    }
    return done;
}

void FrmArtinfo::mnuUpdateDISK_Click()
{
    const QString title = QStringLiteral("Update via bestanden");
    for (;;) {
        const std::optional<QString> answer =
            inputBox(QStringLiteral("Voer de padnaam in waarin de .TXT bestanden voor import aanwezig zijn."), title,
                     programState().programDirectory);
        if (!answer || answer->isEmpty())
            return;
        const QString directory = AddBackslash(*answer);
        if (quickpak::Exist(directory + QStringLiteral("ARTINFO.TXT")) == -1) {
            ASCIIimport(directory, false);
            return;
        }
        if (msgBox(QStringLiteral("Ongeldig of onjuiste padnaam ingevoerd. Voer een andere naam in"), MsgIcon::Warning,
                   MsgButtons::OkCancel, title) != MsgAnswer::Ok)
            return;
    }
}

void FrmArtinfo::updateReminder()
{
    pumpEvents();
    const QString last = PrivateProfile::getString(QStringLiteral("Updates"), QStringLiteral("LastProducts"),
                                                   QStringLiteral("19010101"), settingsFileName(), 256)
                             .trimmed();
    QDate date(last.left(4).toInt(), last.mid(4, 2).toInt(), last.mid(6, 2).toInt());
    if (!date.isValid())
        date = QDate(1901, 1, 1); // unreadable: as old as never updated
    if (date >= QDate::currentDate().addDays(-14))
        return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("StartUp"))
            w->close();
    }
    const MsgAnswer answer = msgBox(
        QStringLiteral("ATTENTIE: De artikelinformatie is sinds ") + date.toString(QStringLiteral("dd-MM-yyyy")) +
            QStringLiteral(" niet meer bijgewerkt.") + QStringLiteral("\r\n") +
            QStringLiteral("Wilt u nu de nieuwste wijzigingen vanuit Orbisnet downloaden?"),
        MsgIcon::Question, MsgButtons::YesNo, QStringLiteral("Artikelinformatie"));
    if (answer == MsgAnswer::Yes) {
        activateWindow();
        pumpEvents();
        if (QAction* ib = action(QStringLiteral("mnuUpdateIB")); ib && ib->isEnabled())
            ib->trigger();
    }
}

QList<QWidget*> FrmArtinfo::openWindows() const
{
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isWindow() && (w->isVisible() || w == this) && !qobject_cast<QMenu*>(w))
            windows << w;
    }
    return windows;
}

bool FrmArtinfo::Form_QueryUnload()
{
    for (;;) {
        const QList<QWidget*> windows = openWindows();
        if (windows.size() <= 1)
            return true;
        QWidget* other = nullptr;
        for (QWidget* w : windows) {
            if (w != this) {
                other = w;
                break;
            }
        }
        if (!other)
            return true;
        if (other->objectName() == QLatin1String("FrmBestel") && other->isVisible()) {
            // The order window closes itself on "CLOSE" and may ask to save first.
            if (!services_.sendDocumentCommand || !services_.sendDocumentCommand(other, QStringLiteral("CLOSE")))
                other->close();
        } else {
            other->close();
        }
        pumpEvents();
        if (openWindows().size() == windows.size())
            return false;
    }
}

void FrmArtinfo::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    products_.reset();
    Data1_->closeRecordset();
    Data3_->closeRecordset();
    for (DataControl* d : {Data2_, Data4_, Data5_})
        d->closeRecordset();
    if (services_.closeDatabases)
        services_.closeDatabases();
    db_ = MainWindowDatabases();
    SaveSettings(this);
}

void FrmArtinfo::closeEvent(QCloseEvent* event)
{
    // The program ends with its main window, whatever closes it.
    if (unloaded_) {
        event->accept();
        QApplication::quit();
        return;
    }
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
    QApplication::quit();
}

// ---------------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------------

int FrmArtinfo::clientWidth() const { return surface_->width(); }
int FrmArtinfo::clientHeight() const { return surface_->height(); }

void FrmArtinfo::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void FrmArtinfo::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void FrmArtinfo::Form_Resize()
{
    if (mouseHeld_)
        return;
    update();
    HdrTable_MouseMove(Qt::NoButton, 0, 0);
    LblBorder_MouseMove(Qt::NoButton, 0, 0);
    TxtZoek_->resize(std::max(60, clientWidth() - TxtZoek_->x() - 12), TxtZoek_->height());
}

void FrmArtinfo::startDrag(SplitterBar* bar)
{
    dragging_ = true;
    bar->setDragged(true);
    bar->raise();
    QApplication::setOverrideCursor(bar->orientation() == Qt::Horizontal ? Qt::SizeVerCursor : Qt::SizeHorCursor);
}

void FrmArtinfo::endDrag(SplitterBar* bar)
{
    bar->setDragged(false);
    if (dragging_)
        QApplication::restoreOverrideCursor();
    dragging_ = false;
}

void FrmArtinfo::HdrTable_MouseMove(Qt::MouseButtons buttons, int, int y)
{
    if (hdrTableBusy_)
        return;
    hdrTableBusy_ = true;
    if (buttons & Qt::LeftButton) {
        if (!dragging_)
            startDrag(HdrTable_);
        else
            HdrTable_->move(HdrTable_->x(), HdrTable_->y() + y);
    } else {
        layoutHorizontal();
        if (dragging_ && HdrTable_->isDragged())
            endDrag(HdrTable_);
        HdrTable_->setDragged(false);
        saveWindowSettings();
    }
    hdrTableBusy_ = false;
}

void FrmArtinfo::LblBorder_MouseMove(Qt::MouseButtons buttons, int x, int)
{
    if (lblBorderBusy_)
        return;
    lblBorderBusy_ = true;
    if (buttons & Qt::LeftButton) {
        if (!dragging_)
            startDrag(LblBorder_);
        else
            LblBorder_->move(LblBorder_->x() + x, LblBorder_->y());
    } else if (!isMinimized()) {
        layoutVertical();
        if (dragging_ && LblBorder_->isDragged())
            endDrag(LblBorder_);
        LblBorder_->setDragged(false);
        saveWindowSettings();
    }
    lblBorderBusy_ = false;
}

void FrmArtinfo::layoutHorizontal()
{
    const int H = clientHeight();
    const bool released = dragging_ && HdrTable_->isDragged();
    // The grid (a few rows), the related-article buttons under it and the status line
    // always keep their room: a bar dragged too far snaps back to where they still fit.
    // A resize leaves the bar where the user put it; in a small window the details give
    // way for the moment and get their height back when the window grows again.
    const int belowDetails = HdrTable_->height() + 3 + minimumGridHeight + 6 + cmdOther_[0]->height() + 6 +
                             Data3_->height() + 6;
    const int wanted = released ? HdrTable_->y() : barTopWanted_;
    const int detailsHeight =
        std::max(40, std::min(clamp(wanted - 71, 100, H - 80), H - articleTop - belowDetails));
    const int barTop = detailsHeight + 71;
    if (released)
        barTopWanted_ = barTop;
    HdrTable_->move(HdrTable_->x(), barTop);
    PicFrame_->setGeometry(PicFrame_->x(), articleTop, PicFrame_->width(), detailsHeight);
    fitDetailsPicture();

    const int gridTop = barTop + HdrTable_->height() + 3;
    const int gridArea = clamp(H - (gridTop + 30), 30, H);
    Table_->setGeometry(Table_->x(), gridTop, Table_->width(),
                        std::max(minimumGridHeight, std::abs(gridArea - 12 - cmdOther_[0]->height())));
    Table3_->setGeometry(Table_->x(), articleTop, Table_->width(),
                         std::max(0, H - articleTop - Data3_->height() - 12));
    Outline1_->setGeometry(Outline1_->x(), articleTop, Outline1_->width(), Table3_->height());
    LblBorder_->setGeometry(LblBorder_->x(), articleTop, LblBorder_->width(), Table3_->height());
    Data3_->move(12, LblBorder_->y() + LblBorder_->height() + 6);
    for (QPushButton* b : cmdOther_)
        b->move(b->x(), Table_->y() + Table_->height() + 6);
    surface_->update();
}

void FrmArtinfo::layoutVertical()
{
    const int W = clientWidth();
    const bool released = dragging_ && LblBorder_->isDragged();
    // The article side keeps room for its grid and the details' names and values: a bar
    // dragged too far snaps back to where it still has it, and in a narrow window the
    // tree gives way for the moment while the user's bar position is kept.
    const int wanted = released ? LblBorder_->x() : barLeftWanted_;
    const int treeWidth = std::max(24, std::min(clamp(wanted - 15, 24, W - 80),
                                                W - 15 - LblBorder_->width() - 3 - 12 - minimumArticleSideWidth));
    LblBorder_->move(treeWidth + 15, LblBorder_->y());
    if (released)
        barLeftWanted_ = treeWidth + 15;
    const int sideLeft = LblBorder_->x() + LblBorder_->width() + 3;
    const int sideWidth = clamp(W - (sideLeft + 12), 24, W);

    const int groupLeft = sideLeft + 150;
    lblGroep_->setGeometry(groupLeft, headerTop + 2, std::max(24, W - groupLeft - 14), headerHeight - 4);
    const int buttonTop = articleTop + 4;
    btnLijntek_->move(W - btnLijntek_->width() - 12, buttonTop);
    btnSerietek_->move(btnLijntek_->x() - btnSerietek_->width(), buttonTop);
    btnLevertijd_->move((btnSerietek_->isHidden() && detailsVisible_ ? btnLijntek_->x() : btnSerietek_->x()) -
                            btnLevertijd_->width(),
                        buttonTop);

    HdrInhoud_->setGeometry(12, headerTop, treeWidth, headerHeight);
    Outline1_->setGeometry(12, Outline1_->y(), treeWidth, Outline1_->height());
    HdrProdukt_->setGeometry(sideLeft, headerTop, sideWidth, headerHeight);
    Table3_->setGeometry(sideLeft, Table3_->y(), sideWidth, Table3_->height());
    HdrTable_->setGeometry(sideLeft, HdrTable_->y(), sideWidth, HdrTable_->height());
    Table_->setGeometry(sideLeft, Table_->y(), sideWidth, Table_->height());
    PicFrame_->setGeometry(sideLeft, PicFrame_->y(), sideWidth / 2, PicFrame_->height());
    fitDetailsPicture();
    Data3_->setGeometry(12, Data3_->y(), std::max(24, W - 24), Data3_->height());
    const int half = sideWidth / 2;
    cmdOther_[0]->setGeometry(sideLeft, cmdOther_[0]->y(), half, cmdOther_[0]->height());
    cmdOther_[1]->setGeometry(sideLeft + half, cmdOther_[1]->y(), sideWidth - half, cmdOther_[1]->height());
    surface_->update();
}

void FrmArtinfo::saveWindowSettings()
{
    // Only once the stored layout has been read; before that it would overwrite it.
    if (!settingsApplied_)
        return;
    SaveSettings(this);
}

QString FrmArtinfo::illustrationCaption(const QString& articleNumber) const
{
    const qint64 drawing = products_ && products_->hasCurrent()
                               ? numberOf(products_->value(QStringLiteral("TekeningNummer")))
                               : 0;
    QString title;
    if (drawing > 0 && db_.illustrations) {
        std::unique_ptr<Recordset> row = db_.illustrations->openRecordset(
            QStringLiteral("SELECT Titel FROM Illustrations WHERE TekeningNummer = ") + QString::number(drawing),
            Recordset::ForwardOnly, Recordset::ReadOnly);
        if (row && row->hasCurrent() && !row->value(0).isNull())
            title = row->value(0).toString().trimmed();
        PendingError::clear();
    }
    if (title.isEmpty() || title == QLatin1String("null"))
        return QStringLiteral("Vandrel Nummer = ") + articleNumber;
    return QStringLiteral("Illustratie = ") + title;
}

ViewerContext FrmArtinfo::viewerContext()
{
    ViewerContext c;
    c.illustrationDb = db_.illustrations;
    c.catalogDb = db_.catalog;
    c.mainWindow = this;
    c.getArtikel = [this](const QString& number) {
        const bool found = GetArtikel(number);
        if (found) {
            DetailsVisible(true);
            // The caption bar names what the details now list: the illustration the
            // hotspot led to, not the article list left behind.
            lblGroep_->setText(illustrationCaption(number));
        }
        return found;
    };
    return c;
}

bool FrmArtinfo::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == CmbZoek_ || watched == CmbZoek_->view()) && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (!typed.isEmpty() && typed.at(0).isPrint())
            return true;
    }
    if (watched == PicArtikel_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The picture shown opens its own viewer, the placeholder illustration too: the
        // number is that of the row displayed, not the article's (0 for the placeholder).
        if (PicArtikel_->isVisible() && shownPictureNumber_ > 0) {
            if (picDataField_ == QLatin1String("Tekening"))
                DigiForm::showIllustration(shownPictureNumber_, viewerContext());
            else
                DrawForm::showDrawing(shownPictureNumber_, viewerContext());
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const qsizetype i = lblWaarde_.indexOf(qobject_cast<QLabel*>(watched));
        if (i >= 0) {
            auto* me = static_cast<QMouseEvent*>(event);
            lblWaarde_MouseUp(int(i), me->button(), me->position().toPoint());
        }
    }
    if (watched == Outline1_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const bool in = event->type() == QEvent::FocusIn;
        QFont inhoud = HdrInhoud_->font();
        inhoud.setBold(in);
        HdrInhoud_->setFont(inhoud);
        QFont produkt = HdrProdukt_->font();
        produkt.setBold(!in);
        HdrProdukt_->setFont(produkt);
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Views, groups and grids
// ---------------------------------------------------------------------------------------

void FrmArtinfo::switchToListView()
{
    DetailsVisible(false);
}

void FrmArtinfo::DMenu_Click(int index)
{
    if (index == 0) {
        WaitCursor hourglass;
        pumpEvents();
        switchToListView();
        Recordset* details = Data1_->recordset();
        if (Data3_->recordset() && details && details->hasCurrent() && Data3_->recordCount() > 0) {
            const QVariant shown = details->value(QStringLiteral("ArtikelNr"));
            Data3_->blockSignals(true); // the list follows the details, not the other way round
            Data3_->findFirst(QStringLiteral("ArtikelNr = ") + QString::number(numberOf(shown)));
            Data3_->blockSignals(false);
            Table3_->setCurrentIndex(Table3_->model()->index(std::max(0, Data3_->currentRow()), 0));
        }
        PendingError::clear();
    } else if (index == 1) {
        if (detailsBusy_)
            return;
        Recordset* list = Data3_->recordset();
        if (!list || !list->hasCurrent()) {
            msgBox(QStringLiteral("Geen actueel record."), MsgIcon::Critical);
            return;
        }
        const QString number = QString::number(numberOf(list->value(QStringLiteral("ArtikelNr"))));
        WaitCursor hourglass;
        repaint();
        DetailsVisible(GetArtikel(number));
    }
}

void FrmArtinfo::TxtZoek_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    searcher_->search(articlesearch::modeFromName(CmbZoek_->currentText()), TxtZoek_->text());
}

void FrmArtinfo::CmbZoek_Click()
{
    if (articlesearch::modeFromName(CmbZoek_->currentText()) == articlesearch::Mode::Klassificatie) {
        searcher_->search(articlesearch::Mode::Klassificatie, QString());
        return;
    }
    TxtZoek_->selectAll();
    TxtZoek_->setFocus();
}

void FrmArtinfo::setListSource(const QString& recordSource)
{
    Data3_->setRecordSource(recordSource);
    Data3_->refresh();
    Table3_->SetColumnWidth();
}

void FrmArtinfo::SetGroupColour(const QString& mainGroupText)
{
    const std::optional<GroupColours> colours = groupColours(mainGroupText);
    if (!colours)
        return;
    QPalette pal = lblGroep_->palette();
    pal.setColor(QPalette::Window, colours->background);
    pal.setColor(QPalette::WindowText, colours->text);
    lblGroep_->setPalette(pal);
    lblGroep_->setText(Data3_->caption());
}

void FrmArtinfo::chooseGroup(qint32 itemData, const QString& text)
{
    WaitCursor hourglass;
    pumpEvents();
    DMenu_Click(0);
    const QString prefix = groupPrefix(itemData);
    const QString mainGroup = QString::number(QStringLiteral("%1").arg(itemData, 11, 10, QLatin1Char('0')).left(3).toInt());
    Data3_->setCaption(QStringLiteral("Productgroep = ") + text);
    SetGroupColour(mainGroup);
    PendingError::clear();
    setListSource(QStringLiteral("SELECT ") + columnlayout::ReeksDef(Table3_->objectName()) +
                  QStringLiteral(" FROM Products WHERE ProduktGroep LIKE '") + prefix +
                  QStringLiteral("*' ORDER BY ProduktGroep, ArtikelNr"));
    if (PendingError::isSet()) {
        const EngineError e = PendingError::get();
        msgBox(QString::number(e.number) + QStringLiteral(": ") + e.text, MsgIcon::Critical);
        PendingError::clear();
    } else if (Data3_->recordCount() == 0) {
        msgBox(QStringLiteral("Deze Productgroep bevat geen artikelen"), MsgIcon::Critical);
    }
}

void FrmArtinfo::storeGridLayout(ArticleGrid* grid)
{
    grid->StoreColLayout();
    if (!SaveSettings(this))
        msgBox(QStringLiteral("Er is een probleem opgetreden met het opslaan van layoutgegevens in het "
                              "VANDREL4.INI bestand."),
               MsgIcon::Warning);
}

void FrmArtinfo::mnuRestoreCol_Click()
{
    WaitCursor hourglass;
    pumpEvents();
    ColumnLayouts& c = columnLayouts();
    c.viewColumnLayout.clear();
    c.detailColumnLayout.clear();
    for (const auto& [data, grid] : {std::pair{Data1_, Table_}, std::pair{Data3_, Table3_}}) {
        const QString tail = columnlayout::whereTail(data->recordSource());
        data->setRecordSource(QStringLiteral("SELECT ") + columnlayout::ReeksDef(grid->objectName()) +
                              QStringLiteral(" FROM Products ") + tail);
    }
    Data1_->refresh();
    Data3_->refresh();
    Table_->applyDefaultColumns();
    Table3_->applyDefaultColumns();
    Table_->StoreColLayout();
    Table3_->StoreColLayout();
    if (!SaveSettings(this))
        msgBox(QStringLiteral("Er is een probleem opgetreden met het opslaan van layoutgegevens in het "
                              "VANDREL4.INI bestand."),
               MsgIcon::Warning);
    setHorizontalBarTop(245);
    setVerticalBarLeft(236);
    Form_Resize();
    pumpEvents();
}

void FrmArtinfo::showGridMenu(ArticleGrid* grid, const QPoint& globalPos, bool hasSelection)
{
    menuGrid_ = grid;
    action(QStringLiteral("mnuT2"))->setEnabled(hasSelection);
    action(QStringLiteral("mnuT4"))->setEnabled(hasSelection);
    mnuTabel_->popup(globalPos);
}

void FrmArtinfo::mnuT_Click(int index)
{
    ArticleGrid* grid = menuGrid_ ? menuGrid_ : (detailsVisible_ ? Table_ : Table3_);
    if (index == 1) {
        const int current = grid->currentIndex().row();
        WaitCursor hourglass;
        grid->repaint();
        shared().BatchInProgress = true;
        grid->selectAll();
        if (current >= 0)
            grid->dataControl()->moveToRow(current);
        shared().BatchInProgress = false;
    } else if (index == 2) {
        WaitCursor hourglass;
        grid->repaint();
        grid->clearSelection();
    } else if (index == 4) {
        // The article clipboard takes the rows; the system clipboard their text.
        WaitCursor hourglass;
        grid->repaint();
        QString text;
        articleClipboard().replace(listoutput::copySelection(*grid, text));
        QApplication::clipboard()->clear();
        QApplication::clipboard()->setText(text);
    }
}

// ---------------------------------------------------------------------------------------
// The details view
// ---------------------------------------------------------------------------------------


bool FrmArtinfo::GetArtikel(const QString& number)
{
    const QString title = QStringLiteral("Vandrel Productcatalogus");
    int digits = 0;
    for (const QChar c : number) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
    }
    if (number.size() > digits) {
        msgBox(QStringLiteral("U mag alleen artikelnummers ingeven"), MsgIcon::Critical);
        TxtZoek_->setFocus();
        return false;
    }
    if (!db_.catalog)
        return false;
    PendingError::clear();
    products_ = db_.catalog->openRecordset(QStringLiteral("Products"), Recordset::Table);
    if (!products_) {
        showEngineError(title);
        return false;
    }
    products_->setIndex(QStringLiteral("PrimaryKey"));
    // "0" & number: an empty text seeks 0; a number beyond 32 bits is found nowhere.
    bool ok = false;
    const qint64 wanted = (QStringLiteral("0") + number).toLongLong(&ok);
    const bool fits = ok && wanted <= std::numeric_limits<qint32>::max();
    if (!fits || !products_->seek(QStringLiteral(">="), QVariant(qint32(wanted))) || products_->noMatch() ||
        numberOf(products_->value(QStringLiteral("ArtikelNr"))) != wanted) {
        PendingError::clear();
        msgBox(QStringLiteral("Artikel kan niet worden gevonden"), MsgIcon::Warning, MsgButtons::Ok, title);
        return false;
    }
    Recordset& article = *products_;
    const QString cols = columnlayout::ReeksDef(Table_->objectName());
    const QVariant drawing = article.value(QStringLiteral("TekeningNummer"));
    const QVariant lineDrawing = article.value(QStringLiteral("LijnTekeningNummer"));
    const qint64 articleNumber = numberOf(article.value(QStringLiteral("ArtikelNr")));
    bool hasSeries = true;
    if (!isNullOrZero(drawing)) {
        Data1_->setRecordSource(QStringLiteral("SELECT ") + cols + QStringLiteral(" FROM Products WHERE TekeningNummer = ") +
                                QString::number(numberOf(drawing)) + QStringLiteral(" ORDER BY ProduktGroep, ArtikelNr"));
    } else if (!isNullOrZero(lineDrawing)) {
        Data1_->setRecordSource(QStringLiteral("SELECT ") + cols + QStringLiteral(" FROM Products WHERE LijnTekeningNummer = ") +
                                QString::number(numberOf(lineDrawing)) + QStringLiteral(" ORDER BY ProduktGroep, ArtikelNr"));
    } else {
        Data1_->setRecordSource(QStringLiteral("SELECT ") + cols + QStringLiteral(" FROM Products WHERE ArtikelNr = ") +
                                QString::number(articleNumber));
        hasSeries = false;
    }
    Data1_->refresh();
    showEngineError(title);
    Table_->SetColumnWidth();
    if (hasSeries)
        Data1_->findFirst(QStringLiteral("ArtikelNr = ") + QString::number(wanted));
    showEngineError(title);
    // The pane followed Data1 to another row of the series: back on the article itself.
    products_->seek(QStringLiteral("="), QVariant(qint32(wanted)));
    SetGroupColour(article.value(QStringLiteral("ProduktGroep")).toString().left(1));

    choosePicture(article, hasSeries);
    PendingError::clear();
    return true;
}

void FrmArtinfo::choosePicture(Recordset& article, bool hasSeries)
{
    Database* pictures = db_.illustrations;
    if (!pictures)
        return;
    const qint64 drawing = numberOf(article.value(QStringLiteral("TekeningNummer")));
    const qint64 lineDrawing = numberOf(article.value(QStringLiteral("LijnTekeningNummer")));
    const qint64 shownField = numberOf(article.value(picDataField_ + QStringLiteral("Nummer")));
    if (picTag_ > 0 && picTag_ == shownField)
        return; // the picture shown is this article's already

    const auto showRow = [this](Recordset& row, const QString& field, qint64 tag, const QString& failure) {
        picTag_ = tag;
        shownPictureNumber_ = numberOf(row.value(field + QStringLiteral("Nummer")));
        if (DisplayPicture(row, field)) {
            PicArtikel_->update();
            Form_Resize();
        } else {
            msgBox(failure, MsgIcon::Warning);
        }
    };
    const auto fallback = [&] {
        PendingError::clear();
        picDataField_ = QStringLiteral("Tekening");
        std::unique_ptr<Recordset> placeholder = pictures->openRecordset(
            QStringLiteral("SELECT * FROM Illustrations WHERE TekeningNummer = 10000"), Recordset::Dynaset,
            Recordset::ReadOnly);
        if (placeholder && placeholder->hasCurrent())
            showRow(*placeholder, QStringLiteral("Tekening"), drawing, QStringLiteral("De illustratie kon niet worden getoond"));
        PendingError::clear();
    };
    if (!hasSeries) {
        fallback();
        return;
    }
    PendingError::clear();
    std::unique_ptr<Recordset> rows;
    if (drawing > 0) {
        picDataField_ = QStringLiteral("Tekening");
        rows = pictures->openRecordset(QStringLiteral("SELECT * FROM Illustrations WHERE TekeningNummer = ") +
                                           QString::number(drawing),
                                       Recordset::Dynaset, Recordset::ReadOnly);
    } else {
        picDataField_ = QStringLiteral("LijnTekening");
        rows = pictures->openRecordset(QStringLiteral("SELECT * FROM Drawings WHERE LijnTekeningNummer = ") +
                                           QString::number(lineDrawing),
                                       Recordset::Dynaset, Recordset::ReadOnly);
    }
    if (!rows) {
        const EngineError e = PendingError::get();
        if (e.isSet() && e.number != EngineError::ItemNotFound) {
            PicArtikel_->hide();
            msgBox(e.text, MsgIcon::Critical);
        }
        fallback();
        return;
    }
    bool switched = false;
    if (!rows->hasCurrent() && picDataField_ == QLatin1String("Tekening")) {
        if (lineDrawing == 0) {
            fallback();
            return;
        }
        picDataField_ = QStringLiteral("LijnTekening");
        switched = true;
        rows = pictures->openRecordset(QStringLiteral("SELECT * FROM Drawings WHERE LijnTekeningNummer = ") +
                                           QString::number(lineDrawing),
                                       Recordset::Dynaset, Recordset::ReadOnly);
    }
    if (!rows || !rows->hasCurrent()) {
        fallback();
        return;
    }
    const qint64 tag = picDataField_ == QLatin1String("Tekening") ? drawing : lineDrawing;
    showRow(*rows, picDataField_, tag,
            switched ? QStringLiteral("De lijntekening kon niet worden getoond")
                     : QStringLiteral("De illustratie kon niet worden getoond"));
    PendingError::clear();
}

bool FrmArtinfo::DisplayPicture(Recordset& recordset, const QString& field)
{
    if (recordset.fieldIndex(field) < 0) {
        msgBox(QStringLiteral("%1: Display Error, ").arg(EngineError::ItemNotFound) +
                   QStringLiteral("Item niet gevonden in deze verzameling."),
               MsgIcon::Warning);
        PicArtikel_->hide();
        return false;
    }
    if (FetchDocument(PicArtikel_, recordset, field)) {
        PicArtikel_->setVisible(detailsVisible_);
        double factor = 0;
        FitPicture(PicArtikel_, pixelsToTwipsY(PicFrame_->height()), pixelsToTwipsX(PicFrame_->width()), factor);
        PicArtikel_->setVisible(true);
    } else {
        PicArtikel_->hide();
    }
    return true;
}

void FrmArtinfo::Data2_Reposition()
{
    if (shared().BatchInProgress || shared().ListWalkInProgress)
        return;
    Recordset* rs = Data2_->recordset();
    if (!rs || !rs->hasCurrent() || rs->fieldIndex(QStringLiteral("Tekening")) < 0)
        return;
    if (FetchDocument(PicArtikel_, *rs, QStringLiteral("Tekening"))) {
        double factor = 0;
        FitPicture(PicArtikel_, pixelsToTwipsY(PicFrame_->height()), pixelsToTwipsX(PicFrame_->width()), factor);
        PicArtikel_->show();
    } else {
        PicArtikel_->hide();
    }
}

void FrmArtinfo::Data1_Reposition()
{
    if (detailsBusy_ || !products_)
        return;
    Recordset* rs = Data1_->recordset();
    if (!rs || !rs->hasCurrent())
        return;
    detailsBusy_ = true;
    PendingError::clear();
    const QVariant number = rs->value(QStringLiteral("ArtikelNr"));
    if (!products_->seek(QStringLiteral("="), QVariant(qint32(numberOf(number)))) || products_->noMatch()) {
        PendingError::clear();
        detailsBusy_ = false;
        return;
    }
    Recordset& a = *products_;
    const QString group = a.value(QStringLiteral("ProduktGroep")).toString();
    const qint64 seriesCode = numberOf(a.value(QStringLiteral("SerieKode")));
    Data4_->setRecordSource(QStringLiteral("SELECT * FROM ProductGroups WHERE ProduktGroep LIKE '") +
                            sqlEscaped(group.left(5)) + QStringLiteral("*'"));
    Data5_->setRecordSource(QStringLiteral("SELECT * FROM Series WHERE SerieKode = ") + QString::number(seriesCode));
    Data4_->refresh();
    Data5_->refresh();

    const QVariant lineDrawing = a.value(QStringLiteral("LijnTekeningNummer"));
    if (isNullOrZero(lineDrawing)) {
        btnLijntek_->setProperty("Tag", QString());
        btnLijntek_->setProperty("wanted", false);
    } else {
        btnLijntek_->setProperty("Tag", QString::number(numberOf(lineDrawing)));
        btnLijntek_->setProperty("wanted", true);
    }
    const qint64 weeks = std::llround(a.value(QStringLiteral("Beschikbaarheid")).toDouble());
    btnLevertijd_->setProperty("wanted", weeks != 0);
    if (weeks != 0)
        btnLevertijd_->setToolTip(QStringLiteral("Levertijd circa ") + QString::number(weeks) +
                                  (weeks == 1 ? QStringLiteral(" week") : QStringLiteral(" weken")));

    Recordset* series = Data5_->recordset();
    const bool seriesRow = series && series->hasCurrent();
    QString seriesName;
    btnSerietek_->setProperty("Tag", QString());
    btnSerietek_->setProperty("wanted", false);
    if (seriesRow) {
        seriesName = series->value(QStringLiteral("SerieNaam")).toString();
        if (seriesCode > 0 && db_.illustrations) {
            std::unique_ptr<Recordset> pictureOfSeries = db_.illustrations->openRecordset(
                QStringLiteral("SELECT TekeningNummer FROM Illustrations WHERE SerieKode = ") + QString::number(seriesCode),
                Recordset::ForwardOnly, Recordset::ReadOnly);
            if (pictureOfSeries && pictureOfSeries->hasCurrent()) {
                btnSerietek_->setProperty("Tag", QString::number(numberOf(pictureOfSeries->value(0))));
                btnSerietek_->setProperty("wanted", true);
            }
        }
    }
    lblWaarde_[0]->setText(seriesName);
    seriesShown_ = seriesRow && !seriesName.trimmed().isEmpty();

    const qint64 articleNumber = numberOf(number);
    for (int i = 0; i < 2; ++i) {
        const QString table = i == 0 ? QStringLiteral("Additionals") : QStringLiteral("Alternatives");
        std::unique_ptr<Recordset> related = db_.catalog->openRecordset(
            QStringLiteral("SELECT ArtikelNr FROM ") + table + QStringLiteral(" ") +
                QStringLiteral("WHERE ArtikelNr = ") + QString::number(articleNumber),
            Recordset::ForwardOnly, Recordset::ReadOnly);
        cmdOther_[i]->setEnabled(related && related->hasCurrent());
    }

    Recordset* groupRow = Data4_->recordset();
    for (int i = 1; i <= 4; ++i) {
        QLabel* w = lblWaarde_[i];
        w->setAutoFillBackground(false);
        w->setStyleSheet(QString());
        w->setText(QString());
        w->setToolTip(QString());
        w->setProperty("Tag", QVariant());
        if (!groupRow || !groupRow->hasCurrent()) {
            propertyShown_[i] = false;
            continue;
        }
        fillProperty(i, groupRow->value(QStringLiteral("KlassificatieType_%1").arg(i)),
                     groupRow->value(QStringLiteral("KlassificatieNaam_%1").arg(i)).toString(),
                     a.value(QStringLiteral("Klassificatie_%1").arg(i)), series);
    }

    remarkShown_ = false;
    remarkText_.clear();
    if (db_.illustrations) {
        std::unique_ptr<Recordset> remarks =
            db_.illustrations->openRecordset(QStringLiteral("GeneralRemarks"), Recordset::Table, Recordset::ReadOnly);
        if (remarks && remarks->setIndex(QStringLiteral("PrimaryKey")) &&
            remarks->seek(QStringLiteral("="), QVariantList{a.value(QStringLiteral("FabrikantKode")), group,
                                                            a.value(QStringLiteral("SerieKode"))}) &&
            !remarks->noMatch()) {
            remarkText_ = QString() + remarks->value(QStringLiteral("Opmerking")).toString();
            remarkShown_ = true;
        }
    }
    PendingError::clear();
    placeDetailsLabels();
    applyDetailsVisibility();
    detailsBusy_ = false;
}

void FrmArtinfo::fillProperty(int i, const QVariant& typeValue, const QString& name, const QVariant& value,
                              Recordset* series)
{
    lblKlasse_[i]->setText(name);
    if (!typeValue.isValid() || typeValue.isNull()) {
        propertyShown_[i] = false;
        return;
    }
    const int type = int(numberOf(typeValue));
    propertyType_[i] = type;
    QLabel* w = lblWaarde_[i];
    w->setProperty("Tag", type);
    const QLocale locale;
    const QString text = value.toString();
    switch (type) {
    case 0:
        propertyShown_[i] = false;
        return;
    case 1:
        w->setText(formatNumberPattern(Val(text), QStringLiteral("####"), locale));
        break;
    case 2:
        w->setText(formatNumberPattern(Val(text), QStringLiteral("###,###,###"), locale));
        break;
    case 3:
    case 4: {
        QString t = text;
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        w->setText(formatNumberPattern(Val(t), type == 3 ? QStringLiteral("###,###,###.0##") : QStringLiteral("F ###,###.##"),
                                       locale));
        break;
    }
    case 5:
        w->setText(text);
        w->setToolTip(text);
        break;
    case 6:
        propertyShown_[i] = true;
        showColour(i, name, numberOf(value), series);
        return;
    default:
        return; // visibility as it was
    }
    propertyShown_[i] = true;
}

void FrmArtinfo::showColour(int i, const QString& name, qint64 colour, Recordset* series)
{
    QLabel* w = lblWaarde_[i];
    const auto paint = [w](qint64 packed) {
        const QColor background = packedColour(packed);
        // Dark colours get white text, the rest black (as packed numbers, red lowest).
        const QColor text = packed < 0x404040 ? QColor(Qt::white) : QColor(Qt::black);
        w->setAutoFillBackground(true);
        w->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; }")
                             .arg(background.name(), text.name()));
    };
    w->setText(QStringLiteral(" - - - "));
    paint(colour);
    const QString property = QStringLiteral("De klassificerende eigenschap '") + name + QStringLiteral("' vereist ");
    if (!series || !series->hasCurrent()) {
        if (detailsVisible_)
            msgBox(property + QStringLiteral("het gebruik van een kleurenschema die ") +
                       QStringLiteral("gekoppeld is aan een serie. ") +
                       QString::fromUtf8("Deze serie is voor dit artikel nog niet gedefiniëerd."),
                   MsgIcon::Warning);
        return;
    }
    const QVariant fan = series->value(QStringLiteral("KleurenWaaier"));
    if (!fan.isValid() || fan.isNull() || fan.toString().trimmed().isEmpty()) {
        if (detailsVisible_)
            msgBox(property + QStringLiteral("het gebruik van een kleurenschema ") +
                       QStringLiteral("die gekoppeld is aan een serie. ") +
                       QStringLiteral("Het door u geselecteerde artikel verwijst ") +
                       QStringLiteral("naar een serie die nog geen verwijzing naar ") + QStringLiteral("een kleurentabel heeft."),
                   MsgIcon::Warning);
        return;
    }
    std::unique_ptr<Recordset> colours;
    if (db_.illustrations)
        colours = db_.illustrations->openRecordset(
            QStringLiteral("SELECT * FROM ColorSpecifications WHERE Kleurenwaaier = ") + QString::number(numberOf(fan)),
            Recordset::Dynaset, Recordset::ReadOnly);
    if (!colours || !colours->hasCurrent()) {
        PendingError::clear();
        msgBox(QStringLiteral("De verwijzing in de serie naar een ") +
                   QStringLiteral("kleurenschema is ongeldig of is komen te vervallen."),
               MsgIcon::Warning);
        return;
    }
    if (colours->findFirst(QStringLiteral("KleurCode = ") + QString::number(colour))) {
        const QString colourName = colours->value(QStringLiteral("Kleurnaam")).toString();
        w->setText(colourName != QLatin1String("null") ? colourName : QStringLiteral("Onbekend"));
        paint(numberOf(colours->value(QStringLiteral("KleurCode"))));
    }
    PendingError::clear();
    w->setToolTip(QStringLiteral("Klik hier voor kleurenwaaier"));
    w->update();
}

void FrmArtinfo::fitDetailsPicture()
{
    // The picture gets at most half the article side (as the frame always had) and never
    // so much that the property names and values beside it lose their room; the frame
    // then hugs the fitted picture, so no label ever stands on it.
    const int sideWidth = HdrTable_->width();
    const int maxWidth = std::max(40, std::min(sideWidth / 2, sideWidth - 6 - minimumDetailsTextWidth));
    const int height = PicFrame_->height();
    const int border = PicFrame_->frameWidth();
    PicFrame_->resize(maxWidth, height);
    if (!PicArtikel_->pixmap().isNull() && !PicArtikel_->isHidden()) {
        double factor = 0;
        FitPicture(PicArtikel_, pixelsToTwipsY(height - 2 * border), pixelsToTwipsX(maxWidth - 2 * border), factor);
        PicArtikel_->move(border, border);
        PicFrame_->resize(std::min(maxWidth, PicArtikel_->width() + 2 * border), height);
    }
    placeDetailsLabels();
}

void FrmArtinfo::placeDetailsLabels()
{
    const int left = PicFrame_->x() + PicFrame_->width() + 6;
    const int right = clientWidth() - 12;
    const int bottom = HdrTable_->y() - 2;
    // Only the rows shown take a line; when the details are low they move up (next to
    // the empty title line) and close up a little, so no value is ever hidden by the grid.
    QList<int> shown;
    for (int i = 0; i < 5; ++i) {
        if (i == 0 ? seriesShown_ : propertyShown_[i])
            shown << i;
    }
    // The names take what the longest shown name needs (at most 150) and leave the values
    // at least minimumValueWidth.
    int klasseWidth = 40;
    for (int i : shown)
        klasseWidth = std::max(klasseWidth, lblKlasse_[i]->fontMetrics().horizontalAdvance(lblKlasse_[i]->text()) + 8);
    klasseWidth = std::min({klasseWidth, 150, std::max(40, right - left - 6 - minimumValueWidth)});
    const int waardeLeft = left + klasseWidth + 6;
    // Rows level with the picture buttons at the top right stop short of them; when that
    // would leave a value too little room, the rows start below the buttons instead.
    int buttonsLeft = right;
    for (QToolButton* b : {btnLevertijd_, btnSerietek_, btnLijntek_}) {
        if (b->property("wanted").toBool())
            buttonsLeft = std::min(buttonsLeft, b->x() - 6);
    }
    const int buttonsBottom = btnLijntek_->y() + btnLijntek_->height();
    int top = buttonsLeft - waardeLeft < minimumValueWidth ? buttonsBottom + 4 : articleTop + 30;
    int rowHeight = 22;
    if (top + int(shown.size()) * rowHeight > bottom) {
        top = articleTop + 4;
        rowHeight = std::max(18, (bottom - top) / std::max<int>(1, int(shown.size())));
    }
    lblTitel_[0]->setGeometry(left, articleTop + 4, std::max(40, buttonsLeft - left), 20);
    for (int i = 0; i < 5; ++i) {
        const int slot = shown.contains(i) ? int(shown.indexOf(i)) : i;
        const int rowTop = top + slot * rowHeight;
        lblKlasse_[i]->setGeometry(left, rowTop, klasseWidth, std::min(20, rowHeight - 1));
        const int waardeRight = rowTop < buttonsBottom ? buttonsLeft : right;
        lblWaarde_[i]->setGeometry(waardeLeft, rowTop, std::max(30, waardeRight - waardeLeft), std::min(20, rowHeight - 1));
    }
    // The remark shows whole lines only; what does not fit ends in an ellipsis and the
    // whole remark is the tooltip. Without room for one line it is not shown at all.
    const int remarkTop = top + int(shown.size()) * rowHeight + 2;
    const int remarkWidth = std::max(60, right - left);
    const QFontMetrics fm = lblTitel_[1]->fontMetrics();
    const int lines = (bottom - remarkTop) / fm.lineSpacing();
    const FittedText fitted = fitTextToLines(remarkText_, lblTitel_[1]->font(), remarkWidth, std::max(1, lines));
    lblTitel_[1]->setWordWrap(true);
    lblTitel_[1]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTitel_[1]->setText(fitted.text);
    lblTitel_[1]->setToolTip(fitted.cut ? remarkText_ : QString());
    lblTitel_[1]->setGeometry(left, remarkTop, remarkWidth, lines < 1 ? 0 : fitted.lines * fm.lineSpacing() + 2);
}

void FrmArtinfo::applyDetailsVisibility()
{
    const bool show = detailsVisible_;
    Table3_->setVisible(!show);
    Table_->setVisible(show);
    PicFrame_->setVisible(show);
    lblKlasse_[0]->setVisible(show && seriesShown_);
    lblWaarde_[0]->setVisible(show && seriesShown_);
    for (int i = 1; i <= 4; ++i) {
        lblKlasse_[i]->setVisible(show && propertyShown_[i]);
        lblWaarde_[i]->setVisible(show && propertyShown_[i]);
    }
    lblTitel_[0]->setVisible(show);
    lblTitel_[1]->setVisible(show && remarkShown_);
    for (QToolButton* b : {btnLevertijd_, btnSerietek_, btnLijntek_})
        b->setVisible(show && b->property("wanted").toBool());
    for (QPushButton* b : cmdOther_)
        b->setVisible(show);
    HdrTable_->setVisible(show);
    if (show) {
        for (QWidget* w : QList<QWidget*>{PicFrame_, HdrTable_, Table_, cmdOther_[0], cmdOther_[1], btnLevertijd_,
                                          btnSerietek_, btnLijntek_})
            w->raise();
        for (QLabel* l : lblTitel_ + lblKlasse_ + lblWaarde_)
            l->raise();
    }
}

void FrmArtinfo::syncViewButtons()
{
    if (QAction* d = action(QStringLiteral("ViewDetails")))
        d->setChecked(detailsVisible_);
    if (QAction* l = action(QStringLiteral("ViewList")))
        l->setChecked(!detailsVisible_);
    Toolbar1_->update();
}

void FrmArtinfo::DetailsVisible(bool show)
{
    detailsVisible_ = show;
    syncViewButtons();
    applyDetailsVisibility();
    Form_Resize();
    placeDetailsLabels();
    if (show) {
        Table_->setFocus();
    } else {
        Table3_->setGeometry(Table_->x(), articleTop, Table_->width(),
                             std::max(0, clientHeight() - articleTop - Data3_->height() - 12));
        Table3_->raise();
        if (Table3_->isVisible())
            Table3_->setFocus();
    }
}

void FrmArtinfo::Data3_Reposition()
{
    if (data3Busy_ || shared().BatchInProgress || shared().ListWalkInProgress)
        return;
    if (!detailsVisible_ || Data3_->recordCount() == 0)
        return;
    Recordset* rs = Data3_->recordset();
    if (!rs || !rs->hasCurrent())
        return;
    data3Busy_ = true;
    GetArtikel(QString::number(numberOf(rs->value(QStringLiteral("ArtikelNr")))));
    data3Busy_ = false;
}

void FrmArtinfo::Data3_PastEnd(bool forward)
{
    if (data3Busy_ || shared().BatchInProgress || shared().ListWalkInProgress || Data3_->recordCount() == 0)
        return;
    msgBox(forward ? QStringLiteral("U kunt niet verder vooruitbladeren") : QStringLiteral("U kunt niet verder terugbladeren"),
           MsgIcon::Critical);
}

void FrmArtinfo::lblWaarde_MouseUp(int index, Qt::MouseButton button, const QPoint& pos)
{
    if (index < 1 || index > 4 || propertyType_[index] != 6 || !lblWaarde_[index]->isVisible())
        return;
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    openColourFan(index, lblWaarde_[index]->mapToGlobal(pos));
}

void FrmArtinfo::openClassification()
{
    const bool first = !klasseForm_;
    if (first) {
        klasseForm_ = new KlasseForm(*this, this);
        klasseForm_->Form_Load();
    }
    klasseForm_->show();
    if (first) {
        // Centred over the main window the first time; later where the user left it.
        const QRect main = frameGeometry();
        const QSize size = klasseForm_->frameGeometry().size();
        klasseForm_->move(main.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    klasseForm_->raise();
    klasseForm_->activateWindow();
    klasseForm_->groupList()->setFocus();
}

void FrmArtinfo::openColourFan(int propertyIndex, const QPoint& globalPos)
{
    if (colourFan_)
        colourFan_->close();
    delete colourFan_;
    colourFan_ = new FrmKleuren(*this, this);
    colourFan_->setAttribute(Qt::WA_DeleteOnClose);
    colourFan_->setTag(propertyIndex);
    if (!colourFan_->Form_Load())
        return; // no series row: it closed itself
    // Its right edge at the click point, its top at the click height.
    colourFan_->move(globalPos.x() - colourFan_->frameGeometry().width(), globalPos.y());
    colourFan_->show();
}

void FrmArtinfo::cmdOther_Click(int index)
{
    QString cols = columnlayout::ReeksDef(Table_->objectName());
    ReplaceText(cols, QStringLiteral("ArtikelNr"), QStringLiteral("Products.ArtikelNr AS ArtikelNr"));
    if (Data1_->recordCount() == 0) {
        msgBox(QStringLiteral("Er is geen artikel gevonden"), MsgIcon::Warning);
        return;
    }
    if (!products_ || !products_->hasCurrent())
        return;
    WaitCursor hourglass;
    repaint();
    const QString article = QString::number(numberOf(products_->value(QStringLiteral("ArtikelNr"))));
    if (index == 0) {
        // The article's own quantity is the number 1, not the text '1': the UNION then
        // merges it with a stored quantity of 1 (an article listed as its own complement)
        // instead of listing the article twice.
        Data1_->setRecordSource(QStringLiteral("SELECT 1 AS Aantal, ") + cols + QStringLiteral(" FROM Products ") +
                                QStringLiteral("WHERE Products.ArtikelNr = ") + article + QStringLiteral(" UNION ") +
                                QStringLiteral("SELECT Aantal, ") + cols + QStringLiteral(" FROM Products, Additionals ") +
                                QStringLiteral("WHERE (Additionals.ArtikelNr = ") + article +
                                QStringLiteral(" AND Products.ArtikelNr = Additionals.ComplementNummer)"));
        Data1_->refresh();
        Table_->SetColumnWidth();
        Table_->setColumnWidth(0, Table_->fontMetrics().horizontalAdvance(QStringLiteral("xxxxxxx")));
    } else if (index == 1) {
        const QString previous = Data1_->recordSource();
        Data1_->setRecordSource(QStringLiteral("SELECT ") + cols + QStringLiteral(" FROM Products ") +
                                QStringLiteral("WHERE ArtikelNr IN (SELECT AlternatiefArtikel ") +
                                QStringLiteral("FROM Alternatives ") + QStringLiteral("WHERE Alternatives.ArtikelNr = ") +
                                article + QStringLiteral(") ORDER BY ProduktGroep, ArtikelNr"));
        Data1_->refresh();
        if (Data1_->recordCount() == 0) {
            msgBox(QStringLiteral("Er is geen alternatief artikel gevonden"), MsgIcon::Warning);
            Data1_->setRecordSource(previous);
            Data1_->refresh();
        }
        Table_->SetColumnWidth();
    }
    PendingError::clear();
}

// ---------------------------------------------------------------------------------------
// Menus and toolbar
// ---------------------------------------------------------------------------------------

void FrmArtinfo::BMenu_Click(int index)
{
    if (index == -1) {
        // The first import: on the delivered files in the ProductFile folder.
        show();
        activateWindow();
        ASCIIimport(programState().productFile, false);
        if (QWidget* focus = QApplication::focusWidget()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(focus, &escape);
        }
    } else if (index == 5) {
        // Printer set-up; cancelling is silent.
        systemPrinter().printerDialog(this);
    } else if (index == 6) {
        printList();
    } else if (index == 0) {
        if (services_.showCommunicationSettings)
            services_.showCommunicationSettings(this);
    } else if (index == 8) {
        close();
    }
}

void FrmArtinfo::printList()
{
    ArticleGrid* grid = detailsVisible_ ? Table_ : Table3_;
    DataControl* data = detailsVisible_ ? Data1_ : Data3_;
    if (!data->recordset() || data->recordCount() == 0) {
        msgBox(QStringLiteral("Er zijn geen records geselecteerd"), MsgIcon::Critical);
        return;
    }
    WaitCursor hourglass;
    repaint();
    listoutput::ListPrint list;
    list.title = detailsVisible_ ? QStringLiteral("Vandrel Productinformatie") : QStringLiteral("Vandrel Artikeloverzicht");
    list.query = TxtZoek_->text();
    list.columns = listoutput::visibleColumns(*grid);
    list.widthTotal = listoutput::widthTotal(listoutput::visibleColumns(*Table3_)); // always the list grid's
    RecordsetModel* model = grid->recordsetModel();
    list.rowCount = model->rowCount();
    list.value = [model](int row, const listoutput::Column& c) {
        return RecordsetModel::formatValue(model->value(row, c.modelColumn), c.numberFormat);
    };
    list.pump = [] { pumpEvents(); };
    PrintDevice& device = currentPrintDevice();
    if (&device == &systemPrinter())
        systemPrinter().setJobName(list.title);
    listoutput::printList(device, list);
}

void FrmArtinfo::WMenu_Click(int index)
{
    if (index == 1) {
        QApplication::clipboard()->clear();
        if (!PicArtikel_->pixmap().isNull())
            QApplication::clipboard()->setPixmap(PicArtikel_->pixmap());
    } else if (index == 2) {
        if (!detailsVisible_) {
            msgBox(QStringLiteral("U kunt alleen het artikelinformatiescherm in het clipbord zetten."), MsgIcon::Critical);
            return;
        }
        if (!Data1_->recordset() || Data1_->recordCount() == 0) {
            msgBox(QStringLiteral("Er zijn geen records geselecteerd"), MsgIcon::Critical);
            return;
        }
        shared().ListWalkInProgress = true;
        RecordsetModel* model = Table_->recordsetModel();
        const QString text = listoutput::seriesText(
            lblWaarde_[0]->text(), listoutput::visibleColumns(*Table_), model->rowCount(),
            [model](int row, const listoutput::Column& c) {
                return RecordsetModel::formatValue(model->value(row, c.modelColumn), c.numberFormat);
            });
        shared().ListWalkInProgress = false;
        QApplication::clipboard()->clear();
        QApplication::clipboard()->setText(text);
    }
}
void FrmArtinfo::EMenu_Click(int index)
{
    switch (index) {
    case 1:
    case 2:
        if (services_.newOrderWindow) {
            if (QWidget* w = services_.newOrderWindow(index == 1 ? QStringLiteral("NEW") : QStringLiteral("OPEN")))
                connect(w, &QObject::destroyed, this, &FrmArtinfo::refreshDocumentMenus, Qt::UniqueConnection);
        }
        refreshDocumentMenus();
        break;
    case 3:
    case 5:
    case 6:
    case 7: {
        const QString command = index == 3 ? QStringLiteral("CLOSE")
                                : index == 5 ? QStringLiteral("SAVE")
                                : index == 6 ? QStringLiteral("SAVEAS")
                                             : QStringLiteral("DELETE");
        if (QWidget* w = lastOrderWindow(); w && services_.sendDocumentCommand)
            services_.sendDocumentCommand(w, command);
        break;
    }
    case 9:
        sendOrderFiles();
        break;
    default: break;
    }
}

void FrmArtinfo::sendOrderFiles()
{
    if (!services_.sendOrders)
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Verzenden orders");
    request.filter = QStringLiteral("Vandrel bestelling (*.vdb)|*.vdb|Alle bestanden (*.*)|*.*||");
    request.fileName = QStringLiteral("*.vdb");
    const std::optional<QStringList> files = Ui::instance().openFileNames(request);
    if (!files || files->isEmpty())
        return;
    services_.sendOrders(*this, *files);
}

QWidget* FrmArtinfo::lastOrderWindow() const
{
    const QWidget* last = shared().LastOrderWindow.data();
    for (QWidget* w : openWindows()) {
        if (last && w == last && w->objectName() == QLatin1String("FrmBestel"))
            return w;
    }
    return nullptr;
}

void FrmArtinfo::refreshDocumentMenus()
{
    bool orderOpen = false;
    for (QWidget* w : openWindows())
        orderOpen = orderOpen || w->objectName() == QLatin1String("FrmBestel");
    for (int i : {3, 5, 6, 7})
        action(QStringLiteral("EMenu%1").arg(i))->setEnabled(orderOpen);
    bool quotationOpen = false;
    for (QWidget* w : openWindows())
        quotationOpen = quotationOpen || w->objectName() == QLatin1String("FrmOfferte");
    for (int i : {3, 5, 6, 7})
        action(QStringLiteral("OMenu%1").arg(i))->setEnabled(quotationOpen);
    for (const char* key : {"SaveFile", "Trashbin"}) {
        if (QAction* button = action(QString::fromLatin1(key)))
            button->setEnabled(orderOpen || quotationOpen);
    }
}

void FrmArtinfo::OMenu_Click(int index)
{
    switch (index) {
    case 1:
    case 2:
        if (services_.newQuotationWindow) {
            if (QWidget* w = services_.newQuotationWindow(index == 1 ? QStringLiteral("NEW") : QStringLiteral("OPEN"), this))
                connect(w, &QObject::destroyed, this, &FrmArtinfo::refreshDocumentMenus, Qt::UniqueConnection);
        }
        refreshDocumentMenus();
        break;
    case 3:
    case 5:
    case 6:
    case 7: {
        const QString command = index == 3 ? QStringLiteral("CLOSE")
                                : index == 5 ? QStringLiteral("SAVE")
                                : index == 6 ? QStringLiteral("SAVEAS")
                                             : QStringLiteral("DELETE");
        if (QWidget* w = lastQuotationWindow(); w && services_.sendDocumentCommand)
            services_.sendDocumentCommand(w, command);
        break;
    }
    default: break;
    }
}

QWidget* FrmArtinfo::lastQuotationWindow() const
{
    const QWidget* last = shared().LastQuotationWindow.data();
    for (QWidget* w : openWindows()) {
        if (last && w == last && w->objectName() == QLatin1String("FrmOfferte"))
            return w;
    }
    return nullptr;
}
void FrmArtinfo::PMenu_Click(int index)
{
    const QString& helpFile = helpFile_;
    switch (index) {
    case 1: showHelpTopic(helpFile, 461); break;
    case 2: showHelpTopic(helpFile, 462); break;
    case 4: showHelpTopic(helpFile, 199); break;
    default: break; // "A&ctualiteiten" has no action
    }
}

void FrmArtinfo::HMenu_Click(int index)
{
    switch (index) {
    case 1: showHelpContents(); break;
    case 2: showHelpSearch(); break;
    case 3:
        if (services_.openSupportPage)
            services_.openSupportPage();
        break;
    case 5: InfoForm::showModal(this); break;
    case 7: reorganiseCatalog(); break;
    default: break;
    }
}

void FrmArtinfo::reorganiseCatalog()
{
    const QString title = QStringLiteral("Reorganiseren artikelgegevens");
    if (msgBox(QStringLiteral("ATTENTIE: Het reorganiseren van de artikelgegevens kan lange tijd in beslag nemen. Weet "
                              "u zeker dat u wilt doorgaan met deze opdracht?"),
               MsgIcon::Warning, MsgButtons::YesNo, title, 1) != MsgAnswer::Yes)
        return;
    // Every handle on the databases is closed and opened again: open order and quotation
    // windows would lose theirs, so they are closed first by the user.
    for (QWidget* w : openWindows()) {
        if (w != this && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog)) {
            msgBox(QStringLiteral("Sluit eerst alle andere vensters (bestellingen, offertes, illustraties) en kies "
                                  "daarna opnieuw voor reorganiseren."),
                   MsgIcon::Information, MsgButtons::Ok, title);
            return;
        }
    }
    setEnabled(false);
    PercFormMeter meter;
    products_.reset();
    for (DataControl* d : {Data1_, Data2_, Data3_, Data4_, Data5_})
        d->closeRecordset();
    if (services_.closeDatabases)
        services_.closeDatabases();
    db_ = MainWindowDatabases();
    Database::closeAll();
    pumpEvents();

    CatalogReorganisation reorganisation(programState().productFile, meter);
    const CatalogReorganisation::Result result = reorganisation.run();
    meter.close();

    // In every case: the window back, the outcome told, the databases and views reloaded.
    setEnabled(true);
    switch (result.outcome) {
    case CatalogReorganisation::Outcome::Done:
        msgBox(QStringLiteral("De reorganisatie is succesvol voltooid."), MsgIcon::Information, MsgButtons::Ok, title);
        break;
    case CatalogReorganisation::Outcome::Recovered:
        msgBox(QStringLiteral("De reorganisatie is voltooid.") + QStringLiteral("\n\n") + result.message,
               MsgIcon::Warning, MsgButtons::Ok, title);
        break;
    case CatalogReorganisation::Outcome::InUse:
    case CatalogReorganisation::Outcome::Failed:
        msgBox(result.message, MsgIcon::Warning, MsgButtons::Ok, title);
        break;
    }
    if (!Form_Load())
        close();
}

void FrmArtinfo::Toolbar1_ButtonClick(const QString& key)
{
    refreshDocumentMenus();
    const DocumentKind kind = lastDocumentKind(openWindows(), shared().LastDocumentWindow.data());
    const MenuCommand command = toolbarCommand(key, kind);
    const auto runIfEnabled = [this](const QString& actionName, auto handler, int index) {
        QAction* a = action(actionName);
        if (a && a->isEnabled())
            (this->*handler)(index);
    };
    switch (command.menu) {
    case MenuCommand::FileMenu: runIfEnabled(QStringLiteral("BMenu%1").arg(command.index), &FrmArtinfo::BMenu_Click, command.index); break;
    case MenuCommand::OrderMenu: runIfEnabled(QStringLiteral("EMenu%1").arg(command.index), &FrmArtinfo::EMenu_Click, command.index); break;
    case MenuCommand::QuotationMenu: runIfEnabled(QStringLiteral("OMenu%1").arg(command.index), &FrmArtinfo::OMenu_Click, command.index); break;
    case MenuCommand::ViewMenu: runIfEnabled(QStringLiteral("DMenu%1").arg(command.index), &FrmArtinfo::DMenu_Click, command.index); break;
    case MenuCommand::Nothing: break;
    }
}

QVariant FrmArtinfo::seriesColourFan() const
{
    Recordset* series = Data5_->recordset();
    if (!series || !series->hasCurrent())
        return {};
    return series->value(QStringLiteral("KleurenWaaier"));
}

// ---------------------------------------------------------------------------------------
// The settings' view of the window (window values in twips, splitters in pixels)
// ---------------------------------------------------------------------------------------

bool FrmArtinfo::restoreColumnEntryVisible() const { return mnuRestoreCol_->isVisible(); }
void FrmArtinfo::setRestoreColumnEntryVisible(bool visible)
{
    mnuRestoreCol_->setVisible(visible);
}
bool FrmArtinfo::isNormalState() const
{
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}
void FrmArtinfo::setNormalState() { setWindowState(Qt::WindowNoState); }
double FrmArtinfo::windowTop() const { return pixelsToTwipsY(pos().y()); }
double FrmArtinfo::windowLeft() const { return pixelsToTwipsX(pos().x()); }
double FrmArtinfo::windowHeight() const { return pixelsToTwipsY(height()); }
double FrmArtinfo::windowWidth() const { return pixelsToTwipsX(width()); }
void FrmArtinfo::setWindowTop(double t) { move(pos().x(), twipsToPixelsY(t)); }
void FrmArtinfo::setWindowLeft(double l) { move(twipsToPixelsX(l), pos().y()); }
void FrmArtinfo::setWindowHeight(double h) { resize(width(), std::max(200, twipsToPixelsY(h))); }
void FrmArtinfo::setWindowWidth(double w) { resize(std::max(300, twipsToPixelsX(w)), height()); }
double FrmArtinfo::horizontalBarTop() const { return barTopWanted_; }
void FrmArtinfo::setHorizontalBarTop(double pixels)
{
    barTopWanted_ = int(pixels);
    HdrTable_->move(HdrTable_->x(), barTopWanted_);
}
double FrmArtinfo::verticalBarLeft() const { return barLeftWanted_; }
void FrmArtinfo::setVerticalBarLeft(double pixels)
{
    barLeftWanted_ = int(pixels);
    LblBorder_->move(barLeftWanted_, LblBorder_->y());
}
double FrmArtinfo::screenWidth() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? pixelsToTwipsX(s->size().width()) : 0;
}
double FrmArtinfo::screenHeight() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? pixelsToTwipsY(s->size().height()) : 0;
}

} // namespace vandrel
