// The index page reader: the page's bytes through GBK to its sections. A turnover that does not convert
// throws Failure, which is the reader's defined answer to such a page.
#include "fuzzing.h"

#include "platform/failures.h"
#include "quotes/indexpage.h"
#include "quotes/quoterecord.h"

using namespace Quotes;

namespace {

void checkSection(const IndexSection& section) {
    fuzzCheck(section.present >= 0 && section.present <= 5, "a section keeps at most 5 fields");
    fuzzCheck(section.has(2) || section.value.isEmpty(), "a missing value reads empty");
    fuzzCheck(section.has(5) || (section.turnover.isEmpty() && section.turnoverYi == 0),
              "a section without field 5 has no turnover");
    if (section.has(5))
        fuzzCheck(turnoverInYi(section.turnover) == section.turnoverYi, "the turnover in yi is field 5's");
}

void checkPage(const IndexPage& page) {
    for (const IndexSection& section : page.sections)
        checkSection(section);
    for (const IndexMarket market : {IndexMarket::Shanghai, IndexMarket::Shenzhen}) {
        const std::optional<IndexSection> latest = page.latest(market);
        if (latest)
            fuzzCheck(latest->market == market, "the latest section is of the market asked for");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray reply = fuzzBytes(data, size);
    try {
        checkPage(readIndexReply(reply));
    } catch (const Failure&) {
    }
    // The turnover conversion on its own, over the whole text as one field.
    try {
        turnoverInYi(decodeReply(reply));
    } catch (const Failure&) {
    }
    return 0;
}
