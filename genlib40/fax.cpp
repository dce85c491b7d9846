// The received-fax store of the FAXSTORE network fax server: its directory, the waiting faxes
// and what their log files name.
//
// The logs are written by the server and name paths as the server sees them, on its own drive
// "I:\FAXSTORE\". Matching and translating use that form. On Windows the fax directory is the
// share's drive letter + ":\FAXSTORE\"; elsewhere "NetworkDrive" names the directory where the
// share is mounted and the fax directory is that directory + "/FAXSTORE/".
#include "abi.h"
#include "paths.h"
#include "profilefile.h"
#include "textops.h"
#include "vectorview.h"

#include <algorithm>

using namespace genlib;

namespace {

constexpr std::string_view kServerFaxDir = "I:\\FAXSTORE\\";
constexpr std::string_view kQueue = "QUEUE\\";
constexpr std::string_view kInbox = "INBOX\\00000001\\";

std::string faxDirectory()
{
    ProfileFile settings(profileFile("FAXSTORE.INI", ""));
    if (!settings.exists())
        return {};
    std::string drive = settings.value("Paths", "NetworkDrive").value_or("");
    drive = drive.substr(0, std::min<size_t>(drive.find('\0'), 511));
    if (drive.empty())
        return {};
#ifdef _WIN32
    return drive + ":\\FAXSTORE\\";
#else
    while (drive.size() > 1 && drive.back() == '/')
        drive.pop_back();
    return drive + "/FAXSTORE/";
#endif
}

// A subdirectory of the fax directory as the platform opens it.
std::string localDir(const std::string& faxDir, std::string_view sub)
{
#ifdef _WIN32
    return faxDir + std::string(sub);
#else
    return faxDir + nativePath(sub);
#endif
}

std::string fileName(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Every (log, image) pair in which the log names the image, in listing order.
template <class F> void forEachPair(F&& pair)
{
    const std::string faxDir = faxDirectory();
    const std::vector<std::string> logs = filesWithExtension(localDir(faxDir, kQueue), "LOG");
    const std::vector<std::string> images = filesWithExtension(localDir(faxDir, kInbox), "DCX");
    // The image's path as the logs write it, without the drive letter (its first character).
    std::vector<std::string> keys;
    for (const std::string& image : images) {
#ifdef _WIN32
        std::string full = image;
#else
        std::string full = (faxDir.empty() ? std::string() : std::string(kServerFaxDir)) +
                           std::string(kInbox) + fileName(image);
#endif
        keys.push_back(full.substr(1));
    }
    std::string content;
    for (const std::string& log : logs) {
        readWholeFile(log, content);
        for (const std::string& key : keys)
            if (content.find(key) != std::string::npos)
                pair(log);
    }
}

} // namespace

GENLIB_EXPORT BSTR FaxSysDir(void)
{
    return guard<BSTR>(nullptr, [&] { return newText(faxDirectory()); });
}

GENLIB_EXPORT int32_t InFaxCount(void)
{
    return guard<int32_t>(0, [&] {
        int32_t count = 0;
        forEachPair([&](const std::string&) { ++count; });
        return count;
    });
}

GENLIB_EXPORT void ListInFaxLogs(SAFEARRAY** list)
{
    guardVoid([&] {
        VectorView v(list, sizeof(BSTR));
        if (!v.valid())
            return;
        int64_t next = v.lower();
        forEachPair([&](const std::string& log) {
            if (next <= v.upper())
                v.setText(next++, log);
        });
    });
}

// A log that names no image gives "", as does a path text without "DCX" after it.
GENLIB_EXPORT BSTR InFaxDCXFile(const char* logFile)
{
    return guard<BSTR>(nullptr, [&] {
        std::string content;
        readWholeFile(nativePath(textIn(logFile)), content);
        const std::string upper = upperAscii(content);
        size_t at = upper.rfind(kServerFaxDir);
        if (at == std::string::npos)
            return newText({});
        size_t dcx = upper.find("DCX", at);
        if (dcx == std::string::npos)
            return newText({});
        std::string path = upper.substr(at, dcx + 3 - at);
        path = path.substr(0, path.find('\0'));
        path = replaceText(path, "\\QUEUE\\", "\\INBOX\\00000001\\");
        const std::string faxDir = faxDirectory();
#ifdef _WIN32
        path = faxDir.substr(0, 1) + path.substr(1);
#else
        if (path.size() < kServerFaxDir.size())
            return newText({}); // cut short by a zero byte
        path = faxDir + nativePath(path.substr(kServerFaxDir.size()));
#endif
        return newText(path);
    });
}

GENLIB_EXPORT BSTR InFaxSenderID(const char* logFile)
{
    return guard<BSTR>(nullptr, [&] {
        std::string content;
        readWholeFile(nativePath(textIn(logFile)), content);
        if (content.size() <= 271)
            return newText({});
        std::string id = content.substr(271, 64);
        return newText(id.substr(0, id.find('\0')));
    });
}
