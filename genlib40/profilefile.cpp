#include "profilefile.h"

#include "paths.h"
#include "textops.h"

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

#ifndef _WIN32
#include <unistd.h>
#else
#include <direct.h>
#include <io.h>
#endif

namespace genlib {

namespace {

std::string_view trimSpace(std::string_view s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

// "[name]" → name; nothing for other lines.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trimSpace(line);
    if (line.empty() || line[0] != '[')
        return std::nullopt;
    size_t close = line.find(']');
    return trimSpace(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

void makeDirectories(const std::string& dir)
{
    for (size_t i = 1; i <= dir.size(); ++i) {
        if (i == dir.size() || dir[i] == '/' || dir[i] == '\\') {
            std::string part = dir.substr(0, i);
#ifdef _WIN32
            _mkdir(part.c_str());
#else
            mkdir(part.c_str(), 0755);
#endif
        }
    }
}

} // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path))
{
    std::string content;
    exists_ = readWholeFile(path_, content);
    size_t start = 0;
    while (start < content.size()) {
        size_t nl = content.find('\n', start);
        std::string line = content.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(std::move(line));
        if (nl == std::string::npos)
            break;
        start = nl + 1;
    }
}

std::optional<ProfileFile::Range> ProfileFile::findSection(std::string_view section) const
{
    const std::string_view wanted = trimSpace(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionName(lines_[i]);
        if (!name || !equalNoCase(*name, wanted))
            continue;
        size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end]))
            ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> ProfileFile::findKey(const Range& r, std::string_view key) const
{
    const std::string_view wanted = trimSpace(key);
    for (size_t i = r.header + 1; i < r.end; ++i) {
        std::string_view line = lines_[i];
        std::string_view t = trimSpace(line);
        if (t.empty() || t[0] == ';')
            continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        if (equalNoCase(trimSpace(line.substr(0, eq)), wanted))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::value(std::string_view section, std::string_view key) const
{
    auto r = findSection(section);
    if (!r)
        return std::nullopt;
    auto k = findKey(*r, key);
    if (!k)
        return std::nullopt;
    std::string_view line = lines_[*k];
    std::string_view v = trimSpace(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

bool ProfileFile::write(std::string_view section, const std::string* key, const std::string* value)
{
    auto r = findSection(section);
    if (!key) {
        if (!r)
            return false;
        lines_.erase(lines_.begin() + long(r->header), lines_.begin() + long(r->end));
        return true;
    }
    std::string line;
    if (value)
        line = std::string(trimSpace(*key)) + "=" + *value;
    if (!r) {
        if (!value)
            return false;
        lines_.push_back("[" + std::string(trimSpace(section)) + "]");
        lines_.push_back(line);
        return true;
    }
    if (auto k = findKey(*r, *key)) {
        if (value)
            lines_[*k] = line;
        else
            lines_.erase(lines_.begin() + long(*k));
        return true;
    }
    if (!value)
        return false;
    // A new key goes after the section's last non-empty line.
    size_t at = r->end;
    while (at > r->header + 1 && trimSpace(lines_[at - 1]).empty())
        --at;
    lines_.insert(lines_.begin() + long(at), line);
    return true;
}

bool ProfileFile::save() const
{
    if (path_.empty())
        return false;
    size_t slash = path_.find_last_of("/\\");
    if (slash != std::string::npos && slash > 0)
        makeDirectories(path_.substr(0, slash));
    std::string content;
    for (const std::string& line : lines_) {
        content += line;
        content += "\r\n";
    }
    const std::string temporary = path_ + ".tmp~";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(content.data(), std::streamsize(content.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
#ifdef _WIN32
    if (!MoveFileExA(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
#else
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
#endif
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace genlib
