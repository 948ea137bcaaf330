// The half-hour big-order announcements on a real main window: which half hour is announced when, what the
// announcement window says, the pause, and the day that changes under a program left running.
#include "bigorder_fixture.h"

#include "app/colours.h"
#include "platform/screen.h"

#include <QAction>

namespace {

const QDate wednesday(2024, 1, 3);

class HalfHour : public BigOrderWindows {
protected:
    void checkAt(const QTime& time, const QDate& day = wednesday) {
        Clock::setForTests(QDateTime(day, time));
        form->Timer7Timer();
    }
    QString said() const { return widgetNamed<QLabel>(Form10, "Label1")->text(); }
    // The announcement as the user sees it: its line, that line's colour and the picture shown.
    QString seen() const {
        const bool red = Colours::fontColour(widgetNamed<QLabel>(Form10, "Label1")) == Colours::red;
        const bool risePicture = !widgetNamed<QLabel>(Form10, "Image1")->isHidden();
        const bool fallPicture = !widgetNamed<QLabel>(Form10, "Image2")->isHidden();
        return said() + (red ? " red" : " green") + (risePicture ? " rise" : "") + (fallPicture ? " fall" : "");
    }
    // Closes what an announcement opened, as the user would.
    void dismiss() {
        Form10->hide();
        Form14->close();
    }
};

} // namespace

TEST_F(HalfHour, StartedAt1110WithThreeItemsAnnouncesTheThirdThenTheFourth) {
    completeBars("100,200,300", "50,250,100");
    checkAt(QTime(11, 10));
    EXPECT_EQ(seen(), QStringLiteral("在 10:30-11:00 之间大单净流入200万股 red rise"));
    EXPECT_EQ(widgetNamed<QLabel>(Form10, "Label2")->text(), QStringLiteral("平安银行(000001)"));
    EXPECT_EQ(widgetNamed<QLabel>(Form10, "Label3")->text(),
              QStringLiteral("今日大单流入:600万股 大单流出:400万股 总计净流入200万股"));
    EXPECT_TRUE(Form10->isVisible());
    EXPECT_EQ(Form10->frameGeometry().topRight(), screenRect().topRight());
    for (const auto& [name, pixels, bold] :
         {std::tuple{"Label2", 14, true}, {"Label1", 12, true}, {"Label3", 12, false}}) {
        const QFont font = widgetNamed<QLabel>(Form10, name)->font();
        EXPECT_EQ(std::tuple(font.families().value(0), font.pixelSize(), font.bold()),
                  std::tuple(QStringLiteral("宋体"), pixels, bold))
            << name;
    }
    EXPECT_TRUE(Form14->isVisible() && !form->isEnabled());
    dismiss();

    checkAt(QTime(11, 20));
    EXPECT_FALSE(Form10->isVisible());
    completeBars("100,200,300,120", "50,250,100,120");
    checkAt(QTime(11, 30, 5));
    EXPECT_EQ(seen(), QStringLiteral("在 11:00-11:30 之间大单净流出0万股 green fall"));
    EXPECT_EQ(form->state.halfflags, (std::array<int, 8>{0, 0, 1, 1, 0, 0, 0, 0}));
}

TEST_F(HalfHour, SwitchAt1410AnnouncesTheSixthHalfHourOfTheNewStock) {
    completeBars("1,1,1,1,1,1", "2,2,2,2,2,2");
    checkAt(QTime(14, 5));
    dismiss();
    form->lookedUpName = QStringLiteral("浦发银行");
    form->ui->Edit1->setText(QStringLiteral("600000"));
    form->Image17Click();
    // Until the new stock's bar page completes there is nothing to announce.
    checkAt(QTime(14, 10));
    EXPECT_FALSE(Form10->isVisible());
    completeBars("10,20,30,40,50,60", "1,2,3,4,5,6");
    checkAt(QTime(14, 10, 5));
    EXPECT_TRUE(Form10->isVisible());
    EXPECT_EQ(widgetNamed<QLabel>(Form10, "Label2")->text(), QStringLiteral("浦发银行(600000)"));
    EXPECT_EQ(said(), QStringLiteral("在 13:30-14:00 之间大单净流入54万股"));
}

TEST_F(HalfHour, NothingOnWeekendsOrBeforeTenAndOnlyTotalsPastTheEighth) {
    for (const QDateTime& moment :
         {QDateTime(QDate(2024, 1, 6), QTime(11, 0)), QDateTime(QDate(2024, 1, 7), QTime(11, 0)),
          QDateTime(wednesday, QTime(9, 59, 59))}) {
        checkAt(moment.time(), moment.date()); // a first check on a new day forgets the day before
        completeBars("12", "4");
        checkAt(moment.time(), moment.date());
        EXPECT_TRUE(form->state.halfdone.isEmpty()) << moment.toString().toStdString();
        EXPECT_FALSE(Form10->isVisible());
    }
    checkAt(QTime(10, 0));
    EXPECT_EQ(said(), QStringLiteral("在 9:30-10:00 之间大单净流入8万股"));
    dismiss();

    completeBars("100,50,50,50,50,0,0,0,0", "100,100,100,50,50,50,0,0,0");
    checkAt(QTime(15, 10));
    EXPECT_FALSE(Form10->isVisible());
    EXPECT_EQ(widgetNamed<QLabel>(Form10, "Label3")->text(),
              QStringLiteral("今日大单流入:300万股 大单流出:450万股 总计净流出-150万股"));
    EXPECT_EQ(Colours::fontColour(widgetNamed<QLabel>(Form10, "Label3")), Colours::green);
}

TEST_F(HalfHour, PausedHidesTheWindowButStillMarksAndOpensThePie) {
    widgetNamed<QCheckBox>(Form10, "CheckBox1")->click();
    EXPECT_TRUE(form->state.muteflow == 1 && !form->N5->isChecked());
    completeBars("5", "1");
    checkAt(QTime(10, 0, 3));
    EXPECT_FALSE(Form10->isVisible());
    EXPECT_EQ(form->state.halfflags[0], 1);
    EXPECT_EQ(said(), QStringLiteral("在 9:30-10:00 之间大单净流入4万股"));
    EXPECT_TRUE(Form14->isVisible());

    form->N5->trigger();
    EXPECT_TRUE(form->state.muteflow == 0 && form->N5->isChecked());
    EXPECT_FALSE(widgetNamed<QCheckBox>(Form10, "CheckBox1")->isChecked());
}

TEST_F(HalfHour, NewDayStartsAfresh) {
    completeBars("1,2,3,4,5,6,7,8", "8,7,6,5,4,3,2,1");
    checkAt(QTime(15, 10));
    EXPECT_EQ(form->state.halfflags[7], 1);
    dismiss();
    // Overnight: yesterday's half hours are forgotten, and yesterday's bars are not announced at ten.
    const QDate thursday = wednesday.addDays(1);
    checkAt(QTime(0, 0, 5), thursday);
    checkAt(QTime(10, 0), thursday);
    EXPECT_FALSE(Form10->isVisible());
    completeBars("9", "1");
    checkAt(QTime(10, 0, 5), thursday);
    EXPECT_EQ(said(), QStringLiteral("在 9:30-10:00 之间大单净流入8万股"));
    EXPECT_EQ(form->state.halfdone, QStringList{"9"});
}
