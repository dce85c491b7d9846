#include "paths.h"

#include "textops.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace genlib {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string homeDirectory()
{
#ifdef _WIN32
    const char* profile = std::getenv("USERPROFILE");
    return profile ? profile : "";
#else
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    if (const passwd* pw = getpwuid(getuid()))
        return pw->pw_dir;
    return "/tmp";
#endif
}

} // namespace

std::string windowsDirectory()
{
    std::string dir;
    const char* env = std::getenv("VANDREL_WINDIR");
    if (env && *env)
        dir = env;
    else
        dir = homeDirectory() + kSeparator + ".config" + kSeparator + "Vandrel";
    if (dir.back() != kSeparator)
        dir += kSeparator;
    return dir;
}

std::string nativePath(std::string_view path)
{
#ifdef _WIN32
    return std::string(path);
#else
    std::string p(path);
    std::replace(p.begin(), p.end(), '\\', '/');
    if (p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'))) {
        if (upperChar(p[0]) != 'C')
            return {};
        p.erase(0, 2);
        if (p.empty() || p[0] != '/')
            p.insert(0, "/");
    }
    return p;
#endif
}

bool isPathLike(std::string_view name)
{
    return name.find_first_of(":\\/") != std::string_view::npos;
}

std::string profileFile(std::string_view name, std::string_view defaultName)
{
    if (name.empty())
        return windowsDirectory() + std::string(defaultName);
    if (isPathLike(name))
        return nativePath(name);
    return windowsDirectory() + std::string(name);
}

bool fileExists(const std::string& path)
{
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool readWholeFile(const std::string& path, std::string& content)
{
    content.clear();
    if (!fileExists(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::vector<std::string> filesWithExtension(const std::string& directory, std::string_view ext)
{
    std::vector<std::string> found;
#ifndef _WIN32
    std::string dir = directory.empty() ? std::string("./") : directory;
    DIR* d = opendir(dir.c_str());
    if (!d)
        return found;
    while (dirent* e = readdir(d)) {
        std::string_view name = e->d_name;
        size_t dot = name.rfind('.');
        if (dot == std::string_view::npos || !equalNoCase(name.substr(dot + 1), ext))
            continue;
        std::string full = directory + std::string(name);
        if (fileExists(dir + std::string(name)))
            found.push_back(full);
    }
    closedir(d);
    std::sort(found.begin(), found.end());
#else
    WIN32_FIND_DATAA data;
    std::string pattern = directory + "*." + std::string(ext);
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                found.push_back(directory + data.cFileName);
        } while (FindNextFileA(h, &data));
        FindClose(h);
    }
#endif
    return found;
}

} // namespace genlib
