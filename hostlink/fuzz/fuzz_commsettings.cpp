// libFuzzer target for the VANDREL4.SET reader: any file content gives a record with
// every field at its fixed length, and what is read writes back to the same values.
#include "hostlink/commsettings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vandrel;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CommSettings s = commsettingsfile::parse(bytes);
    if (s.telephoneNumber().size() != CommSettings::TelephoneLength ||
        s.modemName().size() != CommSettings::ModemLength || s.accessCode().size() != CommSettings::CodeLength ||
        s.privateCode().size() != CommSettings::CodeLength ||
        s.fileTransfer().size() != CommSettings::TransferLength)
        __builtin_trap();
    // Values are stored trimmed: what is read writes back to the same trimmed values.
    const CommSettings again = commsettingsfile::parse(commsettingsfile::serialize(s));
    const auto same = [](const QString& a, const QString& b) { return a.trimmed() == b.trimmed(); };
    if (!same(again.telephoneNumber(), s.telephoneNumber()) || !same(again.modemName(), s.modemName()) ||
        !same(again.accessCode(), s.accessCode()) || !same(again.privateCode(), s.privateCode()) ||
        !same(again.fileTransfer(), s.fileTransfer()))
        __builtin_trap();
    return 0;
}
