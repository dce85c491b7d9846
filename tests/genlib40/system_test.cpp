// File names, file-system and system queries, with their readings on this platform.
#include "genlibapi.h"
#include "versionmask.h"

#include "testdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sys/utsname.h>

using namespace genlibtest;

TEST(Genlib40Files, ValidateFileName)
{
    EXPECT_EQ(take(lib().ValidateFileName("rapport 1/2?.txt", 0)), "rapport 1_2_.txt");
    EXPECT_EQ(take(lib().ValidateFileName("rapport 1/2?.txt", 1)), "_______ 1_2_.___");
    EXPECT_EQ(take(lib().ValidateFileName("A^&'@{}[],$=!-#()%.+~_Z", 1)), "A^&'@{}[],$=!-#()%.+~_Z");
    EXPECT_EQ(take(lib().ValidateFileName("C:\\x*\"<>|\t\xE9", 0)), "C__x_______");
}

TEST(Genlib40Files, NotAvailableHereIsSaidSo)
{
    vandrel::test::TestDir dir;
    const std::string file = dir.file("x.exe").toStdString();
    std::ofstream(file) << "MZ";
    EXPECT_EQ(take(lib().ShortName(file.c_str())), "");
    EXPECT_EQ(take(lib().GetFileVersion(file.c_str())), "");
    EXPECT_EQ(take(lib().GetFileVersion("/no/such/file")), "");
    EXPECT_EQ(lib().FileCopyBoot(file.c_str(), "/tmp/target"), ENOSYS);
    EXPECT_EQ(lib().FileCopyBoot("/no/such/file", "/tmp/target"), ENOENT);
}

TEST(Genlib40Files, GetVolumeID)
{
    vandrel::test::TestDir dir;
    int32_t serial = 12345;
    Bstr label("vorig");
    EXPECT_EQ(lib().GetVolumeID(dir.path().toStdString().c_str(), &serial, label.handle()), -1);
    int32_t again = 0;
    Bstr label2;
    EXPECT_EQ(lib().GetVolumeID("/", &again, label2.handle()), -1);

    Bstr missing("vorig");
    int32_t untouched = 7;
    EXPECT_EQ(lib().GetVolumeID("/no/such/dir", &untouched, missing.handle()), 0);
    EXPECT_EQ(missing.bytes(), "");
    EXPECT_EQ(untouched, 7);
    EXPECT_EQ(lib().GetVolumeID("Q:\\", &untouched, missing.handle()), 0);
}

TEST(Genlib40System, VersionMask)
{
    struct Case {
        unsigned major, minor;
        const char* text;
    } cases[] = {{4, 10, "4.1"}, {5, 1, "5.01"}, {6, 0, "6"}, {10, 0, "10"}, {0, 50, ".5"}, {3, 95, "3.95"}};
    for (const Case& c : cases)
        EXPECT_EQ(genlib::versionText(c.major, c.minor), c.text);
}

TEST(Genlib40System, VersionIsTheKernelRelease)
{
    utsname u;
    ASSERT_EQ(uname(&u), 0);
    unsigned major = 0, minor = 0;
    ASSERT_GE(std::sscanf(u.release, "%u.%u", &major, &minor), 1);
    EXPECT_EQ(take(lib().GetWinVersion()), genlib::versionText(major & 0xFF, minor & 0xFF));
    EXPECT_EQ(take(lib().GetWinPlatform()), "Unknowm");
}
