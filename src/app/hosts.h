#pragma once

#include <QString>

// Every outside site the program reads, one constant each. The live services are not part of this project,
// so the live values are placeholders that a deployment sets. When BRENNOC_SITES holds a base address
// ("http://127.0.0.1:PORT"), every site is served under it at "/<site key>", as the sample sites server
// and the tests do; the ranking site's socket then goes to that host and port.
namespace Hosts {

struct Site {
    const char* key;  // path prefix under BRENNOC_SITES
    const char* live; // scheme and host of the live service
};

inline constexpr Site backend{"backend", "http://backend.brennoc.example"};
inline constexpr Site quotes{"quotes", "http://quotes.brennoc.example"};
inline constexpr Site fundflow{"fundflow", "http://fundflow.brennoc.example"};
inline constexpr Site bigorder{"bigorder", "http://bigorder.brennoc.example"};
inline constexpr Site stockpool{"stockpool", "http://stockpool.brennoc.example"};
inline constexpr Site klinePictures{"kline", "http://kline.brennoc.example"};
inline constexpr Site realtimePictures{"realtime", "http://realtime.brennoc.example"};
inline constexpr Site announcements{"notices", "http://notices.brennoc.example"};
inline constexpr Site forum{"forum", "http://forum.brennoc.example"};
inline constexpr Site companyNews{"company", "http://company.brennoc.example"};
inline constexpr Site comments{"comments", "http://comments.brennoc.example"};
inline constexpr Site newsPortal{"portal", "http://portal.brennoc.example"};
inline constexpr Site newsList{"newslist", "http://newslist.brennoc.example"};
inline constexpr Site watchedList{"watched", "http://watched.brennoc.example"};
inline constexpr Site research1{"research1", "http://research1.brennoc.example"};
inline constexpr Site research2{"research2", "http://research2.brennoc.example"};
inline constexpr Site stockData{"stockdata", "http://stockdata.brennoc.example"};
inline constexpr Site holdings{"holdings", "http://holdings.brennoc.example"};
inline constexpr Site contact{"contact", "http://contact.brennoc.example"};
// Usage notes of the SMS messenger service under which the alerts arrive.
inline constexpr Site messenger{"messenger", "http://messenger.brennoc.example"};

// The ranking site is reached over a raw socket at a numeric address; its host name goes only into the
// request text.
inline constexpr const char* rankingLiveAddress = "192.0.2.80";
inline constexpr quint16 rankingLivePort = 80;
inline constexpr const char* rankingHostName = "ranking.brennoc.example";

// Scheme, host and (under BRENNOC_SITES) the site's path prefix, without a trailing "/".
QString base(const Site& site);
QString rankingAddress();
quint16 rankingPort();

// The BRENNOC_SITES value in force ("" when unset); read once. Tests may override it; an empty override
// goes back to the environment's value.
QString sitesOverride();
void setSitesOverrideForTests(const QString& base);

} // namespace Hosts
