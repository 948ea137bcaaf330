#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The back-end's news record ("/gpgetnews.asp") and the rule by which a record is news. Plain functions from
// text to data: no widgets, no network.
namespace BackendNews {

// The news body file in the data folder: the body of the record last popped up, GBK, one line.
inline const QString bodyFile = QStringLiteral("gpnews.html");

// Fields 1 to 4 of a record: the body (HTML), its headline, and two more that are kept with them.
using Fields = std::array<QString, 4>;

// The record of a reply. Each `#000000">` starts a field after it; "&1" .. "&4" each close their own field
// (the text from the field start up to the marker, trimmed) and start the next right after them; "&4" ends
// the scan. Markers before the first `#000000">` count for nothing. Only a reply in which both the
// body-colour marker and an "&2" were reached has a record; fields whose marker was not reached are empty.
std::optional<Fields> readNewsRecord(QStringView reply);
// The same over the reply's GBK bytes.
std::optional<Fields> readNewsReply(const QByteArray& reply);

// A record is news when its body or its headline differs from the saved ones.
bool isNews(const Fields& record, const Fields& saved);

} // namespace BackendNews
