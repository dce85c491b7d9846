#pragma once

#include "app/core/ui.h"

namespace vandrel {

// The real dialogs.
class QtUi final : public Ui {
public:
    MsgAnswer message(const Message& message) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QStringList> openFileNames(const FileDialogRequest& request) override;
};

} // namespace vandrel
