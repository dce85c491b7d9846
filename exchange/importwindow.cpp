#include "exchange/importwindow.h"

namespace vandrel {

WidgetImportWindow::WidgetImportWindow(QWidget* mainWindow, std::function<void(const QString&)> setStatusCaption)
    : mainWindow_(mainWindow), statusCaption_(std::move(setStatusCaption))
{
}

void WidgetImportWindow::setStatusCaption(const QString& text)
{
    if (statusCaption_)
        statusCaption_(text);
}

void WidgetImportWindow::setMainWindowEnabled(bool enabled)
{
    if (mainWindow_)
        mainWindow_->setEnabled(enabled);
}

} // namespace vandrel
