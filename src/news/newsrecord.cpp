#include "news/newsrecord.h"

#include "app/backend.h"
#include "platform/gbk.h"

namespace {

constexpr qsizetype fieldMarkerSize = 2; // "&1" .. "&4"

} // namespace

namespace BackendNews {

std::optional<Fields> readNewsRecord(QStringView reply) {
    const QStringView marker = Backend::markerBare;
    qsizetype fieldStart = reply.indexOf(marker);
    if (fieldStart < 0)
        return std::nullopt;
    fieldStart += marker.size();
    qsizetype nextMarker = reply.indexOf(marker, fieldStart);
    Fields fields;
    bool headlineReached = false;
    for (qsizetype amp = reply.indexOf(u'&', fieldStart); amp >= 0 && amp + 1 < reply.size();
         amp = reply.indexOf(u'&', amp + 1)) {
        // A body-colour marker before this "&" starts a field (the marker holds no "&").
        while (nextMarker >= 0 && nextMarker < amp) {
            fieldStart = nextMarker + marker.size();
            nextMarker = reply.indexOf(marker, fieldStart);
        }
        const char16_t digit = reply[amp + 1].unicode();
        if (digit < u'1' || digit > u'4')
            continue;
        fields.at(digit - u'1') = reply.sliced(fieldStart, amp - fieldStart).trimmed().toString();
        headlineReached = headlineReached || digit == u'2';
        if (digit == u'4')
            break;
        fieldStart = amp + fieldMarkerSize;
        amp = fieldStart - 1;
    }
    if (!headlineReached)
        return std::nullopt;
    return fields;
}

std::optional<Fields> readNewsReply(const QByteArray& reply) {
    return readNewsRecord(Gbk::decode(reply));
}

bool isNews(const Fields& record, const Fields& saved) {
    return record[0] != saved[0] || record[1] != saved[1];
}

} // namespace BackendNews
