#include "documents/documentaction.h"

namespace vandrel {

DocumentCommand parseDocumentCommand(const QString& caption)
{
    const QString c = caption.toUpper();
    if (c.isEmpty())
        return DocumentCommand::None;
    static const std::pair<const char*, DocumentCommand> commands[] = {
        {"NEW", DocumentCommand::New},     {"OPEN", DocumentCommand::Open},
        {"FASTOPEN", DocumentCommand::FastOpen}, {"SAVE", DocumentCommand::Save},
        {"SAVEAS", DocumentCommand::SaveAs}, {"CLOSE", DocumentCommand::Close},
        {"DELETE", DocumentCommand::Delete},
    };
    for (const auto& [name, command] : commands) {
        if (c == QLatin1String(name))
            return command;
    }
    return DocumentCommand::Invalid;
}

QString invalidCommandText(const QString& caption, const QString& windowName)
{
    return QStringLiteral("Command '") + caption + QStringLiteral("'  is not valid in ") + windowName +
           QStringLiteral(".Action");
}

DocumentAction::DocumentAction(QWidget* window) : QLabel(window)
{
    setObjectName(QStringLiteral("Action"));
    hide();
}

void DocumentAction::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    emit captionChanged(caption);
}

bool DocumentAction::send(QWidget* window, const QString& command)
{
    auto* action = window ? window->findChild<DocumentAction*>(QStringLiteral("Action")) : nullptr;
    if (!action)
        return false;
    action->setCaption(QString());
    action->setCaption(command);
    return true;
}

} // namespace vandrel
