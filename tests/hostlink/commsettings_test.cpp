// VANDREL4.SET byte for byte, and the installation's host values in VANDREL4.INI.
#include "hostsimfixture.h"

#include "app/core/privateprofile.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"

#include <QFile>

using namespace vandrel;
using namespace vandrel::test;

namespace {

QByteArray enciphered(QByteArray text)
{
    quickpak::Encrypt2(text, "tmr8;1");
    return text;
}

CommSettings sample()
{
    CommSettings s;
    s.setTelephoneNumber("0201234567");
    s.setModemName("ttyS0");
    s.setAccessCode("123456");
    s.setPrivateCode("geheim");
    s.setFileTransfer("Zmodem");
    return s;
}

TEST(CommSettingsFile, WritesLengthDigitsAndEncipheredValues)
{
    TestDir dir;
    ASSERT_TRUE(commsettingsfile::save(sample()));
    QFile file(commsettingsfile::fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, "10" + enciphered("0201234567") + "05" + enciphered("ttyS0") + "06" + enciphered("123456") +
                         "06" + enciphered("geheim") + "06" + enciphered("Zmodem"));
    EXPECT_FALSE(bytes.contains("0201234567")); // not readable in the file
}

TEST(CommSettingsFile, LoadsBackPaddedToTheFieldLengths)
{
    TestDir dir;
    ASSERT_TRUE(commsettingsfile::save(sample()));
    const CommSettings s = commsettingsfile::load();
    EXPECT_EQ(s.accessCode(), QStringLiteral("123456") + QString(14, ' '));
    EXPECT_EQ(s.telephoneNumber().size(), 20);
    EXPECT_EQ(s.modemName().size(), 255);
    EXPECT_EQ(s.modemName().trimmed(), "ttyS0");
    EXPECT_EQ(s.privateCode().trimmed(), "geheim");
    EXPECT_EQ(s.fileTransfer(), "Zmodem");
    EXPECT_FALSE(s.viaInternet());
}

TEST(CommSettingsFile, MissingOrShortFileLeavesTheUnreadFieldsEmpty)
{
    TestDir dir;
    EXPECT_FALSE(commsettingsfile::exists());
    EXPECT_TRUE(commsettingsfile::load().telephoneNumber().trimmed().isEmpty());

    const QByteArray full = commsettingsfile::serialize(sample());
    const struct {
        qsizetype keep;
        int fieldsRead;
    } cases[] = {{0, 0}, {1, 0}, {2, 0}, {11, 0}, {12, 1}, {13, 1}, {19, 2}, {full.size() - 1, 4}, {full.size(), 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keep);
        const CommSettings s = commsettingsfile::parse(full.left(c.keep));
        const QString fields[] = {s.telephoneNumber(), s.modemName(), s.accessCode(), s.privateCode(),
                                  s.fileTransfer()};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(fields[i].trimmed().isEmpty(), i >= c.fieldsRead) << "field " << i;
    }
    // Length digits that are not digits end the reading there.
    EXPECT_TRUE(commsettingsfile::parse("x5abcde").telephoneNumber().trimmed().isEmpty());
}

TEST(CommSettingsFile, LongModemNameIsCutToNinetyNineAndInternetIsRecognised)
{
    TestDir dir;
    CommSettings s = sample();
    s.setModemName(QString(150, 'M'));
    const CommSettings back = commsettingsfile::parse(commsettingsfile::serialize(s));
    EXPECT_EQ(back.modemName().trimmed(), QString(99, 'M'));
    EXPECT_EQ(back.accessCode().trimmed(), "123456"); // the fields after it still line up

    s.setModemName("  >>via internet<< ");
    EXPECT_TRUE(s.viaInternet());
    EXPECT_EQ(s.connectionMode(), 3);
}

TEST(HostValuesSection, FirstUseWritesTheDefaultsAndKeepsChangedValues)
{
    TestDir dir;
    const QString ini = settingsFileName();
    PrivateProfile::writeString("Orbisnet", "HostPort", "6000", ini);
    PrivateProfile::writeString("Orbisnet", "CustomerNumber", "", ini); // empty on purpose stays empty
    const HostValues v = HostValues::load();
    EXPECT_EQ(v.hostPort, 6000);
    EXPECT_EQ(v.customerNumber, "");
    EXPECT_EQ(v.userNumber, "0000000");
    EXPECT_TRUE(v.traceAddress.endsWith("traceip.html"));
    for (const char* key : {"TraceAddress", "UserNumber", "OrderIntake", "OrderRestart", "SupportAddress"})
        EXPECT_NE(PrivateProfile::getString("Orbisnet", key, "-", ini), "-") << key;
    EXPECT_EQ(PrivateProfile::getString("Orbisnet", "HostPort", "-", ini), "6000");
    EXPECT_EQ(v.webHost(), "www.orbisnet.nl");
}

} // namespace
