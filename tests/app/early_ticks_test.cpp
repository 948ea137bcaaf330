// Timers that tick inside the first show's blocking fetches must not reach the windows created after it.
#include "app/registry.h"
#include "form1_fixture.h"

#include <QTest>
#include <QTimer>

TEST_F(Form1Test, TicksWaitUntilEveryWindowExists) {
    RecordingForm1 form;
    setWindowsCreated(false);
    form.Timer1->setInterval(1);
    form.Timer1->start();
    QTest::qWait(30);
    EXPECT_FALSE(form.calls.contains(QStringLiteral("getvtzs")));

    setWindowsCreated(true);
    QTest::qWait(30);
    form.Timer1->stop();
    EXPECT_TRUE(form.calls.contains(QStringLiteral("getvtzs")));
    setWindowsCreated(false);
}
