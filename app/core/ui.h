#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vandrel {

// Every message box, question, input box and file dialog of the program goes through
// this port, so tests can script the answers and check the texts.
enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct Message {
    QString text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    int defaultButton = 0; // 0 = first button, 1 = second, 2 = third
    QString title;         // empty: the current application title
};

struct FileDialogRequest {
    QString title;
    QString filter; // as the program writes it: "Orders (*.vdb)|*.vdb|Alle (*.*)|*.*"
    QString directory;
    QString fileName;
};

class Ui {
public:
    virtual ~Ui() = default;

    virtual MsgAnswer message(const Message& message) = 0;
    // std::nullopt when the user cancels.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    // Several existing files at once; std::nullopt when the user cancels. By default one
    // file through openFileName.
    virtual std::optional<QStringList> openFileNames(const FileDialogRequest& request);

    // The installed port; a QtUi until someone installs another.
    static Ui& instance();
    // Installs a port (not owned); nullptr restores the default Qt one.
    static void install(Ui* ui);
};

// Short forms for the common cases.
MsgAnswer msgBox(const QString& text, MsgIcon icon = MsgIcon::None,
                 MsgButtons buttons = MsgButtons::Ok, const QString& title = QString(),
                 int defaultButton = 0);
std::optional<QString> inputBox(const QString& prompt, const QString& title = QString(),
                                const QString& defaultText = QString());

// Splits a "Text (*.x)|*.x|..." filter into Qt's "Text (*.x);;..." form.
QString qtFileFilter(const QString& programFilter);

} // namespace vandrel
