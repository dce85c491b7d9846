// The shipped help book, its search and the help window.
#include "app/core/helpbook.h"
#include "app/core/helpsystem.h"
#include "app/core/helpwindow.h"
#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "app/supportpage.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

const QString sourceRoot = QStringLiteral(VANDREL_SOURCE_DIR);

QStringList fileNames(const QList<HelpHit>& hits)
{
    QStringList names;
    for (const HelpHit& h : hits)
        names << QFileInfo(h.path).fileName();
    return names;
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programState() = ProgramState();
        programState().helpFile = sourceRoot + QLatin1Char('/'); // the book is its "help" folder
        programState().programDirectory = dir.path();
    }
    void TearDown() override { delete HelpWindow::existing(); }

    test::TestDir dir;
    test::ScriptedUi ui;
};

TEST_F(HelpTest, EveryContentsEntryLinkAndPictureOfTheBookExists)
{
    const HelpBook book = HelpBook::load(sourceRoot + QStringLiteral("/help"));
    ASSERT_TRUE(book.isValid());
    EXPECT_EQ(book.startPage(), QStringLiteral("index.html"));
    // A page per window and task.
    for (const char* page :
         {"zoeken.html", "productgroepen.html", "details.html", "bestellingen.html",
          "offertes.html", "afdrukopties.html", "modeminstelling.html", "bestelling-verzenden.html",
          "catalogus-bijwerken.html", "exporteren.html", "reorganiseren.html", "hoofdvenster.html"})
        EXPECT_TRUE(book.pages().contains(QLatin1String(page))) << page;
    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"#:]+)\""));
    for (const QString& page : book.pages()) {
        QFile f(book.path(page));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
        for (auto m = reference.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFileInfo::exists(book.path(target)))
                << page.toStdString() << " -> " << target.toStdString();
        }
    }
}

TEST_F(HelpTest, SearchFindsEveryPageWithAllWordsIgnoringCaseAndAccents)
{
    const HelpLibrary library = programHelpLibrary();
    ASSERT_FALSE(library.isEmpty());
    const QStringList offerte = fileNames(library.search(QStringLiteral("Offerte")));
    EXPECT_EQ(offerte.first(), QStringLiteral("offertes.html")); // most hits first
    EXPECT_TRUE(offerte.contains(QStringLiteral("afdrukopties.html")));
    EXPECT_FALSE(offerte.contains(QStringLiteral("productgroepen.html")));
    // Every word must occur; accents and case do not matter.
    EXPECT_EQ(fileNames(library.search(QStringLiteral("KOPIEER  klembord"))),
              QStringList{QStringLiteral("details.html")});
    EXPECT_TRUE(fileNames(library.search(QStringLiteral("kopiëren")))
                    .contains(QStringLiteral("lijst-afdrukken.html")));
    EXPECT_TRUE(library.search(QStringLiteral("offerte xyzzy")).isEmpty());
    EXPECT_TRUE(library.search(QStringLiteral("   ")).isEmpty());
}

TEST_F(HelpTest, HelpWindowShowsContentsSearchAndGoesBackAndForward)
{
    showHelpContents();
    HelpWindow* w = HelpWindow::existing();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->currentPath().endsWith(QStringLiteral("/help/index.html")));
    EXPECT_GE(w->contentsTree()->topLevelItemCount(), 6);
    EXPECT_TRUE(
        w->browser()->toPlainText().contains(QStringLiteral("Welkom bij de Vandrel Catalogus")));

    showHelpPage(QStringLiteral("exporteren.html"));
    EXPECT_EQ(w->contentsTree()->currentItem()->text(0),
              QStringLiteral("Artikelgegevens exporteren"));
    auto* back = w->findChild<QToolButton*>(QStringLiteral("helpBack"));
    auto* forward = w->findChild<QToolButton*>(QStringLiteral("helpForward"));
    ASSERT_TRUE(back && forward);
    EXPECT_TRUE(back->isEnabled());
    back->click();
    EXPECT_TRUE(w->currentPath().endsWith(QStringLiteral("index.html")));
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_TRUE(w->currentPath().endsWith(QStringLiteral("exporteren.html")));

    // "&Zoeken..." opens the same window on its search.
    showHelpSearch();
    EXPECT_EQ(HelpWindow::existing(), w);
    w->showSearch(QStringLiteral("offerte"));
    ASSERT_GE(w->searchResults()->count(), 2);
    EXPECT_EQ(w->searchResults()->item(0)->text(), QStringLiteral("Offertes maken"));
    w->searchResults()->itemClicked(w->searchResults()->item(0));
    EXPECT_TRUE(w->currentPath().endsWith(QStringLiteral("offertes.html")));
}

TEST_F(HelpTest, PagesWithAPictureNeedNoSidewaysScrollInASmallWindow)
{
    showHelpPage(QStringLiteral("hoofdvenster.html"));
    HelpWindow* w = HelpWindow::existing();
    ASSERT_TRUE(w);
    QTextBrowser* page = w->browser();
    const auto pictureWidth = [&] {
        for (QTextBlock b = page->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (const QTextImageFormat f = it.fragment().charFormat().toImageFormat(); f.isValid())
                    return f.width();
        return qreal(-1);
    };
    w->resize(700, 520);
    QCoreApplication::processEvents();
    EXPECT_GT(pictureWidth(), 100);
    EXPECT_LT(pictureWidth(), page->viewport()->width());
    EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0);

    // Room again: the page's own width (600), on this page and the next one.
    w->resize(1400, 1000);
    QCoreApplication::processEvents();
    EXPECT_EQ(pictureWidth(), 600);
    w->resize(700, 520);
    QCoreApplication::processEvents();
    showHelpPage(QStringLiteral("details.html"));
    EXPECT_LT(pictureWidth(), page->viewport()->width());
    EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0);
}

TEST_F(HelpTest, F1OpensThePageTheActiveWindowNames)
{
    installHelpKey();
    QWidget window;
    setHelpPage(&window, QStringLiteral("bestellingen.html"));
    auto* child = new QWidget(&window);
    child->setFocusPolicy(Qt::StrongFocus);
    window.show();
    child->setFocus();
    QTest::keyClick(child, Qt::Key_F1);
    ASSERT_TRUE(HelpWindow::existing());
    EXPECT_TRUE(
        HelpWindow::existing()->currentPath().endsWith(QStringLiteral("bestellingen.html")));

    // The program's windows are known by name.
    QWidget order;
    order.setObjectName(QStringLiteral("FrmBestel"));
    order.show();
    QTest::keyClick(&order, Qt::Key_F1);
    EXPECT_TRUE(HelpWindow::existing()->currentPath().endsWith(QStringLiteral("bestellingen.html")));

    // A window without a page of its own gets the contents.
    QWidget other;
    other.show();
    QTest::keyClick(&other, Qt::Key_F1);
    EXPECT_TRUE(HelpWindow::existing()->currentPath().endsWith(QStringLiteral("index.html")));
}

TEST_F(HelpTest, MissingBookOrTopicGetsAMessage)
{
    programState().helpFile = dir.path();
    ui.expectMessage(MsgAnswer::Ok);
    showHelpContents();
    EXPECT_FALSE(HelpWindow::existing());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(
        ui.messageTexts()[0].startsWith(QStringLiteral("Het helpbestand is niet gevonden")));

    // The program's book is there but the wholesaler's pages are not.
    ui.expectMessage(MsgAnswer::Ok);
    showHelpTopic(sourceRoot + QStringLiteral("/Vandrel catalogus.chm"), 461);
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messageTexts()[1],
              QStringLiteral("Het helponderwerp 461 is niet gevonden. De helpinformatie van de "
                             "groothandel ontbreekt of is onvolledig."));
}

TEST_F(HelpTest, SupportEntryOpensTheInstallationsSupportAddress)
{
    const QString ini = dir.file(QStringLiteral("VANDREL4.INI"));
    QList<QUrl> opened;
    bool browserStarts = true;
    const UrlOpener open = [&](const QUrl& url) {
        opened << url;
        return browserStarts;
    };

    // A first use writes the default address, so the user finds the key.
    openSupportAddress(open, ini);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("http://www.orbisnet.nl/support.html"))});
    EXPECT_EQ(PrivateProfile::getString(QStringLiteral("Orbisnet"), QStringLiteral("SupportAddress"), QString(), ini),
              QStringLiteral("http://www.orbisnet.nl/support.html"));

    // The address the installation configured, read again at each click.
    PrivateProfile::writeString(QStringLiteral("Orbisnet"), QStringLiteral("SupportAddress"),
                                QStringLiteral("https://hulp.example.nl/vandrel"), ini);
    openSupportAddress(open, ini);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("https://hulp.example.nl/vandrel")));
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_FALSE(HelpWindow::existing());

    // No browser that takes it: the user is told which address to open.
    browserStarts = false;
    ui.expectMessage(MsgAnswer::Ok);
    openSupportAddress(open, ini);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messageTexts()[0].contains(QStringLiteral("https://hulp.example.nl/vandrel")));

    // An address left empty: the book's own support page, no browser.
    PrivateProfile::writeString(QStringLiteral("Orbisnet"), QStringLiteral("SupportAddress"), QString(), ini);
    openSupportAddress(open, ini);
    EXPECT_EQ(opened.size(), 3);
    ASSERT_TRUE(HelpWindow::existing());
    EXPECT_TRUE(HelpWindow::existing()->currentPath().endsWith(QStringLiteral("/help/ondersteuning.html")));
}

} // namespace
