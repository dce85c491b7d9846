// One open serial port of the serial pair.
#pragma once

#include "serialsettings.h"

#include <chrono>
#include <string>

namespace genlib {

class SerialPort {
public:
    ~SerialPort();

    // Opens and configures the port; false when the device cannot be opened or refuses a
    // setting (speed, data bits, stop bits).
    bool open(const SerialSettings& settings);
    void close();

    // Sends the bytes one at a time, waiting for each to drain; false when a chunk did not get
    // out within the time limit.
    bool send(const std::string& bytes, std::chrono::milliseconds chunkLimit);

    // Whatever has been received; never waits.
    std::string receive();

private:
    void setRts(bool on);
    bool sendByte(char c, std::chrono::steady_clock::time_point deadline);

#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace genlib
