// The back-end reply envelope: the payload after the body-colour marker, over the raw bytes and over the
// decoded text, and the word search in a reply.
#include "fuzzing.h"

#include "app/backend.h"
#include "platform/gbk.h"

#include <array>

namespace {

const std::array<QString, 3> markers{Backend::markerText, Backend::markerQuoted, Backend::markerBare};

// What holds for a payload whichever form (bytes or text) it was taken from.
template <typename Text>
void checkPayload(const Text& reply, const Text& payload, const Text& marker, const Text& bodyEnd) {
    if (!reply.contains(marker))
        fuzzCheck(payload.isEmpty(), "a reply without the marker has no payload");
    fuzzCheck(reply.contains(payload), "the payload is a part of the reply");
    fuzzCheck(!payload.contains(bodyEnd), "the payload stops at the first end of body");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray reply = fuzzBytes(data, size);
    const QString text = Gbk::decode(reply);
    for (const QString& marker : markers) {
        const QByteArray bytePayload = Backend::envelopePayload(reply, marker);
        checkPayload(reply, bytePayload, marker.toLatin1(), Backend::bodyEnd.toLatin1());
        const QByteArrayView seen = Backend::envelopePayloadView(reply, marker);
        fuzzCheck(seen.isNull() == bytePayload.isNull() && seen.toByteArray() == bytePayload,
                  "the payload seen in the reply is the one copied out");
        const QString textPayload = Backend::envelopePayload(text, marker);
        checkPayload(text, textPayload, marker, Backend::bodyEnd);
        fuzzCheck(Backend::replyContains(reply, textPayload), "a reply contains its own payload");
    }
    Backend::replyContains(reply, Backend::bodyEnd);
    return 0;
}
