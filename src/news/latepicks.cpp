#include "news/latepicks.h"

#include "app/backend.h"
#include "platform/gbk.h"

#include <string_view>

namespace {

const QByteArray startMarker = Backend::markerText.toLatin1();
const QByteArray contentEnd = Backend::bodyEnd.toLatin1();

} // namespace

namespace LatePicks {

Notice readNotice(const QByteArray& reply) {
    Notice notice;
    qsizetype start = reply.indexOf(startMarker);
    if (start < 0)
        return notice;
    start += startMarker.size();
    qsizetype contentStart = -1;
    qsizetype dateStart = -1;
    qsizetype dateEnd = -1;
    // Every marker starts with one of these bytes; ":" and "<" are never the second byte of a GBK character.
    const std::string_view bytes(reply.constData(), static_cast<size_t>(reply.size()));
    for (size_t i = bytes.find_first_of(":t<", static_cast<size_t>(start)); i != std::string_view::npos;
         i = bytes.find_first_of(":t<", i + 1)) {
        const QByteArrayView rest = QByteArrayView(reply).sliced(static_cast<qsizetype>(i));
        if (bytes[i] == ':') {
            dateStart = start;
            dateEnd = static_cast<qsizetype>(i);
            contentStart = dateEnd + 1;
        } else if (bytes[i] == 't' && rest.startsWith(startMarker)) {
            start = static_cast<qsizetype>(i) + startMarker.size();
        } else if (bytes[i] == '<' && rest.startsWith(contentEnd)) {
            if (contentStart >= 0)
                notice.content =
                    Gbk::decode(reply.sliced(contentStart, static_cast<qsizetype>(i) - contentStart).trimmed());
            break;
        }
    }
    if (dateEnd >= 0)
        notice.date = Gbk::decode(reply.sliced(dateStart, dateEnd - dateStart).trimmed());
    return notice;
}

std::optional<Pair> splitPicks(const QString& content) {
    const qsizetype amp = content.indexOf(u'&');
    if (amp < 0)
        return std::nullopt;
    return Pair{content.left(amp), content.mid(amp + 1)};
}

} // namespace LatePicks
