#pragma once

#include "documents/documentfile.h"
#include "documents/orderfile.h"
#include "documents/orderrules.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace vandrel {

class ArticleGrid;
class CatalogCursor;
class Database;
class DocumentAction;
class OrderLineStore;
class OrderLinesModel;

// The databases a document window works on (held by the program for its run).
struct DocumentDatabases {
    Database* orders = nullptr;
    Database* catalog = nullptr;
};

// FrmBestel: an order window. Any number can be open; each keeps its lines in
// BestelRegels under its own order code, holds its order file while it shows it, and
// takes its commands through the hidden label Action ("NEW", "OPEN", "FASTOPEN",
// "SAVE", "SAVEAS", "CLOSE", "DELETE"). It deletes itself when it unloads.
class FrmBestel : public QWidget {
    Q_OBJECT
public:
    explicit FrmBestel(DocumentDatabases databases, QWidget* parent = nullptr);
    ~FrmBestel() override;

    // A new window that carries out the command ("NEW" or "OPEN").
    static FrmBestel* open(DocumentDatabases databases, const QString& command);

    void Action_Change(const QString& caption);
    bool LoadOrder(const QString& path);
    bool SaveOrder(const QString& path);
    void Command1_Click(int index);
    void mnuT_Click(int index);
    // Catalog rows dropped from one of the main window's article grids.
    void Table_DragDrop(ArticleGrid& source);

    // The window's tag: its order code ("" before the first command).
    QString tag() const { return tag_; }
    QString documentPath() const { return documentPath_; }
    bool changed() const { return changed_; }
    // The fields as they stand, with the lines in grid order.
    OrderFileContent content() const;
    OrderLinesModel* linesModel() const { return model_; }
    QTableView* table() const { return Table_; }
    DocumentDatabases databases() const { return db_; }

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
    bool drawOrderCode();
    void bindData2();
    void unbindData2(bool deleteRows);
    void unload();
    void showAt150();
    void setCaptionForPath(const QString& path);
    std::optional<QString> askSaveFileName();
    void printOrder();
    void lineEdited(int gridRow, OrderColumn column, const OrderFileLine& line);
    void addLines(const QList<OrderFileLine>& lines);
    QList<int> selectedLineRows() const;
    void showTableMenu(const QPoint& globalPos);
    void markLastOrderWindow(bool alsoDocument);
    void setChanged() { if (!filling_) changed_ = true; }

    DocumentDatabases db_;
    std::unique_ptr<CatalogCursor> catalog_;
    std::unique_ptr<OrderLineStore> store_;
    DocumentFile file_;
    QString tag_;
    QString documentPath_;
    QString dialogFileName_ = QStringLiteral("*.vdb");
    bool changed_ = false;
    bool filling_ = false;
    bool unloading_ = false;
    bool printing_ = false; // commands wait until the printout is done

    DocumentAction* Action_ = nullptr;
    QTableView* Table_ = nullptr;
    OrderLinesModel* model_ = nullptr;
    QGroupBox* frame_ = nullptr;
    QLineEdit* txtReferentie_ = nullptr;
    QLineEdit* txtLeverdatum_ = nullptr;
    QPlainTextEdit* txtAdres_ = nullptr;
    QCheckBox* chkAfhalen_ = nullptr;
    QList<QPushButton*> Command1_;
    QMenu* mnuTabel_ = nullptr;
};

} // namespace vandrel
