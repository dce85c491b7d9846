// The received-fax store: a share mounted in a temporary folder, logs naming server paths.
#include "genlibapi.h"

#include "testdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace genlibtest;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A log as the server writes it: path texts, then the sender identification at offset 271.
std::string logWith(const std::string& paths, const std::string& sender)
{
    std::string log = "FAXLOG\0\0"s + paths + '\0';
    log.resize(271, '\x01');
    log += sender + '\0';
    log.resize(400, '\0');
    return log;
}

class Genlib40Fax : public ::testing::Test {
protected:
    void SetUp() override
    {
        share = fs::path(dir.path().toStdString()) / "faxserver";
        writeFile(fs::path(dir.path().toStdString()) / "FAXSTORE.INI",
                  "[Paths]\r\nNetworkDrive=" + share.string() + "\r\n");
        const fs::path store = share / "FAXSTORE";
        writeFile(store / "QUEUE" / "A.LOG",
                  logWith("I:\\FAXSTORE\\INBOX\\00000001\\FAX0001.DCX", "+31 20 1234567"));
        writeFile(store / "QUEUE" / "B.log",
                  logWith("i:\\faxstore\\inbox\\00000001\\x I:\\FAXSTORE\\INBOX\\00000001\\FAX0002.DCX "
                          "I:\\FAXSTORE\\INBOX\\00000001\\FAX0003.DCX I:\\FAXSTORE\\QUEUE\\FAX0003.DCX",
                          std::string(80, 'S')));
        writeFile(store / "QUEUE" / "C.LOG", "kort");
        writeFile(store / "QUEUE" / "D.TXT", "I:\\FAXSTORE\\INBOX\\00000001\\FAX0001.DCX");
        for (const char* image : {"FAX0001.DCX", "FAX0002.DCX", "FAX0003.dcx", "FAX0009.DCX"})
            writeFile(store / "INBOX" / "00000001" / image, "DCX");
    }

    vandrel::test::TestDir dir;
    fs::path share;
};

} // namespace

TEST_F(Genlib40Fax, DirectoryCountAndList)
{
    const std::string faxDir = (share / "FAXSTORE").string() + "/";
    EXPECT_EQ(take(lib().FaxSysDir()), faxDir);
    // FAX0003.dcx is not matched: the logs write it in capitals and case matters.
    EXPECT_EQ(lib().InFaxCount(), 2);

    auto two = newStrings(1, {"x", "y", "z"});
    lib().ListInFaxLogs(two->handle());
    EXPECT_EQ(texts(*two), (std::vector<std::string>{faxDir + "QUEUE/A.LOG", faxDir + "QUEUE/B.log", "z"}));
    auto one = newStrings(-4, {"keep"});
    lib().ListInFaxLogs(one->handle());
    EXPECT_EQ(texts(*one), (std::vector<std::string>{faxDir + "QUEUE/A.LOG"}));
}

TEST_F(Genlib40Fax, LogNamesImageAndSender)
{
    const std::string faxDir = (share / "FAXSTORE").string() + "/";
    const std::string queue = faxDir + "QUEUE/";
    EXPECT_EQ(take(lib().InFaxDCXFile((queue + "A.LOG").c_str())), faxDir + "INBOX/00000001/FAX0001.DCX");
    // The last server path counts; its queue directory becomes the inbox.
    EXPECT_EQ(take(lib().InFaxDCXFile((queue + "B.log").c_str())), faxDir + "INBOX/00000001/FAX0003.DCX");
    EXPECT_EQ(take(lib().InFaxDCXFile((queue + "C.LOG").c_str())), "");
    EXPECT_EQ(take(lib().InFaxDCXFile((queue + "none.LOG").c_str())), "");

    EXPECT_EQ(take(lib().InFaxSenderID((queue + "A.LOG").c_str())), "+31 20 1234567");
    EXPECT_EQ(take(lib().InFaxSenderID((queue + "B.log").c_str())), std::string(64, 'S'));
    EXPECT_EQ(take(lib().InFaxSenderID((queue + "C.LOG").c_str())), "");
}

TEST(Genlib40FaxMissing, NoSettingsMeansNoFaxDirectory)
{
    vandrel::test::TestDir empty;
    EXPECT_EQ(take(lib().FaxSysDir()), "");
    EXPECT_EQ(lib().InFaxCount(), 0);
}
