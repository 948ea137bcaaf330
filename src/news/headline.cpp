#include "news/headline.h"

#include "platform/gbk.h"

namespace {

constexpr QStringView entryStart = u"<li><span>";
constexpr QStringView linkOpen = u"href=\"";
constexpr QStringView linkClose = u".html";
constexpr QStringView titleOpen = u"title=\"";
constexpr QStringView titleClose = u"\" targe";
constexpr qsizetype firstPiece = 4096;

bool markerAt(QStringView page, qsizetype at, QStringView marker) {
    return page.sliced(at).startsWith(marker);
}

} // namespace

namespace NewsFlash {

std::optional<Headline> readHeadline(QStringView page) {
    const qsizetype entry = page.indexOf(entryStart);
    if (entry < 0)
        return std::nullopt;
    QStringView link;
    qsizetype linkStart = -1;  // an opened link that no ".html" has closed yet
    qsizetype titleStart = -1; // the last opened title
    for (qsizetype i = entry + entryStart.size(); i < page.size(); ++i) {
        // Every marker starts with one of these characters; the others are passed over at once.
        switch (page[i].unicode()) {
        case u'h':
            if (markerAt(page, i, linkOpen))
                linkStart = i + linkOpen.size();
            break;
        case u'.':
            if (linkStart >= 0 && markerAt(page, i, linkClose)) {
                link = page.sliced(linkStart, i + linkClose.size() - linkStart);
                linkStart = -1;
            }
            break;
        case u't':
            if (markerAt(page, i, titleOpen))
                titleStart = i + titleOpen.size();
            break;
        case u'"':
            if (titleStart >= 0 && i >= titleStart && markerAt(page, i, titleClose))
                return Headline{link.toString(), page.sliced(titleStart, i - titleStart).toString()};
            break;
        default:
            break;
        }
    }
    return std::nullopt;
}

std::optional<Headline> readHeadlineReply(const QByteArray& page) {
    const qsizetype entry = page.indexOf(entryStart.toLatin1());
    if (entry < 0)
        return std::nullopt;
    // Only the first entry counts, so only as much of the page as holds it is decoded: ever longer pieces from
    // the list's start, each cut before a "<", which is never part of a two-byte character. A headline found in
    // a piece is the page's, since the scan ends where it finds one.
    for (qsizetype size = firstPiece;; size *= 2) {
        qsizetype end = entry + size < page.size() ? page.indexOf('<', entry + size) : -1;
        if (end < 0)
            end = page.size();
        if (std::optional<Headline> headline = readHeadline(Gbk::decode(page.sliced(entry, end - entry))))
            return headline;
        if (end == page.size())
            return std::nullopt;
    }
}

} // namespace NewsFlash
