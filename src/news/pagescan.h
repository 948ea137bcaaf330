#pragma once

#include <QString>
#include <QStringView>

// The small tools every reader of the information panel's pages scans with: the pages are walked position
// by position, a marker matches where the text from that position on begins with it, and a value is the
// text between two positions.
namespace News {

// Whether `marker` starts at `position` of `text`.
inline bool matchesAt(QStringView text, qsizetype position, QStringView marker) {
    if (text.size() - position < marker.size())
        return false;
    // Markers are a few characters long: a plain loop beats a call into the library's comparison.
    const QChar* at = text.data() + position;
    for (qsizetype k = 0; k < marker.size(); ++k) {
        if (at[k] != marker[k])
            return false;
    }
    return true;
}

// Where `marker` first starts in `text`, or -1. For the short texts of one item or field, where a plain scan
// beats the set-up of the library's search.
inline qsizetype indexOfMarker(QStringView text, QStringView marker) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (matchesAt(text, i, marker))
            return i;
    }
    return -1;
}

// The text from `from` up to (not including) `to`; empty when `to` does not lie past `from`, and clamped to
// the text, so a start set beyond the end of a cut page reads as nothing.
inline QString between(QStringView text, qsizetype from, qsizetype to) {
    from = qBound(qsizetype(0), from, text.size());
    to = qBound(qsizetype(0), to, text.size());
    return to > from ? text.sliced(from, to - from).toString() : QString();
}

// The path of a stock's page: `prefix` + code + `suffix`. Anything but a six-digit code throws Failure, so
// no unchecked text ever reaches an address.
QString stockPagePath(const QString& prefix, const QString& code, const QString& suffix);

// A caption cut for a one-line label: the first 16 characters and "..." when the title is longer.
QString shortCaption(const QString& title);

} // namespace News
