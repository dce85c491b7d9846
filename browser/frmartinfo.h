#pragma once

#include "app/core/settings.h"
#include "browser/articlelisthost.h"
#include "browser/toolbardispatch.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;

namespace vandrel {

class ArticleGrid;
class ArticleSearcher;
class Database;
class DataControl;
class FrmKleuren;
class GroupTree;
class KlasseForm;
class Recordset;
class SplitterBar;
struct ViewerContext;
class WindowSurface;

// The databases the main window works on; owned by whoever opened them.
struct MainWindowDatabases {
    Database* catalog = nullptr;
    Database* orders = nullptr;
    Database* illustrations = nullptr;
};

class FrmArtinfo;

// What the main window needs from outside the browser; tests put their own in.
struct MainWindowServices {
    // Opens the catalog and orders databases, then the illustration database. False
    // when the program must end (the user chose so in the questions asked meanwhile).
    std::function<bool(MainWindowDatabases&, SettingsWindow* window)> openCatalogDatabases;
    std::function<bool(MainWindowDatabases&)> openIllustrationDatabase;
    // Closes what the open calls opened.
    std::function<void()> closeDatabases;
    // Starts the program's own executable again and ends this copy (after a file import).
    std::function<void()> restartProgram;
    // Starts a program file (a downloaded program update).
    std::function<void(const QString& program)> startProgram;
    // Document windows: a new order window carrying out "NEW" or "OPEN" (null when none
    // stays open), and a command sent to an open document window through its Action
    // channel (false when the window has none).
    std::function<QWidget*(const QString& command)> newOrderWindow;
    std::function<bool(QWidget* window, const QString& command)> sendDocumentCommand;
    // This copy was started by restartProgram after an import: an empty list is then
    // reported, never imported again (one restart per import).
    bool startedAfterImport = false;
    // The communication settings: read at start-up (asked for when there are none), and
    // the window of "&Modeminstelling...".
    std::function<void(QWidget* parent)> loadCommunicationSettings;
    std::function<void(QWidget* parent)> showCommunicationSettings;
    // "&On-line support...": the installation's support page in the desktop's browser.
    std::function<void()> openSupportPage;
    // A new quotation window carrying out "NEW" or "OPEN"; the main window owns what it
    // shows in the text editor.
    std::function<QWidget*(const QString& command, QWidget* mainWindow)> newQuotationWindow;
    // The host sessions: the catalog update (update menu "via &Orbisnet", the start-up
    // reminder's "Ja") and the order upload of the chosen order files ("&Verzenden...").
    std::function<void(FrmArtinfo& window)> startCatalogUpdate;
    std::function<void(FrmArtinfo& window, const QStringList& orderFiles)> sendOrders;
};

// FrmArtinfo: the main window with the group tree, the article list and details, the
// search bar, menus and toolbar.
// Room the article side always keeps: a few grid rows, the names and values beside the
// picture, and a width for the side itself.
constexpr int minimumGridHeight = 64;
constexpr int minimumDetailsTextWidth = 240;
constexpr int minimumValueWidth = 100;
constexpr int minimumArticleSideWidth = 360;

class FrmArtinfo : public QMainWindow, public SettingsWindow, public ArticleListHost {
    Q_OBJECT
public:
    explicit FrmArtinfo(MainWindowServices services);
    ~FrmArtinfo() override;

    // The start-up sequence. False when the program must end; the window is then not
    // shown.
    bool Form_Load();

    // Menu handlers: every entry of a menu array calls its handler with its index.
    void BMenu_Click(int index);
    void WMenu_Click(int index);
    void EMenu_Click(int index);
    // "&Verzenden...": chooses saved order files and hands them to the order upload.
    void sendOrderFiles();
    void OMenu_Click(int index);
    void DMenu_Click(int index);
    void PMenu_Click(int index);
    void HMenu_Click(int index);
    void mnuT_Click(int index);
    void mnuRestoreCol_Click();
    void Toolbar1_ButtonClick(const QString& key);
    // The order menu's entries that need an open order window follow the open windows.
    void refreshDocumentMenus();

    // Splitter routines (positions in pixels of the client area).
    void HdrTable_MouseMove(Qt::MouseButtons buttons, int x, int y);
    void LblBorder_MouseMove(Qt::MouseButtons buttons, int x, int y);

    // The catalog import of the files in directory (ending in a separator).
    bool ASCIIimport(const QString& directory, bool updateMode);
    // "Update via bestanden": asks for the directory and imports from it.
    void mnuUpdateDISK_Click();

    // The details view.
    bool GetArtikel(const QString& number);
    void DetailsVisible(bool show);
    QLabel* groupCaption() const { return lblGroep_; }
    // The number of the illustration or line drawing displayed in the picture (the
    // placeholder's own number for an article without one); a click opens its viewer.
    qint64 shownPictureNumber() const { return shownPictureNumber_; }
    bool DisplayPicture(Recordset& recordset, const QString& field);
    void cmdOther_Click(int index);
    // The number of the picture shown and the field it came from (PicArtikel's Tag and
    // DataField): articles of one series keep the picture without a new fetch.
    qint64 pictureTag() const { return picTag_; }
    QString pictureDataField() const { return picDataField_; }

    // The search bar.
    void TxtZoek_KeyPress(int keyAscii);
    void CmbZoek_Click();
    QComboBox* cmbZoek() const { return CmbZoek_; }
    QLineEdit* txtZoek() const { return TxtZoek_; }

    // The product group tree: a leaf chosen lists its articles.
    void chooseGroup(qint32 itemData, const QString& text);
    void SetGroupColour(const QString& mainGroupText);

    // Builds the tree from GRPINFO.TXT. False when the file is missing (the program ends).
    bool buildGroupTree();

    bool detailsVisible() const { return detailsVisible_; }
    bool mouseHeld() const { return mouseHeld_; }
    bool splitterDragging() const { return dragging_; }
    int clientWidth() const;
    int clientHeight() const;

    ArticleGrid* table3() const { return Table3_; }
    ArticleGrid* table() const { return Table_; }
    DataControl* data1() const { return Data1_; }
    DataControl* data3() const { return Data3_; }
    GroupTree* outline1() const { return Outline1_; }
    QAction* action(const QString& objectName) const;
    const MainWindowDatabases& databases() const { return db_; }

    // ArticleListHost
    Database* catalogDatabase() const override { return db_.catalog; }
    Database* illustrationDatabase() const override { return db_.illustrations; }
    DataControl* listData() const override { return Data3_; }
    ArticleGrid* listGrid() const override { return Table3_; }
    void showListView() override { DMenu_Click(0); }
    QVariant seriesColourFan() const override;

    // SettingsWindow
    bool restoreColumnEntryVisible() const override;
    void setRestoreColumnEntryVisible(bool visible) override;
    bool isNormalState() const override;
    void setNormalState() override;
    double windowTop() const override;
    double windowLeft() const override;
    double windowHeight() const override;
    double windowWidth() const override;
    void setWindowTop(double twips) override;
    void setWindowLeft(double twips) override;
    void setWindowHeight(double twips) override;
    void setWindowWidth(double twips) override;
    double horizontalBarTop() const override;
    void setHorizontalBarTop(double pixels) override;
    double verticalBarLeft() const override;
    void setVerticalBarLeft(double pixels) override;
    double screenWidth() const override;
    double screenHeight() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createToolbar();
    void layoutHorizontal();
    void layoutVertical();
    void Form_Resize();
    bool Form_QueryUnload();
    void Form_Unload();
    void switchToListView();
    void setListSource(const QString& recordSource);
    void storeGridLayout(ArticleGrid* grid);
    void saveWindowSettings();
    void showGridMenu(ArticleGrid* grid, const QPoint& globalPos, bool hasSelection);
    void updateReminder();
    void checkCatalogFreshness();
    void Data1_Reposition();
    void Data2_Reposition();
    void Data3_Reposition();
    void Data3_PastEnd(bool forward);
    void fillProperty(int i, const QVariant& type, const QString& name, const QVariant& value,
                      Recordset* series);
    void showColour(int i, const QString& name, qint64 colour, Recordset* series);
    void choosePicture(Recordset& article, bool hasSeries);
    void placeDetailsLabels();
    void fitDetailsPicture();
    void applyDetailsVisibility();
    void syncViewButtons();
    void lblWaarde_MouseUp(int index, Qt::MouseButton button, const QPoint& pos);
    ViewerContext viewerContext();
    QString illustrationCaption(const QString& articleNumber) const;
    void openClassification();
    void openColourFan(int propertyIndex, const QPoint& globalPos);
    void offerFirstImport();
    void checkStoredLayouts();
    void showListError();
    bool offerInterruptedImport();
    void ensureScanFile();
    void reorganiseCatalog();
    QList<QWidget*> openWindows() const;
    QWidget* lastOrderWindow() const;
    void printList();
    QWidget* lastQuotationWindow() const;
    void startDrag(SplitterBar* bar);
    void endDrag(SplitterBar* bar);

    MainWindowServices services_;
    MainWindowDatabases db_;
    std::unique_ptr<Recordset> products_; // Products by PrimaryKey, for the details' seeks
    std::unique_ptr<ArticleSearcher> searcher_;

    WindowSurface* surface_ = nullptr;
    QToolBar* Toolbar1_ = nullptr;
    QComboBox* CmbZoek_ = nullptr;
    QLineEdit* TxtZoek_ = nullptr;
    QLabel* HdrInhoud_ = nullptr;
    QLabel* HdrProdukt_ = nullptr;
    QLabel* lblGroep_ = nullptr;
    GroupTree* Outline1_ = nullptr;
    SplitterBar* LblBorder_ = nullptr;
    SplitterBar* HdrTable_ = nullptr;
    QLabel* PicFrame_ = nullptr;
    QLabel* PicArtikel_ = nullptr;
    QList<QLabel*> lblTitel_;
    QList<QLabel*> lblWaarde_;
    QList<QLabel*> lblKlasse_;
    QToolButton* btnLevertijd_ = nullptr;
    QToolButton* btnSerietek_ = nullptr;
    QToolButton* btnLijntek_ = nullptr;
    ArticleGrid* Table_ = nullptr;
    ArticleGrid* Table3_ = nullptr;
    QList<QPushButton*> cmdOther_;
    DataControl* Data1_ = nullptr;
    DataControl* Data3_ = nullptr;
    DataControl* Data2_ = nullptr;
    DataControl* Data4_ = nullptr;
    DataControl* Data5_ = nullptr;
    QMenu* mnuTabel_ = nullptr;
    QPointer<KlasseForm> klasseForm_;
    QPointer<FrmKleuren> colourFan_;
    QAction* mnuRestoreCol_ = nullptr;
    ArticleGrid* menuGrid_ = nullptr;

    bool detailsVisible_ = false;
    bool data3Busy_ = false;
    bool detailsBusy_ = false;
    qint64 picTag_ = 0;
    qint64 shownPictureNumber_ = 0;
    QString picDataField_ = QStringLiteral("Tekening");
    // What the last article wants shown in the details view.
    bool seriesShown_ = false;
    bool remarkShown_ = false;
    QString remarkText_; // the general remark in full; the label may show it shortened
    QList<bool> propertyShown_ = {false, false, false, false, false};
    QList<int> propertyType_ = {0, 0, 0, 0, 0};
    int barTopWanted_ = 245; // where the user put the horizontal splitter
    int barLeftWanted_ = 236; // and the vertical one
    bool dragging_ = false;
    bool hdrTableBusy_ = false;
    bool lblBorderBusy_ = false;
    bool mouseHeld_ = false;
    bool unloading_ = false;
    bool unloaded_ = false;
    bool settingsApplied_ = false;
    QString helpFile_; // the application's help file
};

} // namespace vandrel
