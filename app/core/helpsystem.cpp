#include "app/core/helpsystem.h"

#include "app/core/quickpak.h"
#include "app/core/ui.h"

#include <QDesktopServices>
#include <QUrl>

namespace vandrel {

void showHelpTopic(const QString& helpFile, int)
{
    const QString file = quickpak::localPath(helpFile);
    if (quickpak::Exist(file) != -1) {
        msgBox(QStringLiteral("Het helpbestand \"") + helpFile + QStringLiteral("\" is niet gevonden."),
               MsgIcon::Warning);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        msgBox(QStringLiteral("Er is geen programma gevonden om het helpbestand \"") + helpFile +
                   QStringLiteral("\" te openen."),
               MsgIcon::Warning);
}

} // namespace vandrel
