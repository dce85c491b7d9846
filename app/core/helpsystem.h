#pragma once

#include <QString>

#include <functional>

class QUrl;
class QWidget;

namespace vandrel {

class HelpLibrary;

// The program's help: the Dutch help book shipped with the program and the wholesaler's
// delivered pages, shown in the program's help window (HelpWindow). The books are found
// from the HelpFile folder and the program directory (HelpLibrary::find); when there is
// none, the user is told so.

// Opens a topic number of the delivered help. helpFile: the application's help file,
// whose folder is the HelpFile folder. A missing book or topic gets a message.
void showHelpTopic(const QString& helpFile, int contextNumber);
// "Inhouds&opgave": the help window on the contents.
void showHelpContents();
// "&Zoeken...": the help window on its full-text search.
void showHelpSearch();
// A page of the program's book by its file name (for example "bestellingen.html").
void showHelpPage(const QString& page);

// The page F1 opens while window (or any of its children) is active. The program's
// windows are known by their object names (FrmBestel, FrmOfferte, ...); another window
// names its page here. Without one F1 opens the contents.
void setHelpPage(QWidget* window, const QString& page);
QString helpPageOf(const QWidget* widget);
// Makes F1 open the active window's page, program-wide; calling it again does nothing.
void installHelpKey();

// Hands an address to the desktop's browser; false when none took it.
using UrlOpener = std::function<bool(const QUrl&)>;
// QDesktopServices::openUrl.
UrlOpener desktopUrlOpener();

// "&On-line support...": the support address through open (the desktop's browser);
// without one, the help book's own support page. A browser that cannot be started gets
// a message naming the address.
void showSupportPage(const QString& supportAddress, const UrlOpener& open);

// The books as the program finds them now.
HelpLibrary programHelpLibrary();

} // namespace vandrel
