#include "tv/streamaddress.h"

#include <QStringList>
#include <QUrl>

namespace Tv {

bool isStreamAddress(const QString& address) {
    static const QStringList networkSchemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("rtsp"),
                                               QStringLiteral("rtmp"), QStringLiteral("mms")};
    // Read as the player reads it; the scheme comes back in lower case.
    const QUrl url(address);
    return url.isValid() && networkSchemes.contains(url.scheme()) && !url.host().isEmpty();
}

} // namespace Tv
