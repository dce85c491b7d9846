#include "printing/frmrapport.h"

#include "app/core/events.h"
#include "printing/previewcontrol.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace vandrel {

const QList<QPair<QString, int>>& frmRapport::zoomEntries()
{
    static const QList<QPair<QString, int>> entries = {
        {QStringLiteral("10%"), 10},   {QStringLiteral("25%"), 25},   {QStringLiteral("33%"), 33},
        {QStringLiteral("50%"), 50},   {QStringLiteral("66%"), 66},   {QStringLiteral("75%"), 75},
        {QStringLiteral("100%"), 100}, {QStringLiteral("150%"), 150}, {QStringLiteral("200%"), 200},
        {QStringLiteral("400%"), 400}};
    return entries;
}

frmRapport::frmRapport(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmRapport"));
    setWindowTitle(QStringLiteral("Afdrukvoorbeeld"));
    setAttribute(Qt::WA_DeleteOnClose);

    const auto button = [this](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        return b;
    };
    cmdPage_[0] = button("cmdPage0", QStringLiteral("&<<"), QStringLiteral("Vorige pagina tonen"));
    cmdPage_[1] = button("cmdPage1", QStringLiteral("&>>"), QStringLiteral("Volgende pagina tonen"));
    cmdClose_ = button("cmdClose", QStringLiteral("&Sluiten"), QStringLiteral("Dit venster sluiten"));
    cmdSetup_ = button("cmdSetup", QStringLiteral("&Instellen"),
                       QStringLiteral("Printer en papier instellingen aanpassen"));
    cmdPrint_ = button("cmdPrint", QStringLiteral("&Afdrukken"),
                       QStringLiteral("Het getoonde voorbeeld naar de printer sturen"));
    Label1_ = new QLabel(QStringLiteral("Weergave:"), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Combo1_ = new QComboBox(this);
    Combo1_->setObjectName(QStringLiteral("Combo1"));
    Combo1_->setToolTip(QStringLiteral("In- en uitzoomen op het getoonde voorbeeld"));
    for (const auto& [text, percent] : zoomEntries())
        Combo1_->addItem(text, percent);
    vsPrinter1_ = new PreviewControl(this);

    // The button strip along the top (the control starts 450 twips down).
    int x = 6;
    for (QWidget* w : {static_cast<QWidget*>(cmdPage_[0]), static_cast<QWidget*>(cmdPage_[1]),
                       static_cast<QWidget*>(Label1_), static_cast<QWidget*>(Combo1_),
                       static_cast<QWidget*>(cmdSetup_), static_cast<QWidget*>(cmdPrint_),
                       static_cast<QWidget*>(cmdClose_)}) {
        const int width = w == cmdPage_[0] || w == cmdPage_[1] ? 40
                          : w == Label1_                        ? 70
                                                                : 90;
        w->setGeometry(x, 3, width, 24);
        x += width + 6;
    }

    connect(cmdPage_[0], &QPushButton::clicked, this, [this] { pageButton(0); });
    connect(cmdPage_[1], &QPushButton::clicked, this, [this] { pageButton(1); });
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSetup_, &QPushButton::clicked, this, [this] { vsPrinter1_->printerDialog(); });
    connect(cmdPrint_, &QPushButton::clicked, this, [this] { PrintData(); });
    connect(Combo1_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            vsPrinter1_->setZoom(Combo1_->itemData(index).toInt());
    });

    vsPrinter1_->setProgressTexts(QStringLiteral("Afdrukken overzicht..."),
                                  QStringLiteral("&Annuleren"), QStringLiteral("op de %s op %s"),
                                  QStringLiteral("Bezig met pagina %d van"));
    Combo1_->setCurrentIndex(1);
    resize(x + 6, 600);
    placeControl();
}

void frmRapport::pageButton(int index)
{
    PreviewControl* v = vsPrinter1_;
    if (index == 1) {
        if (v->previewPage() < v->pageCount())
            v->setPreviewPage(v->previewPage() + 1);
        else {
            QApplication::beep();
            emit beeped();
        }
    } else {
        if (v->previewPage() > 1)
            v->setPreviewPage(v->previewPage() - 1);
        else {
            QApplication::beep();
            emit beeped();
        }
    }
}

void frmRapport::PrintData(bool)
{
    WaitCursor wait;
    pumpEvents();
    vsPrinter1_->printDocument();
}

void frmRapport::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControl();
}

void frmRapport::placeControl()
{
    if (inLayout_)
        return;
    inLayout_ = true;
    // Twips at the screen's resolution.
    const double k = logicalDpiX() / 1440.0;
    const double w = width() / k - 200;
    const double h = height() / k - 550;
    // Too small a window leaves the control where it was.
    if (w > 0 && h > 0)
        vsPrinter1_->setGeometry(qRound(100 * k), qRound(450 * k), qRound(w * k), qRound(h * k));
    inLayout_ = false;
}

} // namespace vandrel
