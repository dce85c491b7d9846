// The main window's list output driven through its menus: the printed list and the
// text copy's refusals.
#include "documentsfixture.h"

#include "browser/datacontrol.h"
#include "printing/printdevice.h"
#include "printing/recordingprintdevice.h"

#include <QLineEdit>

using namespace vandrel;
using vandrel::test::DocumentsFixture;

class MainWindowOutputTest : public DocumentsFixture {};

TEST_F(MainWindowOutputTest, PrintsTheShownListAndRefusesWhatCannotBeCopied)
{
    FrmArtinfo& m = start();
    m.txtZoek()->setText("knie");
    RecordingPrintDevice device;
    {
        ScopedPrintDevice printer(device);
        m.BMenu_Click(6);
    }
    EXPECT_EQ(device.jobsEnded(), 1);
    const QStringList texts = device.texts();
    EXPECT_TRUE(texts.contains("Vandrel Artikeloverzicht"));
    EXPECT_TRUE(texts.contains("knie"));
    EXPECT_TRUE(texts.join("|").contains("1234568"));
    EXPECT_TRUE(texts.join("|").contains("Blad: 1"));
    EXPECT_TRUE(ui.messages().isEmpty());

    // The text copy is for the details view only.
    ui.expectMessage(MsgAnswer::Ok);
    m.WMenu_Click(2);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, "U kunt alleen het artikelinformatiescherm in het clipbord zetten.");
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);

    // An empty list prints nothing.
    m.data3()->setRecordSource("SELECT ArtikelNr FROM Products WHERE ArtikelNr = 1");
    m.data3()->refresh();
    ui.expectMessage(MsgAnswer::Ok);
    {
        ScopedPrintDevice printer(device);
        m.BMenu_Click(6);
    }
    EXPECT_EQ(ui.messages().last().text, "Er zijn geen records geselecteerd");
    EXPECT_EQ(device.jobsEnded(), 1);
}
