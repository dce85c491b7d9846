#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace vandrel {

class StartUp;

// What start-up needs from the rest of the program; tests put their own in.
struct StartupServices {
    // Roots searched for DIGITAL/VDCDROM4.MDB at the first start, in order.
    std::function<QStringList()> removableRoots;
    // Build a missing database (file name given); their messages are their own.
    std::function<void(const QString& fileName)> buildCatalogDatabase;
    std::function<void(const QString& fileName)> buildOrdersDatabase;
    // Starts a program file detached (normal window); true when it started.
    std::function<bool(const QString& program)> startProgram;
    // Loads and shows the main window; it owns the rest of the run.
    std::function<QWidget*()> openMainWindow;
};

StartupServices defaultStartupServices();

// The program file the self-upgrade replaces, and its backup, in the program directory.
QString installedProgramFileName();
QString installedProgramBackupName();

// The running program is a downloaded new version to install.
bool isSelfUpgradeRun(const QString& programPath);

enum class StartOutcome { Continue, EndProgram };

// Finds the data, builds missing databases and writes the first settings file.
StartOutcome Initialise(const StartupServices& services);

// Replaces the installed program file with the running one; always ends the program.
void SelfUpgrade(StartUp& splash, const QString& runningFile, const StartupServices& services);

// The start routine: splash, initialisation, then self-upgrade or the main window.
// EndProgram when the program ends before the main window opens.
StartOutcome Main(StartUp& splash, const StartupServices& services, QWidget** mainWindow);

} // namespace vandrel
