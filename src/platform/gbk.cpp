#include "platform/gbk.h"

#include "platform/gbkcodes.h"

#include <cstdint>

namespace {

constexpr char16_t replacementCharacter = 0xFFFD;
constexpr char questionMark = '?';

// Writes the GBK bytes of an encode-table entry at `out`, "?" when GBK lacks the character, and returns the
// end of what it wrote.
char* putCode(std::uint16_t code, char* out) {
    if (code == GbkCodes::noCode) {
        *out++ = questionMark;
    } else if (code < 0x100) {
        *out++ = static_cast<char>(code);
    } else {
        *out++ = static_cast<char>(code >> 8);
        *out++ = static_cast<char>(code & 0xFF);
    }
    return out;
}

// iconv drops the language tags U+E0000 to U+E007F without a trace.
bool isLanguageTag(char32_t character) {
    return character >> 7 == 0xE0000 >> 7;
}

// GBK has no character beyond U+FFFF: "?", except for the language tags.
char* putBeyondBmp(char32_t character, char* out) {
    if (!isLanguageTag(character))
        *out++ = questionMark;
    return out;
}

// The character an encode-table entry decodes back to when it stands alone and nothing that follows can
// change it ("?" for noCode), or noCharacter.
char16_t readBack(std::uint16_t code, const GbkCodes::DecodeTable& table) {
    if (code == GbkCodes::noCode)
        return questionMark;
    if (code < 0x80)
        return static_cast<char16_t>(code);
    if (code < 0x100)
        return table.single[code - 0x80];
    const unsigned lead = code >> 8;
    if (table.single[lead - 0x80] != GbkCodes::noCharacter)
        return GbkCodes::noCharacter;
    return table.pair[(lead - 0x80) << 8 | (code & 0xFF)];
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence that starts at `in`, as far as it goes, so one bad character becomes one "?".
qsizetype utf8SequenceLength(const unsigned char* in, qsizetype left) {
    const unsigned char lead = in[0];
    qsizetype length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    qsizetype valid = 1;
    while (valid < length && valid < left && isContinuation(in[valid]))
        ++valid;
    return valid;
}

// The well-formed UTF-8 character at `in` (no overlong form, no surrogate, nothing beyond U+10FFFF): its
// number and length, or length 0 when the bytes there are not one. iconv reads exactly these as characters.
struct Utf8Character {
    char32_t code = 0;
    qsizetype length = 0;
};

Utf8Character wellFormedUtf8(const unsigned char* in, qsizetype left) {
    const unsigned char lead = in[0];
    if (lead < 0xC2 || lead > 0xF4)
        return {};
    const qsizetype length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (left < length)
        return {};
    // The second byte's range rules out overlong forms, surrogates and numbers beyond U+10FFFF.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (in[1] < low || in[1] > high)
        return {};
    char32_t code = lead & (0xFF >> (length + 1));
    for (qsizetype i = 1; i < length; ++i) {
        if (!isContinuation(in[i]))
            return {};
        code = code << 6 | (in[i] & 0x3F);
    }
    return {code, length};
}

// UTF-8 bytes to GBK: "?" for each character that GBK lacks and for each broken sequence (as far as
// utf8SequenceLength reaches), as iconv converts them when each refused sequence is replaced and stepped over.
QByteArray utf8ToGbk(const QByteArray& utf8) {
    if (utf8.isEmpty())
        return {};
    // No UTF-8 sequence becomes more GBK bytes than it has.
    QByteArray gbk(utf8.size(), Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.constData());
    const auto* const end = in + utf8.size();
    char* const begin = gbk.data();
    char* out = begin;
    const std::uint16_t* codes = nullptr; // the encode table, made at the first character beyond ASCII
    while (in < end) {
        if (*in < 0x80) {
            *out++ = static_cast<char>(*in++);
            continue;
        }
        const Utf8Character character = wellFormedUtf8(in, end - in);
        if (character.length == 0) {
            *out++ = questionMark;
            in += utf8SequenceLength(in, end - in);
            continue;
        }
        in += character.length;
        if (character.code >= 0x10000) {
            out = putBeyondBmp(character.code, out);
            continue;
        }
        if (!codes)
            codes = GbkCodes::encodeTable().data();
        out = putCode(codes[character.code], out);
    }
    gbk.truncate(out - begin);
    return gbk;
}

} // namespace

namespace Gbk {

// One pass with a table look-up per character beyond ASCII, into a string made large enough at the start.
QString decode(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    // No byte becomes more than one character.
    QString text(bytes.size(), Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* const end = in + bytes.size();
    auto* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;
    const GbkCodes::DecodeTable* table = nullptr; // made at the first byte beyond ASCII
    while (in < end) {
        const unsigned byte = *in;
        if (byte < 0x80) {
            *out++ = static_cast<char16_t>(byte);
            ++in;
            continue;
        }
        if (!table)
            table = &GbkCodes::decodeTable();
        char16_t character = table->single.data()[byte - 0x80];
        if (character != GbkCodes::noCharacter) {
            ++in;
        } else if (end - in >= 2 &&
                   (character = table->pair.data()[(byte - 0x80) << 8 | in[1]]) != GbkCodes::noCharacter) {
            in += 2;
        } else {
            // iconv refuses the sequence at its first byte: one U+FFFD, and the next byte is read afresh, even
            // when it was meant as the trail byte.
            character = replacementCharacter;
            ++in;
        }
        *out++ = character;
    }
    text.truncate(out - begin);
    return text;
}

QByteArray encode(const QString& text) {
    if (text.isEmpty())
        return {};
    // No UTF-16 unit becomes more than two bytes.
    QByteArray gbk(text.size() * 2, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const char16_t*>(text.constData());
    const auto* const end = in + text.size();
    char* const begin = gbk.data();
    char* out = begin;
    const std::uint16_t* codes = nullptr; // the encode table, made at the first character beyond ASCII
    while (in < end) {
        const char16_t unit = *in++;
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
            continue;
        }
        if (QChar::isSurrogate(unit)) {
            // A pair stands for a character beyond U+FFFF; Qt writes a surrogate without its partner as "?".
            if (QChar::isHighSurrogate(unit) && in < end && QChar::isLowSurrogate(*in))
                out = putBeyondBmp(QChar::surrogateToUcs4(unit, *in++), out);
            else
                *out++ = questionMark;
            continue;
        }
        if (!codes)
            codes = GbkCodes::encodeTable().data();
        out = putCode(codes[unit], out);
    }
    gbk.truncate(out - begin);
    return gbk;
}

// decode(utf8ToGbk(utf8)) in one pass: each character's GBK code is read straight back. That is exact as long
// as every code reads back as exactly one character, whatever follows it, which holds for all of glibc's GBK;
// a code that did not would take the road through the GBK bytes.
QString fromUtf8ThroughGbk(const QByteArray& utf8) {
    if (utf8.isEmpty())
        return {};
    // No UTF-8 sequence becomes more than one character.
    QString text(utf8.size(), Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.constData());
    const auto* const end = in + utf8.size();
    auto* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;
    const std::uint16_t* codes = nullptr; // the tables, made at the first character beyond ASCII
    const GbkCodes::DecodeTable* characters = nullptr;
    while (in < end) {
        if (*in < 0x80) {
            *out++ = *in++;
            continue;
        }
        const Utf8Character character = wellFormedUtf8(in, end - in);
        if (character.length == 0) {
            *out++ = questionMark;
            in += utf8SequenceLength(in, end - in);
            continue;
        }
        in += character.length;
        if (character.code >= 0x10000) {
            if (!isLanguageTag(character.code))
                *out++ = questionMark;
            continue;
        }
        if (!codes) {
            codes = GbkCodes::encodeTable().data();
            characters = &GbkCodes::decodeTable();
        }
        const char16_t back = readBack(codes[character.code], *characters);
        if (back == GbkCodes::noCharacter)
            return Gbk::decode(utf8ToGbk(utf8));
        *out++ = back;
    }
    text.truncate(out - begin);
    return text;
}

int byteLength(const QString& text) {
    return static_cast<int>(encode(text).size());
}

QByteArray padded(const QString& text, int size) {
    QByteArray bytes = encode(text);
    if (bytes.size() > size) {
        // Walk the characters so a cut never leaves half of a two-byte character behind.
        qsizetype keep = 0;
        while (keep < size) {
            const qsizetype step = static_cast<unsigned char>(bytes[keep]) >= 0x81 ? 2 : 1;
            if (keep + step > size)
                break;
            keep += step;
        }
        bytes.truncate(keep);
    }
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

QByteArray formEncode(const QString& value) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (const char c : encode(value)) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')) {
            out.append(c);
        } else if (byte == ' ') {
            out.append('+');
        } else {
            out.append('%');
            out.append(hex[byte >> 4]);
            out.append(hex[byte & 0x0F]);
        }
    }
    return out;
}

QByteArray formBody(const FormFields& fields) {
    QByteArray body;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            body.append('&');
        body.append(Gbk::encode(fields[i].first));
        body.append('=');
        body.append(formEncode(fields[i].second));
    }
    return body.trimmed();
}

} // namespace Gbk
