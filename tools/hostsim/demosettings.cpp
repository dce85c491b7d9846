#include "tools/hostsim/demosettings.h"

#include "app/core/privateprofile.h"
#include "hostlink/commsettings.h"
#include "tools/hostsim/hostsimulator.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace vandrel::hostsim {

bool writeDemoSettings(HostSimulator& simulator, const QString& windowsDir, QString* error)
{
    QDir().mkpath(windowsDir);
    const QString ini = QDir(windowsDir).filePath(QStringLiteral("VANDREL4.INI"));
    const QString section = QStringLiteral("Orbisnet");
    bool ok = PrivateProfile::writeString(section, QStringLiteral("TraceAddress"), simulator.traceAddress(), ini)
        && PrivateProfile::writeString(section, QStringLiteral("HostPort"), QString::number(simulator.tcpPort()), ini);
    if (ok && PrivateProfile::getString(section, QStringLiteral("CustomerNumber"), QString(), ini, 64).isEmpty())
        ok = PrivateProfile::writeString(section, QStringLiteral("CustomerNumber"), QStringLiteral("0012345"), ini);
    if (!ok) {
        if (error)
            *error = QStringLiteral("cannot write ") + ini;
        return false;
    }

    const QString set = QDir(windowsDir).filePath(QStringLiteral("VANDREL4.SET"));
    const SimConfig& config = simulator.config();
    if (QFile::exists(set) || config.accounts.isEmpty())
        return true;
    CommSettings settings;
    settings.setModemName(CommSettings::ViaInternet);
    settings.setTelephoneNumber(QStringLiteral("0201234567"));
    settings.setAccessCode(config.accounts.first().code);
    settings.setPrivateCode(config.accounts.first().privateCode);
    settings.setFileTransfer(QStringLiteral("OBXFER"));
    QSaveFile file(set);
    if (!file.open(QIODevice::WriteOnly) || file.write(commsettingsfile::serialize(settings)) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write ") + set;
        return false;
    }
    return true;
}

} // namespace vandrel::hostsim
