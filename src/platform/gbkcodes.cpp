#include "platform/gbkcodes.h"

#include <iconv.h>

#include <memory>

namespace GbkCodes {
namespace {

// One iconv conversion descriptor that converts one short byte sequence at a time.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts the whole of `input` into `output`: the number of bytes written, or -1 when iconv refuses the
    // input or any part of it.
    int convert(const unsigned char* input, size_t size, std::array<unsigned char, 8>& output) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return -1;
        char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(input));
        char* out = reinterpret_cast<char*>(output.data());
        size_t outLeft = output.size();
        const size_t result = iconv(cd_, &in, &size, &out, &outLeft);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (result == static_cast<size_t>(-1) || size != 0)
            return -1;
        return static_cast<int>(output.size() - outLeft);
    }

private:
    iconv_t cd_;
};

// The one character iconv makes of the GBK bytes, or noCharacter.
char16_t characterOf(Iconv& gbkToUtf16, const unsigned char* bytes, size_t size) {
    std::array<unsigned char, 8> output{};
    if (gbkToUtf16.convert(bytes, size, output) != 2)
        return noCharacter;
    const auto character = static_cast<char16_t>(output[0] | output[1] << 8);
    return character >= 0xD800 && character < 0xE000 ? noCharacter : character;
}

std::unique_ptr<const DecodeTable> askDecodeTable() {
    auto table = std::make_unique<DecodeTable>();
    table->single.fill(noCharacter);
    table->pair.fill(noCharacter);
    Iconv gbkToUtf16("UTF-16LE", "GBK");
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        const unsigned char single[] = {static_cast<unsigned char>(lead)};
        table->single[lead - 0x80] = characterOf(gbkToUtf16, single, 1);
        if (table->single[lead - 0x80] != noCharacter)
            continue;
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            const unsigned char pair[] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
            table->pair[(lead - 0x80) << 8 | trail] = characterOf(gbkToUtf16, pair, 2);
        }
    }
    return table;
}

std::unique_ptr<const EncodeTable> askEncodeTable() {
    auto table = std::make_unique<EncodeTable>();
    table->fill(noCode);
    Iconv utf16ToGbk("GBK", "UTF-16LE");
    for (unsigned character = 0; character <= 0xFFFF; ++character) {
        if (character >= 0xD800 && character < 0xE000)
            continue;
        const unsigned char utf16[] = {static_cast<unsigned char>(character & 0xFF),
                                       static_cast<unsigned char>(character >> 8)};
        std::array<unsigned char, 8> gbk{};
        const int length = utf16ToGbk.convert(utf16, sizeof utf16, gbk);
        if (length == 1)
            (*table)[character] = gbk[0];
        else if (length == 2 && gbk[0] >= 0x80 && gbk[0] != 0xFF)
            (*table)[character] = static_cast<std::uint16_t>(gbk[0] << 8 | gbk[1]);
    }
    return table;
}

} // namespace

// About 32,000 conversions and 64 kB, made on the first call (a thread-safe static).
const DecodeTable& decodeTable() {
    static const std::unique_ptr<const DecodeTable> table = askDecodeTable();
    return *table;
}

// About 63,000 conversions and 128 kB, made on the first call.
const EncodeTable& encodeTable() {
    static const std::unique_ptr<const EncodeTable> table = askEncodeTable();
    return *table;
}

} // namespace GbkCodes
