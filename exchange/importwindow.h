#pragma once

#include "catalogdb/scanfile.h"
#include "exchange/catalogimport.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace vandrel {

// The import's view of a real main window: the program's progress window, the window's
// enabled state and a status caption setter the window supplies.
class WidgetImportWindow final : public ImportWindow {
public:
    WidgetImportWindow(QWidget* mainWindow, std::function<void(const QString&)> setStatusCaption);

    ProgressMeter& progress() override { return meter_; }
    void setStatusCaption(const QString& text) override;
    void setMainWindowEnabled(bool enabled) override;

private:
    QPointer<QWidget> mainWindow_;
    std::function<void(const QString&)> statusCaption_;
    PercFormMeter meter_;
};

} // namespace vandrel
