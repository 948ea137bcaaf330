#pragma once

#include <QString>

namespace Tv {

// Whether a station's address names a stream on the network (http, https, rtsp, rtmp or mms, with a host),
// the only addresses the player is given. The station list and the station files come from outside: a file
// address, a local path or any other scheme there would have the player open something on this computer.
bool isStreamAddress(const QString& address);

} // namespace Tv
