#pragma once

#include <QString>
#include <QStringList>

namespace vandrel {

class ZipEvents;

// DOS file mask, letter case ignored: "*" any run, "?" one character. A
// mask ending in "." matches only names without a dot ("README." is the file
// README, "*." every name without an extension); "*.*" needs a dot in the name.
bool matchesFileSpec(const QString& name, const QString& spec);

// The relative path (with "/") an archive entry may be written to inside the target
// directory, or empty when the entry must be refused: an empty name, an absolute path,
// a drive letter or a ".." component. Backslashes count as separators.
QString safeEntryPath(const QString& entryName);

// The archive work behind ZipCommand, over libzip. Each call is one run: started, the
// file events, progress, then complete, also after an error (which arrives first).
//
// Rules of this program:
// - add stores each file under its bare name (folder names are never stored) and does
//   not walk subfolders; an entry of the same name is replaced. The archive is written
//   to a temporary file and replaces the old one only when complete.
// - extract checks the whole archive first and refuses every entry name that would land
//   outside the target directory; then it unpacks each chosen entry into a temporary
//   file beside its target and only when every entry unpacked without error (checksums
//   included) are the files put in place. A damaged archive thus changes nothing.
//   Without overwrite an existing file is left alone.
// - masks without a folder are matched against the entry's own name, others
//   against the entry's whole path; folders inside the archive are recreated.
class ZipArchive {
public:
    static bool add(const QString& archive, const QString& sourceFolder, const QString& spec,
                    ZipEvents& events);
    static bool extract(const QString& archive, const QString& targetDirectory,
                        const QStringList& specs, bool overwrite, ZipEvents& events);

    // Dutch text for a libzip error code.
    static QString errorText(int code);
};

} // namespace vandrel
