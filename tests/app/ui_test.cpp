#include "app/core/ui.h"

#include "app/core/apptitle.h"
#include "app/core/qttranslations.h"
#include "scriptedui.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace vandrel;

TEST(Ui, MessagesCarryTheCurrentTitleAndScriptedAnswers)
{
    test::ScriptedUi ui;
    ui.expectMessage(MsgAnswer::No);
    ui.expectMessage(MsgAnswer::Yes);
    EXPECT_EQ(msgBox("Vraag?", MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::No);
    {
        AppTitle::Scope scope(QStringLiteral("SaveSettings"));
        {
            AppTitle::Scope inner(QStringLiteral("Conv2Word"));
            EXPECT_EQ(AppTitle::current(), QStringLiteral("Conv2Word"));
        }
        EXPECT_EQ(msgBox("Nog een?", MsgIcon::Question, MsgButtons::YesNo, QString(), 1), MsgAnswer::Yes);
    }
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Vandrel Catalogus"));
    EXPECT_EQ(ui.messages()[1].title, QStringLiteral("SaveSettings"));
    EXPECT_EQ(ui.messages()[1].defaultButton, 1);
    EXPECT_EQ(AppTitle::current(), QStringLiteral("Vandrel Catalogus"));

    ui.expectInput(QStringLiteral("C:\\UPDATE"));
    ui.expectInput(std::nullopt);
    EXPECT_EQ(inputBox("Pad?"), QStringLiteral("C:\\UPDATE"));
    EXPECT_FALSE(inputBox("Pad?").has_value());
    EXPECT_EQ(ui.pendingAnswers(), 0);
}

TEST(Ui, FileFiltersBecomeQtFilters)
{
    EXPECT_EQ(qtFileFilter("Orders (*.vdb)|*.vdb|Alle bestanden (*.*)|*.*"),
              QStringLiteral("Orders (*.vdb);;Alle bestanden (*.*)"));
    EXPECT_EQ(qtFileFilter("Tekst|*.txt;*.asc"), QStringLiteral("Tekst (*.txt *.asc)"));
}

TEST(QtTranslations, QtsOwnTextsComeInDutch)
{
    // The Debian package with Qt's translations is one of the build's dependencies.
    QTranslator* translator = installQtTranslations();
    ASSERT_NE(translator, nullptr) << "qtbase_nl.qm not found in " << qtTranslationFolders().join(", ").toStdString();
    // A standard dialog button and an entry of a text box's context menu.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuleren"));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Kopi\u00EBren"));
    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}
