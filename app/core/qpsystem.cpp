// System readings, mapped onto what Linux can tell.

#include "app/core/locations.h"
#include "app/core/quickpak.h"

#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace vandrel::quickpak {
namespace {

struct MemoryReading {
    qint64 total = 0;
    qint64 available = 0;
};

// From /proc/meminfo; MemFree stands in for MemAvailable on kernels without it.
MemoryReading readMemory()
{
    MemoryReading reading;
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return reading;
    qint64 free = -1;
    qint64 available = -1;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        const qint64 kb = fields.at(1).toLongLong();
        if (fields.at(0) == "MemTotal:")
            reading.total = kb * 1024;
        else if (fields.at(0) == "MemAvailable:")
            available = kb * 1024;
        else if (fields.at(0) == "MemFree:")
            free = kb * 1024;
    }
    reading.available = available >= 0 ? available : qMax<qint64>(free, 0);
    return reading;
}

} // namespace

QString WinDir()
{
    return locations::windowsDirectory();
}

QString ExeName()
{
    return locations::programPath();
}

qint64 DiskRoom(const QString& path)
{
    QString at = localPath(path.isEmpty() ? QStringLiteral(".") : path);
    // A file that does not exist yet lives on the file system of its nearest folder.
    while (!QFileInfo::exists(at)) {
        const QString parent = QFileInfo(at).absolutePath();
        if (parent == QFileInfo(at).absoluteFilePath())
            break;
        at = parent;
    }
    struct statvfs vfs {};
    if (::statvfs(QFile::encodeName(at).constData(), &vfs) != 0)
        return -1;
    // f_bavail: what an ordinary user may still write, not the root reserve.
    return static_cast<qint64>(vfs.f_bavail) * static_cast<qint64>(vfs.f_frsize);
}

qint64 Fre(int which)
{
    Q_UNUSED(which)
    return readMemory().available;
}

int GetCPU()
{
#if defined(__i386__) || defined(__x86_64__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return 486; // no CPUID: a 486 or older
    unsigned family = (eax >> 8) & 0xF;
    if (family == 0xF)
        family += (eax >> 20) & 0xFF;
    if (family <= 3)
        return 386;
    if (family == 4)
        return 486;
    if (family == 5)
        return 586;
    return 686; // P6 and everything after it, 64-bit processors included
#elif defined(__mips__)
    return 4000;
#elif defined(__alpha__)
    return 21064;
#elif defined(__powerpc__) || defined(__powerpc64__)
    return 601;
#elif defined(__aarch64__)
    return 8;
#elif defined(__arm__) && defined(__ARM_ARCH)
    return __ARM_ARCH;
#else
    return 0;
#endif
}

int GetSystemResources()
{
    const MemoryReading memory = readMemory();
    if (memory.total <= 0)
        return 0;
    return static_cast<int>(memory.available * 100 / memory.total);
}

int Trapint(int value, int low, int high)
{
    if (value > high)
        value = high;
    if (value < low)
        value = low;
    return value;
}

} // namespace vandrel::quickpak
