#include "tv/stationlist.h"

#include "app/backend.h"
#include "platform/gbk.h"

#include <algorithm>
#include <optional>

namespace {

constexpr qsizetype scrambledBytes = 18;

// The next `character` at or after `from`, or -1. The characters looked for lie a few dozen apart, where a
// plain loop beats the library's search, which is made for long distances.
qsizetype characterAt(QStringView text, char16_t character, qsizetype from) {
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    const char16_t* const found = std::find(begin + from, end, character);
    return found == end ? -1 : found - begin;
}

// jiemi over a view of the record: the address is copied out once and, when it can be, shifted in that copy.
QString unscramble(QStringView scrambled) {
    // No character takes more than two bytes, and an ASCII character one.
    const auto isAscii = [](QChar c) { return c.unicode() < 0x80; };
    if (scrambled.size() * 2 < scrambledBytes ||
        (scrambled.size() < scrambledBytes && std::all_of(scrambled.begin(), scrambled.end(), isAscii)))
        return scrambled.toString();
    // An address whose first 18 characters are ASCII below DEL is its own GBK bytes there: shifted in place.
    if (scrambled.size() >= scrambledBytes) {
        QString address = scrambled.toString();
        QChar* const characters = address.data(); // the copy is its own: no check for sharing per character
        bool ascii = true;
        for (qsizetype i = 0; i < scrambledBytes && ascii; ++i) {
            ascii = characters[i].unicode() < 0x7F;
            characters[i] = QChar(characters[i].unicode() + 1);
        }
        if (ascii)
            return address;
    }
    QByteArray bytes = Gbk::encode(scrambled.toString());
    if (bytes.size() < scrambledBytes)
        return scrambled.toString();
    for (qsizetype i = 0; i < scrambledBytes; ++i)
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) + 1);
    return Gbk::decode(bytes);
}

// The record between the markers, or nothing when its markers are missing, repeated or out of order: a
// marker inside a field would have started a field of its own in the old reader and shifted the lists.
std::optional<Tv::StationRecord> parseRecord(QStringView record) {
    QStringView fields[5];
    int markers = 0;
    qsizetype fieldStart = 0;
    for (qsizetype at = characterAt(record, u'&', 0); at >= 0 && at + 1 < record.size();
         at = characterAt(record, u'&', at + 1)) {
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
    return Tv::StationRecord{fields[0].toString(), unscramble(fields[1]), fields[2].toString(), fields[3].toString(),
                             fields[4].toString()};
}

// The next "***" at or after `from`, or -1. Looking for the one character "*" and checking the two after it
// is much cheaper than a search for the three-character text; a station list holds few stars besides these.
qsizetype recordEndAt(QStringView text, qsizetype from) {
    for (qsizetype at = characterAt(text, u'*', from); at >= 0; at = characterAt(text, u'*', at + 1)) {
        if (text.sliced(at).startsWith(Tv::recordEnd))
            return at;
    }
    return -1;
}

// At most how many records the text after `from` holds: one per run of three or more stars, and none shorter
// than its four markers and three stars. Reserving them makes the list once rather than by growing.
qsizetype recordsAtMost(QStringView text, qsizetype from) {
    constexpr qsizetype shortestRecord = 11; // "&1&2&3&4***"
    qsizetype runs = 0;
    for (qsizetype at = recordEndAt(text, from); at >= 0; at = recordEndAt(text, at + 1)) {
        ++runs;
        while (at + 1 < text.size() && text[at + 1] == u'*')
            ++at;
    }
    return std::min(runs, (text.size() - from) / shortestRecord + 1);
}

void addRecord(QList<Tv::StationRecord>& records, QStringView text) {
    if (auto record = parseRecord(text.trimmed()))
        records << std::move(*record);
}

enum class RecordKind { Group, Channel, SubGroup };

RecordKind kindOf(const Tv::StationRecord& r) {
    if (r.parent == Tv::topLevel)
        return RecordKind::Group;
    if (r.channelId != Tv::topLevel && r.playable())
        return RecordKind::Channel;
    return RecordKind::SubGroup;
}

} // namespace

namespace Tv {

QString jiemi(const QString& scrambled) {
    return unscramble(scrambled);
}

QList<StationRecord> parseStationList(QStringView text) {
    QList<StationRecord> records;
    const QString& marker = Backend::markerText;
    qsizetype nextMarker = text.indexOf(marker);
    if (nextMarker < 0)
        return records;
    qsizetype recordStart = 0;
    qsizetype from = nextMarker;
    qsizetype stars = recordEndAt(text, from);
    records.reserve(recordsAtMost(text, from));
    // Positions are visited in order; the next marker and the next "***" are each looked for again only once
    // the walk has passed them, so the walk stays linear in the text however the two interleave. A run of
    // stars ends a record at each of its positions, the later ones empty, as a walk position by position does.
    while (true) {
        if (nextMarker >= 0 && nextMarker < from)
            nextMarker = text.indexOf(marker, from);
        if (stars >= 0 && stars < from)
            stars = recordEndAt(text, from);
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
    // Counted first so that each list is made once at its size instead of growing step by step.
    qsizetype counts[3] = {};
    for (const StationRecord& r : records)
        ++counts[static_cast<int>(kindOf(r))];
    directory.groups.reserve(counts[static_cast<int>(RecordKind::Group)]);
    directory.channels.reserve(counts[static_cast<int>(RecordKind::Channel)]);
    directory.subGroups.reserve(counts[static_cast<int>(RecordKind::SubGroup)]);
    for (qsizetype i = 0; i < records.size(); ++i) {
        const StationRecord& r = records[i];
        const int index = static_cast<int>(i);
        switch (kindOf(r)) {
        case RecordKind::Group:
            directory.groups << Group{r.name, r.id};
            break;
        case RecordKind::Channel:
            directory.channels << Channel{r.name, r.parent, r.url, r.id, r.channelId, index};
            break;
        case RecordKind::SubGroup:
            directory.subGroups << SubGroup{r.name, r.url, r.parent, r.id, index};
            break;
        }
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
