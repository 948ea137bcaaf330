#pragma once

#include <QByteArray>

#include <benchmark/benchmark.h>

#include <functional>

// Helpers shared by the reader benchmarks: pages are built once per size, and every benchmark reports the
// bytes it read per second, so readers of different pages compare on one scale.
namespace BenchPages {

// A page of about `targetBytes`: `head`, then `row(i)` for i = 0, 1, ... until the size is reached, then `tail`.
inline QByteArray repeatRows(const QByteArray& head, const std::function<QByteArray(int)>& row,
                             const QByteArray& tail, qsizetype targetBytes) {
    QByteArray page = head;
    for (int i = 0; page.size() + tail.size() < targetBytes; ++i)
        page += row(i);
    return page + tail;
}

// Runs `read` over `page` for every iteration and reports the page's bytes per second.
template <typename Read> void readPage(benchmark::State& state, const QByteArray& page, Read&& read) {
    for (auto _ : state)
        benchmark::DoNotOptimize(read(page));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
    state.counters["page_kB"] = static_cast<double>(page.size()) / 1024.0;
}

} // namespace BenchPages
