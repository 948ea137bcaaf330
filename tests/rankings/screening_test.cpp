#include "rankings/screening.h"

#include "platform/gbk.h"

#include <gtest/gtest.h>

using namespace Screening;

namespace {

QByteArray reply(const QString& payload) {
    return R"(<html><body bgcolor="#FFFFFF" text="#000000">)" + Gbk::encode(payload) + "</body></html>";
}

QStringList fields(const Record& record) {
    QStringList out;
    for (int number = 1; number <= recordFields; ++number)
        out << record.field(number).toString();
    return out;
}

} // namespace

TEST(Screening, ChecksTheBoxesInTheirOrderAndTheFloatOnlyWhenAskedFor) {
    const auto missing = [](const Inputs& inputs) {
        const std::optional<MissingInput> first = firstMissingInput(inputs);
        return first ? std::optional<Box>(first->box) : std::nullopt;
    };
    EXPECT_EQ(missing({"3", "", "", "", "", true}), Box::ExtraLarge);
    EXPECT_EQ(missing({"3", "1", "", "", " ", true}), Box::FreeFloat);
    EXPECT_EQ(missing({"3", "1", "", "", "", false}), Box::Large);
    EXPECT_EQ(missing({"3", "1", "1", "", "10", true}), Box::Rise);
    EXPECT_EQ(missing({"3", "1", "1", "5", "", false}), std::nullopt);
    EXPECT_EQ(firstMissingInput({"3", "1", "", "", "", true})->message,
              QStringLiteral("您要筛选流通盘大小，必须输入流通盘大小"));
}

TEST(Screening, TheAddressKeepsDigitsMinusAndPointAndEncodesEveryOtherByte) {
    const Inputs inputs{"3", "-5.5", "1&zf=9", "中 x", "20", false};
    EXPECT_EQ(screeningAddress(QStringLiteral("http://b"), inputs),
              QStringLiteral("http://b/gpzjcx2.asp?rq=3&tdzj=-5.5&ddzj=1%26%7A%66%3D9&zf=%D6%D0%20%78&ltp=9999"));
    EXPECT_TRUE(screeningAddress(QString(), Inputs{"3", "1", "1", "1", "20", true}).endsWith("&ltp=20"));
}

TEST(Screening, ReadsTheDateAtTheFirstDoubleAmpersandAndEightFieldsPerRecord) {
    const Reply read =
        readReply(reply(QStringLiteral(" 2024-07-01 &&&0a&1b&2c&3&4e&5f&6g&7600000&8\r\n&8&0x&0") +
                        QStringLiteral("1&12&23&34&45&56&6万科A&7000002&8&01&12&23&34&45&56&67&7300059&8trailing")));
    EXPECT_EQ(read.date, QStringLiteral("2024-07-01"));
    ASSERT_EQ(read.records.size(), 3);
    EXPECT_EQ(fields(read.records.at(0)), QStringList({"a", "b", "c", "", "e", "f", "g", "600000"}));
    EXPECT_EQ(gridRow(2, read.records.at(1)),
              QStringList({"2", QStringLiteral("万科A"), "000002", "6", "1", "2", "3", "4", "5"}));
    EXPECT_FALSE(read.malformed);

    const Reply noDate = readReply(reply(QStringLiteral("&01&12&23&34&45&56&67&78&8")));
    EXPECT_EQ(noDate.date, std::nullopt);
    EXPECT_EQ(noDate.records.size(), 1);
    const Reply missingField = readReply(reply(QStringLiteral("d&&&01&12&23&34&45&56&67&8")));
    EXPECT_TRUE(missingField.malformed);
    EXPECT_EQ(missingField.date, QStringLiteral("d"));
    EXPECT_TRUE(readReply("d&&&01&12&23&34&45&56&67&78&8").records.isEmpty()); // no envelope marker
}

TEST(Screening, ARecordKeepsItsFieldsAfterItsReplyIsGone) {
    std::optional<Record> kept;
    {
        const Reply read = readReply(reply(QStringLiteral("d&&&01&12&23&34&45&56&6万科A&7000002&8")));
        kept = read.records.at(0);
    }
    // A reply of the same length, whose text may take the memory the first one freed.
    readReply(reply(QStringLiteral("x&&&0x&1x&2x&3x&4x&5x&6xxxxx&7xxxxxx&8")));
    EXPECT_EQ(gridRow(1, *kept), QStringList({"1", QStringLiteral("万科A"), "000002", "6", "1", "2", "3", "4", "5"}));
    EXPECT_TRUE(kept->field(0).isEmpty());
    EXPECT_TRUE(kept->field(recordFields + 1).isEmpty());
}

TEST(Screening, OddRepliesAreReadMarkerByMarker) {
    // Each reply as its date ("-" for none), "malformed" when it is, and its records with fields joined by "|".
    const struct {
        const char* name;
        QString payload;
        QStringList expected;
    } cases[] = {
        {"a field marker before its turn is text", "&0a&2x&1b&2c&3d&4e&5f&6g&7h&8", {"-", "a&2x|b|c|d|e|f|g|h"}},
        {"a second record start moves the start", "&0a&1b&0c&1d&2e&3f&4g&5h&6i&7j&8", {"-", "c|d|e|f|g|h|i|j"}},
        {"the first double ampersand inside a record dates the reply",
         "&0a&&1b&2c&3d&4e&5f&6g&7h&8",
         {"&0a", "a&|b|c|d|e|f|g|h"}},
        {"record ends with no record open are ignored", "&8&01&12&23&34&45&56&67&78&8&8&", {"-", "1|2|3|4|5|6|7|8"}},
        {"a record short of a marker stops the records",
         "&01&12&23&34&45&56&67&78&8&0a&1b&8&01&12&23&34&45&56&67&78&8",
         {"-", "malformed", "1|2|3|4|5|6|7|8"}},
    };
    for (const auto& c : cases) {
        const Reply read = readReply(reply(c.payload));
        QStringList got{read.date.value_or("-")};
        if (read.malformed)
            got << "malformed";
        for (const Record& record : read.records)
            got << fields(record).join(u'|');
        EXPECT_EQ(got, c.expected) << c.name;
    }
}
