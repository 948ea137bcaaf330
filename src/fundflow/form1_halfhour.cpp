// The main window's half-hour big-order announcements: once per half hour of trading, the big-order flow of the
// half hour that has just appeared on the bar page, with the day's totals.
#include "app/calendar.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "fundflow/halfhour.h"
#include "fundflow/tform10.h"
#include "fundflow/tform14.h"
#include "platform/clock.h"
#include "platform/failures.h"

#include "ui_tform10.h"

#include <QAction>
#include <QCheckBox>

namespace {

constexpr int kSunday = 0;
constexpr int kSaturday = 6;

// The announcement state belongs to one day: a program left running overnight starts the next day afresh,
// without yesterday's announced half hours and without yesterday's bars, which the bar page replaces only
// once its first reload of the day completes.
void startNewDay(UnitState& state) {
    const QDate today = Clock::today();
    if (state.halfday.isValid() && state.halfday != today) {
        state.halfdone.clear();
        state.halfflags.fill(0);
        state.halfbuys.clear();
        state.halfsells.clear();
    }
    state.halfday = today;
}

} // namespace

void TForm1::Timer7Timer() {
    startNewDay(state);
    const QString weekday = todayweekday();
    if (weekday == weekdayNameSundayTian(kSunday) || weekday == weekdayNameSundayTian(kSaturday))
        return;
    if (Clock::timeOfDay() < HalfHour::firstCheck)
        return;
    if (state.halfdone.size() >= state.halfbuys.size() || !Form10)
        return;

    const HalfHour::DayTotals totals = HalfHour::dayTotals(state.halfbuys, state.halfsells);
    Form10->showTotals(HalfHour::totalsText(totals), totals.net() > 0);

    // Only the half hour whose number is the item count can be announced: one passed over between two reads,
    // or already on the page when the checks began, is not announced later.
    const qsizetype window = state.halfbuys.size();
    if (window < 1 || window > HalfHour::windowCount || state.halfflags.at(window - 1) != 0)
        return;
    state.halfdone.append(at(state.halfbuys, window - 1));
    state.halfflags.at(window - 1) = 1;
    const HalfHour::Announcement said =
        HalfHour::announcement(static_cast<int>(window), state.halfbuys, state.halfsells);
    Form10->placeTopRight();
    Form10->writeAnnouncement(state.curname + QLatin1Char('(') + state.curcode + QLatin1Char(')'), said.text,
                              said.inflow);
    if (state.muteflow == 0) {
        Form10->show();
        Form10->raise();
    }
    if (Form14 && !Form14->isVisible() && state.mutepie == 0)
        dbshow();
}

void TForm1::N5Click() {
    // Resumes the announcements; the item never pauses them.
    N5->setChecked(true);
    state.muteflow = 0;
    if (Form10) {
        Form10->ui->CheckBox1->setChecked(false);
        Form10->CheckBox1Click();
    }
}
