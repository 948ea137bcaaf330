// The main window's big-order chart pages: loading and reading them, the two bar charts they feed, the ten-day
// and distribution windows, and the one-minute tick that reloads the pages and the forum topics.
#include "app/hosts.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "fundflow/barchart.h"
#include "fundflow/bigorderpage.h"
#include "fundflow/bigorderplans.h"
#include "fundflow/tform13.h"
#include "fundflow/tform14.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/httpclient.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "platform/webbrowser.h"
#include "ui_tform14.h"

#include <QAction>
#include <QCheckBox>
#include <QTimer>

namespace {

using BigOrder::Page;

// Told when the user opens a window whose figures cannot be drawn.
const QString kFiguresUnreadable = QStringLiteral("大单数据有误，无法显示");

// The bar and size-class pages are reloaded between these times of day, both excluded, on any day.
const QTime kReloadAfter(10, 0, 0);
const QTime kReloadBefore(15, 30, 0);
// The TV player's cover page is refreshed every fifth tick.
constexpr int kCoverRefreshTicks = 5;

// A loader whose page has been read is sent to an empty page: until its next navigation it holds no page, no
// script and no connection of the site, which would otherwise keep the browser's threads busy for nothing.
const QString kReleasedPage = QStringLiteral("about:blank");

QString pageAddress(const QString& code, Page page) {
    return BigOrder::pageAddress(Hosts::base(Hosts::bigorder), code, page);
}

// A window that a box of the main window opens could not be filled: no window opens, the box is unticked
// (setChecked raises no click, so the failing fill is not tried again) and the user is told.
[[noreturn]] void refuseWindow(TForm1& form, QCheckBox* box) {
    box->setChecked(false);
    showMessage(&form, kFiguresUnreadable, errorCaption, MessageIcon::Error);
    throw SilentAbort();
}

void drawTodayBars(TForm1& form) {
    const UnitState& state = form.state;
    form.ui->GroupBox4->setTitle(BigOrder::todayCaption(state.curname, state.curcode));
    BigOrder::drawBars(form.ui->Chart1->chart(), BigOrder::todayBars(state.halfbuys, state.halfsells),
                       BigOrder::BarTexts::Small);
}

void drawDayBars(TForm1& form) {
    const UnitState& state = form.state;
    const qsizetype days = state.daybuys.size();
    form.ui->GroupBox3->setTitle(BigOrder::dayCaption(state.curname, state.curcode, days));
    BigOrder::drawBars(form.ui->Chart2->chart(), BigOrder::dayBars(state.daybuys, state.daysells, state.daylabels,
                                                                   BigOrder::lastFiveDaysStart(days)));
}

} // namespace

void TForm1::connectBigOrderHandlers() {
    const auto onComplete = [this](WebBrowser* browser, void (TForm1::*handler)()) {
        connect(browser, &WebBrowser::documentComplete, this, [this, browser, handler](const QString& url) {
            // The empty page of a release is no chart page: the lists and charts stay as the last page left them.
            if (url == kReleasedPage)
                return;
            guarded([&] { (this->*handler)(); });
            browser->navigate(kReleasedPage);
        });
    };
    onComplete(WebBrowser2.get(), &TForm1::WebBrowser2DocumentComplete);
    onComplete(WebBrowser3.get(), &TForm1::WebBrowser3DocumentComplete);
    onComplete(WebBrowser4.get(), &TForm1::WebBrowser4DocumentComplete);
    connect(ui->CheckBox1, &QCheckBox::clicked, this, [this] { guarded([this] { CheckBox1Click(); }); });
    connect(ui->CheckBox2, &QCheckBox::clicked, this, [this] { guarded([this] { CheckBox2Click(); }); });
    BigOrder::setUpBarChart(ui->Chart1->chart(), true);
    BigOrder::setUpBarChart(ui->Chart2->chart(), false);
}

void TForm1::loadBigOrderPages() {
    WebBrowser2->navigate(pageAddress(state.curcode, Page::TodayBars));
    WebBrowser3->navigate(pageAddress(state.curcode, Page::DayBars));
    WebBrowser4->navigate(pageAddress(state.curcode, Page::SizeClasses));
}

void TForm1::resetBigOrderState() {
    // Nothing of the old stock may stay until the new stock's pages complete: not its bars, not the figures
    // the windows would open with under the new name, not a half hour to announce under the new name.
    for (QStringList* list : {&state.halfbuys, &state.halfsells, &state.daybuys, &state.daysells, &state.daylabels,
                              &state.pievalues, &state.piecolours, &state.halfdone})
        list->clear();
    state.halfflags.fill(0);
    BigOrder::emptyChart(ui->Chart1->chart());
    BigOrder::emptyChart(ui->Chart2->chart());
}

void TForm1::WebBrowser2DocumentComplete() {
    BigOrder::TodayBars page = BigOrder::readTodayBars(WebBrowser2->bodyHtml());
    state.halfbuys = std::move(page.halfbuys);
    state.halfsells = std::move(page.halfsells);
    // A stock without figures yet today keeps its chart as it was.
    if (!page.noData)
        drawTodayBars(*this);
}

void TForm1::WebBrowser3DocumentComplete() {
    BigOrder::DayBars page = BigOrder::readDayBars(WebBrowser3->bodyHtml());
    state.daybuys = std::move(page.daybuys);
    state.daysells = std::move(page.daysells);
    state.daylabels = std::move(page.daylabels);
    drawDayBars(*this);
}

void TForm1::WebBrowser4DocumentComplete() {
    BigOrder::SizeClasses page = BigOrder::readSizeClasses(WebBrowser4->bodyHtml());
    state.pievalues = std::move(page.pievalues);
    state.piecolours = std::move(page.piecolours);
}

void TForm1::CheckBox1Click() {
    // Every click opens the window, whatever the tick says: the box is only ever ticked while it is open.
    if (!Form13)
        return;
    try {
        Form13->fillTenDays(state);
    } catch (const Failure&) {
        refuseWindow(*this, ui->CheckBox1);
    }
    centreOnScreen(Form13);
    setEnabled(false);
    Form13->show();
    Form13->activateWindow();
}

void TForm1::CheckBox2Click() {
    try {
        dbshow();
    } catch (const Failure&) {
        refuseWindow(*this, ui->CheckBox2);
    }
}

void TForm1::dbshow() {
    if (!Form14)
        return;
    try {
        Form14->fillSizeClasses(state, Formats::shortDate(Clock::today()));
    } catch (const Failure&) {
        // No window opens; the box that would stand for it must not stay ticked.
        ui->CheckBox2->setChecked(false);
        throw;
    }
    centreOnScreen(Form14);
    Form14->show();
    Form14->raise();
    setEnabled(false);
}

void TForm1::N6Click() {
    // Resumes the distribution pop-up; the item never pauses it.
    N6->setChecked(true);
    if (Form14) {
        Form14->ui->CheckBox1->setChecked(false);
        Form14->CheckBox1Click();
    }
    state.mutepie = 0;
}

void TForm1::Timer2Timer() {
    try {
        if (state.minutetick % kCoverRefreshTicks == 0)
            WebBrowser5->refresh();
        const QTime now = Clock::timeOfDay();
        if (now > kReloadAfter && now < kReloadBefore && !state.curcode.isEmpty()) {
            WebBrowser2->navigate(pageAddress(state.curcode, Page::TodayBars));
            WebBrowser4->navigate(pageAddress(state.curcode, Page::SizeClasses));
        }
        ++state.minutetick;
        // Off while the forum fetch waits, so the tick cannot run into itself.
        Timer2->stop();
        if (state.traymode == 0)
            getgbdata(state.curcode);
        appendForumRows();
        Timer2->start();
    } catch (...) {
        IdHTTP5->close();
        Timer2->start();
        throw SilentAbort();
    }
}
