// The main window's watch-list monitor: every five seconds a pass fetches the watched stocks and gives the
// price broadcasts or the alert pop-ups; every second the fired alerts count towards being armed again.
#include "app/calendar.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "quotes/alerts.h"
#include "quotes/tform3.h"
#include "quotes/tform5.h"
#include "quotes/tform6.h"
#include "quotes/tform7.h"
#include "quotes/tform8.h"
#include "quotes/tform9.h"

#include <QScopeGuard>
#include <QTimer>

namespace {

const QString marked = QStringLiteral("1");

QString timeNow() {
    return Formats::longTime(Clock::timeOfDay());
}

// A broadcast: its flag is set before the fetches, so a failed fetch loses it for the run.
void broadcast(TForm1& form, Alerts::Branch branch, int& done) {
    done = 1;
    UnitState& state = form.state;
    for (qsizetype i = 0; i < state.watchopenclose.size(); ++i) {
        if (state.watchopenclose[i] != marked)
            continue;
        // A copy: the lists may change while the fetch waits.
        const QString code = at(state.watchcodes, i);
        form.gestockgj(code);
    }
    if (!Form5)
        return;
    const Alerts::Broadcast shown = Alerts::broadcastOf(branch, timeNow());
    Form5->showBroadcast(shown.title, Alerts::broadcastHeadings(shown),
                         Alerts::broadcastRows(state.quotelists, shown.priceField));
}

// The pop-up that shows alerts of this kind; null until that window exists.
AlertPopup* alertWindow(Alerts::AlertWindow window) {
    switch (window) {
    case Alerts::AlertWindow::Limit:
        return Form6;
    case Alerts::AlertWindow::BigTrade:
        return Form7;
    case Alerts::AlertWindow::LargeOrder:
        return Form8;
    case Alerts::AlertWindow::Change:
        return Form9;
    }
    return nullptr;
}

void showAlert(const Alerts::Alert& alert) {
    if (AlertPopup* popup = alertWindow(alert.window))
        popup->showAlert(alert);
}

// The checks of watch-list position i against entry i of the quote lists. A stock whose quote or settings
// cannot be read is skipped; the later stocks are still checked.
void checkPosition(UnitState& state, qsizetype i, bool inSession, const QString& time) {
    const Alerts::QuoteEntry quote = Alerts::quoteEntryAt(state.quotelists, i);
    const Alerts::StockSettings settings{at(state.watchflags, i), at(state.watchpct, i), at(state.watchdealdigits, i),
                                         at(state.watchorderdigits, i)};
    const Alerts::StockState before{at(state.limitfired, i), at(state.dealcooldown, i), at(state.ordercooldown, i),
                                    at(state.pctcooldown, i)};
    const std::optional<Alerts::StockCheck> check = Alerts::checkStock(quote, settings, before, inSession, time);
    if (!check)
        return;
    state.limitfired[i] = check->state.limitfired;
    state.dealcooldown[i] = check->state.dealcooldown;
    state.ordercooldown[i] = check->state.ordercooldown;
    state.pctcooldown[i] = check->state.pctcooldown;
    for (const Alerts::Alert& alert : check->alerts)
        showAlert(alert);
}

// Whether a fired alert is counting towards being armed again: the re-arm tick has work only then.
bool coolingDown(const UnitState& state) {
    return Alerts::cooldownsCounting(state.dealcooldown) || Alerts::cooldownsCounting(state.ordercooldown) ||
           Alerts::cooldownsCounting(state.pctcooldown);
}

// Fetches every watched stock, then checks each; a failed fetch ends the pass.
void alertChecks(TForm1& form, bool inSession) {
    UnitState& state = form.state;
    const QStringList watched = state.watchcodes;
    for (qsizetype i = 0; i < state.watchflags.size(); ++i) {
        const QString code = at(state.watchcodes, i);
        form.gestockgj(code);
    }
    // The settings window may have opened, or a save reloaded the lists, while the fetches waited: entry i of the
    // quotes would then be checked against another stock's settings and alert state. The next pass checks them.
    if (settingsWindowOpen() || state.watchcodes != watched)
        return;
    const QString time = timeNow();
    for (qsizetype i = 0; i < state.watchflags.size(); ++i)
        guarded([&] { checkPosition(state, i, inSession, time); });
}

} // namespace

void TForm1::Timer4Timer() {
    // A pass waits in its fetches; a tick let in meanwhile (the settings window switches the timer on when it
    // closes) must not start a second pass that empties the quote lists under the first.
    if (monitorPassRunning)
        return;
    monitorPassRunning = true;
    const auto passOver = qScopeGuard([this] { monitorPassRunning = false; });
    const bool inSession = Alerts::insideSession(Clock::timeOfDay());
    if (Alerts::isWeekend(todayweekday())) {
        Timer1->stop();
        state.weekendpaused = 1;
        return;
    }
    // The quote panel was held off over the weekend: the first weekday tick lets it run again.
    if (state.weekendpaused == 1) {
        state.weekendpaused = 0;
        Timer1->start();
    }
    if (state.localalerts == 0)
        return;

    state.quotelists.clear();
    Timer4->stop();
    gettime();
    const Alerts::BroadcastsDone done{state.openbroadcastdone == 1, state.middaybroadcastdone == 1,
                                      state.closebroadcastdone == 1};
    const Alerts::Branch branch = Alerts::branchAt(state.clockparts.hour, state.clockparts.minute, done);
    guarded([&] {
        switch (branch) {
        case Alerts::Branch::OpeningBroadcast:
            return broadcast(*this, branch, state.openbroadcastdone);
        case Alerts::Branch::MiddayBroadcast:
            return broadcast(*this, branch, state.middaybroadcastdone);
        case Alerts::Branch::ClosingBroadcast:
            return broadcast(*this, branch, state.closebroadcastdone);
        case Alerts::Branch::AlertChecks:
            return alertChecks(*this, inSession);
        }
    });
    // An alert that fired in this pass starts its count at the re-arm tick's next second.
    if (coolingDown(state) && !Timer6->isActive())
        Timer6->start();
    // The settings window holds the monitor off until it closes, also when it opened while this pass waited.
    if (!settingsWindowOpen())
        Timer4->start();
}

// With every alert armed there is nothing to count until one fires, so the tick stays off until then (the
// monitor pass switches it on) instead of waking the program every second for nothing.
void TForm1::Timer6Timer() {
    Timer6->stop();
    Alerts::countCooldowns(state.dealcooldown);
    Alerts::countCooldowns(state.ordercooldown);
    Alerts::countCooldowns(state.pctcooldown);
    if (coolingDown(state))
        Timer6->start();
}
