#include "app/startupform.h"

#include "app/core/helpers.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "app/core/ui.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <QVBoxLayout>

namespace vandrel {

namespace {

QString releaseText()
{
    return QStringLiteral("Release %1.%2.%3")
        .arg(VANDREL_VERSION_MAJOR)
        .arg(VANDREL_VERSION_MINOR)
        .arg(VANDREL_VERSION_REVISION);
}

} // namespace

StartUp::StartUp()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      lblTitel_(new QLabel(QStringLiteral("Interactieve Catalogus - Voorjaar 2005"), this)),
      lblEXTRA_(new QLabel(QStringLiteral("NU EXTRA UITGEBREID MET NIEUWE FOTO'S EN ILLUSTRATIES !"), this)),
      lblRelease_(new QLabel(this)),
      timer1_(new QTimer(this))
{
    setObjectName(QStringLiteral("StartUp"));
    setWindowTitle(QStringLiteral("Welkom bij de Vandrel Catalogus!"));
    lblTitel_->setObjectName(QStringLiteral("lblTitel"));
    lblEXTRA_->setObjectName(QStringLiteral("lblEXTRA"));
    lblRelease_->setObjectName(QStringLiteral("lblRelease"));
    timer1_->setObjectName(QStringLiteral("Timer1"));

    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 51, 102));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    auto* brand = new QLabel(QStringLiteral("Vandrel"), this);
    QFont brandFont = brand->font();
    brandFont.setPointSize(34);
    brandFont.setBold(true);
    brand->setFont(brandFont);
    QFont titleFont = lblTitel_->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    lblTitel_->setFont(titleFont);
    QFont extraFont = lblEXTRA_->font();
    extraFont.setBold(true);
    lblEXTRA_->setFont(extraFont);
    lblEXTRA_->setStyleSheet(QStringLiteral("color: #ffcc00;"));
    lblTitel_->setWordWrap(true);
    for (QLabel* l : {brand, lblTitel_, lblEXTRA_, lblRelease_})
        l->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 20);
    layout->setSpacing(14);
    layout->addWidget(brand);
    layout->addWidget(lblTitel_);
    layout->addWidget(lblEXTRA_);
    layout->addStretch();
    layout->addWidget(lblRelease_, 0, Qt::AlignRight);
    resize(520, 300);

    // Short enough to notice the time limit promptly.
    timer1_->setInterval(250);
    connect(timer1_, &QTimer::timeout, this, &StartUp::tick);
}

bool StartUp::load(const std::function<bool(const QString&)>& startProgram)
{
    lblRelease_->setText(releaseText());
    DebugCheckpoint(QString());
    const QString programDir = programState().programDirectory;
    if (quickpak::Exist(programDir + QStringLiteral("vandrupd.EXE")) == -1) {
        const MsgAnswer answer = msgBox(
            QStringLiteral("Er staat een programma-update in de Vandrel Catalogus directory. "
                           "Wilt u de update nu starten?"),
            MsgIcon::Question, MsgButtons::YesNo, QStringLiteral("Updaten VandrelCatalogus"));
        if (answer == MsgAnswer::Yes) {
            msgBox(QStringLiteral("LET OP :  na de update wordt het programma automatisch weer "
                                  "opgestart. Dus AUB wachten tot het programma weer gestart is"),
                   MsgIcon::Information);
            // The installer shows its own window; ours ends at once.
            if (startProgram)
                startProgram(quickpak::localPath(programDir + QStringLiteral("vdupdate.exe")));
            return false;
        }
    }
    // A monotonic clock: the 15 seconds also hold across midnight.
    shown_.start();
    timer1_->start();
    return true;
}

bool StartUp::dialogOpen() const
{
    if (QApplication::activeModalWidget())
        return true;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        // The main window loads behind the splash; menus and tooltips come and go.
        if (w == this || !w->isVisible() || qobject_cast<QMainWindow*>(w))
            continue;
        const Qt::WindowType type = w->windowType();
        if (type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop)
            return true;
    }
    return false;
}

void StartUp::tick()
{
    // The splash stays in front of the loading main window, but steps back for any
    // dialog of the program (the first-start message, the import's progress window,
    // its "gereed" message), which it would otherwise cover.
    if (dialogOpen()) {
        if (!steppedBack_) {
            steppedBack_ = true;
            if (windowFlags() & Qt::WindowStaysOnTopHint) {
                setWindowFlag(Qt::WindowStaysOnTopHint, false);
                show(); // changing the flags hides the window
            }
        }
        lower();
    } else if (isEnabled()) {
        raise();
    }
    if (shown_.isValid() && shown_.elapsed() > maxShownMs) {
        timer1_->stop();
        close();
    }
}

void StartUp::mousePressEvent(QMouseEvent*)
{
    timer1_->stop();
    close();
}

} // namespace vandrel
