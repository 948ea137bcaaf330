// GBK decoding: bytes to text, the quote road (UTF-8 through GBK), and the form encoding of decoded text. The
// one-pass converters must give exactly what iconv gives.
#include "fuzzing.h"

#include "../platform/gbkreference.h"
#include "platform/gbk.h"

#include <cstring>

namespace {

bool isFormCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '%';
}

bool isUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// Letters and digits, "+" for a blank and "%" with two upper-case hexadecimal digits: nothing else.
void checkFormEncoded(const QByteArray& encoded) {
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        fuzzCheck(isFormCharacter(encoded[i]), "a form-encoded value holds only letters, digits, + and %");
        if (encoded[i] != '%')
            continue;
        fuzzCheck(i + 2 < encoded.size() && isUpperHex(encoded[i + 1]) && isUpperHex(encoded[i + 2]),
                  "a % is followed by two upper-case hexadecimal digits");
        i += 2;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    const QString text = Gbk::decode(bytes);
    const QString throughGbk = Gbk::fromUtf8ThroughGbk(bytes);
    static GbkReference iconv;
    fuzzCheck(text == iconv.decode(bytes), "decoding gives what iconv gives");
    fuzzCheck(throughGbk == iconv.decode(iconv.utf8ToGbk(bytes)), "the quote road gives what iconv gives");
    // The same bytes as UTF-16 units: surrogate pairs, lone surrogates and language tags among them.
    QString units(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    if (!units.isEmpty())
        std::memcpy(units.data(), data, size / 2 * 2);
    fuzzCheck(Gbk::encode(units) == iconv.utf8ToGbk(units.toUtf8()), "encoding gives what iconv gives");
    fuzzCheck(Gbk::decode(Gbk::encode(throughGbk)) == throughGbk, "the quote road keeps only what GBK holds");

    checkFormEncoded(Gbk::formEncode(text));
    checkFormEncoded(Gbk::formEncode(throughGbk));
    const QByteArray body = Gbk::formBody({{QStringLiteral("a"), text}, {QStringLiteral("b"), throughGbk}});
    fuzzCheck(body.startsWith("a=") && body.contains("&b="), "a form body joins its fields in order");

    const int fieldSize = size > 0 ? data[0] % 64 : 0;
    fuzzCheck(Gbk::padded(text, fieldSize).size() == fieldSize, "a padded field has exactly its size");
    Gbk::byteLength(throughGbk);
    return 0;
}
