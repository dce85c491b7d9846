#pragma once

#include "app/core/ui.h"

#include <QList>
#include <QQueue>

#include <functional>
#include <optional>

namespace vandrel::test {

// A Ui for tests: records every message and hands out queued answers. A message for
// which no answer is queued fails the test (and answers the first button), so nothing
// shows up that nobody expected. Installs itself for its lifetime.
class ScriptedUi final : public Ui {
public:
    ScriptedUi();
    ~ScriptedUi() override;

    // Answers, in order of the requests.
    void expectMessage(MsgAnswer answer);
    void expectInput(std::optional<QString> answer);
    void expectFile(std::optional<QString> answer);
    // Messages that need no answer of their own (an OK box) may be allowed wholesale.
    void allowUnexpectedOkMessages(bool allow) { allowOk_ = allow; }
    // Called for each message before it is answered (e.g. to look at windows meanwhile).
    void onMessage(std::function<void(const Message&)> hook) { hook_ = std::move(hook); }

    const QList<Message>& messages() const { return messages_; }
    // Forgets what was recorded so far (after a fixture's own messages).
    void clearRecorded()
    {
        messages_.clear();
        fileRequests_.clear();
        inputPrompts_.clear();
    }
    QStringList messageTexts() const;
    const QList<FileDialogRequest>& fileRequests() const { return fileRequests_; }
    const QStringList& inputPrompts() const { return inputPrompts_; }
    int pendingAnswers() const;

    MsgAnswer message(const Message& message) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;

private:
    std::optional<QString> nextFile(const FileDialogRequest& request);

    QQueue<MsgAnswer> answers_;
    QQueue<std::optional<QString>> inputs_;
    QQueue<std::optional<QString>> files_;
    QList<Message> messages_;
    QList<FileDialogRequest> fileRequests_;
    QStringList inputPrompts_;
    bool allowOk_ = false;
    std::function<void(const Message&)> hook_;
};

} // namespace vandrel::test
