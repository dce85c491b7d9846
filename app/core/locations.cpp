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

QStringList removableRoots()
{
    QStringList roots;
#ifdef Q_OS_WIN
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        roots << QStringLiteral("%1:\\").arg(QLatin1Char(letter));
#else
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
    QStringList bases;
    if (!user.isEmpty())
        bases << QStringLiteral("/media/") + user << QStringLiteral("/run/media/") + user;
    bases << QStringLiteral("/media") << QStringLiteral("/mnt");
    for (const QString& base : bases) {
        const QStringList names =
            QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            const QString root = base + QLatin1Char('/') + name + QLatin1Char('/');
            if (!roots.contains(root))
                roots << root;
        }
    }
#endif
    return roots;
}

} // namespace vandrel::locations
