#pragma once

// A program's data folder with a small catalog, the main window started on it as the
// program starts it, and the order windows reached through its menus.
#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "browser/databaseservices.h"
#include "browser/frmartinfo.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "documents/documentservices.h"
#include "documents/frmbestel.h"
#include "documents/orderrules.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QApplication>
#include <QDate>
#include <QFile>

#include <gtest/gtest.h>

namespace vandrel::test {

struct FixtureArticle {
    int number;
    const char* description;
    const char* gross;
    const char* net;
    int per;
    int availability;
};

// Prices per Per pieces, so the drop's division shows.
inline const FixtureArticle fixtureArticles[] = {
    {1000001, "Wastafel 60 cm", "120.00", "96.00", 1, 0},
    {1234567, "Knie 15 mm", "12.50", "10.00", 10, 1},
    {1234568, "Knie 22 mm", "25.00", "20.00", 5, 3},
    {2000001, "IJzerzaag 300 mm", "8.00", "6.40", 1, 0},
};

class DocumentsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        programState() = ProgramState();
        columnLayouts() = ColumnLayouts();
        windowSettings() = WindowSettings();
        const QString d = dir.path();
        programState().programDirectory = programState().productFile = programState().indexFile =
            programState().digitalFile = programState().helpFile = d;
        QFile f(d + "GRPINFO.TXT");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1|Sanitair\r\n102|Kranen\r\n");
        f.close();
        BuildCatalogDatabase(d, 0);
        BuildOrdersDatabase(d);
        ASSERT_EQ(OpenCatalogDatabases(d), OpenOutcome::Opened);
        Database* db = databaseHandles().catalog.get();
        for (const FixtureArticle& a : fixtureArticles) {
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, "
                                                   "BrutoPrijs, NettoPrijs, KortingGroep, Per, Beschikbaarheid) "
                                                   "VALUES (%1, '102000000', '%2', %3, %4, 7, %5, %6)")
                                        .arg(a.number)
                                        .arg(QString::fromUtf8(a.description), a.gross, a.net)
                                        .arg(a.per)
                                        .arg(a.availability)));
        }
        databaseHandles().closeAll();
        PrivateProfile::writeString("Updates", "LastProducts", QDate::currentDate().toString("yyyyMMdd"),
                                    settingsFileName());
    }
    void TearDown() override
    {
        for (FrmBestel* w : orderWindows())
            delete w;
        if (main)
            main->hide();
        main.reset();
        databaseHandles().closeAll();
        setDocumentClock({});
    }

    FrmArtinfo& start()
    {
        MainWindowServices s = databaseServices();
        s.openIllustrationDatabase = nullptr;
        addDocumentServices(s);
        main = std::make_unique<FrmArtinfo>(s);
        EXPECT_TRUE(main->Form_Load());
        main->resize(1000, 700);
        QCoreApplication::processEvents();
        return *main;
    }

    static QList<FrmBestel*> orderWindows()
    {
        QList<FrmBestel*> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* b = qobject_cast<FrmBestel*>(w); b && b->isVisible())
                windows << b;
        }
        return windows;
    }

    // "&Nieuw" of the order menu; the window it opened.
    FrmBestel* newOrder()
    {
        const QList<FrmBestel*> before = orderWindows();
        main->EMenu_Click(1);
        for (FrmBestel* w : orderWindows()) {
            if (!before.contains(w))
                return w;
        }
        return nullptr;
    }

    static int rowsInStore(int orderCode)
    {
        auto rs = databaseHandles().orders->openRecordset(
            QStringLiteral("SELECT ID FROM BestelRegels WHERE OrderCode = %1").arg(orderCode));
        return rs ? int(rs->recordCount()) : -1;
    }

    // Lets deleted windows go.
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }

    TestDir dir;
    ScriptedUi ui;
    std::unique_ptr<FrmArtinfo> main;
};

} // namespace vandrel::test
