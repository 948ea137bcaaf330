// Start-up details: the application title the splash sets, and a later show that leaves the half-hour timer's
// count alone.
#include "app/program.h"
#include "app/tform12.h"
#include "form1_fixture.h"

#include <QTest>
#include <QTimer>

TEST(SplashTitle, CreatingTheSplashSetsTheApplicationTitle) {
    setApplicationTitle(QString());
    TForm12 splash;
    splash.FormCreate();
    // Plain message boxes carry this title as their caption.
    EXPECT_EQ(applicationTitle(), QStringLiteral("Brennoc股票情报系统V4.5"));
    EXPECT_EQ(splash.windowTitle(), applicationTitle());
    setApplicationTitle(QString());
}

TEST_F(Form1Test, ALaterShowKeepsTheCountOfTheRunningHalfHourTimer) {
    RecordingForm1 form;
    form.FormCreate();
    ASSERT_TRUE(form.Timer7->isActive());
    QTest::qWait(1000);
    form.hide();
    form.show();
    // 5000 ms less the second waited, give or take the toolkit's 5 % slack; a restart would be near 5000 again.
    EXPECT_TRUE(form.Timer7->isActive());
    EXPECT_LT(form.Timer7->remainingTime(), 4500);
}
