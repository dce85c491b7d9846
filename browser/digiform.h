#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QPushButton;
class QTextEdit;

namespace vandrel {

class Database;
class PrintDevice;
class Recordset;

// What a viewer needs of the main window.
struct ViewerContext {
    Database* illustrationDb = nullptr;
    Database* catalogDb = nullptr;   // hotspot look-up of linked articles
    QWidget* mainWindow = nullptr;   // geometry taken over, made visible again afterwards
    // Looks the article up in the main window (its GetArtikel); the view is not switched.
    std::function<bool(const QString& articleNumber)> getArtikel;
};

// Ends a print job, retrying a failing end a bounded number of times so that a printer
// that keeps failing cannot hang the program. True when an attempt succeeded.
bool endPrintJobWithRetry(const std::function<bool()>& endOnce, int attempts = 5);

// The parts both viewers share: picture, description, menu, layout, copy and print.
class PictureViewer : public QDialog {
    Q_OBJECT
public:
    QLabel* picture() const { return picture_; }
    QTextEdit* description() const { return description_; }
    QMenu* fileMenu() const { return menu_; }
    // The display scale of the last layout.
    double displayScale() const { return scale_; }
    QString title() const { return title_; }
    // The Titel field as printed (empty when Null).
    QString printTitle() const { return printTitle_; }

    // Loads the description: nothing for Null, rich text over 64 characters, else empty.
    void GetRTF(const QVariant& field);
    // The picture field of the current row into the picture; false on an error.
    bool DisplayPicture(const Recordset& recordset);
    void copyPicture();
    // Prints on the program's printer (currentPrintDevice()).
    void printPicture();
    void layoutViewer();

protected:
    PictureViewer(const ViewerContext& context, const QString& caption,
                  const QString& pictureField, QWidget* parent);
    // Steps shared by both viewers' opening; false when the picture cannot be shown.
    bool prepare(const Recordset& recordset, const QString& caption,
                 const QString& descriptionField, const QString& failureText);
    virtual void layoutExtras() {}
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Opens the viewer modally on the current row; closes it and shows the main window.
    static void runModal(PictureViewer& viewer, const Recordset& recordset);
    // Opens the query; nothing happens when it returns no row.
    static void runQuery(const ViewerContext& context, const QString& sql,
                         const std::function<std::unique_ptr<PictureViewer>()>& make);
    virtual bool open(const Recordset& recordset) = 0;

    ViewerContext context_;
    QLabel* picture_ = nullptr;
    QTextEdit* description_ = nullptr;
    QMenu* menu_ = nullptr;
    QString pictureField_;
    QString title_;
    QString printTitle_;
    double scale_ = 0;
};

// The illustration viewer with its hotspots.
class DigiForm final : public PictureViewer {
    Q_OBJECT
public:
    explicit DigiForm(const ViewerContext& context, QWidget* parent = nullptr);

    // Opens "Select * From Illustrations Where TekeningNummer = " + number, modally.
    static void showIllustration(qint64 tekeningNummer, const ViewerContext& context);
    // Modally on the current row of a record set the caller keeps (the article picture).
    static void showIllustration(const Recordset& recordset, const ViewerContext& context);

    // Opening steps up to the modal show; false when the viewer must not be shown.
    bool open(const Recordset& recordset) override;
    // The illustration shown (the window's Tag).
    QString tag() const { return tag_; }
    QPushButton* hotspotButton() const { return btnhotspot_; }
    // The hotspot labels (lblExplode); label 0 always exists.
    const QList<QLabel*>& hotspots() const { return lblExplode_; }
    void toggleHotspotFrames();
    void hotspotClicked(int index);

protected:
    void layoutExtras() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* newHotspot();

    QPushButton* btnhotspot_ = nullptr;
    QList<QLabel*> lblExplode_;
    QString tag_;
};

} // namespace vandrel
