// File locations: the Windows directory and the reading of Windows-style paths here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace genlib {

// $VANDREL_WINDIR when set, else ~/.config/Vandrel; always ends in the separator.
std::string windowsDirectory();

// A path as the platform opens it. Elsewhere than Windows "\" is a directory separator,
// "C:" stands for the root and any other drive letter names nothing (the empty text, which
// no file matches).
std::string nativePath(std::string_view path);

// Whether a file-name argument names a path rather than a bare name in the Windows directory.
bool isPathLike(std::string_view name);

// A settings file argument: a bare name (or "" for the default) lands in the Windows directory.
std::string profileFile(std::string_view name, std::string_view defaultName);

bool fileExists(const std::string& path);
bool readWholeFile(const std::string& path, std::string& content);

// Regular files in a directory whose extension equals ext ignoring case ("LOG"), sorted by
// name; full paths.
std::vector<std::string> filesWithExtension(const std::string& directory, std::string_view ext);

} // namespace genlib
