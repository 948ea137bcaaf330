// The TV station list: records, the unscrambler, the sorting into groups, sub-groups and channels, and the
// group menus built from them.
#include "fuzzing.h"

#include "tv/stationlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<Tv::StationRecord> records = Tv::readStationList(fuzzBytes(data, size));
    for (const Tv::StationRecord& r : records) {
        // The address is unscrambled after the split, so it may come to hold a marker.
        for (const QStringView field : {r.name(), r.parent(), r.id(), r.channelId()}) {
            for (const char* marker : {"&1", "&2", "&3", "&4"})
                fuzzCheck(!field.contains(QLatin1String(marker)), "a record's fields hold no field marker");
        }
    }
    const Tv::StationDirectory directory = Tv::classifyStations(records);
    fuzzCheck(directory.groups.size() + directory.subGroups.size() + directory.channels.size() == records.size(),
              "every record is a group, a sub-group or a channel");
    for (qsizetype group = 0; group <= directory.groups.size(); ++group) {
        for (const Tv::MenuItem& item : Tv::groupMenu(directory, group)) {
            fuzzCheck(item.record >= 0 && item.record < records.size(), "menu items name a record");
            for (const Tv::MenuItem& channel : item.channels)
                fuzzCheck(records.value(channel.record).playable(), "channel items name a playable record");
        }
    }
    const QString shortText = QString::fromLatin1(fuzzBytes(data, size).left(8));
    fuzzCheck(Tv::jiemi(shortText) == shortText, "a text of fewer than 18 bytes comes back unchanged");
    return 0;
}
