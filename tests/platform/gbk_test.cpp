#include "platform/gbk.h"

#include <gtest/gtest.h>

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
