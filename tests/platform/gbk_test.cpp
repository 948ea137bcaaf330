#include "gbkreference.h"
#include "platform/gbk.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

TEST(Gbk, ChineseNamesRoundTrip) {
    for (const QString& name : {QStringLiteral("浦发银行"), QStringLiteral("万科Ａ"), QStringLiteral("五粮液"),
                                QStringLiteral("ST 长油"), QString()}) {
        EXPECT_EQ(Gbk::decode(Gbk::encode(name)), name) << name.toStdString();
    }
    EXPECT_EQ(Gbk::encode(QStringLiteral("浦发")), QByteArray("\xC6\xD6\xB7\xA2"));
}

TEST(Gbk, QuoteRoadTurnsCharactersOutsideGbkIntoQuestionMarks) {
    // U+4DB6 (CJK extension A, beyond GBK) and an emoji: one "?" each, the rest kept.
    const QByteArray utf8 = QStringLiteral("中\u4DB6国😀A").toUtf8();
    EXPECT_EQ(Gbk::fromUtf8ThroughGbk(utf8), QStringLiteral("中?国?A"));
    EXPECT_EQ(Gbk::encode(QStringLiteral("€x")), QByteArray("\x80x")); // GBK holds the euro sign as 0x80
}

TEST(Gbk, BrokenInputNeverStopsTheConversion) {
    EXPECT_EQ(Gbk::decode(QByteArray("ab\xFF"
                                     "c")),
              QStringLiteral("ab\uFFFDc"));
    EXPECT_EQ(Gbk::decode(QByteArray("ab\xC6")), QStringLiteral("ab\uFFFD")); // a character cut at the end
    EXPECT_EQ(Gbk::fromUtf8ThroughGbk(QByteArray("x\xE4\xB8")), QStringLiteral("x?"));
    EXPECT_TRUE(Gbk::decode(QByteArray()).isEmpty());
}

TEST(Gbk, ByteLengthAndPadding) {
    EXPECT_EQ(Gbk::byteLength(QStringLiteral("Brennoc股票情报系统V4.4")), 23);
    const QByteArray field = Gbk::padded(QStringLiteral("股票A"), 8);
    EXPECT_EQ(field, QByteArray("\xB9\xC9\xC6\xB1"
                                "A\0\0\0",
                                8));
    // A cut never leaves half a character: 3 bytes of room hold only the first character.
    EXPECT_EQ(Gbk::padded(QStringLiteral("股票"), 3), QByteArray("\xB9\xC9\0", 3));
}

TEST(FormEncoding, ValuesAreEncodedByteByByteOverGbk) {
    struct Case {
        QString value;
        QByteArray wire;
    };
    const Case cases[] = {
        {QStringLiteral("abcXYZ019"), "abcXYZ019"},
        {QStringLiteral("a b"), "a+b"},
        {QStringLiteral("-._~*"), "%2D%2E%5F%7E%2A"},
        {QStringLiteral("浦发银行"), "%C6%D6%B7%A2%D2%F8%D0%D0"},
        {QStringLiteral("&="), "%26%3D"},
        {QString(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Gbk::formEncode(c.value), c.wire) << c.value.toStdString();
}

TEST(FormEncoding, BodyKeepsFieldOrderAndSendsEmptyValues) {
    const Gbk::FormFields fields = {{QStringLiteral("sn"), QStringLiteral("13900000000")},
                                    {QStringLiteral("gpdm"), QStringLiteral("600000")},
                                    {QStringLiteral("gpmc"), QStringLiteral("浦发银行")},
                                    {QStringLiteral("tjly"), QString()}};
    EXPECT_EQ(Gbk::formBody(fields), QByteArray("sn=13900000000&gpdm=600000&gpmc=%C6%D6%B7%A2%D2%F8%D0%D0&tjly="));
    EXPECT_EQ(Gbk::formBody({}), QByteArray());
}

namespace {

// Random bytes in pieces: any byte, a byte above ASCII with any byte after it, or the UTF-8 form of two to four
// bytes of any number that fits it (overlong forms, surrogates, numbers beyond U+10FFFF and language tags among
// them). A piece often meets the next one half-way.
QByteArray randomBytes(std::mt19937& random) {
    QByteArray bytes;
    for (int piece = static_cast<int>(random() % 12); piece > 0; --piece) {
        const unsigned kind = random() % 3;
        if (kind == 0) {
            bytes += static_cast<char>(random());
        } else if (kind == 1) {
            bytes += static_cast<char>(0x80 + random() % 0x80);
            bytes += static_cast<char>(random());
        } else {
            const unsigned length = 2 + random() % 3;
            const unsigned number =
                length == 4 && random() % 2 ? 0xE0000 + random() % 0x100 : random() % (1u << (5 * length + 1));
            bytes += static_cast<char>(0xFF00 >> length | number >> (6 * (length - 1)));
            for (int shift = 6 * static_cast<int>(length - 2); shift >= 0; shift -= 6)
                bytes += static_cast<char>(0x80 | (number >> shift & 0x3F));
        }
    }
    return bytes;
}

// Random texts of units that meet in every way: ASCII, characters in and beyond GBK, halves of surrogate pairs
// (of a language tag among them).
QString randomText(std::mt19937& random) {
    const char16_t units[] = {u'a', u'中', u'€', 0x4DB6, 0xD83D, 0xDE00, 0xDB40, 0xDC01, 0xDC7F};
    QString text;
    for (int length = static_cast<int>(random() % 12); length > 0; --length)
        text += QChar(units[random() % std::size(units)]);
    return text;
}

} // namespace

TEST(Gbk, ConvertsExactlyAsIconvDoes) {
    GbkReference iconv;
    // Every two bytes: ASCII, a pair, a refused pair (one U+FFFD, then the second byte read afresh), 0x80, 0xFF.
    QByteArray everyPair;
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        const QByteArray pair = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        ASSERT_EQ(Gbk::decode(pair), iconv.decode(pair)) << std::hex << code;
        everyPair += pair;
    }
    EXPECT_EQ(Gbk::decode(everyPair), iconv.decode(everyPair));
    // Every UTF-16 unit on its own (a lone surrogate as Qt writes it in UTF-8), there and back on the quote road.
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const QString text(QChar(static_cast<char16_t>(unit)));
        const QByteArray gbk = iconv.utf8ToGbk(text.toUtf8());
        ASSERT_EQ(Gbk::encode(text), gbk) << std::hex << unit;
        ASSERT_EQ(Gbk::fromUtf8ThroughGbk(text.toUtf8()), iconv.decode(gbk)) << std::hex << unit;
    }
    std::mt19937 random(19);
    for (int i = 0; i < 4000; ++i) {
        const QByteArray bytes = randomBytes(random);
        ASSERT_EQ(Gbk::decode(bytes), iconv.decode(bytes)) << bytes.toHex().toStdString();
        ASSERT_EQ(Gbk::fromUtf8ThroughGbk(bytes), iconv.decode(iconv.utf8ToGbk(bytes))) << bytes.toHex().toStdString();
        const QString text = randomText(random);
        ASSERT_EQ(Gbk::encode(text), iconv.utf8ToGbk(text.toUtf8())) << text.toStdString();
    }
}
