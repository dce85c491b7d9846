#include "app/mainmodule.h"

#include "app/core/commandline.h"
#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/locations.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "app/core/ui.h"
#include "app/startupform.h"

#include <QDateTime>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>

#include <filesystem>

namespace vandrel {

using namespace quickpak;

namespace {

const QString catalogDatabaseName = QStringLiteral("VD-CLNT4.MDB");
const QString ordersDatabaseName = QStringLiteral("VD-ORDR4.MDB");
const QString illustrationDatabaseName = QStringLiteral("VDCDROM4.MDB");

bool exists(const QString& name) { return Exist(name) == -1; }

QString withoutTrailingSeparator(QString dir)
{
    while (dir.size() > 1 && dir.endsWith(QDir::separator()))
        dir.chop(1);
    return dir;
}

// The part of the illustration directory that names the drive to put the CD-ROM in:
// the drive letter and colon on Windows; elsewhere the mount point, i.e. the directory
// above DIGITAL (or the directory itself).
QString driveOf(const QString& digitalFile)
{
#ifdef Q_OS_WIN
    return digitalFile.left(2);
#else
    QString dir = withoutTrailingSeparator(digitalFile);
    if (QFileInfo(dir).fileName().compare(QStringLiteral("DIGITAL"), Qt::CaseInsensitive) == 0)
        dir = QFileInfo(dir).path();
    return dir;
#endif
}

void showUpgradeFailure()
{
    const QString programDir = withoutTrailingSeparator(programState().programDirectory);
    msgBox(QStringLiteral("De upgrade van de software kan niet automatisch worden uitgevoerd. "
                          "Wellicht zijn niet alle gebruikers van de Vandrel Catalogus afgesloten. "
                          "Ook kan een anti-virusprogramma de werking blokkeren.") +
               QStringLiteral("\r\n\r\n") +
               QStringLiteral("Sluit alle programma's af en voer het programma \"") + programDir +
               QStringLiteral("\\Cdupdate.exe\" daarna uit."),
           MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Upgrade storing"));
}

QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(VANDREL_VERSION_MAJOR)
        .arg(VANDREL_VERSION_MINOR)
        .arg(VANDREL_VERSION_REVISION);
}

// "311.75": the remaining chunks with their fraction, whatever the regional settings.
QString countdownNumber(qint64 remaining)
{
    return QString::number(double(remaining) / 4096.0, 'g', 15);
}

} // namespace

QString installedProgramFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Vandrel Catalogus.exe");
#else
    return QStringLiteral("vandrel-catalogus");
#endif
}

QString installedProgramBackupName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Vandrel Catalogus.old");
#else
    return QStringLiteral("vandrel-catalogus.old");
#endif
}

bool isSelfUpgradeRun(const QString& programPath)
{
    return programPath.contains(QStringLiteral("cdupdate.exe"), Qt::CaseInsensitive);
}

StartupServices defaultStartupServices()
{
    StartupServices s;
    s.removableRoots = locations::removableRoots;
    s.startProgram = [](const QString& program) { return QProcess::startDetached(program, {}); };
    return s;
}

StartOutcome Initialise(const StartupServices& services)
{
    ProgramState& state = programState();
    state.programDirectory = AddBackslash(state.programDirectory.isEmpty()
                                              ? locations::programDirectory()
                                              : state.programDirectory);
    const QString programDir = state.programDirectory;
    DebugCheckpoint(QString());

    const bool settingsExist = exists(settingsFileName());
    if (settingsExist) {
        LoadSettings();
        pumpEvents();
    } else {
        state.productFile = programDir;
    }

    const QString catalogFile = state.productFile + catalogDatabaseName;
    const QString ordersFile = state.productFile + ordersDatabaseName;
    if (commandline::has(QStringLiteral("/DELETE"))) {
        if (exists(catalogFile))
            KillFile(catalogFile);
        if (exists(ordersFile))
            KillFile(ordersFile);
    }
    if (!exists(catalogFile) && services.buildCatalogDatabase) {
        services.buildCatalogDatabase(catalogFile);
        pumpEvents();
    }
    if (!exists(ordersFile) && services.buildOrdersDatabase) {
        services.buildOrdersDatabase(ordersFile);
        pumpEvents();
    }

    if (!settingsExist) {
        QString digital;
        const QStringList roots = services.removableRoots ? services.removableRoots() : QStringList();
        for (const QString& root : roots) {
            const QString dir = AddBackslash(root) + QStringLiteral("DIGITAL") + QDir::separator();
            if (exists(dir + illustrationDatabaseName)) {
                digital = dir;
                break;
            }
            pumpEvents();
        }
        if (digital.isEmpty()) {
            if (!exists(programDir + illustrationDatabaseName)) {
                msgBox(QStringLiteral("Er is geen CD-ROM apparaat of het CD-ROM artikelbestand "
                                      "gevonden. Installeer het programma opnieuw, of controleer "
                                      "de instellingen in \\WINDOWS\\VANDREL4.INI"),
                       MsgIcon::Critical);
                return StartOutcome::EndProgram;
            }
            digital = programDir;
        }
        state.digitalFile = digital;
        state.productFile = state.helpFile = state.indexFile = programDir;
        state.lastProducts = state.lastStocks = QStringLiteral("19010101");
        const QString illustrations = localPath(digital + illustrationDatabaseName);
        state.lastDigitals = exists(illustrations)
                                 ? QFileInfo(illustrations).lastModified().toString(QStringLiteral("yyyyMMdd"))
                                 : QStringLiteral("19010101");
        SaveSettings();
        appendIsamBlock();
        pumpEvents();
    }

    while (!exists(state.digitalFile + illustrationDatabaseName)) {
        const MsgAnswer answer =
            msgBox(QStringLiteral("Plaats de Vandrel Catalogus CD-ROM in drive ") +
                       driveOf(state.digitalFile) + QStringLiteral(" en kies OK om verder te gaan."),
                   MsgIcon::Warning, MsgButtons::OkCancel, QStringLiteral("Vandrel Catalogus"));
        if (answer != MsgAnswer::Ok)
            return StartOutcome::EndProgram;
    }
    return StartOutcome::Continue;
}

namespace {

// Copies the running file into fresh, a new file beside the installed one, in chunks of
// 4096 bytes with the countdown on the splash. False at the first failed read or write
// (fresh is then removed).
bool copyInChunks(StartUp& splash, const QString& runningFile, const QString& fresh)
{
    const qint64 size = FileSize(runningFile);
    if (size <= 0)
        return false;
    int source = 0;
    FOpenAll(runningFile, AccessRead, ShareCompatibility, source);
    if (DOSError())
        return false;
    FCreate(fresh);
    int destination = 0;
    if (!DOSError())
        FOpenAll(fresh, AccessWrite, ShareDenyWrite, destination);
    bool ok = !DOSError() && destination != 0;
    qint64 remaining = size;
    while (ok && remaining > 0) {
        splash.lblRelease()->setText(QStringLiteral("Countdown ") + countdownNumber(remaining));
        pumpEvents();
        QByteArray chunk(int(std::min<qint64>(remaining, 4096)), '\0');
        FGet(source, chunk);
        ok = !DOSError() && !chunk.isEmpty();
        if (ok) {
            FPut(destination, chunk);
            ok = !DOSError();
        }
        remaining -= chunk.size();
    }
    FClose(source);
    if (destination != 0)
        FClose(destination);
    ok = ok && FileSize(fresh) == size;
    if (!ok)
        KillFile(fresh);
    return ok;
}

} // namespace

// The installed program is replaced only by a complete copy, in one step: a failed read,
// write or rename leaves it as it was, and the user is told.
void SelfUpgrade(StartUp& splash, const QString& runningFile, const StartupServices& services)
{
    splash.lblTitel()->setText(QStringLiteral("Bezig met verwerken software upgrade, moment aub..."));
    pumpEvents();
    const QString programDir = programState().programDirectory;
    const QString target = programDir + installedProgramFileName();

    int copyError = 0;
    FCopy(target, programDir + installedProgramBackupName(), copyError);
    if (copyError > 0) {
        showUpgradeFailure();
        return;
    }

    const QString fresh = target + QStringLiteral(".nieuw");
    if (!copyInChunks(splash, runningFile, fresh)) {
        showUpgradeFailure();
        return;
    }
    // The installed file keeps being a program (its permissions), then the new one takes
    // its place in one step.
    QFile::setPermissions(fresh, QFile::permissions(target) | QFile::permissions(runningFile));
    std::error_code replaceError;
    std::filesystem::rename(std::filesystem::path(fresh.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), replaceError);
    if (replaceError) {
        KillFile(fresh);
        showUpgradeFailure();
        return;
    }

    FCreate(programDir + QStringLiteral("CDUPDATE.DEL"));

    msgBox(QStringLiteral("De software upgrade is voltooid. De nieuwe versie ") + versionText() +
               QStringLiteral(" is succesvol ge\u00efnstalleerd. Druk op 'OK' om de Vandrel "
                              "Catalogus opnieuw op te starten"),
           MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Installatie gereed"));
    if (services.startProgram && !services.startProgram(target))
        msgBox(QStringLiteral("De nieuwe versie is ge\u00efnstalleerd, maar kan niet worden gestart. Start \"") +
                   QDir::toNativeSeparators(target) + QStringLiteral("\" zelf opnieuw."),
               MsgIcon::Warning, MsgButtons::Ok, QStringLiteral("Installatie gereed"));
}

StartOutcome Main(StartUp& splash, const StartupServices& services, QWidget** mainWindow)
{
    if (mainWindow)
        *mainWindow = nullptr;
    if (programState().programDirectory.isEmpty())
        programState().programDirectory = locations::programDirectory();
    splash.show();
    if (!splash.load(services.startProgram))
        return StartOutcome::EndProgram;
    pumpEvents();
    if (Initialise(services) == StartOutcome::EndProgram)
        return StartOutcome::EndProgram;
    const QString running = locations::programPath();
    if (isSelfUpgradeRun(running)) {
        SelfUpgrade(splash, running, services);
        return StartOutcome::EndProgram;
    }
    QWidget* window = services.openMainWindow ? services.openMainWindow() : nullptr;
    if (mainWindow)
        *mainWindow = window;
    return window ? StartOutcome::Continue : StartOutcome::EndProgram;
}

} // namespace vandrel
