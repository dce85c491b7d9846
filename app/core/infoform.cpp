#include "app/core/infoform.h"

#include "app/core/printtarget.h"
#include "app/core/ui.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vandrel {

InfoForm::InfoForm(QWidget* parent) : InfoForm(infotexts::SystemReadings::current(), parent) {}

InfoForm::InfoForm(const infotexts::SystemReadings& readings, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Programma informatie"));
    setProperty("helpContext", HelpContext);
    build(readings);
}

void InfoForm::build(const infotexts::SystemReadings& r)
{
    using namespace infotexts;

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    const QIcon logo = QApplication::windowIcon();
    if (!logo.isNull())
        picture->setPixmap(logo.pixmap(64, 64));

    auto* version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("lblVersie"));
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);

    auto* facts = new QGridLayout;
    int row = 0;
    auto addFact = [&](const QString& caption, const QString& name, const QString& value) {
        auto* captionLabel = new QLabel(caption, this);
        auto* valueLabel = new QLabel(value, this);
        valueLabel->setObjectName(name);
        facts->addWidget(captionLabel, row, 0);
        facts->addWidget(valueLabel, row, 1);
        ++row;
    };
    addFact(QStringLiteral("OS-Platform:"), QStringLiteral("lblPlatform"),
            osText(r.osName, r.osVersion, r.osBuild));
    addFact(QStringLiteral("schijfruimte:"), QStringLiteral("lblSchijfruimte"),
            r.diskRoom == -1 ? QStringLiteral("onbekend") : diskText(r.diskRoom));
    addFact(QStringLiteral("Geheugen:"), QStringLiteral("lblGeheugen"), memoryText(r.freeMemory));
    addFact(QStringLiteral("Processor-type:"), QStringLiteral("lblProcessor"),
            processorText(r.cpu));
    addFact(QStringLiteral("Systeembronnen:"), QStringLiteral("lblSysteembronnen"),
            resourcesText(r.resources));
    facts->setColumnStretch(1, 1);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OKBut"));
    ok->setDefault(true);
    auto* print = new QPushButton(QStringLiteral("Af&drukken"), this);
    print->setObjectName(QStringLiteral("Command1"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(print, &QPushButton::clicked, this, [this] { printImage(); });

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(version);
    right->addLayout(facts);
    top->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(print);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

void InfoForm::showModal(QWidget* parent)
{
    InfoForm form(parent);
    form.exec();
}

QString InfoForm::printImage()
{
    // The Ui port's message would take the focus, and losing it closes this window.
    printing_ = true;
    const QPixmap image = grab();
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = printtarget::choose(printer, windowTitle());
    QPainter painter;
    if (!painter.begin(&printer)) {
        printing_ = false;
        msgBox(QStringLiteral("Het venster kan niet worden afgedrukt."), MsgIcon::Warning);
        return QString();
    }
    // The window's own size on paper, cut down to the page when wider.
    const QRect page = painter.viewport();
    const double screenDpi = logicalDpiX() > 0 ? logicalDpiX() : 96.0;
    double scale = printer.resolution() / screenDpi;
    if (image.width() * scale > page.width())
        scale = page.width() / double(image.width());
    painter.drawPixmap(QRect(0, 0, qRound(image.width() * scale), qRound(image.height() * scale)),
                       image);
    painter.end();
    if (!pdf.isEmpty())
        printtarget::tellPdfWritten(pdf);
    printing_ = false;
    return pdf;
}

bool InfoForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate && !printing_ && isVisible())
        reject();
    return QDialog::event(event);
}

void InfoForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    centre();
}

void InfoForm::centre()
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

} // namespace vandrel
