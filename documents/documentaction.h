#pragma once

#include <QLabel>

namespace vandrel {

// The commands a document window understands through its Action label.
enum class DocumentCommand { None, New, Open, FastOpen, Save, SaveAs, Close, Delete, Invalid };

// Letter case ignored; the empty text is None, an unknown one Invalid.
DocumentCommand parseDocumentCommand(const QString& caption);

// "Command '<caption>'  is not valid in <window>.Action" (two blanks, as it always read).
QString invalidCommandText(const QString& caption, const QString& windowName);

// The hidden label Action of a document window: every change of its caption runs the
// command the new caption names. Callers set the empty text first and then the command,
// so the same command can be sent twice in a row.
class DocumentAction : public QLabel {
    Q_OBJECT
public:
    explicit DocumentAction(QWidget* window);

    // Sets the caption; a change raises captionChanged.
    void setCaption(const QString& caption);

    // Sends a command to a document window: the empty text, then the command. False when
    // the window has no Action channel.
    static bool send(QWidget* window, const QString& command);

signals:
    void captionChanged(const QString& caption);
};

} // namespace vandrel
