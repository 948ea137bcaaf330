// The quote record reader: a quote reply's bytes through GBK to a record, the monitor's lists and `yzgp`.
#include "fuzzing.h"

#include "platform/failures.h"
#include "quotes/quoterecord.h"

using namespace Quotes;

namespace {

void checkRecord(const QString& text, const QuoteRecord& record) {
    fuzzCheck(record.present >= 0 && record.present <= lastReadField, "a record keeps at most 18 fields");
    fuzzCheck(closedFields(text).size() == record.present, "present counts the closed fields");
    for (int number = 0; number <= lastReadField + 1; ++number)
        fuzzCheck(record.has(number) || record.field(number).isEmpty(), "a missing field reads empty");
    if (isStockCode(record.code))
        fuzzCheck(quotePagePath(record.code).contains(record.code), "a stock code's page names the code");
    signColour(record.changePercent);
    signArrow(record.change);
    signWord(record.lastSide);
}

// Two records in a row keep one entry per list each, whatever fields they lacked.
void checkLists(const QuoteRecord& record) {
    QuoteLists lists;
    lists.appendRecord(record);
    lists.appendRecord(QuoteRecord{});
    fuzzCheck(lists.size() == 2, "one entry per appended record");
    for (const int field : QuoteLists::fields) {
        fuzzCheck(lists.list(field).size() == 2, "every list grows by one entry per record");
        const QString expected = field == 5 ? storedChangePercent(record.field(5)) : record.field(field);
        fuzzCheck(lists.entry(field, 0) == expected, "the lists keep the record's fields");
    }
    try {
        lists.entry(2, 2);
        fuzzCheck(false, "reading past the lists throws");
    } catch (const Failure&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray reply = fuzzBytes(data, size);
    const QString text = decodeReply(reply);
    const QuoteRecord record = readQuoteReply(reply);
    checkRecord(text, record);
    checkLists(record);

    const std::optional<QString> name = yzgpName(reply);
    fuzzCheck(name.has_value() == (text.count(u',') >= 3), "yzgp names a stock once three commas arrived");
    if (name)
        fuzzCheck(*name == record.name, "yzgp takes field 3");
    return 0;
}
