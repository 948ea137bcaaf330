// The holdings data page reader. A line that does not read throws Failure, the reader's defined answer.
#include "fuzzing.h"

#include "news/holdinglines.h"
#include "platform/failures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray page = fuzzBytes(data, size);
    try {
        const QList<Holdings::HoldingPoint> points = Holdings::readHoldingLines(page);
        fuzzCheck(points.size() <= page.count('\n'), "at most one point per line feed");
        for (const Holdings::HoldingPoint& point : points)
            fuzzCheck(point.day >= 1 && point.day <= 31, "a day of the month labels each point");
    } catch (const Failure&) {
    }
    return 0;
}
