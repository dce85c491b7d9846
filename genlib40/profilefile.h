// A private-profile (initialisation) file read and written the way the Windows profile
// routines do: "[Section]" headers, "key=value" lines, names compared without regard to case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace genlib {

class ProfileFile {
public:
    // A missing or unreadable file loads as empty; exists() tells which.
    explicit ProfileFile(std::string path);

    bool exists() const { return exists_; }

    // The value with blanks around it and one pair of enclosing quotes removed.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Creates the section (at the end of the file) and the key as needed, replaces an existing
    // value. A null value removes the key; a null key removes the whole section.
    // Returns whether anything changed.
    bool write(std::string_view section, const std::string* key, const std::string* value);

    // Writes the file back (through a temporary file and a rename, so a failed write never
    // leaves half a file). Creates a missing Windows directory.
    bool save() const;

private:
    struct Range {
        size_t header; // index of the "[...]" line
        size_t end;    // one past its last line
    };
    std::optional<Range> findSection(std::string_view section) const;
    std::optional<size_t> findKey(const Range& r, std::string_view key) const;

    std::string path_;
    std::vector<std::string> lines_;
    bool exists_ = false;
};

} // namespace genlib
