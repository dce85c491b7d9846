#pragma once

#include "hostlink/commsettings.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vandrel {

class LinkClock;

// What FrmSettings needs from the machine; tests put their own in.
struct ModemServices {
    // The serial ports a modem may be on ("ttyS0", "ttyUSB0"), as the system lists them.
    std::function<QStringList()> modemNames;
    // The line of the named modem opens (the port opens and a modem answers AT).
    std::function<bool(const QString& modem)> lineOpens;
    // Shows the port's settings (the device's configuration dialog).
    std::function<void(const QString& modem, QWidget* parent)> showDetails;
    // The clock of the test login's waits.
    LinkClock* clock = nullptr;

    static ModemServices system();
};

// FrmSettings, "Modeminstelling": edits the communication settings record and saves it
// to VANDREL4.SET when the user confirms.
class FrmSettings : public QDialog {
    Q_OBJECT
public:
    explicit FrmSettings(QWidget* parent = nullptr, ModemServices services = ModemServices::system());

    // Fills the controls from the record (the window's load).
    void Form_Load();
    void PrmCommpoort_Click(); // the modem choice (also on leaving the list)
    void cmdOK_Click();
    void cmdDetails_Click();
    // Logs in to the host with the values as entered (nothing is saved) and hangs up.
    void cmdTest_Click();

    QComboBox* PrmCommpoort() const { return PrmCommpoort_; }
    QComboBox* PrmFileTransfer() const { return PrmFileTransfer_; }
    QLineEdit* PrmTelefoonnummer() const { return PrmTelefoonnummer_; }
    QLineEdit* PrmToegangscode() const { return PrmToegangscode_; }
    QLineEdit* PrmPrivecode() const { return PrmPrivecode_; }

    // The keys the typing rules let through (keyAscii as the key's character code).
    static bool telephoneKeyAllowed(QChar key, int currentLength);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool refuse(QWidget* field, const QString& message);
    CommSettings enteredSettings() const;

    ModemServices services_;
    QComboBox* PrmCommpoort_ = nullptr;
    QLineEdit* PrmTelefoonnummer_ = nullptr;
    QLineEdit* PrmToegangscode_ = nullptr;
    QLineEdit* PrmPrivecode_ = nullptr;
    QComboBox* PrmFileTransfer_ = nullptr;
    QLabel* lblTelefoonnummer_ = nullptr;
    QLabel* lblInternet_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdDetails_ = nullptr;
    QPushButton* cmdTest_ = nullptr;
};

// The main window's load: reads VANDREL4.SET when it exists; otherwise sets the
// defaults and shows FrmSettings modally.
void loadCommunicationSettings(QWidget* parent, const ModemServices& services = ModemServices::system());
// "&Modeminstelling...": FrmSettings, modal.
void showCommunicationSettings(QWidget* parent, const ModemServices& services = ModemServices::system());

} // namespace vandrel
