#pragma once

#include "documents/documentfile.h"

#include <QListWidget>
#include <QPointer>
#include <QWidget>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vandrel {

class ArticleGrid;
class Database;
class DocumentAction;
class FrmOfferte;
class frmOffParam;
class QuotationCatalog;
struct QuotationFileContent;

// List1 of the quotation window: a list of text lines drawn in the columns of their
// fields, whose keys, mouse clicks and drops the window handles.
class QuotationList : public QListWidget {
    Q_OBJECT
public:
    explicit QuotationList(FrmOfferte* window);

    // Column rectangles of a row (viewport coordinates): quantity, article, amount,
    // description.
    QRect columnRect(const QRect& row, int column) const;
    int rowHeight() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    FrmOfferte* window_;
};

// FrmOfferte: a quotation window. Several can be open; each holds its quotation file
// while it shows it and takes its commands through the hidden label Action ("NEW",
// "OPEN", "FASTOPEN", "SAVE", "SAVEAS", "CLOSE", "DELETE"). It deletes itself when it
// unloads.
class FrmOfferte : public QWidget {
    Q_OBJECT
public:
    // mainWindow: the owner of the text editor and the place its output is shown.
    FrmOfferte(Database* orders, Database* catalog, QWidget* mainWindow);
    ~FrmOfferte() override;

    // A new window that carries out the command ("NEW" or "OPEN").
    static FrmOfferte* open(Database* orders, Database* catalog, QWidget* mainWindow,
                            const QString& command);

    void Action_Change(const QString& caption);
    bool LoadOfferte(const QString& path);
    bool SaveOfferte(const QString& path);
    void Recalc(bool reprice);
    void SetArtikel();
    void ShowArtEdit(bool visible);
    QString GetLineField(int index, int field) const;
    void SetLineValue(const QString& amount, int index);

    void Command1_Click(int index);
    void mnuT_Click(int index);
    void mnuEdit_Click(int index);
    void chkBTW_Click();
    void printQuotation();

    // The list's key rules (true when the key was taken).
    bool List1_KeyDown(QKeyEvent* event);
    void List1_KeyPress(QKeyEvent* event);
    void List1_DblClick();
    void List1_MouseUp(const QPoint& globalPos);
    void List1_DragDrop(ArticleGrid& source);
    void placeEditors();

    QString tag() const { return tag_; }
    QString documentPath() const { return documentPath_; }
    bool changed() const { return changed_; }
    QStringList lines() const;
    QListWidget* list() const;
    const QuotationCatalog* catalog() const { return catalog_.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void cmdNew();
    void cmdOpen(bool withDialog);
    void cmdSave();
    void cmdSaveAs();
    void cmdClose();
    void cmdDelete();
    bool drawQuotationCode();
    void unload();
    void showAt150();
    void setCaptionForPath(const QString& path);
    std::optional<QString> askSaveFileName(const QString& title);
    void exportTabFile(frmOffParam& options);

    int currentRow() const;
    void setCurrentRowOnly(int row);
    void setLine(int row, const QString& text);
    void insertLine(int row, const QString& text);
    void insertAboveCurrent(const QStringList& lines);
    void removeLine(int row);
    void ensureOneLine();
    void insertPageBreak();
    void moveFromEditor(int step);
    void openTextEditor(const QString& typed);
    void openArticleEditor(const QString& typedDigit);
    void articleEditorKey(QLineEdit* box, QKeyEvent* event, bool& handled);
    void quantityChanged();
    void articleLeft();
    void markLastQuotationWindow(bool alsoDocument);
    void setChanged() { if (!filling_) changed_ = true; }
    void updateVatNote();

    Database* orders_;
    Database* catalogDb_;
    QPointer<QWidget> mainWindow_;
    std::unique_ptr<QuotationCatalog> catalog_;
    DocumentFile file_;
    QString tag_;
    QString documentPath_;
    QString dialogFileName_ = QStringLiteral("*.vdo");
    bool changed_ = false;
    bool filling_ = false;
    bool unloading_ = false;
    frmOffParam* options_ = nullptr;

    // What the editors remember when they get the focus.
    QString rememberedText_;
    QString rememberedQuantity_;
    QString rememberedAmount_;
    QString rememberedArticle_;

    DocumentAction* Action_ = nullptr;
    QGroupBox* frame_ = nullptr;
    QLineEdit* txtReferentie_ = nullptr;
    QLineEdit* txtLeverdatum_ = nullptr;
    QCheckBox* chkBTW_ = nullptr;
    QLabel* Label2_ = nullptr;
    QuotationList* List1_ = nullptr;
    QLineEdit* txtEdit_ = nullptr;
    QLineEdit* txtAantal_ = nullptr;
    QLineEdit* txtArtikel_ = nullptr;
    QLineEdit* txtPrijs_ = nullptr;
    QLineEdit* txtOms_ = nullptr;
    QList<QPushButton*> Command1_;
    QMenu* mnuTabel_ = nullptr;
    QList<QAction*> mnuT_;
    QList<QAction*> mnuEdit_;
};

} // namespace vandrel
