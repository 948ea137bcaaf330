#include "tv/stationlist.h"

#include "app/backend.h"
#include "platform/gbk.h"

#include <algorithm>
#include <optional>

namespace {

constexpr qsizetype scrambledBytes = 18;

// The record between the markers, or nothing when its markers are missing, repeated or out of order: a
// marker inside a field would have started a field of its own in the old reader and shifted the lists.
std::optional<Tv::StationRecord> parseRecord(QStringView record) {
    QStringView fields[5];
    int markers = 0;
    qsizetype fieldStart = 0;
    for (qsizetype at = record.indexOf(u'&'); at >= 0 && at + 1 < record.size(); at = record.indexOf(u'&', at + 1)) {
        const char16_t digit = record[at + 1].unicode();
        if (digit < u'1' || digit > u'4')
            continue;
        if (digit != u'1' + markers)
            return std::nullopt;
        fields[markers++] = record.mid(fieldStart, at - fieldStart);
        fieldStart = at + 2;
    }
    if (markers != 4)
        return std::nullopt;
    fields[4] = record.mid(fieldStart);
    return Tv::StationRecord{fields[0].toString(), Tv::jiemi(fields[1].toString()), fields[2].toString(),
                             fields[3].toString(), fields[4].toString()};
}

void addRecord(QList<Tv::StationRecord>& records, QStringView text) {
    if (auto record = parseRecord(text.trimmed()))
        records << std::move(*record);
}

} // namespace

namespace Tv {

QString jiemi(const QString& scrambled) {
    // No character takes more than two bytes, and an ASCII character one.
    const auto isAscii = [](QChar c) { return c.unicode() < 0x80; };
    if (scrambled.size() * 2 < scrambledBytes ||
        (scrambled.size() < scrambledBytes && std::all_of(scrambled.begin(), scrambled.end(), isAscii)))
        return scrambled;
    // An address whose first 18 characters are ASCII below DEL is its own GBK bytes there: shifted in place.
    if (scrambled.size() >= scrambledBytes) {
        QString address = scrambled;
        bool ascii = true;
        for (qsizetype i = 0; i < scrambledBytes && ascii; ++i) {
            ascii = address[i].unicode() < 0x7F;
            address[i] = QChar(address[i].unicode() + 1);
        }
        if (ascii)
            return address;
    }
    QByteArray bytes = Gbk::encode(scrambled);
    if (bytes.size() < scrambledBytes)
        return scrambled;
    for (qsizetype i = 0; i < scrambledBytes; ++i)
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) + 1);
    return Gbk::decode(bytes);
}

QList<StationRecord> parseStationList(QStringView text) {
    QList<StationRecord> records;
    const QString& marker = Backend::markerText;
    qsizetype nextMarker = text.indexOf(marker);
    if (nextMarker < 0)
        return records;
    qsizetype recordStart = 0;
    qsizetype from = nextMarker;
    // Positions are visited in order; the next marker and the next "***" are each looked for once per use,
    // so the walk stays linear in the text. A run of stars ends a record at each of its positions, the
    // later ones empty, as a walk position by position does.
    while (true) {
        if (nextMarker >= 0 && nextMarker < from)
            nextMarker = text.indexOf(marker, from);
        const qsizetype stars = text.indexOf(recordEnd, from);
        if (nextMarker >= 0 && (stars < 0 || nextMarker < stars)) {
            recordStart = nextMarker + marker.size();
            from = nextMarker + 1;
            continue;
        }
        if (stars < 0)
            break;
        if (stars > recordStart)
            addRecord(records, text.mid(recordStart, stars - recordStart));
        recordStart = stars + recordEnd.size();
        from = stars + 1;
    }
    return records;
}

QList<StationRecord> readStationList(const QByteArray& reply) {
    return parseStationList(Gbk::decode(reply));
}

StationDirectory classifyStations(const QList<StationRecord>& records) {
    StationDirectory directory;
    directory.records = records;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const StationRecord& r = records[i];
        const int index = static_cast<int>(i);
        if (r.parent == topLevel)
            directory.groups << Group{r.name, r.id};
        else if (r.channelId != topLevel && r.playable())
            directory.channels << Channel{r.name, r.parent, r.url, r.id, r.channelId, index};
        else
            directory.subGroups << SubGroup{r.name, r.url, r.parent, r.id, index};
    }
    return directory;
}

QList<MenuItem> groupMenu(const StationDirectory& directory, qsizetype group) {
    QList<MenuItem> menu;
    if (group < 0 || group >= directory.groups.size())
        return menu;
    const QString& groupId = directory.groups[group].id;
    for (const SubGroup& sub : directory.subGroups) {
        if (sub.parentId != groupId)
            continue;
        MenuItem item{sub.name, sub.record, {}};
        // A sub-group with an address of its own is played itself and lists no channels.
        if (sub.url.trimmed().isEmpty()) {
            for (const Channel& channel : directory.channels) {
                if (channel.groupId == groupId && channel.subGroupId == sub.ownId)
                    item.channels << MenuItem{channel.name, channel.record, {}};
            }
        }
        menu << item;
    }
    return menu;
}

} // namespace Tv
