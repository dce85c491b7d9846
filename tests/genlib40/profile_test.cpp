// ReadIni / WriteIni: the library's own private-profile files.
#include "genlibapi.h"

#include "testdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace genlibtest;

namespace {

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class Genlib40Profile : public ::testing::Test {
protected:
    vandrel::test::TestDir dir; // also the Windows directory
    std::string winDir = dir.path().toStdString();
};

} // namespace

TEST_F(Genlib40Profile, DefaultFileIsGensqlIniInTheWindowsDirectory)
{
    EXPECT_EQ(take(lib().ReadIni("Db", "Name", "")), "") << "no file yet";
    lib().WriteIni("Db", "Name", "Catalogus", "");
    lib().WriteIni("Db", "Path", "C:\\VD\\", "");
    lib().WriteIni("Other", "X", "1", "");
    lib().WriteIni("db", "NAME", "Vandrel", "");
    EXPECT_EQ(fileText(winDir + "GENSQL.INI"),
              "[Db]\r\nNAME=Vandrel\r\nPath=C:\\VD\\\r\n[Other]\r\nX=1\r\n");
    EXPECT_EQ(take(lib().ReadIni("DB", "name", "")), "Vandrel");
    EXPECT_EQ(take(lib().ReadIni("Db", "Missing", "")), "");
    EXPECT_EQ(take(lib().ReadIni("Missing", "Name", "")), "");
}

TEST_F(Genlib40Profile, BareNamesLandInTheWindowsDirectoryPathsStandAsGiven)
{
    lib().WriteIni("S", "K", "bare", "X.INI");
    EXPECT_EQ(fileText(winDir + "X.INI"), "[S]\r\nK=bare\r\n");
    EXPECT_EQ(take(lib().ReadIni("S", "K", "X.INI")), "bare");

    // A path with "\" separators, with and without the "C:" drive.
    std::string backslashed = winDir + "sub/Y.INI";
    for (char& c : backslashed)
        if (c == '/')
            c = '\\';
    lib().WriteIni("S", "K", "path", backslashed.c_str());
    EXPECT_EQ(fileText(winDir + "sub/Y.INI"), "[S]\r\nK=path\r\n");
    EXPECT_EQ(take(lib().ReadIni("S", "K", ("C:" + backslashed).c_str())), "path");
    EXPECT_EQ(take(lib().ReadIni("S", "K", (winDir + "sub/Y.INI").c_str())), "path");
    EXPECT_EQ(take(lib().ReadIni("S", "K", ("Q:" + backslashed).c_str())), "")
        << "another drive letter names nothing here";
}

TEST_F(Genlib40Profile, ReadsWhatOtherWritersWrote)
{
    writeFile(winDir + "GENSQL.INI",
              "; settings\n[ Paths ]\n  NetworkDrive =  F  \nQuoted=\"  spaced  \"\n"
              "NoValue\n[Long]\nV=" + std::string(600, 'x') + "\n[Dup]\nK=first\n[Dup]\nK=second\n");
    EXPECT_EQ(take(lib().ReadIni("Paths", "NetworkDrive", "")), "F");
    EXPECT_EQ(take(lib().ReadIni("Paths", "Quoted", "")), "  spaced  ");
    EXPECT_EQ(take(lib().ReadIni("Paths", "NoValue", "")), "");
    EXPECT_EQ(take(lib().ReadIni("Long", "V", "")), std::string(511, 'x'));
    EXPECT_EQ(take(lib().ReadIni("Dup", "K", "")), "first");
}

TEST_F(Genlib40Profile, WritingKeepsTheRestOfTheFile)
{
    writeFile(winDir + "GENSQL.INI", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    lib().WriteIni("A", "z", "3", "");
    lib().WriteIni("B", "y", "two\r\n[Injected]\r\nq=1", "");
    EXPECT_EQ(fileText(winDir + "GENSQL.INI"), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=two\r\n");
    // Null value removes the key, null key the section.
    lib().WriteIni("A", "x", nullptr, "");
    lib().WriteIni("B", nullptr, nullptr, "");
    EXPECT_EQ(fileText(winDir + "GENSQL.INI"), "[A]\r\nz=3\r\n\r\n");
}
