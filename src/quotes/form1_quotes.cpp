// The main window's quote service client: the stock look-up, the quote panel, the index summary with the quote
// tick that keeps both current, the stock switch, and the monitor's per-stock fetch.
#include "app/backend.h"
#include "app/calendar.h"
#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/services.h"
#include "platform/webbrowser.h"
#include "quotes/indexpage.h"
#include "quotes/quotepanel.h"
#include "quotes/quoterecord.h"
#include "quotes/quoteservice.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"

#include <QLabel>
#include <QScopeGuard>
#include <QTimer>

namespace {

const QString kNeedSixDigits = QStringLiteral("必须输入六位股票代码!");
const QString kNeedMarketCode = QStringLiteral("必须输入沪深股票及创业板代码");
const QString kUnknownStock = QStringLiteral("您输入的股票不存在,请重新输入！");

// First digits of the codes the switch takes: Shanghai, ChiNext, Shenzhen.
const QString kMarketFirstDigits = QStringLiteral("630");

constexpr int kShanghaiRow = 0;
constexpr int kShenzhenRow = 1;

// A reader's failure that ends its caller: the given timer goes on again first, so the caller's tick resumes.
[[noreturn]] void restartAndAbort(QTimer* timer) {
    timer->start();
    throw SilentAbort();
}

QLabel* panelLabel(Ui::TForm1& ui, Quotes::PanelLabel label) {
    using Quotes::PanelLabel;
    switch (label) {
    case PanelLabel::Label2:
        return ui.Label2;
    case PanelLabel::Label44:
        return ui.Label44;
    case PanelLabel::Label4:
        return ui.Label4;
    case PanelLabel::Label29:
        return ui.Label29;
    case PanelLabel::Label8:
        return ui.Label8;
    case PanelLabel::Label7:
        return ui.Label7;
    case PanelLabel::Label38:
        return ui.Label38;
    case PanelLabel::Label37:
        return ui.Label37;
    case PanelLabel::Label25:
        return ui.Label25;
    case PanelLabel::Label23:
        return ui.Label23;
    case PanelLabel::Label24:
        return ui.Label24;
    }
    return nullptr;
}

void applyToLabel(QLabel* label, const std::optional<QString>& text, const std::optional<QColor>& colour) {
    if (!label)
        return;
    if (text)
        label->setText(*text);
    if (colour)
        Colours::setFontColour(label, *colour);
}

void showIndexSection(Ui::TForm1& ui, const Quotes::IndexSection& section) {
    const Quotes::IndexSummary summary = Quotes::indexSummary(section);
    const bool shanghai = summary.market == Quotes::IndexMarket::Shanghai;
    applyToLabel(shanghai ? ui.Label31 : ui.Label32, summary.text, summary.colour);
    // The desktop widget is created after the main window's first show; until then only the main window shows.
    if (!summary.widgetRow || !Form15 || Form15->widgetcreated == 0)
        return;
    const Quotes::IndexRowCells& row = *summary.widgetRow;
    Form15->showIndexRow(shanghai ? kShanghaiRow : kShenzhenRow, row.value, row.change, row.range, row.turnover,
                         row.fall);
}

void refuseCode(TForm1& form, const QString& message) {
    showMessage(&form, message, errorCaption, MessageIcon::Error);
    form.ui->Edit1->setFocus();
}

// The switch's steps; the caller switches Timer7 on again whatever becomes of them.
void switchStock(TForm1& form) {
    const QString code = form.ui->Edit1->text();
    if (code.size() != 6)
        return refuseCode(form, kNeedSixDigits);
    if (!kMarketFirstDigits.contains(code.front()))
        return refuseCode(form, kNeedMarketCode);
    const QString name = form.yzgp(code);
    if (name.isEmpty())
        return refuseCode(form, kUnknownStock);
    // No half-hour announcement may run on a half-reset stock.
    form.Timer7->stop();
    form.state.curcode = code;
    form.state.curname = name;
    form.resetPerStockState();
    form.loadBigOrderPages();
    form.WebBrowser1->navigate(form.state.serverurl + Backend::stockPage + form.state.curcode);
    form.start();
}

} // namespace

QString TForm1::yzgp(const QString& code) {
    try {
        IdHTTPgj->setFollowRedirects(true);
        // The caller makes the name current: a refused switch must leave `curname` as it was.
        return Quotes::yzgpName(Quotes::fetchQuotePage(*IdHTTPgj, code)).value_or(QString());
    } catch (...) {
        // The look-up only answers whether the stock exists; a failed one reads as "no such stock".
        return {};
    }
}

void TForm1::getvtzs() {
    Quotes::IndexPage page;
    try {
        page = Quotes::readIndexReply(Quotes::fetchIndexPage(*IdHTTP1));
    } catch (...) {
        restartAndAbort(Timer1);
    }
    // Sections in page order: a market named twice ends with what its last section reached.
    for (const Quotes::IndexSection& section : page.sections)
        showIndexSection(*ui, section);
}

void TForm1::getvtdate(const QString& code) {
    Quotes::QuoteRecord record;
    try {
        record = Quotes::readQuoteReply(Quotes::fetchQuotePage(*IdHTTP1, code));
    } catch (...) {
        restartAndAbort(Timer1);
    }
    for (const Quotes::LabelWrite& write : Quotes::quotePanelWrites(record))
        applyToLabel(panelLabel(*ui, write.label), write.text, write.colour);
    if (record.has(3))
        state.curname = record.name;
    if (record.has(4))
        state.curprice = record.price;
    if (record.has(5))
        state.curchange = record.changePercent;
}

void TForm1::gestockgj(const QString& code) {
    Quotes::QuoteRecord record;
    try {
        record = Quotes::readQuoteReply(Quotes::fetchQuotePage(*IdHTTPgj, code));
    } catch (...) {
        // The monitor's pass ends here; its timer must not stay off, unless the settings window holds it off.
        if (settingsWindowOpen())
            throw SilentAbort();
        restartAndAbort(Timer4);
    }
    state.quotelists.appendRecord(record);
}

void TForm1::Timer1Timer() {
    // Timer1 stays on through the index fetch, so a slow service lets ticks arrive inside it.
    if (quoteTickRunning)
        return;
    quoteTickRunning = true;
    const auto tickOver = qScopeGuard([this] { quoteTickRunning = false; });
    if (state.quoteticks % 3 == 0)
        getvtzs();
    // Counted only past a good index fetch, so a failed one is tried again on the next tick.
    ++state.quoteticks;
    if (!insideFetchWindow(Clock::timeOfDay()))
        return;
    Timer1->stop();
    if (!state.curcode.isEmpty() && state.traymode == 0)
        getvtdate(state.curcode);
    Timer1->start();
}

void TForm1::Image17Click() {
    // The look-up and start block while clicks are processed; a second switch must not run inside the first.
    if (stockSwitchRunning)
        return;
    stockSwitchRunning = true;
    const auto switchOver = qScopeGuard([this] { stockSwitchRunning = false; });
    try {
        switchStock(*this);
    } catch (...) {
        Timer7->start();
        throw;
    }
    Timer7->start();
}
