// The window shell: tray, minimise, tray menu, key filters, link labels, contact link.
#include "app/colours.h"
#include "app/hosts.h"
#include "app/tform1_ui.h"
#include "form1_fixture.h"
#include "support/windows.h"

#include <QAction>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>

namespace {

class ShellTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        form = std::make_unique<RecordingForm1>();
        form->FormCreate();
    }
    void TearDown() override {
        form->PopupMenu1->hide();
        form.reset();
        Form1Test::TearDown();
    }
    std::unique_ptr<RecordingForm1> form;
};

} // namespace

TEST_F(ShellTest, MinimiseGoesToTheTrayAndStopsPlayback) {
    form->makePlayer();
    EXPECT_FALSE(form->WMSysCommand(61488)); // maximise, and every other command: not ours
    EXPECT_EQ(form->trayIcon(), nullptr);
    form->ui->Panel6->show();
    form->WebBrowser66->widget()->move(-1000, form->WebBrowser66->widget()->y());
    form->statusPanel(3)->setText(QStringLiteral("x"));

    EXPECT_TRUE(form->WMSysCommand(TForm1::minimiseCommand));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->state.traymode, 1);
    ASSERT_NE(form->trayIcon(), nullptr);
    EXPECT_TRUE(form->trayIcon()->isVisible());
    EXPECT_EQ(form->trayIcon()->toolTip(), QStringLiteral("Brennoc股票情报系统V4.4"));
    EXPECT_EQ(fake(form->WindowsMediaPlayer1)->stops, 1);
    EXPECT_EQ(form->WebBrowser66->widget()->x(), 20);
    EXPECT_TRUE(form->ui->Panel6->isHidden());
    EXPECT_TRUE(form->statusPanel(3)->text().isEmpty());

    // Restored and minimised again: still one icon, which stays until the program ends.
    QSystemTrayIcon* first = form->trayIcon();
    form->N1->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->state.traymode, 0);
    EXPECT_TRUE(first->isVisible());
    form->setWindowState(Qt::WindowMinimized); // the minimise button goes to the tray too
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->findChildren<QSystemTrayIcon*>(), QList<QSystemTrayIcon*>{first});
}

// Minimised by the window manager, the window goes to the tray unmapped: its minimised state is left alone
// while it is hidden (clearing it would map the hidden window again, an empty rectangle on the desktop) and
// cleared as it comes back, at the place it left.
TEST_F(ShellTest, MinimisedWindowStaysUnmappedInTheTrayAndComesBackWhereItWas) {
    ASSERT_TRUE(form->isVisible());
    const QRect before = form->frameGeometry();
    for (int round = 0; round < 2; ++round) {
        form->setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_FALSE(form->isVisible());
        ASSERT_NE(form->windowHandle(), nullptr);
        EXPECT_FALSE(form->windowHandle()->isVisible());
        EXPECT_TRUE(form->windowState() & Qt::WindowMinimized) << "the hidden window's state was changed";
        EXPECT_EQ(form->state.traymode, 1);

        form->N1->trigger();
        QCoreApplication::processEvents();
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->windowState() & Qt::WindowMinimized);
        EXPECT_EQ(form->frameGeometry(), before) << "round " << round;
    }

    // A window that disables the main window while it is open leaves the tray menu working.
    form->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    form->setEnabled(false);
    form->MyTrayMessage(513);
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    EXPECT_TRUE(form->PopupMenu1->isEnabled());
    form->PopupMenu1->hide();
}

TEST_F(ShellTest, WithoutATrayTheWindowMinimisesNormally) {
    services->trayAvailable = false;
    EXPECT_FALSE(form->WMSysCommand(TForm1::minimiseCommand));
    form->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->state.traymode, 0);
    EXPECT_EQ(form->trayIcon(), nullptr);
}

TEST_F(ShellTest, OnlyButtonDownMessagesPopTheMenuUp) {
    const std::pair<int, bool> messages[] = {{513, true},  {516, true},  {512, false}, {514, false}, {515, false},
                                             {517, false}, {518, false}, {519, false}, {0, false}};
    for (const auto& [message, popsUp] : messages) {
        form->MyTrayMessage(message);
        EXPECT_EQ(form->PopupMenu1->isVisible(), popsUp) << message;
        form->PopupMenu1->hide();
    }
    // Qt's activations reach the filter as the mouse messages they stand for.
    form->WMSysCommand(TForm1::minimiseCommand);
    emit form->trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    emit form->trayIcon()->activated(QSystemTrayIcon::MiddleClick);
    EXPECT_FALSE(form->PopupMenu1->isVisible());
    emit form->trayIcon()->activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    form->PopupMenu1->hide();
    emit form->trayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(form->PopupMenu1->isVisible());
}

TEST_F(ShellTest, KeyFiltersPassDigitsAndBackspaceAndSwallowTheRest) {
    expectDigitsOnly(form->ui->Edit1, 6);
    const QList<std::pair<QChar, bool>> cases = {{u'0', true},  {u'9', true},  {QChar(8), true}, {u'a', false},
                                                 {u'-', false}, {u' ', false}, {u'.', false},    {u'中', false}};
    for (const auto& [typed, passes] : cases) {
        QChar key = typed;
        form->Edit1KeyPress(key);
        EXPECT_EQ(key, passes ? typed : QChar(0)) << int(typed.unicode());
        key = typed;
        form->ComboBox1KeyPress(key);
        EXPECT_EQ(key, QChar(0));
    }
    for (QComboBox* box : {form->ui->ComboBox1, form->ui->ComboBox2}) {
        QTest::keyClicks(box, QStringLiteral("5"));
        EXPECT_EQ(box->currentText(), QStringLiteral("2"));
    }
}

TEST_F(ShellTest, LinkLabelsChangeColoursOnHover) {
    for (QLabel* label :
         {form->ui->Label36, form->ui->Label39, form->ui->Label15, form->ui->Label45, form->ui->Label48}) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(label, &enter);
        EXPECT_EQ(std::pair(Colours::background(label), Colours::fontColour(label)),
                  std::pair(Colours::red, Colours::white));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(label, &leave);
        EXPECT_EQ(std::pair(Colours::background(label), Colours::fontColour(label)),
                  std::pair(Colours::white, Colours::navy));
    }
}

TEST_F(ShellTest, ContactPictureOpensTheContactPageAndGettimeSplitsTheClock) {
    QTest::mouseClick(form->ui->Image5, Qt::LeftButton);
    EXPECT_EQ(services->openedUrls, QList<QUrl>{QUrl(Hosts::base(Hosts::contact) + QStringLiteral("/"))});
    Clock::setForTests(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 9, 123)));
    form->gettime();
    EXPECT_EQ(form->state.clockparts, (ClockParts{2024, 3, 15, 14, 5, 9, 123}));
}

TEST_F(ShellTest, ResumeItemsOnlyResume) {
    for (QAction* item : {form->N5, form->N6, form->N7, form->N18, form->N15}) {
        ASSERT_TRUE(item->isChecked());
        item->trigger(); // Qt would untick a checkable item here
        EXPECT_TRUE(item->isChecked()) << item->text().toStdString();
    }
}
