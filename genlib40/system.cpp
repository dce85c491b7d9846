// The operating-system version and platform.
//
// Here (not Windows) the version is the running kernel's release as uname reports it
// ("6.1.0-18-amd64" gives major 6, minor 1, written "6.01"), the nearest thing to the Windows
// kernel version. The platform identifier is none of the three Windows ones: "Unknowm".
#include "abi.h"
#include "versionmask.h"

#include <cerrno>
#include <cstdlib>

#ifndef _WIN32
#include <sys/utsname.h>
#endif

using namespace genlib;

namespace {

#ifndef _WIN32
bool kernelVersion(unsigned& major, unsigned& minor)
{
    utsname u;
    if (uname(&u) != 0)
        return false;
    char* end = nullptr;
    unsigned long ma = std::strtoul(u.release, &end, 10);
    if (end == u.release)
        return false;
    unsigned long mi = 0;
    if (*end == '.')
        mi = std::strtoul(end + 1, nullptr, 10);
    // GetVersion gives both as bytes.
    major = unsigned(ma & 0xFF);
    minor = unsigned(mi & 0xFF);
    return true;
}
#endif

} // namespace

GENLIB_EXPORT BSTR GetWinVersion(void)
{
    return guard<BSTR>(nullptr, [&] {
        unsigned major = 0;
        unsigned minor = 0;
#ifdef _WIN32
        DWORD v = GetVersion();
        major = LOBYTE(LOWORD(v));
        minor = HIBYTE(LOWORD(v));
#else
        if (!kernelVersion(major, minor))
            return newText({});
#endif
        return newText(versionText(major, minor));
    });
}

GENLIB_EXPORT BSTR GetWinPlatform(void)
{
    return guard<BSTR>(nullptr, [&] {
#ifdef _WIN32
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = 148;
        if (!GetVersionExA(&info))
            return newText("Error:  " + std::to_string(GetLastError()));
        switch (info.dwPlatformId) {
        case 0:
            return newText("Windows 32s");
        case 1:
            return newText("Windows 95/98");
        case 2:
            return newText("Windows NT/2000");
        default:
            return newText("Unknowm");
        }
#else
        return newText("Unknowm");
#endif
    });
}
