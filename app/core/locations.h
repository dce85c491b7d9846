#pragma once

#include <QString>

namespace vandrel {

// Where the program's fixed places are on this platform.
namespace locations {

// The "Windows directory": where VANDREL4.INI and VANDREL4.SET live.
// $VANDREL_WINDIR when set, else the per-user configuration folder; created when missing.
// Ends without a separator, as the platform's own call returns it.
QString windowsDirectory();

// Directory of the running executable, ending in the native separator.
QString programDirectory();

// Full path of the running executable.
QString programPath();

} // namespace locations
} // namespace vandrel
