// The program block: the 28 windows in their order and the registry.
#include "app/program.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform12.h"
#include "app/tform12_ui.h"
#include "news/tform2.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "support/fakeservices.h"

#include <QDir>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(ProgramBlock, CreatesTheWindowsInOrderSplashFirst) {
    QDir(dataFolder()).removeRecursively();
    ScopedFakeServices services;
    Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(8, 0)));
    resetTerminationForTests();

    ASSERT_TRUE(createWindows());
    const QStringList expected = {"TForm12", "TForm1",  "TForm2",  "TForm3",  "TForm4",  "TForm5",  "TForm6",
                                  "TForm7",  "TForm8",  "TForm9",  "TForm10", "TForm11", "TForm13", "TForm14",
                                  "TForm15", "TForm16", "TForm17", "TForm18", "TForm20", "TForm21", "TForm22",
                                  "TForm23", "TForm24", "TForm25", "TForm26", "TForm27", "TForm28", "TForm29"};
    EXPECT_EQ(windowCreationOrder(), expected);
    EXPECT_TRUE(windowsCreated());
    ASSERT_NE(Form1, nullptr);
    ASSERT_NE(Form29, nullptr);
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_EQ(Form1->state.firstshowdone, 1);
    EXPECT_FALSE(Form2->isVisible());

    // The splash goes once the message loop runs.
    EXPECT_TRUE(Form12->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([] { return !Form12->isVisible(); }, 2000));

    destroyWindows();
    EXPECT_FALSE(windowsCreated());
    EXPECT_EQ(Form1, nullptr);
    EXPECT_EQ(Form12, nullptr);
    Clock::clearForTests();
}

TEST(ProgramBlock, SplashSetsTheApplicationTitleAndItsCloseEndsTheProgram) {
    resetTerminationForTests();
    setApplicationTitle(QString());
    TForm12 splash;
    splash.FormCreate();
    // Plain message boxes carry this title as their caption.
    EXPECT_EQ(applicationTitle(), QStringLiteral("Brennoc股票情报系统V4.5"));
    EXPECT_EQ(splash.windowTitle(), applicationTitle());
    QTest::mouseClick(splash.ui->Label8, Qt::LeftButton);
    EXPECT_TRUE(terminationRequested());
    resetTerminationForTests();
}

TEST(ProgramBlock, EndingBeforeTheLoopRunsLeavesBlockingRequestsWorking) {
    resetTerminationForTests();
    terminateApplication();
    EXPECT_TRUE(terminationRequested());
    // A request waits in a nested loop; it must still wait for its reply, not return at once.
    QEventLoop loop;
    QTimer::singleShot(20, &loop, [&loop] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), 7);
    EXPECT_EQ(runMessageLoop(), 0);
    resetTerminationForTests();
}
