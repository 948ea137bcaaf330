// The screening reply: the date, the records and their eight fields, and the grid rows made of them.
#include "fuzzing.h"

#include "rankings/screening.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Screening::Reply reply = Screening::readReply(fuzzBytes(data, size));
    if (reply.date)
        fuzzCheck(!reply.date->contains(QLatin1String("&&")), "the date ends at the first \"&&\"");
    for (const Screening::Record& record : reply.records) {
        for (int number = 1; number <= Screening::recordFields; ++number) {
            const QStringView field = record.field(number);
            fuzzCheck(!field.contains(QLatin1String("&0")) && !field.contains(QLatin1String("&8")),
                      "no field holds a record marker");
        }
        fuzzCheck(Screening::gridRow(1, record).size() == Screening::recordFields + 1, "a grid row has nine cells");
    }
    return 0;
}
