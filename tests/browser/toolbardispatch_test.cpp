#include "browser/toolbardispatch.h"

#include <QWidget>

#include <gtest/gtest.h>

using namespace vandrel;

TEST(ToolbarDispatch, ButtonsFollowTheLastDocumentWindow)
{
    using M = MenuCommand;
    struct Case {
        const char* key;
        DocumentKind kind;
        MenuCommand expected;
    } cases[] = {
        {"NewOrder", DocumentKind::Quotation, {M::OrderMenu, 1}},
        {"newoffer", DocumentKind::None, {M::QuotationMenu, 1}},
        {"OpenFile", DocumentKind::Quotation, {M::QuotationMenu, 2}},
        {"OpenFile", DocumentKind::Order, {M::OrderMenu, 2}},
        {"OpenFile", DocumentKind::None, {M::OrderMenu, 2}},
        {"OpenFile", DocumentKind::Other, {}},
        {"SaveFile", DocumentKind::None, {}},
        {"SaveFile", DocumentKind::Quotation, {M::QuotationMenu, 6}},
        {"TRASHBIN", DocumentKind::None, {M::OrderMenu, 7}},
        {"Trashbin", DocumentKind::Quotation, {M::QuotationMenu, 7}},
        {"Trashbin", DocumentKind::Other, {}},
        {"Printer", DocumentKind::Order, {M::FileMenu, 6}},
        {"XmitUpdate", DocumentKind::None, {M::OrderMenu, 9}},
        {"ViewList", DocumentKind::None, {M::ViewMenu, 0}},
        {"ViewDetails", DocumentKind::None, {M::ViewMenu, 1}},
        {"Onbekend", DocumentKind::None, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toolbarCommand(QString::fromLatin1(c.key), c.kind), c.expected) << c.key;
}

TEST(ToolbarDispatch, KindOfTheFirstOpenWindowThatIsTheLastDocument)
{
    QWidget order;
    order.setObjectName("FrmBestel");
    QWidget quotation;
    quotation.setObjectName("FrmOfferte");
    QWidget other;
    other.setObjectName("DigiForm");
    EXPECT_EQ(lastDocumentKind({&order, &quotation}, &quotation), DocumentKind::Quotation);
    EXPECT_EQ(lastDocumentKind({&order, &quotation}, &order), DocumentKind::Order);
    EXPECT_EQ(lastDocumentKind({&order, &other}, &other), DocumentKind::Other);
    EXPECT_EQ(lastDocumentKind({&order}, &quotation), DocumentKind::None); // closed meanwhile
    EXPECT_EQ(lastDocumentKind({&order}, nullptr), DocumentKind::None);
}
