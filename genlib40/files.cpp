// File names and file-system queries.
//
// Where this platform has no such thing the export says "not available" as the Windows call's
// failure would: no short (8.3) names, so ShortName gives ""; no version resources, so
// GetFileVersion gives ""; no replacement of a file at the next system start, so FileCopyBoot
// returns a system error number (ENOENT for a missing source, else ENOSYS).
#include "abi.h"
#include "paths.h"
#include "textops.h"

#include <cerrno>
#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <vector>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#endif

using namespace genlib;

namespace {

constexpr std::string_view kFileNameChars =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ ^&'@{}[],$=!-#()%.+~_";

#ifndef _WIN32
// The name of the /dev/disk/by-<kind> link that points at the block device dev, or "".
std::string diskLinkName(const char* kind, dev_t dev)
{
    std::string dir = std::string("/dev/disk/by-") + kind + "/";
    DIR* d = opendir(dir.c_str());
    if (!d)
        return {};
    std::string found;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        struct stat st;
        if (stat((dir + e->d_name).c_str(), &st) == 0 && S_ISBLK(st.st_mode) && st.st_rdev == dev) {
            found = e->d_name;
            break;
        }
    }
    closedir(d);
    return found;
}

// udev writes unusual characters of a label as "\xHH".
std::string unescapeLabel(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            out += char(std::strtol(s.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The volume serial number: the last eight hex digits of the file system's UUID (which is the
// serial as Windows shows it for FAT and NTFS volumes), else the kernel's file-system id.
uint32_t volumeSerial(dev_t dev, const struct statvfs& vfs)
{
    std::string hex;
    for (char c : diskLinkName("uuid", dev))
        if (std::isxdigit((unsigned char)c))
            hex += c;
    if (hex.size() >= 8)
        return uint32_t(std::strtoul(hex.substr(hex.size() - 8).c_str(), nullptr, 16));
    uint64_t fsid = uint64_t(vfs.f_fsid);
    return uint32_t(fsid ^ (fsid >> 32));
}
#endif

} // namespace

GENLIB_EXPORT BSTR ValidateFileName(const char* name, int32_t strict)
{
    return guard<BSTR>(nullptr, [&] {
        std::string s = textIn(name);
        for (char& c : s)
            if (kFileNameChars.find(strict ? c : upperChar(c)) == std::string_view::npos)
                c = '_';
        return newText(s);
    });
}

GENLIB_EXPORT BSTR ShortName(const char* path)
{
    return guard<BSTR>(nullptr, [&] {
#ifdef _WIN32
        char buffer[512];
        DWORD n = GetShortPathNameA(textIn(path).c_str(), buffer, sizeof buffer);
        return newText(n > 0 && n < sizeof buffer ? std::string_view(buffer, n) : std::string_view());
#else
        (void)path;
        return newText({});
#endif
    });
}

// The root is a directory of the volume ("/", "/media/usb"); a Windows drive root other than
// "C:\" names nothing here and fails.
GENLIB_EXPORT int32_t GetVolumeID(const char* root, int32_t* serial, BSTR* label)
{
    return guard<int32_t>(kFalse, [&] {
#ifdef _WIN32
        char name[512] = {};
        DWORD number = 0;
        if (!GetVolumeInformationA(textIn(root).c_str(), name, sizeof name, &number, nullptr,
                                   nullptr, nullptr, 0)) {
            storeInOut(label, {});
            return kFalse;
        }
        if (serial)
            *serial = int32_t(number);
        storeInOut(label, name);
        return kTrue;
#else
        const std::string path = nativePath(textIn(root));
        struct stat st;
        struct statvfs vfs;
        if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            statvfs(path.c_str(), &vfs) != 0) {
            storeInOut(label, {});
            return kFalse;
        }
        if (serial)
            *serial = int32_t(volumeSerial(st.st_dev, vfs));
        std::string name = unescapeLabel(diskLinkName("label", st.st_dev));
        if (name.size() > 511)
            name.resize(511);
        storeInOut(label, name);
        return kTrue;
#endif
    });
}

// For a file with a version resource the text is its FileVersion string in the first listed
// translation, or the translation itself as eight hex digits (language, code page) when the
// string is missing.
GENLIB_EXPORT BSTR GetFileVersion(const char* file)
{
    return guard<BSTR>(nullptr, [&] {
#ifdef _WIN32
        const std::string path = textIn(file);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return newText({});
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size == 0)
            return newText({});
        std::vector<char> data(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()))
            return newText({});
        WORD* translation = nullptr;
        UINT len = 0;
        if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                            reinterpret_cast<void**>(&translation), &len) ||
            len < 4)
            return newText({});
        char code[16];
        std::snprintf(code, sizeof code, "%04X%04X", translation[0], translation[1]);
        char* text = nullptr;
        std::string query = std::string("\\StringFileInfo\\") + code + "\\FileVersion";
        if (VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &len) &&
            text && len > 0)
            return newText(std::string(text, strnlen(text, len)));
        return newText(code);
#else
        (void)file;
        return newText({});
#endif
    });
}

GENLIB_EXPORT int32_t FileCopyBoot(const char* source, const char* target)
{
    return guard<int32_t>(ENOMEM, [&]() -> int32_t {
#ifdef _WIN32
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = 148;
        if (GetVersionExA(&info) && info.dwPlatformId < 2) {
            const std::string path = windowsDirectory() + "WININIT.INI";
            const bool exists = fileExists(path);
            FILE* f = std::fopen(path.c_str(), exists ? "ab" : "wb");
            if (!f)
                return int32_t(GetLastError());
            if (!exists)
                std::fputs("[Rename]\r\n", f);
            std::fprintf(f, "%s=%s\r\n", textIn(target).c_str(), textIn(source).c_str());
            std::fclose(f);
            return 0;
        }
        if (MoveFileExA(textIn(source).c_str(), textIn(target).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT))
            return 0;
        return int32_t(GetLastError());
#else
        (void)target;
        if (!fileExists(nativePath(textIn(source))))
            return ENOENT;
        return ENOSYS;
#endif
    });
}
