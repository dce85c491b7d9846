#include "app/core/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vandrel {

QStringList qtTranslationFolders()
{
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QTranslator* installQtTranslations()
{
    // The program's texts are Dutch whatever the system's language, so Qt's are too.
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    for (const QString& folder : qtTranslationFolders()) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(dutch, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator))
            return translator;
        delete translator;
    }
    return nullptr;
}

} // namespace vandrel
