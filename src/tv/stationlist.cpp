#include "tv/stationlist.h"

#include "app/backend.h"
#include "platform/gbk.h"

#include <algorithm>
#include <optional>

namespace {

constexpr qsizetype scrambledBytes = 18;
// The field of a record that holds its stream address.
constexpr int addressField = 1;

// The next `character` at or after `from`, or -1. The characters looked for lie a few dozen apart, where a
// plain loop beats the library's search, which is made for long distances.
qsizetype characterAt(QStringView text, char16_t character, qsizetype from) {
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    const char16_t* const found = std::find(begin + from, end, character);
    return found == end ? -1 : found - begin;
}

// Whether jiemi leaves an address as it is, seen without its GBK form: one of fewer than 18 bytes. No
// character takes more than two bytes, and an ASCII character one.
bool shortOfScrambledBytes(QStringView scrambled) {
    const auto isAscii = [](QChar c) { return c.unicode() < 0x80; };
    return scrambled.size() * 2 < scrambledBytes ||
           (scrambled.size() < scrambledBytes && std::all_of(scrambled.begin(), scrambled.end(), isAscii));
}

// Whether the first 18 characters are ASCII below DEL, and so their own GBK bytes, each of which goes one up
// without leaving ASCII.
bool asciiHead(QStringView scrambled) {
    const auto belowDel = [](QChar c) { return c.unicode() < 0x7F; };
    return scrambled.size() >= scrambledBytes &&
           std::all_of(scrambled.begin(), scrambled.begin() + scrambledBytes, belowDel);
}

void shiftAsciiHead(QChar* characters) {
    for (qsizetype i = 0; i < scrambledBytes; ++i)
        characters[i] = QChar(characters[i].unicode() + 1);
}

// jiemi by the GBK bytes, for an address that none of the shortcuts above covers.
QString unscrambleBytes(QStringView scrambled) {
    QByteArray bytes = Gbk::encode(scrambled.toString());
    if (bytes.size() < scrambledBytes)
        return scrambled.toString();
    for (qsizetype i = 0; i < scrambledBytes; ++i)
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) + 1);
    return Gbk::decode(bytes);
}

// jiemi of the address at `address` in the text, done where it stands when its length stays: the unscrambled
// address when its length changed, else nothing.
std::optional<QString> unscrambleWhereItStands(QChar* address, qsizetype length) {
    const QStringView scrambled(address, length);
    if (shortOfScrambledBytes(scrambled))
        return std::nullopt;
    if (asciiHead(scrambled)) {
        shiftAsciiHead(address);
        return std::nullopt;
    }
    QString unscrambled = unscrambleBytes(scrambled);
    if (unscrambled.size() != length)
        return unscrambled;
    std::copy(unscrambled.cbegin(), unscrambled.cend(), address);
    return std::nullopt;
}

// Where the fields of one record lie in the list's text.
struct FieldBounds {
    std::array<qsizetype, 5> starts;
    std::array<qsizetype, 5> ends;
};

// The fields of `record`, a part of the text that starts at `base`, or nothing when its markers are missing,
// repeated or out of order: a marker inside a field would have started a field of its own in the old reader
// and shifted the lists.
std::optional<FieldBounds> parseRecord(QStringView record, const QChar* base) {
    FieldBounds fields;
    const qsizetype offset = record.data() - base;
    int markers = 0;
    qsizetype fieldStart = 0;
    for (qsizetype at = characterAt(record, u'&', 0); at >= 0 && at + 1 < record.size();
         at = characterAt(record, u'&', at + 1)) {
        const char16_t digit = record[at + 1].unicode();
        if (digit < u'1' || digit > u'4')
            continue;
        if (digit != u'1' + markers)
            return std::nullopt;
        fields.starts[markers] = offset + fieldStart;
        fields.ends[markers] = offset + at;
        ++markers;
        fieldStart = at + 2;
    }
    if (markers != 4)
        return std::nullopt;
    fields.starts[4] = offset + fieldStart;
    fields.ends[4] = offset + record.size();
    return fields;
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

enum class RecordKind { Group, Channel, SubGroup };

RecordKind kindOf(const Tv::StationRecord& r) {
    if (r.parent() == Tv::topLevel)
        return RecordKind::Group;
    if (r.channelId() != Tv::topLevel && r.playable())
        return RecordKind::Channel;
    return RecordKind::SubGroup;
}

} // namespace

namespace Tv {

QString jiemi(const QString& scrambled) {
    if (shortOfScrambledBytes(scrambled))
        return scrambled;
    QString address = scrambled;
    if (std::optional<QString> changed = unscrambleWhereItStands(address.data(), address.size()))
        return *std::move(changed);
    return address;
}

QList<StationRecord> parseStationList(QString text) {
    QList<StationRecord> records;
    const QString& marker = Backend::markerText;
    qsizetype nextMarker = text.indexOf(marker);
    if (nextMarker < 0)
        return records;
    // The addresses are unscrambled where they stand when their length stays, as it does unless a character's
    // GBK bytes change; the others are added after the text. No record holds the text before the walk ends,
    // so it is changed in place.
    QChar* const characters = text.data();
    const QStringView view(text);
    QString lengthChanged;
    qsizetype recordStart = 0;
    qsizetype from = nextMarker;
    qsizetype stars = recordEndAt(view, from);
    records.reserve(recordsAtMost(view, from));
    // Positions are visited in order; the next marker and the next "***" are each looked for again only once
    // the walk has passed them, so the walk stays linear in the text however the two interleave. A run of
    // stars ends a record at each of its positions, the later ones empty, as a walk position by position does.
    // An address lies before the "***" that ends its record, where the walk never looks again.
    while (true) {
        if (nextMarker >= 0 && nextMarker < from)
            nextMarker = view.indexOf(marker, from);
        if (stars >= 0 && stars < from)
            stars = recordEndAt(view, from);
        if (nextMarker >= 0 && (stars < 0 || nextMarker < stars)) {
            recordStart = nextMarker + marker.size();
            from = nextMarker + 1;
            continue;
        }
        if (stars < 0)
            break;
        const std::optional<FieldBounds> fields =
            stars > recordStart ? parseRecord(view.sliced(recordStart, stars - recordStart).trimmed(), characters)
                                : std::nullopt;
        if (fields) {
            StationRecord& record = records.emplace_back();
            record.starts = fields->starts;
            record.ends = fields->ends;
            qsizetype& start = record.starts[addressField];
            qsizetype& end = record.ends[addressField];
            if (const auto unscrambled = unscrambleWhereItStands(characters + start, end - start)) {
                start = view.size() + lengthChanged.size();
                lengthChanged += *unscrambled;
                end = view.size() + lengthChanged.size();
            }
        }
        recordStart = stars + recordEnd.size();
        from = stars + 1;
    }
    text += lengthChanged;
    for (StationRecord& record : records)
        record.text = text;
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
        switch (kindOf(records[i])) {
        case RecordKind::Group:
            directory.groups << i;
            break;
        case RecordKind::Channel:
            directory.channels << i;
            break;
        case RecordKind::SubGroup:
            directory.subGroups << i;
            break;
        }
    }
    return directory;
}

QList<MenuItem> groupMenu(const StationDirectory& directory, qsizetype group) {
    QList<MenuItem> menu;
    if (group < 0 || group >= directory.groups.size())
        return menu;
    const QList<StationRecord>& records = directory.records;
    const QStringView groupId = records[directory.groups[group]].id();
    for (const qsizetype subGroup : directory.subGroups) {
        const StationRecord& sub = records[subGroup];
        if (sub.parent() != groupId)
            continue;
        MenuItem item{sub.name().toString(), static_cast<int>(subGroup), {}};
        // A sub-group with an address of its own is played itself and lists no channels.
        if (sub.url().trimmed().isEmpty()) {
            for (const qsizetype channel : directory.channels) {
                const StationRecord& station = records[channel];
                if (station.parent() == groupId && station.id() == sub.id())
                    item.channels << MenuItem{station.name().toString(), static_cast<int>(channel), {}};
            }
        }
        menu << item;
    }
    return menu;
}

} // namespace Tv
