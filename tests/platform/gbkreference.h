#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <iconv.h>

// GBK through glibc's iconv, a whole text per call, each refused sequence replaced and stepped over: what the
// one-pass converters of platform/gbk.h must give for every input.
class GbkReference {
public:
    GbkReference() : toUtf8_(iconv_open("UTF-8", "GBK")), toGbk_(iconv_open("GBK", "UTF-8")) {}
    ~GbkReference() {
        iconv_close(toUtf8_);
        iconv_close(toGbk_);
    }
    GbkReference(const GbkReference&) = delete;
    GbkReference& operator=(const GbkReference&) = delete;

    // A refused GBK byte becomes U+FFFD and decoding goes on at the next byte.
    QString decode(const QByteArray& gbk) {
        return QString::fromUtf8(convert(toUtf8_, gbk, "\xEF\xBF\xBD", [](const char*, size_t) { return 1; }));
    }

    // A refused UTF-8 character becomes "?", stepping over its lead byte and the continuation bytes it has.
    QByteArray utf8ToGbk(const QByteArray& utf8) {
        return convert(toGbk_, utf8, "?", [](const char* in, size_t left) {
            const auto lead = static_cast<unsigned char>(in[0]);
            const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            int valid = 1;
            while (valid < length && static_cast<size_t>(valid) < left && (in[valid] & 0xC0) == 0x80)
                ++valid;
            return valid;
        });
    }

private:
    QByteArray convert(iconv_t cd, const QByteArray& input, const char* replacement, int (*skip)(const char*, size_t)) {
        QByteArray output;
        char* in = const_cast<char*>(input.constData());
        size_t inLeft = static_cast<size_t>(input.size());
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
            output.append(buffer, out - buffer);
            if (result != static_cast<size_t>(-1) || errno == E2BIG)
                continue;
            output.append(replacement);
            const size_t step = std::min(inLeft, static_cast<size_t>(skip(in, inLeft)));
            in += step;
            inLeft -= step;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

    iconv_t toUtf8_;
    iconv_t toGbk_;
};
