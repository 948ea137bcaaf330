#include "news/picks.h"

#include "app/backend.h"
#include "platform/gbk.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr char16_t fieldMark = u'&';
constexpr char16_t recordEndDigit = u'4'; // "&4" ends a record
constexpr qsizetype fieldMarkerSize = 2;  // "&1" .. "&4"

// The next "&" at or after `from`, or -1. The marks lie a few dozen characters apart, where a plain loop
// beats the library's search, which is made for long distances.
qsizetype ampersandAt(QStringView text, qsizetype from) {
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    const char16_t* const found = std::find(begin + from, end, fieldMark);
    return found == end ? -1 : found - begin;
}

// The next "&" followed by `digit` at or after `from`, or -1. A search for the one character "&" is far
// cheaper than one for a two-character text, and a record holds few of them.
qsizetype markAt(QStringView text, char16_t digit, qsizetype from) {
    for (qsizetype at = ampersandAt(text, from); at >= 0 && at + 1 < text.size(); at = ampersandAt(text, at + 1)) {
        if (text[at + 1] == digit)
            return at;
    }
    return -1;
}

std::optional<Picks::Pick> readRecord(QStringView record) {
    std::array<qsizetype, 3> ends{};
    qsizetype from = 0;
    for (int field = 0; field < 3; ++field) {
        ends[field] = markAt(record, char16_t(u'1' + field), from);
        if (ends[field] < 0)
            return std::nullopt;
        from = ends[field] + fieldMarkerSize;
    }
    const auto between = [record](qsizetype start, qsizetype end) {
        return record.sliced(start, end - start).toString();
    };
    return Picks::Pick{between(0, ends[0]), between(ends[0] + fieldMarkerSize, ends[1]),
                       between(ends[1] + fieldMarkerSize, ends[2]), record.sliced(from).toString()};
}

// Where the record that "&4" at `end` closes starts: after the last body-colour marker between `start` and
// `end`, else at `start`. Only the record's own text is searched (the marker holds no "&", so one that
// starts before `end` ends before it), which keeps the whole walk one pass over the reply.
qsizetype recordStartBefore(QStringView reply, qsizetype start, qsizetype end) {
    const QStringView marker = Backend::markerQuoted;
    const QStringView record = reply.sliced(start, end - start);
    qsizetype from = 0;
    for (qsizetype at = record.indexOf(marker); at >= 0; at = record.indexOf(marker, from))
        from = at + marker.size();
    return start + from;
}

} // namespace

namespace Picks {

QList<Pick> readPicks(QStringView reply) {
    const QStringView marker = Backend::markerQuoted;
    QList<Pick> picks;
    qsizetype recordStart = reply.indexOf(marker);
    if (recordStart < 0)
        return picks;
    recordStart += marker.size();
    for (qsizetype end = markAt(reply, recordEndDigit, recordStart); end >= 0;
         end = markAt(reply, recordEndDigit, recordStart)) {
        recordStart = recordStartBefore(reply, recordStart, end);
        if (std::optional<Pick> pick = readRecord(reply.sliced(recordStart, end - recordStart).trimmed()))
            picks.append(std::move(*pick));
        recordStart = end + fieldMarkerSize;
    }
    return picks;
}

QList<Pick> readPicksReply(const QByteArray& reply) {
    return readPicks(Gbk::decode(reply));
}

QList<Pick> newPicks(const QList<Pick>& known, const QList<Pick>& batch) {
    QSet<QString> seen;
    for (const Pick& pick : known)
        seen.insert(pick.identity());
    QList<Pick> added;
    for (const Pick& pick : batch) {
        if (seen.contains(pick.identity()))
            continue;
        seen.insert(pick.identity());
        added.append(pick);
    }
    return added;
}

} // namespace Picks
