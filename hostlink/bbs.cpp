#include "hostlink/bbs.h"

#include "app/core/events.h"
#include "app/core/helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vandrel {

BBS::BBS(QWidget* mainWindow, LinkClock& clock) : QDialog(mainWindow), link_(clock), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("BBS"));
    setWindowTitle(QStringLiteral("Modemcommunicatie"));
    setModal(false);
    // The installation's host values; the settings record is already the link's.
    link_.setHostValues(HostValues::load());

    Modem_ = new QLineEdit;
    Modem_->setObjectName(QStringLiteral("Modem"));
    Modem_->setReadOnly(true);
    Modem_->setFont(QFont(QStringLiteral("Arial"), 10));
    Modem_->setMinimumWidth(380);
    Modem_->installEventFilter(this);

    auto* lampRow = new QGridLayout;
    const struct {
        HostLink::Lamp lamp;
        const char* name;
        const char* caption;
    } panels[] = {{HostLink::Carrier, "CDPanel", "Carrier"},
                  {HostLink::Ready, "MRpanel", "Ready"},
                  {HostLink::Transmit, "SDPanel", "Transmit"},
                  {HostLink::Receive, "RDPanel", "Receive"}};
    int column = 0;
    for (const auto& p : panels) {
        auto* panel = new QLabel(QString::fromLatin1(p.caption));
        panel->setObjectName(QString::fromLatin1(p.name));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAutoFillBackground(true);
        panel->setMinimumSize(84, 24);
        lamps_[p.lamp] = panel;
        lampRow->addWidget(panel, 0, column++);
        showLamp(p.lamp, HostLink::LampOff);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Modem_);
    layout->addLayout(lampRow);

    connect(&link_, &HostLink::modemMsgChanged, this, &BBS::showStatus);
    connect(&link_, &HostLink::lampChanged, this, &BBS::showLamp);
    connect(&link_, &HostLink::showRequested, this, [this] { show(); });
    connect(&link_, &HostLink::releaseRequested, this, [this] {
        setEnabled(true);
        unsetCursor();
    });
    connect(&link_, &HostLink::busyRequested, this, [this] {
        setEnabled(false);
        setCursor(Qt::WaitCursor);
    });
}

BBS::~BBS()
{
    if (!unloaded_) {
        link_.unload();
        release();
    }
}

QColor BBS::lampColour(quint32 value)
{
    if (value == HostLink::LampOff)
        return QApplication::palette().color(QPalette::Button);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void BBS::showLamp(int lamp, quint32 colour)
{
    QLabel* panel = lamps_[lamp];
    if (!panel)
        return;
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, lampColour(colour));
    p.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(p);
    panel->repaint();
}

void BBS::showStatus(const QString& text)
{
    Modem_->setText(text);
    Modem_->repaint();
    if (isVisible())
        setFocus();
}

void BBS::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CenterForm(this);
}

bool BBS::eventFilter(QObject* watched, QEvent* event)
{
    // The status line takes no keys.
    if (watched == Modem_ && event->type() == QEvent::KeyPress)
        return true;
    return QDialog::eventFilter(watched, event);
}

void BBS::closeEvent(QCloseEvent* event)
{
    if (!unloaded_) {
        if (link_.comm().isOpen()) {
            WaitCursor hourglass;
            link_.unload();
        }
        release();
    }
    QDialog::closeEvent(event);
}

void BBS::release()
{
    unloaded_ = true;
    if (mainWindow_) {
        mainWindow_->setEnabled(true);
        mainWindow_->activateWindow();
        mainWindow_->setFocus();
    }
}

} // namespace vandrel
