#pragma once

#include "app/core/helpsystem.h"

namespace vandrel {

// "&On-line support...": the installation's SupportAddress (section "Orbisnet" of the
// settings file iniFile, the program's VANDREL4.INI when empty) opened through open;
// an address left empty shows the help book's support page instead.
void openSupportAddress(const UrlOpener& open, const QString& iniFile = QString());

} // namespace vandrel
