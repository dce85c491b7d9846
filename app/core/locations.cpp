#include "app/core/locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace vandrel::locations {

QString windowsDirectory()
{
    QString dir = qEnvironmentVariable("VANDREL_WINDIR");
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
              QStringLiteral("/Vandrel");
    }
    QDir().mkpath(dir);
    dir = QDir::toNativeSeparators(QDir::cleanPath(dir));
    while (dir.size() > 1 && dir.endsWith(QDir::separator()))
        dir.chop(1);
    return dir;
}

QString programDirectory()
{
    QString dir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

QString programPath()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

} // namespace vandrel::locations
