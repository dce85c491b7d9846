#include "app/core/helpers.h"

#include "app/core/apptitle.h"
#include "app/core/commandline.h"
#include "scriptedui.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

using namespace vandrel;

TEST(Helpers, AddBackslash)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(AddBackslash(QStringLiteral("data")), QStringLiteral("data") + sep);
    EXPECT_EQ(AddBackslash(QStringLiteral("data") + sep), QStringLiteral("data") + sep);
    EXPECT_EQ(AddBackslash(QString()), sep);
}

TEST(Helpers, Conv2WordTreatsRunsOfSeparatorsAsOne)
{
    EXPECT_EQ(Conv2Word(QStringLiteral("  kogel   kraan "), 99, QLatin1Char(' ')),
              QStringList({"kogel", "kraan"}));
    EXPECT_EQ(Conv2Word(QStringLiteral(";;a;b;;c"), 99, QLatin1Char(';')), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Conv2Word(QStringLiteral("a b c d"), 2, QLatin1Char(' ')), QStringList({"a", "b"}));
    EXPECT_TRUE(Conv2Word(QStringLiteral("   "), 99, QLatin1Char(' ')).isEmpty());
    EXPECT_EQ(AppTitle::current(), AppTitle::programTitle);
}

TEST(Helpers, ReplaceTextScansOnPastTheReplacement)
{
    QString name = QStringLiteral("O'Neil");
    ReplaceText(name, QStringLiteral("'"), QStringLiteral("''"));
    EXPECT_EQ(name, QStringLiteral("O''Neil"));
    QString text = QStringLiteral("Kraan kraan KRAAN");
    ReplaceText(text, QStringLiteral("kraan"), QStringLiteral("[kraan]"));
    EXPECT_EQ(text, QStringLiteral("[kraan] [kraan] [kraan]"));
}

TEST(Helpers, ValueOrDefaultAndVal)
{
    EXPECT_EQ(ValueOrDefault(QVariant(), 5).toInt(), 5);
    EXPECT_EQ(ValueOrDefault(QString(), "x").toString(), "x");
    EXPECT_EQ(ValueOrDefault("a", "x").toString(), "a");
    const std::pair<const char*, double> cases[] = {
        {"245", 245},   {" 12.5abc", 12.5}, {"abc", 0}, {"", 0},   {"-7", -7},
        {"1 2 3", 123}, {"1,5", 1},         {"3e2", 300}, {"4e", 4}, {".5", 0.5}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(text)), value) << text;
}

TEST(Helpers, FitPictureKeepsTheProportions)
{
    // A picture 400 high and 200 wide (pixels) into a box of 100 by 100 pixels.
    QLabel label;
    label.setPixmap(QPixmap(200, 400));
    double factor = 0;
    FitPicture(&label, pixelsToTwipsY(100), pixelsToTwipsX(100), factor);
    EXPECT_DOUBLE_EQ(factor, 0.25);
    EXPECT_EQ(label.height(), 100);
    EXPECT_EQ(label.width(), 50);
    EXPECT_TRUE(label.hasScaledContents());

    QLabel empty;
    FitPicture(&empty, 100, 100, factor);
    EXPECT_EQ(factor, 0);
}

TEST(Helpers, DebugCheckpointsCountOnlyWithTheSwitch)
{
    test::ScriptedUi ui;
    commandline::set({QStringLiteral("/nodebugger")});
    DebugCheckpoint(QStringLiteral("stil"));
    EXPECT_TRUE(ui.messages().isEmpty());

    commandline::set({QStringLiteral("x/debugy")});
    const int before = debugCheckpointCount();
    ui.allowUnexpectedOkMessages(true);
    AppTitle::Scope other(QStringLiteral("LoadSettings"));
    DebugCheckpoint(QString());
    DebugCheckpoint(QStringLiteral("b"));
    DebugCheckpoint(QStringLiteral("derde"));
    ASSERT_EQ(ui.messages().size(), 3);
    EXPECT_EQ(ui.messages()[2].text, QStringLiteral("Debug checkpoint #%1. derde").arg(before + 3));
    EXPECT_EQ(ui.messages()[2].icon, MsgIcon::Information);
    EXPECT_EQ(ui.messages()[2].title, AppTitle::programTitle);
    commandline::set({});
}
