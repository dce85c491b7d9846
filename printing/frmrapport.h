#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace vandrel {

class PreviewControl;

// frmRapport: the print preview window ("Afdrukvoorbeeld"). Whoever opens it builds the
// document in its control and then shows the window (preview) or prints at once:
//
//   auto* f = new frmRapport;               // deletes itself when closed
//   PreviewControl* v = f->vsPrinter1();
//   v->setPreview(true);
//   v->startDoc();
//   FormatPrint(v->device(), "...");        // or v->renderRichText(document)
//   v->endDoc();
//   f->show();
class frmRapport : public QWidget {
    Q_OBJECT
public:
    explicit frmRapport(QWidget* parent = nullptr);

    PreviewControl* vsPrinter1() const { return vsPrinter1_; }
    // Prints the document held by the control; the flag is not used.
    void PrintData(bool flag = false);

    // Zoom entries and the percentage each carries.
    static const QList<QPair<QString, int>>& zoomEntries();

signals:
    // A page button found no page to go to.
    void beeped();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void pageButton(int index);
    void placeControl();

    QPushButton* cmdPage_[2];
    QPushButton* cmdClose_;
    QPushButton* cmdSetup_;
    QPushButton* cmdPrint_;
    QLabel* Label1_;
    QComboBox* Combo1_;
    PreviewControl* vsPrinter1_;
    bool inLayout_ = false;
};

} // namespace vandrel
