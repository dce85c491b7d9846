#include "exchange/zipprogresswindow.h"

#include "app/core/events.h"
#include "app/core/percform.h"
#include "app/core/ui.h"

#include <QApplication>

namespace vandrel {

const QString ZipProgressWindow::messageTitle = QStringLiteral("Bestand (de)compressie");

ZipProgressWindow::ZipProgressWindow() = default;
ZipProgressWindow::~ZipProgressWindow() = default;

void ZipProgressWindow::started()
{
    if (!form_)
        form_ = std::make_unique<PercForm>(QApplication::activeWindow());
    form_->setCaption(QStringLiteral("Bestands (de)compressie gestart..."));
    form_->setLabel(QString());
    form_->setPercent(0);
    form_->show();
    form_->raise();
    form_->refresh();
}

void ZipProgressWindow::compressing(const QString& name)
{
    if (form_)
        form_->setLabel(QStringLiteral("Compressing: ") + name);
}

void ZipProgressWindow::decompressing(const QString& name)
{
    if (form_)
        form_->setLabel(QStringLiteral("Decompressing: ") + name);
}

void ZipProgressWindow::progress(int percent)
{
    if (!form_)
        return;
    form_->setPercent(percent);
    form_->raise();
    form_->refresh();
}

void ZipProgressWindow::complete()
{
    if (form_)
        form_->setLabel(QStringLiteral("(de)compressing complete..."));
    pumpEvents();
    form_.reset();
}

void ZipProgressWindow::error(int code, const QString& text)
{
    failed_ = true;
    msgBox(QStringLiteral("Er is een fout opgetreden tijdens de bestands (de)compressie, code ")
               + QString::number(code) + QStringLiteral(": ") + text,
           MsgIcon::Critical, MsgButtons::Ok, messageTitle);
}

} // namespace vandrel
