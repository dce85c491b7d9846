#include "browser/frmartinfo.h"

#include "app/core/cp1252.h"
#include "app/core/events.h"
#include "app/core/helpers.h"
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
#include "browser/grouptree.h"
#include "browser/recordsetmodel.h"
#include "browser/splitterbar.h"
#include "browser/windowsurface.h"
#include "catalogdb/database.h"
#include "exchange/catalogimport.h"
#include "exchange/importwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
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

} // namespace

FrmArtinfo::FrmArtinfo(MainWindowServices services) : services_(std::move(services))
{
    setObjectName(QStringLiteral("FrmArtinfo"));
    setWindowTitle(QStringLiteral("Vandrel Interactieve Catalogus"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    createControls();
    createMenus();
    createToolbar();
    resize(twipsToPixelsX(9660), twipsToPixelsY(7575));
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
    // The mode list is chosen from, never typed into.
    CmbZoek_->setEditable(false);
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
        b->setEnabled(false); // related articles come with the details
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

    ArticleSearcher::Window sw;
    sw.list = Data3_;
    sw.grid = Table3_;
    sw.catalog = [this] { return db_.catalog; };
    sw.illustrations = [this] { return db_.illustrations; };
    sw.products = [this] { return products_.get(); };
    sw.scanFile = [] { return programState().productFile + QStringLiteral("VD-CLNT4.SCN"); };
    sw.showListView = [this] { DMenu_Click(0); };
    sw.focusSearchBox = [this] { TxtZoek_->setFocus(); };
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
    entry(b, QStringLiteral("BMenu0"), QStringLiteral("&Modeminstelling..."), 0, &FrmArtinfo::BMenu_Click, false);
    QMenu* update = b->addMenu(QStringLiteral("&Update"));
    update->setObjectName(QStringLiteral("BMenu1"));
    QAction* ib = update->addAction(QStringLiteral("via &Orbisnet"));
    ib->setObjectName(QStringLiteral("mnuUpdateIB"));
    ib->setEnabled(false);
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
    for (const auto& [name, caption] : {std::pair{"mnuExportStdASCII", "&Standaard ASCII..."},
                                        std::pair{"mnuExportHuidig", "&Huidig overzicht..."}}) {
        QAction* a = exports->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(false);
    }
    entry(b, QStringLiteral("BMenu4"), QStringLiteral("-"), 4, &FrmArtinfo::BMenu_Click, true);
    entry(b, QStringLiteral("BMenu5"), QStringLiteral("Printer&instelling..."), 5, &FrmArtinfo::BMenu_Click, false);
    entry(b, QStringLiteral("BMenu6"), QStringLiteral("Af&drukken"), 6, &FrmArtinfo::BMenu_Click, false);
    entry(b, QStringLiteral("BMenu7"), QStringLiteral("-"), 7, &FrmArtinfo::BMenu_Click, true);
    entry(b, QStringLiteral("BMenu8"), QStringLiteral("&Afsluiten"), 8, &FrmArtinfo::BMenu_Click, true);

    QMenu* w = addMenu(QStringLiteral("WMenuMain"), QStringLiteral("Be&werken"));
    entry(w, QStringLiteral("WMenu1"), QStringLiteral("&Kopieer tekening"), 1, &FrmArtinfo::WMenu_Click, false);
    entry(w, QStringLiteral("WMenu2"), QStringLiteral("K&opieer tekst"), 2, &FrmArtinfo::WMenu_Click, false);
    mnuRestoreCol_ = w->addAction(QStringLiteral("&Herstel kolomweergave"));
    mnuRestoreCol_->setObjectName(QStringLiteral("mnuRestoreCol"));
    connect(mnuRestoreCol_, &QAction::triggered, this, &FrmArtinfo::mnuRestoreCol_Click);

    QMenu* e = addMenu(QStringLiteral("EMenuMain"), QStringLiteral("B&estelling"));
    const QStringList orderEntries = {"&Nieuw", "&Openen...", "&Sluiten", "-", "O&pslaan",
                                      "Ops&laan Als...", "&Wissen", "-", "&Verzenden..."};
    for (int i = 0; i < orderEntries.size(); ++i) {
        QAction* a = entry(e, QStringLiteral("EMenu%1").arg(i + 1), orderEntries[i], i + 1, &FrmArtinfo::EMenu_Click, false);
        if (i + 1 == 7)
            a->setVisible(false);
    }
    QMenu* o = addMenu(QStringLiteral("OMenuMain"), QStringLiteral("&Offerte"));
    const QStringList quotationEntries = {"&Nieuw", "&Openen...", "&Sluiten", "-", "O&pslaan", "Ops&laan Als...", "&Wissen"};
    for (int i = 0; i < quotationEntries.size(); ++i)
        entry(o, QStringLiteral("OMenu%1").arg(i + 1), quotationEntries[i], i + 1, &FrmArtinfo::OMenu_Click, false);

    QMenu* d = addMenu(QStringLiteral("DMenuMain"), QStringLiteral("Beel&d"));
    entry(d, QStringLiteral("DMenu0"), QStringLiteral("&Overzicht"), 0, &FrmArtinfo::DMenu_Click, true);
    entry(d, QStringLiteral("DMenu1"), QStringLiteral("&Details"), 1, &FrmArtinfo::DMenu_Click, false);

    QMenu* p = addMenu(QStringLiteral("PMenuMain"), QStringLiteral("&Vandrel"));
    const QStringList wholesaler = {"&Adresinformatie", "&Contactpersonen", "A&ctualiteiten", "&Leveringsvoorwaarden"};
    for (int i = 0; i < wholesaler.size(); ++i) {
        QAction* a = entry(p, QStringLiteral("PMenu%1").arg(i + 1), wholesaler[i], i + 1, &FrmArtinfo::PMenu_Click, false);
        if (i == 1 || i == 2)
            a->setVisible(false);
    }

    QMenu* h = addMenu(QStringLiteral("HMenuMain"), QStringLiteral("&?"));
    const QStringList help = {"Inhouds&opgave", "&Zoeken...", "&On-line support...", "-",
                              "Programma &info...", "-", "&Reorganiseren artikelgegevens"};
    for (int i = 0; i < help.size(); ++i)
        entry(h, QStringLiteral("HMenu%1").arg(i + 1), help[i], i + 1, &FrmArtinfo::HMenu_Click, i + 1 == 5);

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
        {"SaveFile", "Opslaan", s->standardIcon(QStyle::SP_DialogSaveButton), "EMenu6", false},
        {"Trashbin", "Wissen", s->standardIcon(QStyle::SP_TrashIcon), "EMenu7", true},
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
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        if (QAction* target = action(QString::fromLatin1(b.target))) {
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
    WaitCursor hourglass;
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
    setProperty("helpFile", programState().helpFile + QStringLiteral("Vandrel catalogus.chm"));

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

    Data3_->setRecordSource(QStringLiteral("SELECT ") + columnlayout::ReeksDef(Table3_->objectName()) +
                            QStringLiteral(" FROM Products ORDER BY ProduktGroep, ArtikelNr"));
    Data1_->refresh();
    Data3_->refresh();
    Table3_->SetColumnWidth();

    if (Data3_->recordCount() > 0)
        DMenu_Click(0);
    else
        offerFirstImport();
    if (unloaded_)
        return false; // the import restarted the program

    show();
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

void FrmArtinfo::offerFirstImport()
{
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
        // This copy ends without saving over what the new one will read.
        unloaded_ = true;
        if (services_.restartProgram)
            services_.restartProgram();
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
            if (auto* act = other->findChild<QLabel*>(QStringLiteral("Action"))) {
                act->clear();
                act->setText(QStringLiteral("CLOSE"));
            } else {
                other->close();
            }
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
    if (unloaded_) {
        event->accept();
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
        const bool wasDragging = dragging_ && HdrTable_->isDragged();
        HdrTable_->setDragged(false);
        layoutHorizontal();
        if (wasDragging || dragging_)
            endDrag(HdrTable_);
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
        LblBorder_->setDragged(false);
        layoutVertical();
        if (dragging_)
            endDrag(LblBorder_);
        saveWindowSettings();
    }
    lblBorderBusy_ = false;
}

void FrmArtinfo::layoutHorizontal()
{
    const int H = clientHeight();
    const int detailsHeight = clamp(HdrTable_->y() - 71, 100, H - 80);
    // The bar snaps back with the details it bounds.
    HdrTable_->move(HdrTable_->x(), detailsHeight + 71);
    const int barTop = HdrTable_->y();
    PicFrame_->setGeometry(PicFrame_->x(), articleTop, PicFrame_->width(), detailsHeight);
    if (!PicArtikel_->pixmap().isNull()) {
        const int maxWidth = std::max(10, lblKlasse_[0]->x() - 6 - PicFrame_->x());
        double factor = 0;
        FitPicture(PicArtikel_, pixelsToTwipsY(detailsHeight), pixelsToTwipsX(maxWidth), factor);
    }

    const int gridTop = barTop + HdrTable_->height() + 3;
    const int gridArea = clamp(H - (gridTop + 30), 30, H);
    Table_->setGeometry(Table_->x(), gridTop, Table_->width(),
                        std::abs(gridArea - 12 - cmdOther_[0]->height()));
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
    const int treeWidth = clamp(LblBorder_->x() - 15, 24, W - 80);
    LblBorder_->move(treeWidth + 15, LblBorder_->y());
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
    if (!PicArtikel_->pixmap().isNull()) {
        double factor = 0;
        FitPicture(PicArtikel_, pixelsToTwipsY(PicFrame_->height()), pixelsToTwipsX(PicFrame_->width()), factor);
    }
    const int klasseLeft = sideLeft + PicFrame_->width() + 6;
    const int klasseWidth = 110;
    for (int i = 0; i < lblKlasse_.size(); ++i) {
        lblKlasse_[i]->setGeometry(klasseLeft, lblKlasse_[i]->y(), klasseWidth, 20);
        const int waardeLeft = klasseLeft + klasseWidth + 6;
        lblWaarde_[i]->setGeometry(waardeLeft, lblWaarde_[i]->y(), std::max(20, W - 12 - waardeLeft), 20);
    }
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

bool FrmArtinfo::eventFilter(QObject* watched, QEvent* event)
{
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

void FrmArtinfo::showListView()
{
    detailsVisible_ = false;
    for (QWidget* w : QList<QWidget*>{PicFrame_, btnLevertijd_, btnSerietek_, btnLijntek_, HdrTable_, Table_,
                                      cmdOther_[0], cmdOther_[1]})
        w->hide();
    for (QLabel* l : lblTitel_ + lblWaarde_ + lblKlasse_)
        l->hide();
    Table3_->show();
    Table3_->raise();
}

void FrmArtinfo::DMenu_Click(int index)
{
    if (index == 0)
        showListView();
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
    HdrTable_->move(HdrTable_->x(), 245);
    LblBorder_->move(236, LblBorder_->y());
    Form_Resize();
    pumpEvents();
}

void FrmArtinfo::showGridMenu(ArticleGrid* grid, const QPoint& globalPos, bool hasSelection)
{
    menuGrid_ = grid;
    action(QStringLiteral("mnuT2"))->setEnabled(hasSelection);
    // Copying rows to the article clipboard comes with the documents.
    action(QStringLiteral("mnuT4"))->setEnabled(false);
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
    }
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
    } else if (index == 8) {
        close();
    }
}

void FrmArtinfo::WMenu_Click(int) {}
void FrmArtinfo::EMenu_Click(int) {}
void FrmArtinfo::OMenu_Click(int) {}
void FrmArtinfo::PMenu_Click(int) {}

void FrmArtinfo::HMenu_Click(int index)
{
    if (index == 5)
        InfoForm::showModal(this);
}

void FrmArtinfo::Toolbar1_ButtonClick(const QString& key)
{
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
double FrmArtinfo::horizontalBarTop() const { return HdrTable_->y(); }
void FrmArtinfo::setHorizontalBarTop(double pixels) { HdrTable_->move(HdrTable_->x(), int(pixels)); }
double FrmArtinfo::verticalBarLeft() const { return LblBorder_->x(); }
void FrmArtinfo::setVerticalBarLeft(double pixels) { LblBorder_->move(int(pixels), LblBorder_->y()); }
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
