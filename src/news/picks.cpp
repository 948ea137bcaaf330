#include "news/picks.h"

#include "app/backend.h"
#include "platform/gbk.h"

#include <QSet>

#include <array>
#include <optional>

namespace {

constexpr QStringView recordEnd = u"&4";
constexpr qsizetype fieldMarkerSize = 2; // "&1" .. "&4"

std::optional<Picks::Pick> readRecord(QStringView record) {
    std::array<qsizetype, 3> ends{};
    qsizetype from = 0;
    for (int field = 0; field < 3; ++field) {
        const char16_t marker[] = {u'&', char16_t(u'1' + field)};
        ends[field] = record.indexOf(QStringView(marker, 2), from);
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

} // namespace

namespace Picks {

QList<Pick> readPicks(QStringView reply) {
    const QStringView marker = Backend::markerQuoted;
    QList<Pick> picks;
    qsizetype recordStart = reply.indexOf(marker);
    if (recordStart < 0)
        return picks;
    recordStart += marker.size();
    qsizetype nextMarker = reply.indexOf(marker, recordStart);
    for (qsizetype end = reply.indexOf(recordEnd, recordStart); end >= 0; end = reply.indexOf(recordEnd, recordStart)) {
        // A body-colour marker before this "&4" starts a record (the marker holds no "&").
        while (nextMarker >= 0 && nextMarker < end) {
            recordStart = nextMarker + marker.size();
            nextMarker = reply.indexOf(marker, recordStart);
        }
        if (const std::optional<Pick> pick = readRecord(reply.sliced(recordStart, end - recordStart).trimmed()))
            picks.append(*pick);
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
