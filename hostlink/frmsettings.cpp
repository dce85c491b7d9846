#include "hostlink/frmsettings.h"

#include "app/core/helpers.h"
#include "app/core/helpsystem.h"
#include "app/core/settings.h"
#include "app/core/ui.h"
#include "hostlink/bbs.h"
#include "hostlink/hayesmodem.h"
#include "hostlink/hostvalues.h"
#include "hostlink/linkclock.h"
#include "hostlink/serialtransport.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace vandrel {
namespace {

const QStringList protocols = {QStringLiteral("OBxfer"), QStringLiteral("Xmodem"), QStringLiteral("Ymodem"),
                               QStringLiteral("Zmodem")};
const QString telephoneKeys = QStringLiteral("+()TW0123456789-");
const QString defaultUserNumber = QStringLiteral("0000000");

bool isControlKey(const QKeyEvent* key)
{
    const QString text = key->text();
    return text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127 ||
           (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The port's settings: the link always uses 2400 baud, no parity, 8 data bits, 1 stop bit.
void showPortDetails(const QString& modem, QWidget* parent)
{
    const QSerialPortInfo info(modem);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("frmModemDetails"));
    dialog.setWindowTitle(QStringLiteral("Eigenschappen van ") + modem);
    auto* form = new QFormLayout;
    const auto row = [form](const QString& label, const QString& value) {
        auto* v = new QLabel(value.isEmpty() ? QStringLiteral("(onbekend)") : value);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(label, v);
    };
    row(QStringLiteral("Poort:"), modem);
    row(QStringLiteral("Apparaat:"), info.systemLocation().isEmpty() ? modem : info.systemLocation());
    row(QStringLiteral("Omschrijving:"), info.description());
    row(QStringLiteral("Fabrikant:"), info.manufacturer());
    row(QStringLiteral("Snelheid:"), QStringLiteral("2400 bits per seconde"));
    row(QStringLiteral("Databits:"), QStringLiteral("8"));
    row(QStringLiteral("Pariteit:"), QStringLiteral("Geen"));
    row(QStringLiteral("Stopbits:"), QStringLiteral("1"));
    row(QStringLiteral("Datatransportbesturing:"), QStringLiteral("Geen"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace

ModemServices ModemServices::system()
{
    ModemServices s;
    s.modemNames = [] {
        QStringList names;
        for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
            names << port.portName();
        names.sort();
        return names;
    };
    s.lineOpens = [](const QString& modem) {
        SerialTransport port;
        HayesModem tapi(port, LinkClock::system());
        const bool opens = tapi.openLine(modem);
        tapi.closeLine();
        return opens;
    };
    s.showDetails = showPortDetails;
    return s;
}

bool FrmSettings::telephoneKeyAllowed(QChar key, int currentLength)
{
    return currentLength < CommSettings::TelephoneLength && telephoneKeys.contains(key.toUpper());
}

FrmSettings::FrmSettings(QWidget* parent, ModemServices services) : QDialog(parent), services_(std::move(services))
{
    setObjectName(QStringLiteral("FrmSettings"));
    setWindowTitle(QStringLiteral("Modeminstelling"));
    setModal(true);

    PrmCommpoort_ = new QComboBox;
    PrmCommpoort_->setObjectName(QStringLiteral("PrmCommpoort"));
    PrmCommpoort_->setMinimumContentsLength(24);
    PrmTelefoonnummer_ = new QLineEdit;
    PrmTelefoonnummer_->setObjectName(QStringLiteral("PrmTelefoonnummer"));
    PrmTelefoonnummer_->setMaxLength(CommSettings::TelephoneLength);
    PrmToegangscode_ = new QLineEdit;
    PrmToegangscode_->setObjectName(QStringLiteral("PrmToegangscode"));
    PrmToegangscode_->setMaxLength(CommSettings::CodeLength);
    PrmPrivecode_ = new QLineEdit;
    PrmPrivecode_->setObjectName(QStringLiteral("PrmPrivecode"));
    PrmPrivecode_->setMaxLength(CommSettings::CodeLength);
    PrmPrivecode_->setEchoMode(QLineEdit::Password);
    PrmFileTransfer_ = new QComboBox;
    PrmFileTransfer_->setObjectName(QStringLiteral("PrmFileTransfer"));
    PrmFileTransfer_->setEditable(true);
    PrmFileTransfer_->setInsertPolicy(QComboBox::NoInsert);
    lblTelefoonnummer_ = new QLabel(QStringLiteral("&Telefoonnummer:"));
    lblTelefoonnummer_->setObjectName(QStringLiteral("lblTelefoonnummer"));
    lblTelefoonnummer_->setBuddy(PrmTelefoonnummer_);
    lblInternet_ = new QLabel(QStringLiteral(
        "TIP: gebruik deze optie alleen als u een snelle internet aansluiting heeft, bijv. mxStream of de Kabel, "
        "selecteer anders uw analoge of ISDN modem."));
    lblInternet_->setObjectName(QStringLiteral("lblInternet"));
    lblInternet_->setWordWrap(true);
    cmdOK_ = new QPushButton(QStringLiteral("&OK"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("&Annuleren"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdDetails_ = new QPushButton(QStringLiteral("&Details..."));
    cmdDetails_->setObjectName(QStringLiteral("cmdDetails"));
    cmdTest_ = new QPushButton(QStringLiteral("&Testen..."));
    cmdTest_->setObjectName(QStringLiteral("cmdTest"));
    cmdTest_->setToolTip(QStringLiteral("Inloggen op Orbisnet met deze gegevens, zonder ze op te slaan"));

    auto* grid = new QGridLayout;
    const auto label = [](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(QStringLiteral("&Modem:"), PrmCommpoort_), 0, 0);
    grid->addWidget(PrmCommpoort_, 0, 1);
    grid->addWidget(cmdDetails_, 0, 2);
    grid->addWidget(lblTelefoonnummer_, 1, 0);
    grid->addWidget(PrmTelefoonnummer_, 1, 1);
    grid->addWidget(label(QStringLiteral("&Gebruiksnummer:"), PrmToegangscode_), 2, 0);
    grid->addWidget(PrmToegangscode_, 2, 1);
    grid->addWidget(label(QStringLiteral("P&rivécode:"), PrmPrivecode_), 3, 0);
    grid->addWidget(PrmPrivecode_, 3, 1);
    grid->addWidget(label(QStringLiteral("&Protocol:"), PrmFileTransfer_), 4, 0);
    grid->addWidget(PrmFileTransfer_, 4, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdTest_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lblInternet_);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(460);

    for (QWidget* w : {static_cast<QWidget*>(PrmCommpoort_), static_cast<QWidget*>(PrmTelefoonnummer_),
                       static_cast<QWidget*>(PrmToegangscode_), static_cast<QWidget*>(PrmPrivecode_)})
        w->installEventFilter(this);
    connect(PrmCommpoort_, &QComboBox::activated, this, &FrmSettings::PrmCommpoort_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &FrmSettings::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdDetails_, &QPushButton::clicked, this, &FrmSettings::cmdDetails_Click);
    connect(cmdTest_, &QPushButton::clicked, this, &FrmSettings::cmdTest_Click);
    Form_Load();
}

void FrmSettings::Form_Load()
{
    const CommSettings& record = commSettings();
    PrmCommpoort_->clear();
    QStringList modems = services_.modemNames ? services_.modemNames() : QStringList();
    // A modem saved earlier stays choosable even when the system does not list it now.
    const QString saved = record.modemName().trimmed();
    if (!saved.isEmpty() && !record.viaInternet() && !modems.contains(saved))
        modems << saved;
    PrmCommpoort_->addItems(modems);
    PrmCommpoort_->addItem(CommSettings::ViaInternet);
    PrmFileTransfer_->clear();
    PrmFileTransfer_->addItems(protocols);

    // The access code is the installation's user number; an unknown user number does not
    // wipe a code the file already holds.
    const QString userNumber = HostValues::load().userNumber.trimmed();
    if (userNumber != defaultUserNumber || record.accessCode().trimmed().isEmpty())
        commSettings().setAccessCode(userNumber);

    PrmTelefoonnummer_->setText(record.telephoneNumber().trimmed());
    PrmToegangscode_->setText(record.accessCode().trimmed());
    PrmPrivecode_->setText(record.privateCode().trimmed());
    PrmFileTransfer_->setEditText(record.fileTransfer());
    const int index = record.viaInternet() ? PrmCommpoort_->count() - 1 : PrmCommpoort_->findText(saved);
    PrmCommpoort_->setCurrentIndex(saved.isEmpty() ? -1 : index);
    PrmCommpoort_Click();
}

void FrmSettings::PrmCommpoort_Click()
{
    const bool internet = PrmCommpoort_->currentText() == CommSettings::ViaInternet;
    if (internet)
        PrmFileTransfer_->setEditText(QStringLiteral("OBxfer"));
    PrmFileTransfer_->setEnabled(!internet);
    cmdDetails_->setVisible(!internet);
    lblTelefoonnummer_->setVisible(!internet);
    PrmTelefoonnummer_->setVisible(!internet);
    lblInternet_->setVisible(internet);
}

bool FrmSettings::refuse(QWidget* field, const QString& message)
{
    QApplication::beep();
    if (!message.isEmpty())
        msgBox(message, MsgIcon::Warning);
    field->setFocus();
    return false;
}

void FrmSettings::cmdOK_Click()
{
    const QString modem = PrmCommpoort_->currentText();
    const bool internet = modem == CommSettings::ViaInternet;
    if (!internet && (modem.isEmpty() || !services_.lineOpens || !services_.lineOpens(modem))) {
        refuse(PrmCommpoort_, QStringLiteral("Ongeldig modem geselecteerd"));
        return;
    }
    // The number is only asked for a modem: over the internet it is hidden and unused.
    if (!internet && PrmTelefoonnummer_->text().trimmed().size() <= 5) {
        refuse(PrmTelefoonnummer_, QStringLiteral("Ongeldig telefoonnummer ingevoerd"));
        return;
    }
    if (!protocols.contains(PrmFileTransfer_->currentText())) {
        refuse(PrmFileTransfer_, QStringLiteral("Ongeldig protocol ingevoerd"));
        return;
    }
    if (PrmToegangscode_->text().isEmpty()) {
        refuse(PrmToegangscode_, QString());
        return;
    }
    if (PrmPrivecode_->text().isEmpty()) {
        refuse(PrmPrivecode_, QStringLiteral("Er is geen privecode ingevoerd"));
        return;
    }
    const CommSettings record = enteredSettings();
    if (!commsettingsfile::save(record)) {
        msgBox(QStringLiteral("De communicatie-instellingen kunnen niet worden opgeslagen in ") +
                   commsettingsfile::fileName() + QStringLiteral(". Controleer of de map schrijfbaar is."),
               MsgIcon::Critical);
        return;
    }
    commSettings() = record;
    HostValues::saveUserNumber(record.accessCode().trimmed());
    accept();
}

CommSettings FrmSettings::enteredSettings() const
{
    CommSettings record = commSettings();
    record.setTelephoneNumber(PrmTelefoonnummer_->text());
    record.setModemName(PrmCommpoort_->currentText());
    record.setFileTransfer(PrmFileTransfer_->currentText());
    record.setAccessCode(PrmToegangscode_->text());
    record.setPrivateCode(PrmPrivecode_->text());
    return record;
}

void FrmSettings::cmdTest_Click()
{
    const CommSettings entered = enteredSettings();
    if (entered.modemName().trimmed().isEmpty()) {
        refuse(PrmCommpoort_, QStringLiteral("Ongeldig modem geselecteerd"));
        return;
    }
    setEnabled(false);
    {
        BBS bbs(this, services_.clock ? *services_.clock : LinkClock::system());
        bbs.link().setSettings(entered);
        bbs.link().setHostValues(HostValues::load());
        if (bbs.Connect(entered.connectionMode())) {
            bbs.setModemMsg(QStringLiteral("Ingelogd op Orbisnet"));
            msgBox(QStringLiteral("De verbinding met Orbisnet is gelukt: u bent ingelogd met deze gegevens."),
                   MsgIcon::Information);
        }
        bbs.close();
    }
    setEnabled(true);
    activateWindow();
}

void FrmSettings::cmdDetails_Click()
{
    const QString modem = PrmCommpoort_->currentText();
    if (modem.isEmpty() || !services_.lineOpens || !services_.lineOpens(modem)) {
        refuse(PrmCommpoort_, QStringLiteral("Ongeldig modem geselecteerd"));
        return;
    }
    if (services_.showDetails)
        services_.showDetails(modem, this);
}

bool FrmSettings::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched == PrmCommpoort_)
        PrmCommpoort_Click();
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == PrmCommpoort_) {
        // Choose-only: the list is opened and moved with the mouse or F4/Alt+Down.
        if (key->key() == Qt::Key_F4 || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
            (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier)) || key->key() == Qt::Key_Escape ||
            key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return false;
        QApplication::beep();
        return true;
    }
    if (isControlKey(key))
        return false;
    const auto* edit = static_cast<QLineEdit*>(watched);
    const int length = int(edit->text().size() - edit->selectedText().size());
    bool allowed = true;
    if (watched == PrmTelefoonnummer_)
        allowed = telephoneKeyAllowed(key->text().at(0), length);
    else if (watched == PrmToegangscode_ || watched == PrmPrivecode_)
        allowed = length < CommSettings::CodeLength;
    if (!allowed) {
        QApplication::beep();
        return true;
    }
    return false;
}

void FrmSettings::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    CenterForm(this);
}

void FrmSettings::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        showHelpTopic(programState().helpFile + QStringLiteral("Vandrel catalogus.chm"), 1021);
        return;
    }
    QDialog::keyPressEvent(event);
}

void loadCommunicationSettings(QWidget* parent, const ModemServices& services)
{
    HostValues::load(); // writes the "Orbisnet" section on the first start, for the user to find
    if (commsettingsfile::exists()) {
        commSettings() = commsettingsfile::load();
        return;
    }
    CommSettings defaults;
    defaults.setFileTransfer(QStringLiteral("OBxfer"));
    commSettings() = defaults;
    FrmSettings(parent, services).exec();
}

void showCommunicationSettings(QWidget* parent, const ModemServices& services)
{
    FrmSettings(parent, services).exec();
}

} // namespace vandrel
