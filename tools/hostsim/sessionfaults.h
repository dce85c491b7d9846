#pragma once

#include "tools/hostsim/simconfig.h"

namespace vandrel::hostsim {

// The faults of the order and update commands and of OB-XFER (see SessionScript).
QList<Fault> sessionFaults();

} // namespace vandrel::hostsim
