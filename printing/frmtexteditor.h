#pragma once

#include <QColor>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTextEdit>

#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QToolButton;

namespace vandrel {

// The rich-text control of the editor: the clipboard carries the selection as plain text
// and as RTF, and pasting inserts plain text only, from the menu and the keyboard alike.
class RtfTextEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit RtfTextEdit(QWidget* parent = nullptr);

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

// The values the font dialog shows and applies.
struct FontChoice {
    QString family;
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor color;
};

// The text editor: one window for the whole program. It collects RTF text written to it,
// stores it as ".\Offerte.rtf" and shows it; the user edits, saves as RTF, previews and
// prints. Closing it closes only the editor; the next use makes a fresh one.
class frmTextEditor : public QMainWindow {
    Q_OBJECT
public:
    // The program's editor, created (minimised, hidden) on first use.
    static frmTextEditor& instance();
    // The editor when it exists, else nullptr.
    static frmTextEditor* existing();

    // Non-empty text: appended to the RTF buffer. Empty text: the buffer becomes the file
    // ".\Offerte.rtf", which is loaded into the editor, and the buffer is emptied.
    void WriteText(const QString& text);
    // Preview (true) or print (false) the document through a new preview window; an
    // empty document does nothing.
    void PrintData(bool preview);
    // Shows the window in its normal state at the given place (the callers' way to open it).
    void showNormalAt(const QRect& geometry);

    // Loads an RTF (or plain text) file; false, after a message, when it cannot be read.
    bool loadFile(const QString& fileName);

    void setTag(const QString& tag) { tag_ = tag; }
    QString tag() const { return tag_; }
    const QString& rtfBuffer() const { return buffer_; }
    RtfTextEdit* rtfText() const { return rtfText_; }

    // Menu entries, also run by the toolbar.
    void mnuFileNew();
    void mnuFileOpen();
    void mnuFileClose();
    void mnuFileSave();
    void mnuEditUndo();
    void mnuEditCut();
    void mnuEditCopy();
    void mnuEditPaste();
    void mnuStyleFont();
    void setAlignment(Qt::Alignment alignment);
    void mnuStyleFieldDef(int index);
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();

    // The font dialog's preset from the selection, and applying its result.
    FontChoice selectionFont() const;
    void applyFont(const FontChoice& choice);

    // The toolbar's pressed buttons as the selection shows them.
    QAction* action(const QString& key) const;
    void updateStyleButtons();
    void releaseStyleButtons();

    // The preview window's caption for an editor caption: "Afdrukvoorbeeld" and the
    // caption from its first colon on, or ": " and the whole caption.
    static QString previewCaption(const QString& editorCaption);

    // The fields: caption and inserted text.
    static constexpr int FieldCount = 9;
    static QString fieldCaption(int index);
    static QString fieldText(int index);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    frmTextEditor();
    ~frmTextEditor() override;
    void buildMenus();
    void buildToolBar();
    void layoutControls();
    // Asks to save edits before the document goes; false when the user cancels.
    bool confirmDiscard();
    void showDocument(const QByteArray& content);
    bool writeFile(const QString& fileName, const QByteArray& bytes, QString& error);
    bool wholeSelection(const std::function<bool(const QTextCharFormat&)>& test) const;
    void mergeFormat(const QTextCharFormat& format);

    RtfTextEdit* rtfText_ = nullptr;
    QToolBar* tbToolBar_ = nullptr;
    QActionGroup* alignGroup_ = nullptr;
    QHash<QString, QAction*> buttons_;
    QAction* mnuPreview_ = nullptr;
    QAction* mnuPrint_ = nullptr;
    QString buffer_;
    QString tag_;
    bool inLayout_ = false;

    static QPointer<frmTextEditor> instance_;
};

} // namespace vandrel
