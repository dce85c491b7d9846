#include "app/core/helpsystem.h"

#include "app/core/helpbook.h"
#include "app/core/helpwindow.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "app/core/ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QUrl>

namespace vandrel {

namespace {

const char* const pageProperty = "vandrelHelpPage";

QString helpFolder()
{
    return programState().helpFile;
}

HelpLibrary libraryFor(const QString& folder)
{
    return HelpLibrary::find(quickpak::localPath(folder),
                             programState().programDirectory.isEmpty()
                                 ? QCoreApplication::applicationDirPath()
                                 : quickpak::localPath(programState().programDirectory));
}

void missingBook(const QString& folder)
{
    msgBox(QStringLiteral("Het helpbestand is niet gevonden (gezocht in \"") +
               QDir::toNativeSeparators(folder) + QStringLiteral("\" en bij het programma)."),
           MsgIcon::Warning);
}

// The one help window; made over the books found at its first use.
HelpWindow* window(const HelpLibrary& library)
{
    if (HelpWindow* w = HelpWindow::existing())
        return w;
    return HelpWindow::instance(library);
}

class HelpKeyFilter final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
            static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        if (widget->window() == HelpWindow::existing())
            return true; // F1 in the help itself: nothing new to show
        showHelpPage(helpPageOf(widget));
        return true;
    }
};

} // namespace

HelpLibrary programHelpLibrary()
{
    return libraryFor(helpFolder());
}

void showHelpTopic(const QString& helpFile, int contextNumber)
{
    const QString folder =
        helpFile.isEmpty() ? helpFolder() : QFileInfo(QDir::fromNativeSeparators(helpFile)).path();
    const HelpLibrary library = libraryFor(folder);
    if (library.isEmpty()) {
        missingBook(folder);
        return;
    }
    const QString path = library.topicPath(contextNumber);
    if (path.isEmpty()) {
        msgBox(QStringLiteral(
                   "Het helponderwerp %1 is niet gevonden. De helpinformatie van de groothandel "
                   "ontbreekt of is onvolledig.")
                   .arg(contextNumber),
               MsgIcon::Warning);
        return;
    }
    window(library)->showPage(path);
}

void showHelpContents()
{
    showHelpPage(QString());
}

void showHelpPage(const QString& page)
{
    const HelpLibrary library = programHelpLibrary();
    if (library.isEmpty()) {
        missingBook(helpFolder());
        return;
    }
    QString path = page.isEmpty() ? QString() : library.pagePath(page);
    if (path.isEmpty())
        path = library.books().first().path(library.books().first().startPage());
    window(library)->showPage(path);
}

void showHelpSearch()
{
    const HelpLibrary library = programHelpLibrary();
    if (library.isEmpty()) {
        missingBook(helpFolder());
        return;
    }
    window(library)->showSearch();
}

void setHelpPage(QWidget* window, const QString& page)
{
    window->setProperty(pageProperty, page);
}

QString helpPageOf(const QWidget* widget)
{
    // The program's windows by their names (letter case ignored), so each finds its page
    // without code of its own.
    static const QHash<QString, QString> byWindow = [] {
        const QHash<QString, QString> names = {
            {QStringLiteral("FrmArtinfo"), QStringLiteral("hoofdvenster.html")},
            {QStringLiteral("DigiForm"), QStringLiteral("details.html")},
            {QStringLiteral("DrawForm"), QStringLiteral("details.html")},
            {QStringLiteral("KlasseForm"), QStringLiteral("zoeken.html")},
            {QStringLiteral("frmKleuren"), QStringLiteral("zoeken.html")},
            {QStringLiteral("frmRapport"), QStringLiteral("lijst-afdrukken.html")},
            {QStringLiteral("FrmBestel"), QStringLiteral("bestellingen.html")},
            {QStringLiteral("FrmOfferte"), QStringLiteral("offertes.html")},
            {QStringLiteral("frmOffParam"), QStringLiteral("afdrukopties.html")},
            {QStringLiteral("frmTextEditor"), QStringLiteral("afdrukopties.html")},
            {QStringLiteral("FrmSettings"), QStringLiteral("modeminstelling.html")},
            {QStringLiteral("BBS"), QStringLiteral("bestelling-verzenden.html")},
        };
        QHash<QString, QString> lower;
        for (auto it = names.begin(); it != names.end(); ++it)
            lower.insert(it.key().toLower(), it.value());
        return lower;
    }();
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant page = w->property(pageProperty);
        if (page.isValid() && !page.toString().isEmpty())
            return page.toString();
        if (const auto it = byWindow.constFind(w->objectName().toLower());
            it != byWindow.constEnd())
            return *it;
    }
    return QString();
}

void installHelpKey()
{
    static HelpKeyFilter* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new HelpKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

UrlOpener desktopUrlOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void showSupportPage(const QString& supportAddress, const UrlOpener& open)
{
    const QUrl url = QUrl::fromUserInput(supportAddress.trimmed());
    if (!supportAddress.trimmed().isEmpty() && url.isValid()) {
        if (!open || !open(url))
            msgBox(QStringLiteral("Er is geen webbrowser gevonden om de ondersteuningspagina \"") +
                       supportAddress + QStringLiteral("\" te openen."),
                   MsgIcon::Warning);
        return;
    }
    showHelpPage(QStringLiteral("ondersteuning.html"));
}

} // namespace vandrel
