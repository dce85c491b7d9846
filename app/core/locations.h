#pragma once

#include <QString>
#include <QStringList>

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

// Where a CD-ROM with the illustration database may be mounted, in search order, each
// ending in the native separator: the drive letters C to Z on Windows; elsewhere the
// mount points under /media/<user>, /run/media/<user>, /media and /mnt, in name order.
QStringList removableRoots();

} // namespace locations
} // namespace vandrel
