#pragma once

#include "platform/gbk.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class HttpClient;

// The back-end service: its base address, its pages, the settings of the clients that talk to it, and the
// envelope that wraps every parsed reply.
namespace Backend {

// "http://" and the back-end host (or the sample sites' back-end under BRENNOC_SITES); no trailing "/".
QString serverurl();

// Pages under serverurl().
inline const QString newsPage = QStringLiteral("/gpgetnews.asp");
inline const QString noticePage = QStringLiteral("/gpwpg.asp");
inline const QString picksPage = QStringLiteral("/gpsfjgshow.asp");
inline const QString recommendationsPage = QStringLiteral("/gpjgshow.asp");
inline const QString recommendPost = QStringLiteral("/gpjg.asp");
inline const QString screeningPage = QStringLiteral("/gpzjcx2.asp");
inline const QString tvStationsPage = QStringLiteral("/gp1gettvdata.asp");
inline const QString phonePost = QStringLiteral("/gpaddsj.asp");
inline const QString switchesPost = QStringLiteral("/gpycf.asp");
inline const QString clearFirstPost = QStringLiteral("/gpdel1.asp");
inline const QString clearSecondPost = QStringLiteral("/gpdel2.asp");
inline const QString clearThirdPost = QStringLiteral("/gpdel3.asp");
inline const QString addFirstPost = QStringLiteral("/gpadd1.asp");
inline const QString addSecondPost = QStringLiteral("/gpadd2.asp");
inline const QString addThirdPost = QStringLiteral("/gpadd3.asp");
// Shown, never parsed.
inline const QString stockPage = QStringLiteral("/gpgetstock.asp?name=");
inline const QString bannerPage = QStringLiteral("/gpcgad.html");
inline const QString recommendBrowserPage = QStringLiteral("/jg.asp");
inline const QString newsBrowserPage = QStringLiteral("/nwes.asp");

// serverurl() + path, and for a query "?" + the fields form-encoded in order.
QString address(const QString& path, const Gbk::FormFields& query = {});

// Client settings that differ from a client's defaults.
inline constexpr int mainWindowReadTimeoutMs = 5000;
inline constexpr int formPostReadTimeoutMs = 30000;
inline const QString indyUserAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");
// The settings, phone and recommendation windows set these before every POST; they stay for later requests.
void prepareFormClient(HttpClient& client);

// The three forms of the end of the body-colour attribute; a reply's payload starts right after the first.
inline const QString markerText = QStringLiteral("text=\"#000000\">");
inline const QString markerQuoted = QStringLiteral("\"#000000\">");
inline const QString markerBare = QStringLiteral("#000000\">");
inline const QString bodyEnd = QStringLiteral("</body>");

// The payload of a reply: the text after the first `marker`, up to the first "</body>" after it (or the end
// of the text). A reply without the marker has no payload.
QString envelopePayload(const QString& reply, const QString& marker);
QByteArray envelopePayload(const QByteArray& reply, const QString& marker);
// The same payload seen in the reply's own bytes, for a reader that decodes it at once: nothing is copied.
QByteArrayView envelopePayloadView(QByteArrayView reply, const QString& marker);

// Whether a reply holds a word, searched in its decoded text so that a match never straddles two characters.
bool replyContains(const QByteArray& reply, const QString& word);

} // namespace Backend
