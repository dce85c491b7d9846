#pragma once

#include <QStringList>

class QTranslator;

namespace vandrel {

// Installs Qt's own Dutch translations (qtbase_nl.qm: the context menus of text boxes,
// the standard dialog buttons, the print and file dialogs) for the whole program. The
// files come with the system's Qt (Debian: qt6-translations-l10n); a copy in the
// "translations" folder beside the program is taken first. The translator installed (owned
// by the application), or nullptr when none was found: Qt's texts then stay English.
QTranslator* installQtTranslations();

// Where installQtTranslations() looks, in order.
QStringList qtTranslationFolders();

} // namespace vandrel
