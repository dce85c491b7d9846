#pragma once

#include <QString>
#include <QtGlobal>

namespace vandrel::infotexts {

// The machine facts InfoForm shows, read once when it loads.
struct SystemReadings {
    QString osName;       // "Linux"
    QString osVersion;    // "6.1"
    QString osBuild;      // "0-18-amd64"
    qint64 diskRoom = -1; // free bytes where the program lives; -1 unknown
    qint64 freeMemory = 0;
    int cpu = 0;
    int resources = 0;

    static SystemReadings current();
};

// "Vandrel Interactieve Catalogus, Versie 4.0, Revisie 1"
QString versionText(int major, int minor, int revision);
QString versionText(); // of this build
// "<percent> % vrij"
QString resourcesText(int percent);
// Bytes / 1024, fraction dropped, + " Kb vrij".
QString memoryText(qint64 freeBytes);
// "<name>, ver. <version>, build <build>"
QString osText(const QString& name, const QString& version, const QString& build);
// The name for a Windows platform code (0 Win32s, 1 Windows 95, 2 Windows NT).
QString windowsPlatformName(int platformCode);
// A 32-bit count read as negative gets 4294967296 back; bytes / 1024000 rounded,
// + " Mb vrij".
QString diskText(qint64 freeBytes);
// The processor name for a GetCPU code, tested in the table's order.
QString processorText(int cpuCode);

// Splits a kernel release ("6.1.0-18-amd64") into version ("6.1") and build
// ("0-18-amd64"); a release without more than major.minor has build "0".
void splitKernelRelease(const QString& release, QString& version, QString& build);

} // namespace vandrel::infotexts
