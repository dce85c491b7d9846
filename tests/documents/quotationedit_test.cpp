#include "browser/articleclipboard.h"
#include "documents/articledrop.h"
#include "documents/quotationcatalog.h"
#include "documents/quotationedit.h"

#include <gtest/gtest.h>

using namespace vandrel;

TEST(QuotationEdit, QuantityChangesRescaleTheAmount)
{
    const struct {
        const char *quantity, *amount, *typed, *expected;
    } cases[] = {
        {"2", "20,00", "5", "50,00"},
        {"3", "10,00", "1", "3,33"},
        {"", "20,00", "5", "0,00"},  // no unit price to take
        {"0", "20,00", "5", "0,00"},
        {"19%", "4,75", "21%", "5,25"}, // a VAT rate in the quantity box
        {"2", "20,00", "abc", "0,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quotationedit::rescaledAmount(c.quantity, c.amount, c.typed), c.expected) << c.quantity << c.typed;
}

TEST(QuotationEdit, ClipboardRowsGoBothWays)
{
    const ClipboardArticle article = quotationedit::clipboardRow("3\t0000042\t3,75\tKnie\tmet tab");
    EXPECT_EQ(article.quantity, 3);
    EXPECT_EQ(article.articleNumber, 42);
    EXPECT_EQ(article.description, "Knie\tmet tab");
    EXPECT_EQ(article.gross, Currency::fromCents(375));
    EXPECT_EQ(quotationedit::pastedLine(article), "3\t0000042\t3,75\tKnie\tmet tab");

    const ClipboardArticle vat = quotationedit::clipboardRow("19%\tBTW:\t4,75\t ");
    EXPECT_EQ(vat.quantity, 0); // a rate is no quantity
    EXPECT_EQ(vat.articleNumber, 0);
    EXPECT_EQ(quotationedit::pastedLine(vat), " "); // without quantity: the description alone

    const ClipboardArticle text = quotationedit::clipboardRow("Montage inbegrepen");
    EXPECT_EQ(text.description, "Montage inbegrepen");
    EXPECT_EQ(text.quantity, 0);
    EXPECT_EQ(quotationedit::pastedLine(text), "Montage inbegrepen");

    DroppedArticle dropped;
    dropped.quantity = 2;
    dropped.articleNumber = 1234567;
    dropped.description = "Knie 15 mm";
    dropped.gross = Currency::fromCents(250);
    EXPECT_EQ(quotationedit::droppedLine(dropped), "2\t1234567\t2,50\tKnie 15 mm");
}

TEST(QuotationEdit, AmountOfALookedUpArticle)
{
    QuotationArticle a;
    a.brutoPrijs = Currency::fromCents(1250);
    a.per = 10;
    EXPECT_EQ(quotationedit::articleAmount("5", a), "6,25");
    a.per = 0; // no price unit: per piece
    EXPECT_EQ(quotationedit::articleAmount("5", a), "62,50");
    EXPECT_TRUE(quotationedit::isAmountCharacter(QLatin1Char('%')));
    EXPECT_FALSE(quotationedit::isAmountCharacter(QLatin1Char('x')));
}
