// File handles with DOS access and share modes on POSIX.
//
// Sharing is enforced twice: a registry of this process's handles (exact, works on every
// file system), and open-file-description (OFD) locks on four marker bytes far beyond
// any real file length, so other copies of the program see the same modes. Each handle
// holds a shared lock on the bytes for what it does (read, write) and what it denies
// (read, write); an opener first takes its own locks, then probes the opposite bytes, so
// two racing openers can both fail but never both succeed. Where the file system has no
// such locks (some network mounts), only the in-process rule holds. The locks are
// advisory: programs other than ours are not stopped.

#include "app/core/quickpak.h"
#include "app/core/fileview.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <map>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vandrel::quickpak {
namespace {

using namespace fileerror;

constexpr int ReadBit = 1;
constexpr int WriteBit = 2;
constexpr int MaxHandles = 255;
constexpr qint64 ReadCacheSize = 64 * 1024;
constexpr char CtrlZ = 26;

thread_local int lastError = None;

void setError(int error)
{
    lastError = error;
}

int accessBits(int access)
{
    switch (access) {
    case AccessRead:
        return ReadBit;
    case AccessWrite:
        return WriteBit;
    case AccessReadWrite:
        return ReadBit | WriteBit;
    default:
        return -1;
    }
}

int denyBits(int share)
{
    switch (share) {
    case ShareCompatibility:
    case ShareDenyNone:
        return 0;
    case ShareDenyAll:
        return ReadBit | WriteBit;
    case ShareDenyWrite:
        return WriteBit;
    case ShareDenyRead:
        return ReadBit;
    default:
        return -1;
    }
}

struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const Identity&) const = default;
};

struct OpenFile {
    int fd = -1;
    int access = 0;
    int deny = 0;
    Identity id;
    qint64 pos = 0;
    bool atCtrlZ = false;
    // Read-ahead for FLInput; valid while the file's size and time stamp are unchanged.
    QByteArray cache;
    qint64 cacheStart = 0;
    off_t cacheSize = -1;
    timespec cacheTime{};
};

std::recursive_mutex registryMutex;
std::map<int, OpenFile> openFiles;

bool sameStamp(const OpenFile& f, const struct stat& st)
{
    return f.cacheSize == st.st_size && f.cacheTime.tv_sec == st.st_mtim.tv_sec &&
           f.cacheTime.tv_nsec == st.st_mtim.tv_nsec;
}

void dropCaches(const Identity& id)
{
    for (auto& [handle, f] : openFiles) {
        if (f.id == id)
            f.cache.clear();
    }
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

bool pathExists(const QString& path)
{
    struct stat st {};
    return ::lstat(encoded(path).constData(), &st) == 0;
}

int errnoToError(int err, const QString& path)
{
    switch (err) {
    case 0:
        return None;
    case ENOENT: {
        const QString parent = QFileInfo(path).absolutePath();
        struct stat st {};
        if (::stat(encoded(parent).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            return PathNotFound;
        return FileNotFound;
    }
    case ENOTDIR:
        return PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return PathFileAccessError;
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
        return PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DiskFull;
    case EMFILE:
    case ENFILE:
        return TooManyFiles;
    case ENAMETOOLONG:
    case EILSEQ:
        return BadFileName;
    case ENXIO:
    case ENODEV:
        return DeviceUnavailable;
    case EBADF:
        return BadFileNumber;
    case EINVAL:
        return IllegalFunctionCall;
    default:
        return DeviceIoError;
    }
}

// --- cross-process share locks --------------------------------------------------------

enum MarkerByte { HoldsRead = 0, HoldsWrite = 1, DeniesRead = 2, DeniesWrite = 3 };
constexpr off_t MarkerBase = std::numeric_limits<off_t>::max() - 16;

bool holdMarker(int fd, MarkerByte which)
{
    struct flock fl {};
    fl.l_type = F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = MarkerBase + which;
    fl.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

// Whether another open file description holds the marker; false where locks are not
// supported.
bool markerHeldElsewhere(int fd, MarkerByte which)
{
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = MarkerBase + which;
    fl.l_len = 1;
    fl.l_pid = 0;
    if (::fcntl(fd, F_OFD_GETLK, &fl) != 0)
        return false;
    return fl.l_type != F_UNLCK;
}

bool otherProcessConflicts(int fd, int access, int deny)
{
    return ((access & ReadBit) && markerHeldElsewhere(fd, DeniesRead)) ||
           ((access & WriteBit) && markerHeldElsewhere(fd, DeniesWrite)) ||
           ((deny & ReadBit) && markerHeldElsewhere(fd, HoldsRead)) ||
           ((deny & WriteBit) && markerHeldElsewhere(fd, HoldsWrite));
}

bool registryConflicts(const Identity& id, int access, int deny)
{
    for (const auto& [handle, f] : openFiles) {
        if (f.id == id && ((access & f.deny) || (f.access & deny)))
            return true;
    }
    return false;
}

// Opens name for a request of (access, deny) and checks it against every holder.
// hold: the descriptor keeps share locks for as long as it stays open (FOpenAll).
int openChecked(const QString& name, int access, int deny, int createFlags, bool hold, int& fd,
                Identity& id)
{
    fd = -1;
    if (name.isEmpty() || name.contains(QChar(0)))
        return BadFileName;
    const QString path = localPath(name);
    const QByteArray native = encoded(path);

    // O_NONBLOCK: a FIFO given as a file name must not hang the program.
    int flags = O_CLOEXEC | O_NONBLOCK | createFlags;
    flags |= (access & WriteBit) ? O_RDWR : O_RDONLY;
    int f = ::open(native.constData(), flags, 0666);
    if (f < 0 && errno == EACCES && access == WriteBit)
        f = ::open(native.constData(), (flags & ~O_RDWR) | O_WRONLY, 0666);
    if (f < 0)
        return errnoToError(errno, path);

    struct stat st {};
    if (::fstat(f, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(f);
        return PathFileAccessError;
    }
    ::fcntl(f, F_SETFL, ::fcntl(f, F_GETFL) & ~O_NONBLOCK);
    id = Identity{st.st_dev, st.st_ino};

    if (registryConflicts(id, access, deny)) {
        ::close(f);
        return PermissionDenied;
    }
    if (hold) {
        // A write-only descriptor cannot take read locks: it then only probes.
        if (access & ReadBit)
            holdMarker(f, HoldsRead);
        if (access & WriteBit)
            holdMarker(f, HoldsWrite);
        if (deny & ReadBit)
            holdMarker(f, DeniesRead);
        if (deny & WriteBit)
            holdMarker(f, DeniesWrite);
    }
    if (otherProcessConflicts(f, access, deny)) {
        ::close(f);
        return PermissionDenied;
    }
    fd = f;
    return None;
}

// Handle 0 is what a failed FOpenAll leaves: a call with it keeps the open's error, so
// the message the user sees names the first cause.
OpenFile* lookup(int handle)
{
    const auto it = openFiles.find(handle);
    if (it != openFiles.end())
        return &it->second;
    if (!(handle == 0 && lastError != None))
        setError(BadFileNumber);
    return nullptr;
}

int refill(OpenFile& f, qint64 at, const struct stat& st)
{
    f.cache.resize(ReadCacheSize);
    ssize_t n = 0;
    do {
        n = ::pread(f.fd, f.cache.data(), f.cache.size(), at);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        const int err = errno;
        f.cache.clear();
        return errnoToError(err, QString());
    }
    f.cache.resize(n);
    f.cacheStart = at;
    f.cacheSize = st.st_size;
    f.cacheTime = st.st_mtim;
    return None;
}

// One line from f.pos on, cut to maxLength bytes (the rest of the line is skipped).
int readLine(OpenFile& f, int maxLength, const struct stat& st, QByteArray& line)
{
    line.clear();
    f.atCtrlZ = false;
    if (!sameStamp(f, st))
        f.cache.clear();
    bool pendingCR = false;
    bool lineEnded = false;
    auto append = [&](char c) {
        if (line.size() < maxLength)
            line.append(c);
    };
    for (;;) {
        const qint64 inCache = f.pos - f.cacheStart;
        if (f.cache.isEmpty() || inCache < 0 || inCache >= f.cache.size()) {
            if (int error = refill(f, f.pos, st))
                return error;
            if (f.cache.isEmpty())
                return None; // physical end: a pending CR ends the last line
            continue;
        }
        const char* data = f.cache.constData();
        const qint64 size = f.cache.size();
        for (qint64 i = inCache; i < size; ++i) {
            const char c = data[i];
            if (lineEnded) {
                // Just past a line end: note a Ctrl-Z marker that follows it.
                f.atCtrlZ = c == CtrlZ;
                return None;
            }
            if (c == '\n') {
                f.pos = f.cacheStart + i + 1;
                lineEnded = true;
                continue;
            }
            if (c == CtrlZ) {
                f.pos = f.cacheStart + i;
                f.atCtrlZ = true;
                return None;
            }
            if (pendingCR) {
                append('\r');
                pendingCR = false;
            }
            if (c == '\r')
                pendingCR = true;
            else
                append(c);
        }
        if (lineEnded) {
            // The line end was the last cached byte: look at the next one.
            char next = 0;
            ssize_t n = 0;
            do {
                n = ::pread(f.fd, &next, 1, f.pos);
            } while (n < 0 && errno == EINTR);
            f.atCtrlZ = n == 1 && next == CtrlZ;
            return None;
        }
        f.pos = f.cacheStart + size;
    }
}

// Splits a path into components for the letter-case match.
QString matchCase(const QString& path)
{
    const bool absolute = path.startsWith(QLatin1Char('/'));
    const bool trailing = path.endsWith(QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString done = absolute ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        const QString candidate = done + part;
        if (part == QLatin1String(".") || part == QLatin1String("..") || pathExists(candidate)) {
            done = candidate + QLatin1Char('/');
            continue;
        }
        const QDir dir(done.isEmpty() ? QStringLiteral(".") : done);
        const QStringList entries = dir.entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        QString match;
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty())
            return path;
        done += match + QLatin1Char('/');
    }
    if (!trailing && done.size() > 1)
        done.chop(1);
    return done;
}

bool writeAll(int fd, const char* data, qint64 size, qint64 at, int& err)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        data += n;
        size -= n;
        at += n;
    }
    return true;
}

} // namespace

QString localPath(const QString& name)
{
    QString path = name;
#ifndef Q_OS_WIN
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    if (path.isEmpty() || pathExists(path))
        return path;
    return matchCase(path);
}

void FOpenAll(const QString& name, int access, int share, int& handle)
{
    std::lock_guard lock(registryMutex);
    handle = 0;
    const int accessMask = accessBits(access);
    const int denyMask = denyBits(share);
    if (accessMask < 0 || denyMask < 0) {
        setError(BadFileMode);
        return;
    }
    int number = 1;
    while (openFiles.count(number))
        ++number;
    if (number > MaxHandles) {
        setError(TooManyFiles);
        return;
    }
    int fd = -1;
    Identity id;
    if (int error = openChecked(name, accessMask, denyMask, 0, true, fd, id)) {
        setError(error);
        return;
    }
    OpenFile f;
    f.fd = fd;
    f.access = accessMask;
    f.deny = denyMask;
    f.id = id;
    openFiles.emplace(number, std::move(f));
    handle = number;
    setError(None);
}

void FCreate(const QString& name)
{
    std::lock_guard lock(registryMutex);
    int fd = -1;
    Identity id;
    // Truncating is writing: refused while someone denies writing.
    if (int error = openChecked(name, WriteBit, 0, O_CREAT, false, fd, id)) {
        setError(error);
        return;
    }
    const int result = ::ftruncate(fd, 0);
    const int err = errno;
    ::close(fd);
    dropCaches(id);
    setError(result == 0 ? None : errnoToError(err, localPath(name)));
}

void FClose(int handle)
{
    std::lock_guard lock(registryMutex);
    const auto it = openFiles.find(handle);
    if (it == openFiles.end()) {
        lookup(handle);
        return;
    }
    ::close(it->second.fd); // releases the share locks
    openFiles.erase(it);
    setError(None);
}

void FGet(int handle, QByteArray& buffer)
{
    std::lock_guard lock(registryMutex);
    OpenFile* f = lookup(handle);
    if (!f)
        return;
    if (!(f->access & ReadBit)) {
        setError(BadFileMode);
        return;
    }
    f->atCtrlZ = false;
    qint64 got = 0;
    const qint64 wanted = buffer.size();
    while (got < wanted) {
        const ssize_t n = ::pread(f->fd, buffer.data() + got, wanted - got, f->pos + got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            f->pos += got;
            buffer.resize(got);
            setError(errnoToError(err, QString()));
            return;
        }
        if (n == 0)
            break;
        got += n;
    }
    f->pos += got;
    if (got < wanted) {
        buffer.resize(got);
        setError(InputPastEnd);
        return;
    }
    setError(None);
}

void FPut(int handle, const QByteArray& text)
{
    std::lock_guard lock(registryMutex);
    OpenFile* f = lookup(handle);
    if (!f)
        return;
    if (!(f->access & WriteBit)) {
        setError(BadFileMode);
        return;
    }
    f->atCtrlZ = false;
    dropCaches(f->id);
    int err = 0;
    if (!writeAll(f->fd, text.constData(), text.size(), f->pos, err)) {
        setError(errnoToError(err, QString()));
        return;
    }
    f->pos += text.size();
    setError(None);
}

QByteArray FLInput(int handle, int bufferSize)
{
    std::lock_guard lock(registryMutex);
    OpenFile* f = lookup(handle);
    if (!f)
        return {};
    if (!(f->access & ReadBit)) {
        setError(BadFileMode);
        return {};
    }
    struct stat st {};
    if (::fstat(f->fd, &st) != 0) {
        setError(errnoToError(errno, QString()));
        return {};
    }
    if (f->atCtrlZ || f->pos >= st.st_size) {
        setError(InputPastEnd);
        return {};
    }
    QByteArray line;
    setError(readLine(*f, Trapint(bufferSize, 64, 4096), st, line));
    return line;
}

int FEof(int handle)
{
    std::lock_guard lock(registryMutex);
    OpenFile* f = lookup(handle);
    if (!f)
        return -1; // nothing more can be read from a bad handle; stops read loops
    struct stat st {};
    if (::fstat(f->fd, &st) != 0) {
        setError(errnoToError(errno, QString()));
        return -1;
    }
    setError(None);
    return (f->atCtrlZ || f->pos >= st.st_size) ? -1 : 0;
}

void FSeek(int handle, qint64 offset)
{
    std::lock_guard lock(registryMutex);
    OpenFile* f = lookup(handle);
    if (!f)
        return;
    if (offset < 0) {
        setError(IllegalFunctionCall);
        return;
    }
    f->pos = offset;
    f->atCtrlZ = false;
    setError(None);
}

qint64 FLof(int handle)
{
    std::lock_guard lock(registryMutex);
    OpenFile* f = lookup(handle);
    if (!f)
        return 0;
    struct stat st {};
    if (::fstat(f->fd, &st) != 0) {
        setError(errnoToError(errno, QString()));
        return 0;
    }
    setError(None);
    return st.st_size;
}

FileView::FileView(FileView&& other) noexcept
    : map_(std::exchange(other.map_, nullptr)), size_(std::exchange(other.size_, 0)), copy_(std::move(other.copy_))
{
}

FileView& FileView::operator=(FileView&& other) noexcept
{
    if (this != &other) {
        release();
        map_ = std::exchange(other.map_, nullptr);
        size_ = std::exchange(other.size_, 0);
        copy_ = std::move(other.copy_);
    }
    return *this;
}

FileView::~FileView() { release(); }

void FileView::release()
{
    if (map_)
        ::munmap(map_, size_t(size_));
    map_ = nullptr;
    size_ = 0;
    copy_.clear();
}

FileView FView(int handle)
{
    std::lock_guard lock(registryMutex);
    FileView view;
    OpenFile* f = lookup(handle);
    if (!f)
        return view;
    if (!(f->access & ReadBit)) {
        setError(BadFileMode);
        return view;
    }
    struct stat st {};
    if (::fstat(f->fd, &st) != 0) {
        setError(errnoToError(errno, QString()));
        return view;
    }
    setError(None);
    if (st.st_size <= 0)
        return view;
    void* map = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_SHARED, f->fd, 0);
    if (map != MAP_FAILED) {
        ::madvise(map, size_t(st.st_size), MADV_SEQUENTIAL);
        view.map_ = map;
        view.size_ = st.st_size;
        return view;
    }
    // A file system without mapping: read it whole.
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(f->fd, bytes.data() + got, size_t(bytes.size() - got), got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    bytes.resize(qsizetype(got));
    view.size_ = got;
    view.copy_ = std::move(bytes);
    return view;
}

qint64 FileSize(const QString& name)
{
    std::lock_guard lock(registryMutex);
    if (name.isEmpty()) {
        setError(BadFileName);
        return -1;
    }
    const QString path = localPath(name);
    struct stat st {};
    if (::stat(encoded(path).constData(), &st) != 0) {
        setError(errnoToError(errno, path));
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        setError(PathFileAccessError);
        return -1;
    }
    setError(None);
    return st.st_size;
}

int Exist(const QString& name)
{
    std::lock_guard lock(registryMutex);
    setError(None);
    if (name.isEmpty())
        return 0;
    struct stat st {};
    if (::stat(encoded(localPath(name)).constData(), &st) != 0)
        return 0;
    return S_ISDIR(st.st_mode) ? 0 : -1;
}

void KillFile(const QString& name)
{
    std::lock_guard lock(registryMutex);
    if (name.isEmpty()) {
        setError(BadFileName);
        return;
    }
    const QString path = localPath(name);
    const QByteArray native = encoded(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        setError(errnoToError(errno, path));
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        setError(PathFileAccessError);
        return;
    }
    // Deleting is writing: refused while someone denies writing. A file we may not even
    // open for reading is left to unlink's own verdict.
    if (S_ISREG(st.st_mode)) {
        int fd = -1;
        Identity id;
        const int error = openChecked(name, ReadBit, 0, 0, false, fd, id);
        if (error == None) {
            const bool denied =
                registryConflicts(id, WriteBit, 0) || otherProcessConflicts(fd, WriteBit, 0);
            ::close(fd);
            if (denied) {
                setError(PermissionDenied);
                return;
            }
        } else if (error == PermissionDenied) {
            setError(error);
            return;
        }
    }
    if (::unlink(native.constData()) != 0) {
        setError(errnoToError(errno, path));
        return;
    }
    setError(None);
}

void FCopy(const QString& source, const QString& destination, int& errorCode)
{
    std::lock_guard lock(registryMutex);
    auto fail = [&](int error) {
        setError(error);
        errorCode = error;
    };
    int in = -1;
    Identity inId;
    if (int error = openChecked(source, ReadBit, 0, 0, false, in, inId)) {
        fail(error);
        return;
    }
    struct stat srcStat {};
    ::fstat(in, &srcStat);

    const QString destPath = localPath(destination);
    struct stat dstStat {};
    if (!destination.isEmpty() && ::stat(encoded(destPath).constData(), &dstStat) == 0 &&
        Identity{dstStat.st_dev, dstStat.st_ino} == inId) {
        // Copying a file onto itself would empty it.
        ::close(in);
        fail(IllegalFunctionCall);
        return;
    }
    int out = -1;
    Identity outId;
    if (int error = openChecked(destination, WriteBit, 0, O_CREAT, false, out, outId)) {
        ::close(in);
        fail(error);
        return;
    }
    dropCaches(outId);
    int err = 0;
    bool ok = ::ftruncate(out, 0) == 0;
    if (!ok)
        err = errno;
    QByteArray chunk(ReadCacheSize, Qt::Uninitialized);
    qint64 at = 0;
    while (ok) {
        const ssize_t n = ::pread(in, chunk.data(), chunk.size(), at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            ok = false;
            break;
        }
        if (n == 0)
            break;
        ok = writeAll(out, chunk.constData(), n, at, err);
        at += n;
    }
    if (ok) {
        ::fchmod(out, srcStat.st_mode & 07777);
        const timespec times[2] = {srcStat.st_atim, srcStat.st_mtim};
        ::futimens(out, times);
    }
    ::close(in);
    if (::close(out) != 0 && ok) {
        err = errno;
        ok = false;
    }
    if (!ok) {
        // A half-written copy must not pass for a good one.
        ::unlink(encoded(destPath).constData());
        fail(errnoToError(err, destPath));
        return;
    }
    fail(None);
}

void ClipFile(const QString& name, qint64 length)
{
    std::lock_guard lock(registryMutex);
    if (length < 0) {
        setError(IllegalFunctionCall);
        return;
    }
    int fd = -1;
    Identity id;
    if (int error = openChecked(name, WriteBit, 0, 0, false, fd, id)) {
        setError(error);
        return;
    }
    const int result = ::ftruncate(fd, length);
    const int err = errno;
    ::close(fd);
    dropCaches(id);
    setError(result == 0 ? None : errnoToError(err, localPath(name)));
}

qint64 LineCount(const QString& name, int bufferSize)
{
    std::lock_guard lock(registryMutex);
    OpenFile f;
    if (int error = openChecked(name, ReadBit, 0, 0, false, f.fd, f.id)) {
        setError(error);
        return -1;
    }
    struct stat st {};
    ::fstat(f.fd, &st);
    const int maxLength = Trapint(bufferSize, 64, 4096);
    qint64 count = 0;
    QByteArray line;
    while (!f.atCtrlZ && f.pos < st.st_size) {
        if (int error = readLine(f, maxLength, st, line)) {
            ::close(f.fd);
            setError(error);
            return -1;
        }
        ++count;
    }
    ::close(f.fd);
    setError(None);
    return count;
}

int Valid(const QString& name)
{
    if (name.trimmed().isEmpty())
        return 0;
    QString path = name;
#ifndef Q_OS_WIN
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    // A file name, so not a folder text; wildcards name no single file.
    if (path.endsWith(QLatin1Char('/')) || path.contains(QLatin1Char('*')) ||
        path.contains(QLatin1Char('?')))
        return 0;
    for (const QChar c : path) {
        if (c.unicode() < 32)
            return 0;
    }
#ifdef Q_OS_WIN
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        path = path.mid(2);
    for (const QChar c : QStringLiteral("<>:\"|")) {
        if (path.contains(c))
            return 0;
    }
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    if (encoded(path).size() >= 4096)
        return 0;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return 0;
    for (const QString& part : parts) {
        if (encoded(part).size() > 255)
            return 0;
    }
    const QString last = parts.last();
    if (last == QLatin1String(".") || last == QLatin1String(".."))
        return 0;
    return -1;
}

int DOSError()
{
    return lastError != None ? -1 : 0;
}

int WhichError()
{
    return lastError;
}

QString ErrorMsg(int errorNumber)
{
    switch (errorNumber) {
    case None:
        return QStringLiteral("Geen fout");
    case IllegalFunctionCall:
        return QStringLiteral("Ongeldige functieaanroep");
    case BadFileNumber:
        return QStringLiteral("Ongeldig bestandsnummer");
    case FileNotFound:
        return QStringLiteral("Bestand niet gevonden");
    case BadFileMode:
        return QStringLiteral("Ongeldige bestandsmodus");
    case DeviceIoError:
        return QStringLiteral("Invoer-/uitvoerfout van het apparaat");
    case DiskFull:
        return QStringLiteral("De schijf is vol");
    case InputPastEnd:
        return QStringLiteral("Lezen voorbij het einde van het bestand");
    case BadFileName:
        return QStringLiteral("Ongeldige bestandsnaam");
    case TooManyFiles:
        return QStringLiteral("Te veel geopende bestanden");
    case DeviceUnavailable:
        return QStringLiteral("Apparaat niet beschikbaar");
    case PermissionDenied:
        return QStringLiteral("Toegang geweigerd, het bestand is in gebruik");
    case PathFileAccessError:
        return QStringLiteral("Geen toegang tot het pad of bestand");
    case PathNotFound:
        return QStringLiteral("Pad niet gevonden");
    default:
        return QStringLiteral("Onbekende bestandsfout (%1)").arg(errorNumber);
    }
}

} // namespace vandrel::quickpak
