// The main window's "&Modeminstelling..." and "&On-line support..." only dispatch to the
// services the entry wires.
#include "hostsimfixture.h"

#include "browser/frmartinfo.h"

#include <QAction>

using namespace vandrel;
using namespace vandrel::test;

namespace {

TEST(MainWindowEntry, ModemSettingsEntryOpensTheServiceWindow)
{
    TestDir dir;
    {
        FrmArtinfo without{MainWindowServices{}};
        EXPECT_FALSE(without.action("BMenu0")->isEnabled()); // nothing to open
    }
    MainWindowServices services;
    QWidget* openedFor = nullptr;
    services.showCommunicationSettings = [&](QWidget* parent) { openedFor = parent; };
    FrmArtinfo window(services);
    QAction* entry = window.action("BMenu0");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), "&Modeminstelling...");
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_EQ(openedFor, &window);
}

TEST(MainWindowEntry, SupportEntryDispatchesToTheService)
{
    {
        FrmArtinfo without{MainWindowServices{}};
        EXPECT_FALSE(without.action("HMenu3")->isEnabled());
    }
    MainWindowServices services;
    int opened = 0;
    services.openSupportPage = [&] { ++opened; };
    FrmArtinfo window(services);
    QAction* entry = window.action("HMenu3");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), "&On-line support...");
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_EQ(opened, 1);
}

} // namespace
