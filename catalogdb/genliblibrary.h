#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace vandrel {

// GENLIB40, loaded by name at run time for DecompressString. The library is looked for in
// the program directory first (the one start-up recorded, then the executable's own
// directory when that differs), then by the platform's default search. It is bound at the
// first call and stays loaded for the rest of the run; a failed binding is not kept, so a
// later call tries again (the user may have put the library back meanwhile).
//
// Error numbers of a call that cannot be made, as the classic runtime numbers them:
//   48  "Fout bij het laden van de DLL GENLIB40" - not found in any place, or not loadable
//   453 "Kan DLL-ingangspunt <name> niet vinden in GENLIB40" - a routine is missing
class GenlibLibrary {
public:
    enum : int { DllLoadError = 48, EntryPointNotFound = 453 };

    struct Error {
        int number = 0;
        QString text;
    };

    // DecompressString on data in place, through a counted byte string made with the
    // library's own SysAllocStringByteLen and released with its SysFreeString. Returns the
    // library's status (0 = success; data then holds the decompressed bytes, otherwise its
    // content is undefined), or the error when the library or a routine cannot be bound.
    static std::optional<int> decompressString(QByteArray& data, Error& error);

    static bool isBound();

    // Test seam: search only these directories (nothing, or an empty folder, makes the
    // library missing), with or without the default search afterwards; std::nullopt
    // restores the normal search. Either way the current binding is dropped.
    static void setSearchForTesting(std::optional<QStringList> directories, bool defaultSearch);
};

} // namespace vandrel
