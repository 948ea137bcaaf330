#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Helpers shared by the libFuzzer targets.

// The fuzzer's input as the bytes of a reply, without a copy: a reader that reads past the end (or relies on
// a terminating zero that is not there) then touches memory the address sanitizer watches.
inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Stops the run when a reader breaks what its header promises about its result; libFuzzer keeps the input
// as a crash, as it does for a sanitizer report.
inline void fuzzCheck(bool holds, const char* promise) {
    if (holds)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}
