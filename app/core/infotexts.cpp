#include "app/core/infotexts.h"

#include "app/core/quickpak.h"

#include <QRegularExpression>
#include <QSysInfo>

#include <cmath>

#ifndef VANDREL_VERSION_MAJOR
#error "vandrel_core defines the version numbers"
#endif

namespace vandrel::infotexts {

SystemReadings SystemReadings::current()
{
    using namespace quickpak;
    SystemReadings r;
    const QString kernel = QSysInfo::kernelType();
    if (kernel == QLatin1String("winnt")) {
        r.osName = windowsPlatformName(2);
    } else if (kernel == QLatin1String("linux")) {
        r.osName = QStringLiteral("Linux");
    } else {
        r.osName = kernel.left(1).toUpper() + kernel.mid(1);
    }
    splitKernelRelease(QSysInfo::kernelVersion(), r.osVersion, r.osBuild);
    r.diskRoom = DiskRoom(ExeName());
    r.freeMemory = Fre(-1);
    r.cpu = GetCPU();
    r.resources = GetSystemResources();
    return r;
}

QString versionText(int major, int minor, int revision)
{
    return QStringLiteral("Vandrel Interactieve Catalogus, Versie %1.%2, Revisie %3")
        .arg(major)
        .arg(minor)
        .arg(revision);
}

QString versionText()
{
    return versionText(VANDREL_VERSION_MAJOR, VANDREL_VERSION_MINOR, VANDREL_VERSION_REVISION);
}

QString resourcesText(int percent)
{
    return QString::number(percent) + QStringLiteral(" % vrij");
}

QString memoryText(qint64 freeBytes)
{
    return QString::number(freeBytes / 1024) + QStringLiteral(" Kb vrij");
}

QString osText(const QString& name, const QString& version, const QString& build)
{
    return name + QStringLiteral(", ver. ") + version + QStringLiteral(", build ") + build;
}

QString windowsPlatformName(int platformCode)
{
    switch (platformCode) {
    case 0:
        return QStringLiteral("Unidentified Win32s");
    case 1:
        return QStringLiteral("Windows 95");
    case 2:
        return QStringLiteral("Windows NT");
    default:
        return QString();
    }
}

QString diskText(qint64 freeBytes)
{
    if (freeBytes < 0)
        freeBytes += 4294967296LL;
    const auto megabytes = std::llround(static_cast<double>(freeBytes) / 1024000.0);
    return QString::number(megabytes) + QStringLiteral(" Mb vrij");
}

QString processorText(int cpuCode)
{
    const QString code = QString::number(cpuCode);
    if (cpuCode == 386 || cpuCode == 486)
        return QStringLiteral("Intel 80") + code;
    if (cpuCode == 586)
        return QStringLiteral("Intel Pentium");
    if (cpuCode == 860)
        return QStringLiteral("Inter Pentium Pro");
    if (cpuCode >= 2000 && cpuCode <= 9000)
        return QStringLiteral("MIPS R") + code;
    if (cpuCode == 21064)
        return QStringLiteral("Alpha 21064");
    if (cpuCode >= 601 && cpuCode <= 680)
        return QStringLiteral("Power PC, model ") + code;
    return QStringLiteral("Compatibel, type ") + code;
}

void splitKernelRelease(const QString& release, QString& version, QString& build)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d+\\.\\d+)(?:[.\\-+_~](.*))?"));
    const QRegularExpressionMatch m = shape.match(release);
    if (!m.hasMatch()) {
        version = release.isEmpty() ? QStringLiteral("0") : release;
        build = QStringLiteral("0");
        return;
    }
    version = m.captured(1);
    build = m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2);
}

} // namespace vandrel::infotexts
