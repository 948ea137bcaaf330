#include "platform/gbk.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One iconv conversion descriptor, closed when the converter goes out of scope.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; on an input sequence that cannot be converted, appends `replacement` to the output
    // and skips `skip` bytes of input (at least one), so a bad byte never stops the conversion.
    QByteArray run(const QByteArray& input, const QByteArray& replacement, int (*skip)(const char*, size_t)) {
        QByteArray output;
        if (cd_ == reinterpret_cast<iconv_t>(-1) || input.isEmpty())
            return output;
        char* in = const_cast<char*>(input.constData());
        size_t inLeft = static_cast<size_t>(input.size());
        QByteArray buffer(4096, Qt::Uninitialized);
        while (inLeft > 0) {
            char* out = buffer.data();
            size_t outLeft = static_cast<size_t>(buffer.size());
            const size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
            output.append(buffer.constData(), buffer.size() - static_cast<qsizetype>(outLeft));
            if (result != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a sequence cut at the end): replace and step over it.
            output.append(replacement);
            const size_t step = std::min(inLeft, static_cast<size_t>(std::max(1, skip(in, inLeft))));
            in += step;
            inLeft -= step;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t cd_;
};

int oneByte(const char*, size_t) {
    return 1;
}

// Length of the UTF-8 sequence that starts at `in`, so one bad character becomes one "?".
int utf8SequenceLength(const char* in, size_t left) {
    const auto lead = static_cast<unsigned char>(in[0]);
    int length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    int valid = 1;
    while (valid < length && static_cast<size_t>(valid) < left &&
           (static_cast<unsigned char>(in[valid]) & 0xC0) == 0x80)
        ++valid;
    return valid;
}

QByteArray utf8ToGbk(const QByteArray& utf8) {
    Converter converter("GBK", "UTF-8");
    return converter.run(utf8, QByteArrayLiteral("?"), utf8SequenceLength);
}

} // namespace

namespace Gbk {

QString decode(const QByteArray& bytes) {
    Converter converter("UTF-8", "GBK");
    return QString::fromUtf8(converter.run(bytes, QByteArrayLiteral("\xEF\xBF\xBD"), oneByte));
}

QByteArray encode(const QString& text) {
    return utf8ToGbk(text.toUtf8());
}

QString fromUtf8ThroughGbk(const QByteArray& utf8) {
    return decode(utf8ToGbk(utf8));
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
