#include "app/core/percform.h"

#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vandrel;

TEST(PercForm, ShowsCaptionLabelAndLimitedPercent)
{
    PercForm form;
    form.setCaption(QStringLiteral("ZT-Scanfile v2.0"));
    form.setLabel(QStringLiteral("Building scanfile..."));
    form.show(); // modeless: returns at once
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ZT-Scanfile v2.0"));

    auto* label = form.findChild<QLabel*>("Label");
    auto* meter = form.findChild<QProgressBar*>("Meter");
    ASSERT_TRUE(label && meter);
    EXPECT_EQ(label->text(), QStringLiteral("Building scanfile..."));
    EXPECT_EQ(meter->minimum(), 0);
    EXPECT_EQ(meter->maximum(), 100);
    for (const auto& [in, shown] : {std::pair{75, 75}, {150, 100}, {-5, 0}, {0, 0}}) {
        form.setPercent(in);
        EXPECT_EQ(meter->value(), shown) << in;
    }

    const QRect screen = form.screen()->geometry();
    const QRect frame = form.frameGeometry();
    EXPECT_EQ(frame.x(), screen.x() + screen.width() / 2 - frame.width() / 2);
    EXPECT_EQ(frame.y(), screen.y() + screen.height() / 2 - frame.height() / 2);
}

TEST(PercForm, RefreshLetsPendingEventsRun)
{
    PercForm form;
    form.show();
    bool ran = false;
    QTimer::singleShot(0, &form, [&] { ran = true; });
    form.setPercent(10);
    form.refresh();
    EXPECT_TRUE(ran);
}
