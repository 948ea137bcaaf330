#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The back-end's late-day picks ("/gpwpg.asp"): a publication date and two stocks to watch at the close. Plain
// functions from bytes to data: no widgets, no network.
namespace LatePicks {

struct Notice {
    std::optional<QString> date;    // the publication date, when the reply had a ":" after the marker
    std::optional<QString> content; // the picks, when that ":" was followed by "</body>"
};

// The reply scanned as bytes: `text="#000000">` sets the start after it; every ":" makes the trimmed text from
// the start up to it the date (so the last ":" wins) and starts the content after it; "</body>" ends the
// content (trimmed) and the scan. Texts are decoded from GBK.
Notice readNotice(const QByteArray& reply);

struct Pair {
    QString first;  // before the first "&"
    QString second; // after it
};
// The two stocks of a content, or nothing when it holds no "&".
std::optional<Pair> splitPicks(const QString& content);

} // namespace LatePicks
