#include "serialport.h"

#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace genlib {

using Clock = std::chrono::steady_clock;

SerialPort::~SerialPort()
{
    close();
}

#ifndef _WIN32

namespace {

bool speedCode(long speed, speed_t& code)
{
    static const std::pair<long, speed_t> speeds[] = {
        {50, B50},         {75, B75},         {110, B110},       {134, B134},
        {150, B150},       {200, B200},       {300, B300},       {600, B600},
        {1200, B1200},     {1800, B1800},     {2400, B2400},     {4800, B4800},
        {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
        {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const auto& [bps, c] : speeds)
        if (bps == speed) {
            code = c;
            return true;
        }
    return false;
}

// Modem lines: a device without them (a pseudo-terminal, some adapters) still works.
void modemLine(int fd, int line, bool on)
{
    ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

} // namespace

bool SerialPort::open(const SerialSettings& s)
{
    close();
    speed_t speed;
    tcflag_t size;
    switch (s.dataBits) {
    case 5: size = CS5; break;
    case 6: size = CS6; break;
    case 7: size = CS7; break;
    case 8: size = CS8; break;
    default: return false;
    }
    if (!speedCode(s.speed, speed) || s.stopBits < 0 || s.stopBits > 2)
        return false;
    int fd = ::open(s.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios t;
    if (!isatty(fd) || tcgetattr(fd, &t) != 0) {
        ::close(fd);
        return false;
    }
    ioctl(fd, TIOCEXCL); // a serial port is one caller's at a time
    // Raw bytes both ways, reads never wait.
    t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL);
    t.c_oflag &= ~tcflag_t(OPOST);
    t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    t.c_cflag = (t.c_cflag & ~tcflag_t(CSIZE)) | size | CREAD | CLOCAL;
    // Parity checking on or off; PARODD (the kind) is left as the port had it.
    if (s.parity) {
        t.c_cflag |= PARENB;
        t.c_iflag |= INPCK;
    } else {
        t.c_cflag &= ~tcflag_t(PARENB);
        t.c_iflag &= ~tcflag_t(INPCK);
    }
    // termios knows one or two stop bits; asked for one and a half it sets two, which the UART
    // sends as one and a half with five data bits.
    if (s.stopBits == 0)
        t.c_cflag &= ~tcflag_t(CSTOPB);
    else
        t.c_cflag |= CSTOPB;
    // No XON/XOFF either way; CTS output flow control on (termios couples it with RTS input
    // flow control). The driver's queues are its own: there is no queue size to set.
    t.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    t.c_cflag |= CRTSCTS;
    if (tcsetattr(fd, TCSANOW, &t) != 0) {
        ::close(fd);
        return false;
    }
    termios check;
    // Drivers may quietly drop what they cannot do (a pseudo-terminal carries 8N only).
    if (tcgetattr(fd, &check) != 0 || cfgetospeed(&check) != speed ||
        (check.c_cflag & CSIZE) != size || bool(check.c_cflag & PARENB) != s.parity) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    modemLine(fd_, TIOCM_DTR, false);
    setRts(true);
    return true;
}

void SerialPort::close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void SerialPort::setRts(bool on)
{
    if (fd_ >= 0)
        modemLine(fd_, TIOCM_RTS, on);
}

bool SerialPort::sendByte(char c, Clock::time_point deadline)
{
    for (;;) {
        ssize_t n = ::write(fd_, &c, 1);
        if (n == 1)
            break;
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, int(std::min<long long>(left.count(), 20)));
    }
    // Wait until the transmit queue is empty, checking the clock meanwhile.
    for (;;) {
        int queued = 0;
        if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0)
            return true;
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

std::string SerialPort::receive()
{
    std::string got;
    if (fd_ < 0)
        return got;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, size_t(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    return got;
}

#else

bool SerialPort::open(const SerialSettings& s)
{
    close();
    HANDLE h = CreateFileA(s.device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool ok = GetCommState(h, &dcb);
    if (ok) {
        dcb.BaudRate = DWORD(s.speed);
        dcb.ByteSize = BYTE(s.dataBits);
        dcb.fParity = s.parity ? TRUE : FALSE;
        dcb.StopBits = BYTE(s.stopBits);
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fOutxCtsFlow = TRUE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        dcb.fInX = FALSE;
        dcb.fOutX = FALSE;
        ok = SetupComm(h, 4096, 2096) && SetCommState(h, &dcb);
    }
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 0};
    if (!ok || !SetCommTimeouts(h, &timeouts)) {
        CloseHandle(h);
        return false;
    }
    handle_ = h;
    return true;
}

void SerialPort::close()
{
    if (handle_) {
        CloseHandle(handle_);
        handle_ = nullptr;
    }
}

void SerialPort::setRts(bool on)
{
    if (handle_)
        EscapeCommFunction(handle_, on ? SETRTS : CLRRTS);
}

bool SerialPort::sendByte(char c, Clock::time_point deadline)
{
    DWORD written = 0;
    if (!WriteFile(handle_, &c, 1, &written, nullptr) || written != 1)
        return false;
    for (;;) {
        COMSTAT stat{};
        DWORD errors = 0;
        if (!ClearCommError(handle_, &errors, &stat) || stat.cbOutQue == 0)
            return true;
        if (Clock::now() > deadline)
            return false;
        Sleep(0);
    }
}

std::string SerialPort::receive()
{
    std::string got;
    COMSTAT stat{};
    DWORD errors = 0;
    if (!handle_ || !ClearCommError(handle_, &errors, &stat) || stat.cbInQue == 0)
        return got;
    got.resize(stat.cbInQue);
    DWORD n = 0;
    if (!ReadFile(handle_, got.data(), DWORD(got.size()), &n, nullptr))
        n = 0;
    got.resize(n);
    return got;
}

#endif

bool SerialPort::send(const std::string& bytes, std::chrono::milliseconds chunkLimit)
{
    setRts(true);
    size_t at = 0;
    for (size_t chunk : sendChunks(bytes.size())) {
        const Clock::time_point deadline = Clock::now() + chunkLimit;
        for (size_t i = 0; i < chunk; ++i) {
            if (!sendByte(bytes[at + i], deadline)) {
                setRts(false);
                return false;
            }
        }
        at += chunk;
    }
    setRts(false);
    return true;
}

} // namespace genlib
