// The TV station list: GBK decoding, the record walk, unscrambling and sorting into groups, on a list of a
// few hundred stations and on one ten times its size.
#include "pages.h"
#include "platform/gbk.h"
#include "tv/stationlist.h"

#include <QString>

namespace {

// A group every 40 records, then sub-groups and channels with scrambled addresses.
QByteArray stationPage(qsizetype bytes) {
    const auto record = [](int i) {
        const int group = i / 40 + 1;
        QString text;
        if (i % 40 == 0)
            text = QStringLiteral("频道分组%1&1&20&3%1&4").arg(group);
        else if (i % 10 == 1)
            text = QStringLiteral("地方卫视%1&1&2%2&3%2%1&40").arg(i).arg(group);
        else
            text = QStringLiteral("财经直播%1&1gsso9..sw-aqdmmnb-dw`lokd.kho.%1.rsqd`l&2%2&3%3&4%1")
                       .arg(i)
                       .arg(group)
                       .arg(group * 10 + i % 10 / 5);
        return Gbk::encode(text + QStringLiteral("***\r\n"));
    };
    return BenchPages::repeatRows(QByteArrayLiteral("<html><body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n"), record,
                                  QByteArrayLiteral("</body></html>"), bytes);
}

void StationList(benchmark::State& state) {
    const QByteArray page = stationPage(state.range(0));
    BenchPages::readPage(state, page,
                         [](const QByteArray& bytes) { return Tv::classifyStations(Tv::readStationList(bytes)); });
}

} // namespace

BENCHMARK(StationList)->Arg(24 << 10)->Arg(240 << 10);
BENCHMARK_MAIN();
