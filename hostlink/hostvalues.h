#pragma once

#include <QString>

namespace vandrel {

// The installation's values of the host service, section "Orbisnet" of VANDREL4.INI.
// Missing keys are written with their defaults on first use, so a user finds them.
struct HostValues {
    // The page that names the host's address (its text holds "TraceRoute:" + address).
    QString traceAddress = QStringLiteral("http://www.orbisnet.nl/traceip.html");
    quint16 hostPort = 5388;
    QString customerNumber = QStringLiteral("0000000");
    QString userNumber = QStringLiteral("0000000");
    // The two numbers after "TM TO ": order intake, and restart after an order error.
    QString orderIntake = QStringLiteral("5388100");
    QString orderRestart = QStringLiteral("5388101");
    QString supportAddress = QStringLiteral("http://www.orbisnet.nl/support.html");

    // The web host of the trace page ("www.orbisnet.nl"), as messages name the service.
    QString webHost() const;

    // Reads the section of the given settings file (the program's VANDREL4.INI when
    // empty), writing every missing key with its default.
    static HostValues load(const QString& iniFile = QString());
    // Writes the user number back (FrmSettings keeps it equal to the saved access code).
    static bool saveUserNumber(const QString& userNumber, const QString& iniFile = QString());
};

} // namespace vandrel
