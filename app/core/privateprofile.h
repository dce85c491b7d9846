#pragma once

#include <QString>

namespace vandrel {

// Reader and writer of private-profile ("ini") files with the semantics of the
// platform's own routines:
// - section and key names are compared without regard to case and surrounding blanks;
// - a read returns the value with blanks around it removed and one pair of matching
//   quotes taken off, cut to bufferSize - 1 characters; the default when the file,
//   section or key is missing;
// - a write replaces an existing value in place, adds a new key after the last entry of
//   its section and a new section at the end of the file (after an empty line when the
//   file is not empty), and creates the file when it is missing;
// - every line a write does not touch is kept byte for byte; new lines end in CR LF.
// The file's bytes are Windows-1252.
class PrivateProfile {
public:
    static constexpr int defaultBufferSize = 512;

    static QString getString(const QString& section, const QString& key,
                             const QString& defaultValue, const QString& fileName,
                             int bufferSize = defaultBufferSize);
    // False when the file cannot be written.
    static bool writeString(const QString& section, const QString& key, const QString& value,
                            const QString& fileName);
};

} // namespace vandrel
