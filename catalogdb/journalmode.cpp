#include "catalogdb/journalmode.h"

#include <QDir>
#include <QFileInfo>

#if defined(Q_OS_LINUX)
#include <sys/vfs.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace vandrel {

bool isNetworkFileSystemType(qint64 magic)
{
    switch (quint32(magic)) {
    case 0x6969u:     // NFS
    case 0x517Bu:     // SMB
    case 0xFF534D42u: // CIFS
    case 0xFE534D42u: // SMB2
    case 0x564Cu:     // NCP
    case 0x73757245u: // Coda
    case 0x5346414Fu: // AFS
    case 0x6B414653u: // kAFS
    case 0x01021997u: // 9P
    case 0x00C36400u: // Ceph
    case 0x0BD00BD0u: // Lustre
    case 0x01161970u: // GFS2 (shared between hosts)
    case 0x7461636Fu: // OCFS2 (shared between hosts)
    case 0x65735546u: // FUSE (sshfs, glusterfs, ...)
        return true;
    default:
        return false;
    }
}

JournalMode journalModeFor(const QString& databaseFile)
{
    // The file may not exist yet: its directory decides.
    const QString dir = QFileInfo(databaseFile).absolutePath();
#if defined(Q_OS_LINUX)
    struct statfs fs {};
    if (::statfs(QFile::encodeName(dir).constData(), &fs) != 0)
        return JournalMode::RollbackJournal; // unknown: the choice that is safe everywhere
    return isNetworkFileSystemType(qint64(fs.f_type)) ? JournalMode::RollbackJournal : JournalMode::WriteAheadLog;
#elif defined(Q_OS_WIN)
    const QString native = QDir::toNativeSeparators(dir);
    if (native.startsWith(QLatin1String("\\\\")))
        return JournalMode::RollbackJournal; // a UNC share
    const QString root = native.left(3); // "X:\"
    const UINT type = GetDriveTypeW(reinterpret_cast<LPCWSTR>(root.utf16()));
    return type == DRIVE_REMOTE ? JournalMode::RollbackJournal : JournalMode::WriteAheadLog;
#else
    Q_UNUSED(dir);
    return JournalMode::RollbackJournal;
#endif
}

} // namespace vandrel
