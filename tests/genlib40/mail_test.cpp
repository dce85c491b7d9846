// Mail header values and the e-mail address test.
#include "genlibapi.h"

#include <gtest/gtest.h>

using namespace genlibtest;

TEST(Genlib40Mail, HeaderValues)
{
    struct Case {
        BSTR (*fn)(const char*);
        const char* mail;
        const char* out;
    } cases[] = {
        {lib().MailExtractSubject, "Onderwerp: Offerte\r\n...", "Offerte"},
        {lib().MailExtractSubject, "x\r\nSubject:  Order 12  \r\nBetreft: y", "Order 12"},
        {lib().MailExtractSubject, "betreft:laatste regel", "laatste regel"},
        {lib().MailExtractSubject, "geen kop", ""},
        {lib().MailExtractAddressee, "To: x\r\nSubject: s", ""},
        {lib().MailExtractAddressee, "To: x\r\nmeer\r\n@addressee: Jan", "Jan"},
        {lib().MailExtractAddressee, "From: a\r\nTO: piet@example.nl\r\n", "piet@example.nl"},
        {lib().MailExtractAddressee, "Reply-To: b\r\nAan: Klaas\r\n", "Klaas"},
        {lib().MailExtractSender, "From: a\r\nReply-To: b\r\n", "b"},
        {lib().MailExtractSender, "From: a\r\n", "a"},
        {lib().MailExtractSender, "@Sender: Fax 12", "Fax 12"},
        {lib().MailExtractSender, "from:", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(take(c.fn(c.mail)), c.out) << c.mail;
}

TEST(Genlib40Mail, ValidEmailAddress)
{
    for (const char* good : {"jan@vandrel.nl", "j.de.vries@vandrel.nl", "a@b."})
        EXPECT_EQ(lib().ValidEmailAddress(good), -1) << good;
    for (const char* bad : {"jan.vries@vandrel", "jan.vandrel.nl", "jan@vandrel", "", "@"})
        EXPECT_EQ(lib().ValidEmailAddress(bad), 0) << bad;
}
