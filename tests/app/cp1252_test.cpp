#include "app/core/cp1252.h"

#include <gtest/gtest.h>

using namespace vandrel;

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(cp1252::fromUnicode(cp1252::toUnicode(all)), all);
}

TEST(Cp1252, MapsTheWindowsCharacters)
{
    // 151 is the em dash of the page-break line; 128 the euro sign.
    EXPECT_EQ(cp1252::toUnicode(QByteArray("\x97\x80\xe9", 3)), QString::fromUtf8("—€é"));
    EXPECT_EQ(cp1252::fromUnicode(QString::fromUtf8("geïnstalleerd — €")),
              QByteArray("ge\xefnstalleerd \x97 \x80"));
    EXPECT_EQ(cp1252::fromUnicode(QString::fromUtf8("Ωx")), QByteArray("?x"));
}
