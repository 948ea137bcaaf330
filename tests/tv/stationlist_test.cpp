// The station list reader, the unscrambler and the sorting into groups, sub-groups, channels and menus.
#include "platform/gbk.h"
#include "tv/stationlist.h"

#include <gtest/gtest.h>

namespace {

const QString kHead = QStringLiteral("<html><body bgcolor=\"#FFFFFF\" text=\"#000000\">");
const QString kScrambled = QStringLiteral("gsso9..016-/-/-0970"); // "http://127.0.0.1:80"

// Each record as "name|url|parent|id|channel".
QStringList rows(const QList<Tv::StationRecord>& records) {
    QStringList out;
    for (const Tv::StationRecord& r : records)
        out << QStringList{r.name().toString(), r.url().toString(), r.parent().toString(), r.id().toString(),
                           r.channelId().toString()}
                   .join(u'|');
    return out;
}

// A group's menu as "sub-group(record)[channel(record) ...]".
QStringList menu(const Tv::StationDirectory& directory, qsizetype group) {
    QStringList out;
    for (const Tv::MenuItem& item : Tv::groupMenu(directory, group)) {
        QStringList channels;
        for (const Tv::MenuItem& channel : item.channels)
            channels << QStringLiteral("%1(%2)").arg(channel.caption).arg(channel.record);
        out << QStringLiteral("%1(%2)[%3]").arg(item.caption).arg(item.record).arg(channels.join(u' '));
    }
    return out;
}

} // namespace

TEST(Jiemi, ShiftsTheFirstEighteenBytesOnly) {
    const QStringList cases[] = {
        {"", ""},
        {"abcdefghijklmnopq", "abcdefghijklmnopq"},       // 17: unchanged
        {"abcdefghijklmnopqr", "bcdefghijklmnopqrs"},     // 18: all shifted
        {"abcdefghijklmnopqrst", "bcdefghijklmnopqrsst"}, // 20: the last two kept
        {kScrambled + "x&y", "http://127.0.0.1:80x&y"},
    };
    for (const QStringList& c : cases)
        EXPECT_EQ(Tv::jiemi(c[0]), c[1]) << c[0].toStdString();
}

TEST(StationList, RecordsAreReadWholeOrSkipped) {
    const struct {
        const char* name;
        QString text;
        QStringList expected;
    } cases[] = {
        {"no marker", "A&1&20&31&4***", {}},
        {"trimmed, text around ignored",
         "x***" + kHead + "\r\n 央视&1&20&31&4 ***\r\nB&1&21&311&40***C&1",
         {"央视||0|1|", "B||1|11|0"}},
        {"a later marker restarts the record", kHead + "junk" + kHead + "C&1&20&33&4***", {"C||0|3|"}},
        {"a missing marker skips that record", kHead + "D&1&20&4***E&1&20&35&4***", {"E||0|5|"}},
        {"a marker twice", kHead + "G&1&20&37&4x&1***", {}},
        {"a run of stars", kHead + "H&1&20&38&4*****I&1&20&39&4***", {"H||0|8|", "I||0|9|"}},
        {"two stars end nothing", kHead + "K&1&20&3*1**&4***", {"K||0|*1**|"}},
        {"markers between record ends",
         kHead + "L&1&20&31&4***" + kHead + kHead + "M&1&20&32&4***" + kHead,
         {"L||0|1|", "M||0|2|"}},
        {"unscrambled address", kHead + "J&1" + kScrambled + "&21&33&41***", {"J|http://127.0.0.1:80|1|3|1"}},
        {"unscrambling shortens one address and keeps the length of the next",
         kHead + QStringLiteral("P&1€abcdefghijklmnopqrstu&21&32&43***Q&1中abcdefghijklmnopq&21&34&45***"),
         {QStringLiteral("P|乥cdefghijklmnopqrrstu|1|2|3"), QStringLiteral("Q|籽bcdefghijklmnopqq|1|4|5")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(Tv::parseStationList(c.text)), c.expected) << c.name;
    EXPECT_EQ(rows(Tv::readStationList(Gbk::encode(kHead + "卫视&1&20&32&4***"))), QStringList{"卫视||0|2|"});
}

TEST(StationList, ARecordKeepsItsFieldsAfterItsListIsGone) {
    std::optional<Tv::StationRecord> kept;
    {
        const Tv::StationDirectory directory = Tv::classifyStations(
            Tv::parseStationList(kHead + QStringLiteral("A&1&20&31&4***卫视&1€abcdefghijklmnopqrstu&21&32&43***")));
        kept = directory.records.at(1);
    }
    // A list of the same length, whose text may take the memory the first one freed.
    Tv::parseStationList(kHead + QStringLiteral("x&1&2x&3x&4***xxxxxx&1xxxxxxxxxxxxxxxxxx&2x&3x&4x***"));
    EXPECT_EQ(rows({*kept}), QStringList{QStringLiteral("卫视|乥cdefghijklmnopqrrstu|1|2|3")});
}

TEST(StationDirectory, ChannelsStandOnlyUnderAddresslessSubGroupsOfTheirGroup) {
    const QString text = kHead + QStringLiteral("央视&1&20&31&4***"
                                                "体育&1%1&21&312&40***"     // sub-group with an address
                                                "综合&1&21&311&40***"       // sub-group of channels
                                                "新闻&1%1&21&311&4101***"   // channels of 综合
                                                "财经&1%1&21&311&4102***"   //
                                                "孤儿&1%1&21&399&4103***"   // no such sub-group
                                                "外组&1%1&22&311&4104***"   // another group's id
                                                "不显示&1%1&21&312&4105***" // under the addressed sub-group
                                                "卫视&1&20&32&4***"
                                                "空台&1&22&321&4201***") // no address: a sub-group
                                     .arg(kScrambled);
    const Tv::StationDirectory directory = Tv::classifyStations(Tv::parseStationList(text));
    EXPECT_EQ(menu(directory, 0), (QStringList{"体育(1)[]", "综合(2)[新闻(3) 财经(4)]"}));
    EXPECT_EQ(menu(directory, 1), QStringList{"空台(9)[]"});
    EXPECT_TRUE(menu(directory, 2).isEmpty());
    // A blank address plays nothing: the record is a sub-group, not a channel.
    const Tv::StationDirectory blank = Tv::classifyStations(Tv::parseStationList(kHead + "空白&1\t &22&321&4201***"));
    EXPECT_EQ(std::pair(blank.subGroups.size(), blank.channels.size()), std::pair(qsizetype(1), qsizetype(0)));
}
