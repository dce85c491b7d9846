#include "scriptedui.h"

#include <gtest/gtest.h>

namespace vandrel::test {

namespace {
MsgAnswer firstButton(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel: return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
    case MsgButtons::RetryCancel: return MsgAnswer::Retry;
    case MsgButtons::AbortRetryIgnore: return MsgAnswer::Abort;
    }
    return MsgAnswer::Ok;
}
} // namespace

ScriptedUi::ScriptedUi() { Ui::install(this); }
ScriptedUi::~ScriptedUi() { Ui::install(nullptr); }

void ScriptedUi::expectMessage(MsgAnswer answer) { answers_.enqueue(answer); }
void ScriptedUi::expectInput(std::optional<QString> answer) { inputs_.enqueue(std::move(answer)); }
void ScriptedUi::expectFile(std::optional<QString> answer) { files_.enqueue(std::move(answer)); }

QStringList ScriptedUi::messageTexts() const
{
    QStringList texts;
    for (const Message& m : messages_)
        texts << m.text;
    return texts;
}

int ScriptedUi::pendingAnswers() const
{
    return int(answers_.size() + inputs_.size() + files_.size());
}

MsgAnswer ScriptedUi::message(const Message& m)
{
    messages_ << m;
    if (hook_)
        hook_(m);
    if (!answers_.isEmpty())
        return answers_.dequeue();
    if (!(allowOk_ && m.buttons == MsgButtons::Ok))
        ADD_FAILURE() << "Unexpected message: \"" << m.text.toStdString() << "\" (title \""
                      << m.title.toStdString() << "\")";
    return firstButton(m.buttons);
}

std::optional<QString> ScriptedUi::inputBox(const QString& prompt, const QString&, const QString&)
{
    inputPrompts_ << prompt;
    if (inputs_.isEmpty()) {
        ADD_FAILURE() << "Unexpected input box: \"" << prompt.toStdString() << "\"";
        return std::nullopt;
    }
    return inputs_.dequeue();
}

std::optional<QString> ScriptedUi::nextFile(const FileDialogRequest& request)
{
    fileRequests_ << request;
    if (files_.isEmpty()) {
        ADD_FAILURE() << "Unexpected file dialog: \"" << request.title.toStdString() << "\"";
        return std::nullopt;
    }
    return files_.dequeue();
}

std::optional<QString> ScriptedUi::openFileName(const FileDialogRequest& r) { return nextFile(r); }
std::optional<QString> ScriptedUi::saveFileName(const FileDialogRequest& r) { return nextFile(r); }

} // namespace vandrel::test
