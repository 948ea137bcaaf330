// Today's big-order bars drawn on a chart of the main window's size, from bar pages of a real day's nine items
// up to oversized ones: only the first items are drawn, so the time stays flat past them.
#include "fundflow/barchart.h"
#include "fundflow/bigorderplans.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QtCharts/QChartView>

namespace {

QStringList items(qsizetype count) {
    QStringList list;
    list.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        list << QString::number(i % 97);
    return list;
}

void TodayBarsDrawn(benchmark::State& state) {
    const QStringList buys = items(state.range(0));
    const QStringList sells = items(state.range(0));
    QChartView view;
    view.resize(252, 122);
    BigOrder::setUpBarChart(view.chart(), true);
    for (auto _ : state) {
        BigOrder::drawBars(view.chart(), BigOrder::todayBars(buys, sells), BigOrder::BarTexts::Small);
        benchmark::DoNotOptimize(view.grab());
    }
}

} // namespace

BENCHMARK(TodayBarsDrawn)->Arg(9)->Arg(2000)->Arg(40000)->Arg(200000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
