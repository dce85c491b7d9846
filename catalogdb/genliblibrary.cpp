#include "catalogdb/genliblibrary.h"

#include "app/core/settings.h"
#include "app/core/locations.h"

// Only for the routines' types: nothing is linked against the library.
#include "genlib40/genlib40.h"

#include <QDir>
#include <QLibrary>

#include <memory>

namespace vandrel {

namespace {

using AllocFn = decltype(&::SysAllocStringByteLen);
using LengthFn = decltype(&::SysStringByteLen);
using FreeFn = decltype(&::SysFreeString);
using DecompressFn = decltype(&::DecompressString);

#ifdef Q_OS_WIN
const QString libraryName = QStringLiteral("GENLIB40");
#else
const QString libraryName = QStringLiteral("genlib40");
#endif

struct Binding {
    std::unique_ptr<QLibrary> library;
#ifdef Q_OS_WIN
    std::unique_ptr<QLibrary> automation; // the system's string allocator
#endif
    AllocFn alloc = nullptr;
    LengthFn length = nullptr;
    FreeFn free = nullptr;
    DecompressFn decompress = nullptr;
};

Binding& binding()
{
    static Binding b;
    return b;
}

std::optional<QStringList>& searchOverride()
{
    static std::optional<QStringList> dirs;
    return dirs;
}

bool& defaultSearchEnabled()
{
    static bool enabled = true;
    return enabled;
}

void unbind()
{
    Binding& b = binding();
    b.alloc = nullptr;
    b.length = nullptr;
    b.free = nullptr;
    b.decompress = nullptr;
    if (b.library) {
        b.library->unload();
        b.library.reset();
    }
#ifdef Q_OS_WIN
    b.automation.reset();
#endif
}

QStringList searchDirectories()
{
    if (searchOverride())
        return *searchOverride();
    QStringList dirs;
    const QString recorded = programState().programDirectory;
    if (!recorded.isEmpty())
        dirs << recorded;
    const QString own = locations::programDirectory();
    if (dirs.isEmpty() || QDir(dirs.first()).canonicalPath() != QDir(own).canonicalPath())
        dirs << own;
    return dirs;
}

std::unique_ptr<QLibrary> loadLibrary()
{
    QStringList candidates;
    for (const QString& dir : searchDirectories())
        candidates << QDir(dir).filePath(libraryName);
    if (!searchOverride() || defaultSearchEnabled())
        candidates << libraryName;
    for (const QString& name : candidates) {
        auto lib = std::make_unique<QLibrary>(name);
        if (lib->load())
            return lib;
    }
    return nullptr;
}

template <typename Fn>
bool resolve(QLibrary& lib, const char* name, Fn& fn, GenlibLibrary::Error& error)
{
    fn = reinterpret_cast<Fn>(lib.resolve(name));
    if (fn)
        return true;
    error = {GenlibLibrary::EntryPointNotFound,
             QStringLiteral("Kan DLL-ingangspunt %1 niet vinden in GENLIB40").arg(QLatin1String(name))};
    return false;
}

bool bind(GenlibLibrary::Error& error)
{
    Binding& b = binding();
    if (b.decompress)
        return true;
    b.library = loadLibrary();
    if (!b.library) {
        error = {GenlibLibrary::DllLoadError, QStringLiteral("Fout bij het laden van de DLL GENLIB40")};
        return false;
    }
#ifdef Q_OS_WIN
    b.automation = std::make_unique<QLibrary>(QStringLiteral("oleaut32"));
    QLibrary& strings = *b.automation;
#else
    QLibrary& strings = *b.library;
#endif
    const bool ok = resolve(*b.library, "DecompressString", b.decompress, error) &&
                    resolve(strings, "SysAllocStringByteLen", b.alloc, error) &&
                    resolve(strings, "SysStringByteLen", b.length, error) &&
                    resolve(strings, "SysFreeString", b.free, error);
    if (!ok)
        unbind();
    return ok;
}

} // namespace

std::optional<int> GenlibLibrary::decompressString(QByteArray& data, Error& error)
{
    if (!bind(error))
        return std::nullopt;
    const Binding& b = binding();
    BSTR text = b.alloc(data.constData(), unsigned(data.size()));
    if (!text) {
        error = {7, QStringLiteral("Onvoldoende geheugen")};
        return std::nullopt;
    }
    const int status = b.decompress(&text);
    if (text) {
        data = QByteArray(reinterpret_cast<const char*>(text), qsizetype(b.length(text)));
        b.free(text);
    } else {
        data.clear();
    }
    return status;
}

bool GenlibLibrary::isBound()
{
    return binding().decompress != nullptr;
}

void GenlibLibrary::setSearchForTesting(std::optional<QStringList> directories, bool defaultSearch)
{
    unbind();
    searchOverride() = std::move(directories);
    defaultSearchEnabled() = defaultSearch;
}

} // namespace vandrel
