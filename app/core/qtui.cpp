#include "app/core/qtui.h"

#include "app/core/apptitle.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vandrel {

namespace {

struct ButtonSpec {
    QMessageBox::StandardButton button;
    MsgAnswer answer;
};

QList<ButtonSpec> buttonsFor(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return {{QMessageBox::Ok, MsgAnswer::Ok}};
    case MsgButtons::OkCancel:
        return {{QMessageBox::Ok, MsgAnswer::Ok}, {QMessageBox::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::YesNo:
        return {{QMessageBox::Yes, MsgAnswer::Yes}, {QMessageBox::No, MsgAnswer::No}};
    case MsgButtons::YesNoCancel:
        return {{QMessageBox::Yes, MsgAnswer::Yes},
                {QMessageBox::No, MsgAnswer::No},
                {QMessageBox::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::RetryCancel:
        return {{QMessageBox::Retry, MsgAnswer::Retry}, {QMessageBox::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::AbortRetryIgnore:
        return {{QMessageBox::Abort, MsgAnswer::Abort},
                {QMessageBox::Retry, MsgAnswer::Retry},
                {QMessageBox::Ignore, MsgAnswer::Ignore}};
    }
    return {{QMessageBox::Ok, MsgAnswer::Ok}};
}

// Dutch captions; the standard buttons otherwise follow the system's translation.
QString dutchCaption(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok: return QStringLiteral("OK");
    case QMessageBox::Cancel: return QStringLiteral("Annuleren");
    case QMessageBox::Yes: return QStringLiteral("&Ja");
    case QMessageBox::No: return QStringLiteral("&Nee");
    case QMessageBox::Retry: return QStringLiteral("&Opnieuw");
    case QMessageBox::Abort: return QStringLiteral("&Afbreken");
    case QMessageBox::Ignore: return QStringLiteral("&Negeren");
    default: return QString();
    }
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QWidget* dialogParent() { return QApplication::activeWindow(); }

} // namespace

MsgAnswer QtUi::message(const Message& m)
{
    QMessageBox box(dialogParent());
    box.setWindowTitle(m.title.isEmpty() ? AppTitle::current() : m.title);
    box.setText(m.text);
    box.setIcon(qtIcon(m.icon));
    const QList<ButtonSpec> specs = buttonsFor(m.buttons);
    QList<QPushButton*> pushButtons;
    for (const ButtonSpec& spec : specs) {
        QPushButton* b = box.addButton(spec.button);
        b->setText(dutchCaption(spec.button));
        pushButtons << b;
    }
    const int def = std::clamp(m.defaultButton, 0, int(pushButtons.size()) - 1);
    box.setDefaultButton(pushButtons[def]);
    // Escape answers Cancel (or No) where the buttons have one, as the platform's boxes do.
    for (qsizetype i = 0; i < specs.size(); ++i) {
        if (specs[i].answer == MsgAnswer::Cancel ||
            (specs[i].answer == MsgAnswer::No && m.buttons == MsgButtons::YesNo))
            box.setEscapeButton(pushButtons[i]);
    }
    if (specs.size() == 1)
        box.setEscapeButton(pushButtons[0]);
    box.exec();
    for (qsizetype i = 0; i < specs.size(); ++i) {
        if (box.clickedButton() == pushButtons[i])
            return specs[i].answer;
    }
    return specs.size() == 1 ? specs[0].answer : MsgAnswer::Cancel;
}

std::optional<QString> QtUi::inputBox(const QString& prompt, const QString& title,
                                      const QString& defaultText)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuleren"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtUi::openFileName(const FileDialogRequest& r)
{
    const QString start = r.fileName.isEmpty() ? r.directory : r.directory + r.fileName;
    const QString name =
        QFileDialog::getOpenFileName(dialogParent(), r.title, start, qtFileFilter(r.filter));
    if (name.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(name);
}

std::optional<QStringList> QtUi::openFileNames(const FileDialogRequest& r)
{
    // A wildcard name only repeats the filter: start in the folder.
    const QString start = r.fileName.isEmpty() || r.fileName.contains(QLatin1Char('*')) ? r.directory
                                                                                         : r.directory + r.fileName;
    const QStringList names =
        QFileDialog::getOpenFileNames(dialogParent(), r.title, start, qtFileFilter(r.filter));
    if (names.isEmpty())
        return std::nullopt;
    QStringList native;
    for (const QString& name : names)
        native << QDir::toNativeSeparators(name);
    return native;
}

std::optional<QString> QtUi::saveFileName(const FileDialogRequest& r)
{
    const QString start = r.fileName.isEmpty() ? r.directory : r.directory + r.fileName;
    const QString name =
        QFileDialog::getSaveFileName(dialogParent(), r.title, start, qtFileFilter(r.filter));
    if (name.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(name);
}

} // namespace vandrel
