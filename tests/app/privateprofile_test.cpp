#include "app/core/privateprofile.h"

#include "testdir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

QByteArray readBytes(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(PrivateProfile, CreatesFileSectionsAndKeysInOrder)
{
    test::TestDir dir;
    const QString ini = dir.file(QStringLiteral("a.ini"));
    EXPECT_TRUE(PrivateProfile::writeString("One", "A", "1", ini));
    EXPECT_TRUE(PrivateProfile::writeString("Two", "B", "2", ini));
    EXPECT_TRUE(PrivateProfile::writeString("one", "C", "3", ini));
    EXPECT_EQ(readBytes(ini), QByteArray("[One]\r\nA=1\r\nC=3\r\n\r\n[Two]\r\nB=2\r\n"));
}

TEST(PrivateProfile, ReplacesInPlaceAndKeepsEveryOtherByte)
{
    test::TestDir dir;
    const QString ini = dir.file(QStringLiteral("b.ini"));
    // Odd spacing, LF-only lines, a comment and a missing final line end must survive.
    const QByteArray original = "; comment\r\n[Main]\r\n  Key = old value \r\nOther=x\n\r\n[Next]\r\nZ=1";
    writeBytes(ini, original);
    EXPECT_TRUE(PrivateProfile::writeString("MAIN", "key", "new", ini));
    EXPECT_EQ(readBytes(ini), QByteArray("; comment\r\n[Main]\r\nkey=new\r\nOther=x\n\r\n[Next]\r\nZ=1"));
    EXPECT_TRUE(PrivateProfile::writeString("Main", "Added", "y", ini));
    EXPECT_TRUE(PrivateProfile::writeString("Next", "W", "2", ini));
    EXPECT_EQ(readBytes(ini),
              QByteArray("; comment\r\n[Main]\r\nkey=new\r\nOther=x\nAdded=y\r\n\r\n[Next]\r\nZ=1\r\nW=2\r\n"));
}

TEST(PrivateProfile, ReadsWithDefaultsTrimmingQuotesAndBufferCut)
{
    test::TestDir dir;
    const QString ini = dir.file(QStringLiteral("c.ini"));
    writeBytes(ini, "[S]\r\nplain =  spaced  \r\nquoted=\"  kept  \"\r\nsingle='x'\r\nempty=\r\n"
                    "accent=caf\xe9\r\n[T]\r\nplain=other\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"s", "PLAIN", "spaced"}, {"S", "quoted", "  kept  "}, {"S", "single", "x"},
        {"S", "empty", ""},       {"S", "missing", "dflt"},    {"Nope", "plain", "dflt"},
        {"T", "plain", "other"},  {"S", "accent", "café"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrivateProfile::getString(c.section, c.key, "dflt", ini), QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
    EXPECT_EQ(PrivateProfile::getString("S", "x", "dflt", dir.file("missing.ini")), "dflt");

    const QString longValue(600, QLatin1Char('v'));
    ASSERT_TRUE(PrivateProfile::writeString("S", "long", longValue, ini));
    EXPECT_EQ(PrivateProfile::getString("S", "long", "", ini).size(), 511);
    EXPECT_EQ(PrivateProfile::getString("S", "long", "", ini, 256).size(), 255);
}
