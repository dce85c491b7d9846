#pragma once

#include <QString>

namespace vandrel::hostsim {

class HostSimulator;

// Points the demo installation whose Windows directory is windowsDir at a running
// simulator: the "Orbisnet" section of VANDREL4.INI gets the trace page and port
// (every start: the ports are new each time), the customer number when none is set,
// and VANDREL4.SET (internet, the first account's codes, OB-XFER) when there is none,
// so settings the user changed are kept. False with a reason when a file cannot be
// written.
bool writeDemoSettings(HostSimulator& simulator, const QString& windowsDir, QString* error);

} // namespace vandrel::hostsim
