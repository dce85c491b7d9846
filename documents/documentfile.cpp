#include "documents/documentfile.h"

#include "app/core/quickpak.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vandrel {

namespace fe = quickpak::fileerror;

DocumentFile::~DocumentFile()
{
    release();
}

void DocumentFile::release()
{
    if (handle_)
        quickpak::FClose(handle_);
    handle_ = 0;
    path_.clear();
}

bool DocumentFile::open(const QString& path, QByteArray& content, int& errorNumber)
{
    release();
    content.clear();
    int handle = 0;
    quickpak::FOpenAll(path, quickpak::AccessReadWrite, quickpak::ShareDenyWrite, handle);
    if (quickpak::DOSError() || handle == 0) {
        errorNumber = quickpak::WhichError();
        if (errorNumber == fe::None)
            errorNumber = fe::DeviceIoError;
        return false;
    }
    const qint64 length = quickpak::FLof(handle);
    quickpak::FSeek(handle, 0);
    QByteArray bytes(qsizetype(std::max<qint64>(0, length)), '\0');
    if (!bytes.isEmpty())
        quickpak::FGet(handle, bytes);
    if (quickpak::DOSError() && quickpak::WhichError() != fe::InputPastEnd) {
        errorNumber = quickpak::WhichError();
        quickpak::FClose(handle);
        return false;
    }
    quickpak::FSeek(handle, 0);
    handle_ = handle;
    path_ = path;
    content = bytes;
    errorNumber = fe::None;
    return true;
}

bool DocumentFile::save(const QString& path, const QByteArray& content, int& errorNumber)
{
    // Our own hold goes first, as the window lets go of its file before saving. Then the
    // target is held by this save: a file another window holds cannot be replaced, and
    // nobody takes it while the new content is written.
    release();
    int guard = 0;
    if (quickpak::Exist(path)) {
        quickpak::FOpenAll(path, quickpak::AccessReadWrite, quickpak::ShareDenyWrite, guard);
        if (quickpak::DOSError() || guard == 0) {
            errorNumber = quickpak::WhichError() ? quickpak::WhichError() : fe::PermissionDenied;
            return false;
        }
    }
    errorNumber = replaceFile(path, content);
    if (guard)
        quickpak::FClose(guard);
    if (errorNumber != fe::None)
        return false;
    int handle = 0;
    quickpak::FOpenAll(path, quickpak::AccessReadWrite, quickpak::ShareDenyWrite, handle);
    if (handle) {
        handle_ = handle;
        path_ = path;
    }
    // Not holding it again is no failure of the save: the content is on the disk.
    return true;
}

#ifdef Q_OS_WIN

int DocumentFile::replaceFile(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fe::PathFileAccessError;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return fe::DiskFull;
    }
    return file.commit() ? fe::None : fe::DeviceIoError;
}

#else

namespace {

int fileError(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return fe::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return fe::PathFileAccessError;
    case ENOENT:
    case ENOTDIR:
        return fe::PathNotFound;
    case ENAMETOOLONG:
        return fe::BadFileName;
    case EMFILE:
    case ENFILE:
        return fe::TooManyFiles;
    case ENXIO:
    case ENODEV:
        return fe::DeviceUnavailable;
    default:
        return fe::DeviceIoError;
    }
}

} // namespace

int DocumentFile::replaceFile(const QString& path, const QByteArray& content)
{
    const QString target = quickpak::localPath(path);
    const QFileInfo info(target);
    if (info.fileName().isEmpty())
        return fe::BadFileName;
    const QByteArray finalName = QFile::encodeName(target);
    QByteArray tempName =
        QFile::encodeName(info.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + info.fileName()) +
        ".XXXXXX";
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return fileError(errno);
    int err = 0;
    const auto fail = [&](int e) {
        err = e;
        ::close(fd);
        ::unlink(tempName.constData());
        return fileError(err);
    };
    // The new file gets the old one's permissions, or the usual ones for a new file.
    struct stat old {};
    if (::stat(finalName.constData(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    const char* data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        data += n;
        left -= n;
    }
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        err = errno;
        ::unlink(tempName.constData());
        return fileError(err);
    }
    if (::rename(tempName.constData(), finalName.constData()) != 0) {
        err = errno;
        ::unlink(tempName.constData());
        return fileError(err);
    }
    // The rename itself must reach the disk too.
    const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return fe::None;
}

#endif

} // namespace vandrel
