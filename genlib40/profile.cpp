// ReadIni / WriteIni on the library's own settings file, "GENSQL.INI" in the Windows directory
// by default, read and written with private-profile semantics.
#include "abi.h"
#include "paths.h"
#include "profilefile.h"

using namespace genlib;

namespace {

constexpr std::string_view kDefaultFile = "GENSQL.INI";

} // namespace

// The value comes as through a 512-byte buffer: at most 511 bytes, cut at a zero byte.
GENLIB_EXPORT BSTR ReadIni(const char* section, const char* key, const char* file)
{
    return guard<BSTR>(nullptr, [&] {
        const std::string path = profileFile(textIn(file), kDefaultFile);
        ProfileFile profile(path);
        if (!profile.exists())
            return newText({});
        std::string value = profile.value(textIn(section), textIn(key)).value_or("");
        value = value.substr(0, value.find('\0'));
        if (value.size() > 511)
            value.resize(511);
        return newText(value);
    });
}

// A null key removes the section, a null value the key (as the Windows routine does). A value
// is written up to its first line break: the rest would turn into lines of their own.
GENLIB_EXPORT void WriteIni(const char* section, const char* key, const char* value,
                            const char* file)
{
    guardVoid([&] {
        const std::string path = profileFile(textIn(file), kDefaultFile);
        if (path.empty())
            return;
        ProfileFile profile(path);
        std::string k = textIn(key);
        std::string v = textIn(value);
        v = v.substr(0, v.find_first_of("\r\n"));
        if (profile.write(textIn(section), key ? &k : nullptr, value ? &v : nullptr))
            profile.save();
    });
}
