// The serial pair over a pseudo-terminal pair: the library opens the slave side by its device
// path, the test plays the device on the master side.
#include "genlibapi.h"
#include "serialsettings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace genlibtest;

namespace {

class Genlib40Serial : public ::testing::Test {
protected:
    void SetUp() override
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        slavePath = ptsname(master);
        // Our own descriptor on the slave, to read back the settings the library applied.
        slave = open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(slave, 0);
    }
    void TearDown() override
    {
        if (handle)
            lib().SendToComm(handle, "");
        close(slave);
        close(master);
    }

    int32_t openPort(const std::string& rest)
    {
        handle = lib().SendToComm(0, (slavePath + rest).c_str());
        return handle;
    }

    // Everything the device has been sent so far.
    std::string deviceReceived()
    {
        std::string got;
        char buffer[4096];
        for (;;) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0)
                break;
            ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, size_t(n));
        }
        return got;
    }

    void deviceSends(const std::string& bytes)
    {
        ASSERT_EQ(write(master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
        tcdrain(master);
        usleep(50000);
    }

    termios applied()
    {
        termios t{};
        tcgetattr(slave, &t);
        return t;
    }

    int master = -1;
    int slave = -1;
    std::string slavePath;
    int32_t handle = 0;
};

} // namespace

TEST_F(Genlib40Serial, OpeningAppliesTheSettings)
{
    ASSERT_GT(openPort(",9600,n,8,0"), 0);
    termios t = applied();
    EXPECT_EQ(cfgetospeed(&t), speed_t(B9600));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_lflag & ICANON);
    EXPECT_FALSE(t.c_oflag & OPOST);

    EXPECT_EQ(lib().SendToComm(handle, ""), 0);
    // The fifth field 1 asks for one and a half stop bits: termios' stop-bit flag.
    ASSERT_GT(openPort(",19200,n,8,1"), 0);
    t = applied();
    EXPECT_EQ(cfgetospeed(&t), speed_t(B19200));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
}

TEST_F(Genlib40Serial, RefusedSettingsGiveNoHandle)
{
    // Bad fields, and settings this device cannot carry (a pseudo-terminal is 8 bits without
    // parity): the driver's quiet refusal is noticed.
    for (const char* rest : {",9601,n,8,0", ",9600,n,9,0", ",9600,n,8,3", ",9600,n,8", ",fast,n,8,0",
                             ",9600,e,8,0", ",9600,n,7,0"})
        EXPECT_EQ(openPort(rest), 0) << rest;
    handle = 0;
    EXPECT_EQ(lib().SendToComm(0, "/dev/no-such-port,9600,n,8,0"), 0);
    EXPECT_EQ(lib().SendToComm(0, ""), 0);
}

TEST_F(Genlib40Serial, SendExpandsHexGroupsAndReadGetsWhatCame)
{
    ASSERT_GT(openPort(",9600,n,8,0"), 0);
    EXPECT_EQ(lib().SendToComm(handle, "{1B,40}Hallo\n"), handle);
    EXPECT_EQ(deviceReceived(), "\x1B\x40Hallo\n");

    std::string long130;
    for (int i = 0; i < 130; ++i)
        long130 += char('A' + i % 26);
    EXPECT_EQ(lib().SendToComm(handle, long130.c_str()), handle);
    EXPECT_EQ(deviceReceived(), long130);

    Bstr text("oud");
    EXPECT_EQ(lib().ReadFromComm(handle, text.handle()), 0);
    EXPECT_EQ(text.bytes(), "");
    deviceSends(std::string("OK\0\r", 4));
    EXPECT_EQ(lib().ReadFromComm(handle, text.handle()), 4);
    EXPECT_EQ(text.bytes(), std::string("OK\0\r", 4));
}

TEST_F(Genlib40Serial, HandlesAndClosing)
{
    ASSERT_EQ(openPort(",9600,n,8,0"), 1);
    Bstr text("blijft");
    EXPECT_EQ(lib().ReadFromComm(0, text.handle()), -1);
    EXPECT_EQ(text.bytes(), "blijft");
    EXPECT_EQ(lib().ReadFromComm(99, text.handle()), -1);
    EXPECT_EQ(lib().SendToComm(99, "x"), 0);
    EXPECT_EQ(lib().SendToComm(handle, ""), 0);
    EXPECT_EQ(lib().ReadFromComm(handle, text.handle()), -1) << "closed";
    EXPECT_EQ(lib().SendToComm(handle, "x"), 0) << "closed";
    handle = 0;
}

TEST_F(Genlib40Serial, StalledOutputTimesOutAndThePortStaysUsable)
{
    ASSERT_GT(openPort(",9600,n,8,0"), 0);
    ASSERT_EQ(tcflow(slave, TCOOFF), 0); // the device holds the line
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(lib().SendToComm(handle, "stuck"), 0);
    double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_GE(waited, 4.9);
    ASSERT_EQ(tcflow(slave, TCOON), 0);
    deviceReceived();
    EXPECT_EQ(lib().SendToComm(handle, "los"), handle);
    EXPECT_NE(deviceReceived().find("los"), std::string::npos);
}

TEST(Genlib40SerialSettings, PortNamesAndChunks)
{
    EXPECT_EQ(genlib::serialDevice("COM1"), "/dev/ttyS0");
    EXPECT_EQ(genlib::serialDevice("com12:"), "/dev/ttyS11");
    EXPECT_EQ(genlib::serialDevice("\\\\.\\COM3"), "/dev/ttyS2");
    EXPECT_EQ(genlib::serialDevice("COM0"), "");
    EXPECT_EQ(genlib::serialDevice("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(genlib::serialDevice("ttyACM1"), "/dev/ttyACM1");
    auto s = genlib::parseSerialSettings("COM2,9600,n,8,0");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->device, "/dev/ttyS1");
    EXPECT_EQ(s->speed, 9600);
    EXPECT_FALSE(s->parity);
    EXPECT_EQ(s->dataBits, 8);
    EXPECT_EQ(s->stopBits, 0);
    EXPECT_EQ(genlib::sendChunks(130), (std::vector<size_t>{64, 64, 2}));
    EXPECT_EQ(genlib::sendChunks(64), (std::vector<size_t>{64}));
    EXPECT_TRUE(genlib::sendChunks(0).empty());
}
