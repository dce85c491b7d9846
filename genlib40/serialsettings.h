// The one-line settings text of a serial port ("COM2,9600,n,8,0") and the send chunking.
#pragma once

#include "textops.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace genlib {

struct SerialSettings {
    std::string device;   // as the platform opens it
    long speed = 0;       // bits per second
    bool parity = false;  // parity checking on (the parity kind stays as the port had it)
    int dataBits = 8;
    int stopBits = 0;     // device-control-block code: 0 one, 1 one and a half, 2 two
};

// Port names: "COM1".."COMn" are the system's serial devices /dev/ttyS0../dev/ttyS(n-1)
// ("\\.\COM12" and a trailing ":" are accepted); a name holding "/" is a device path used as
// given; any other name is a device under /dev ("ttyUSB0").
inline std::string serialDevice(std::string_view name)
{
    std::string n(trimBlanks(name));
    if (n.rfind("\\\\.\\", 0) == 0)
        n.erase(0, 4);
    if (!n.empty() && n.back() == ':')
        n.pop_back();
#ifdef _WIN32
    return "\\\\.\\" + n;
#else
    if (n.find('/') != std::string::npos)
        return n;
    if (n.size() > 3 && equalNoCase(n.substr(0, 3), "COM") &&
        n.find_first_not_of("0123456789", 3) == std::string::npos && n.size() <= 6) {
        long number = std::strtol(n.c_str() + 3, nullptr, 10);
        if (number >= 1)
            return "/dev/ttyS" + std::to_string(number - 1);
        return {};
    }
    return n.empty() ? std::string() : "/dev/" + n;
#endif
}

// All five fields are needed and the numbers must be plain decimals; anything else is no
// settings text.
inline std::optional<SerialSettings> parseSerialSettings(std::string_view text)
{
    std::vector<std::string> fields;
    size_t from = 0;
    for (;;) {
        size_t comma = text.find(',', from);
        fields.emplace_back(trimBlanks(text.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from)));
        if (comma == std::string_view::npos)
            break;
        from = comma + 1;
    }
    if (fields.size() != 5)
        return std::nullopt;
    auto number = [](const std::string& s, long& out) {
        if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
            return false;
        out = std::strtol(s.c_str(), nullptr, 10);
        return true;
    };
    SerialSettings s;
    long dataBits = 0;
    long stopBits = 0;
    s.device = serialDevice(fields[0]);
    if (s.device.empty() || !number(fields[1], s.speed) || !number(fields[3], dataBits) ||
        !number(fields[4], stopBits))
        return std::nullopt;
    s.parity = !(fields[2] == "n" || fields[2] == "N");
    s.dataBits = int(dataBits);
    s.stopBits = int(stopBits);
    return s;
}

constexpr size_t kSendChunk = 64;

// The sizes of the chunks a send is made of, each with its own time limit.
inline std::vector<size_t> sendChunks(size_t length)
{
    std::vector<size_t> chunks;
    for (size_t at = 0; at < length; at += kSendChunk)
        chunks.push_back(std::min(kSendChunk, length - at));
    return chunks;
}

} // namespace genlib
