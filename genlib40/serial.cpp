// SendToComm / ReadFromComm: simple output to and input from a device on a serial port, kept
// under small positive handles.
//
// A port that cannot be opened, or that refuses a setting (a speed, data-bit count or
// stop-bit code the platform does not have), gives 0, the "no port" handle, rather than a
// handle on which every send would fail. Time limits run on a monotonic clock, so a send
// across midnight is not cut short.
#include "abi.h"
#include "serialport.h"
#include "textops.h"

#include <map>
#include <memory>
#include <mutex>

using namespace genlib;

namespace {

constexpr std::chrono::milliseconds kChunkLimit{5000};

class PortTable {
public:
    int32_t add(std::shared_ptr<SerialPort> port)
    {
        std::lock_guard hold(lock_);
        int32_t handle = 1;
        while (ports_.count(handle))
            ++handle;
        ports_[handle] = std::move(port);
        return handle;
    }
    std::shared_ptr<SerialPort> find(int32_t handle)
    {
        std::lock_guard hold(lock_);
        auto it = ports_.find(handle);
        return it == ports_.end() ? nullptr : it->second;
    }
    std::shared_ptr<SerialPort> remove(int32_t handle)
    {
        std::lock_guard hold(lock_);
        auto it = ports_.find(handle);
        if (it == ports_.end())
            return nullptr;
        auto port = std::move(it->second);
        ports_.erase(it);
        return port;
    }

private:
    std::mutex lock_;
    std::map<int32_t, std::shared_ptr<SerialPort>> ports_;
};

PortTable& ports()
{
    static PortTable table;
    return table;
}

} // namespace

// An unknown handle sends nothing and gives 0.
GENLIB_EXPORT int32_t SendToComm(int32_t handle, const char* text)
{
    return guard<int32_t>(0, [&]() -> int32_t {
        const std::string t = textIn(text);
        if (handle == 0) {
            auto settings = parseSerialSettings(t);
            if (!settings)
                return 0;
            auto port = std::make_shared<SerialPort>();
            if (!port->open(*settings))
                return 0;
            return ports().add(std::move(port));
        }
        if (t.empty()) {
            ports().remove(handle); // closed once no send is using it any more
            return 0;
        }
        auto port = ports().find(handle);
        if (!port)
            return 0;
        return port->send(expandHex(t), kChunkLimit) ? handle : 0;
    });
}

// An unknown handle is no port: -1, the text untouched.
GENLIB_EXPORT int32_t ReadFromComm(int32_t handle, BSTR* text)
{
    return guard<int32_t>(-1, [&]() -> int32_t {
        if (handle == 0)
            return -1;
        auto port = ports().find(handle);
        if (!port)
            return -1;
        const std::string got = port->receive();
        storeInOut(text, got);
        return int32_t(std::min<size_t>(got.size(), INT32_MAX));
    });
}
