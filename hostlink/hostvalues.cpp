#include "hostlink/hostvalues.h"

#include "app/core/privateprofile.h"
#include "app/core/settings.h"

#include <QUrl>

namespace vandrel {
namespace {

const QString section = QStringLiteral("Orbisnet");

QString readOrCreate(const QString& key, const QString& fallback, const QString& file)
{
    // A marker no user types tells "missing" from "empty on purpose".
    static const QString missing = QStringLiteral("\x01missing\x01");
    const QString value = PrivateProfile::getString(section, key, missing, file);
    if (value != missing)
        return value;
    PrivateProfile::writeString(section, key, fallback, file);
    return fallback;
}

} // namespace

QString HostValues::webHost() const
{
    const QUrl url(traceAddress);
    return url.host().isEmpty() ? traceAddress : url.host();
}

HostValues HostValues::load(const QString& iniFile)
{
    const QString file = iniFile.isEmpty() ? settingsFileName() : iniFile;
    HostValues v;
    v.traceAddress = readOrCreate(QStringLiteral("TraceAddress"), v.traceAddress, file);
    bool ok = false;
    const uint port = readOrCreate(QStringLiteral("HostPort"), QString::number(v.hostPort), file).toUInt(&ok);
    if (ok && port > 0 && port < 65536)
        v.hostPort = quint16(port);
    v.customerNumber = readOrCreate(QStringLiteral("CustomerNumber"), v.customerNumber, file);
    v.userNumber = readOrCreate(QStringLiteral("UserNumber"), v.userNumber, file);
    v.orderIntake = readOrCreate(QStringLiteral("OrderIntake"), v.orderIntake, file);
    v.orderRestart = readOrCreate(QStringLiteral("OrderRestart"), v.orderRestart, file);
    v.supportAddress = readOrCreate(QStringLiteral("SupportAddress"), v.supportAddress, file);
    return v;
}

bool HostValues::saveUserNumber(const QString& userNumber, const QString& iniFile)
{
    const QString file = iniFile.isEmpty() ? settingsFileName() : iniFile;
    return PrivateProfile::writeString(section, QStringLiteral("UserNumber"), userNumber, file);
}

} // namespace vandrel
