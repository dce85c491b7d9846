#pragma once

#include "documents/quotationprintoptions.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vandrel {

// frmOffParam: the print options of a quotation ("Afdruk instellingen"). Loading reads
// section PrintSettings; "&OK" and "&Annuleren" only hide the dialog and record the
// result. The settings are written when the dialog is unloaded after OK; after a cancel
// it stays loaded, hidden, and shows the values as the user left them next time.
class frmOffParam : public QDialog {
    Q_OBJECT
public:
    explicit frmOffParam(QWidget* owner);

    // Shows the dialog modally; true when the user chose "&OK".
    bool ask();
    bool accepted() const { return ok_; }
    // The choices as they stand.
    QuotationPrintOptions options() const;
    // Unloading: after OK the settings file takes the choices. False when it cannot be
    // written.
    bool unloadSettings() const;

    void chkPrintOfferte_Click();
    void chkExportOptions_Click();
    void Command2_Click(); // "&OK"
    void Command1_Click(); // "&Annuleren"

private:
    void setOptions(const QuotationPrintOptions& options);

    QCheckBox* chkPrintHeader_ = nullptr;
    QCheckBox* chkPrintCodes_ = nullptr;
    QCheckBox* chkPrintOfferte_ = nullptr;
    QCheckBox* chkPrintValues_ = nullptr;
    QCheckBox* chkExportOptions_ = nullptr;
    QList<QRadioButton*> optUitvoer_;
    QButtonGroup* uitvoerGroup_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    QList<QLineEdit*> Text1_;
    QStringList marginCaptions_;
    bool ok_ = false;
};

} // namespace vandrel
