#include "news/picks.h"
#include "platform/gbk.h"

#include <gtest/gtest.h>

using Picks::Pick;

TEST(Picks, RecordsWithAllFourFieldsAreReadInReplyOrder) {
    const QString reply = QStringLiteral(
        R"(x&4<body text="#000000"> 600000&1浦发银行&22024-1-3&39:45&4</font><br><font color="#000000">)"
        R"(000001&1平安银行&22024-1-3&310:30&4 600036&1招商银行&22024-1-3 &4 601398&1&2&3&4 tail&1a&2b&3c)");
    const QList<Pick> expected = {{"600000", QStringLiteral("浦发银行"), "2024-1-3", "9:45"},
                                  {"000001", QStringLiteral("平安银行"), "2024-1-3", "10:30"},
                                  {"601398", "", "", ""}};
    EXPECT_EQ(Picks::readPicksReply(Gbk::encode(reply)), expected);
    EXPECT_TRUE(Picks::readPicks(u"600000&1a&2b&3c&4").isEmpty());
}

TEST(Picks, NewPicksAreThoseNotKnownNorEarlierInTheBatch) {
    const Pick known{"600000", "a", "2024-1-3", "9:45"};
    const Pick later{"600000", "a", "2024-1-3", "10:30"};
    const Pick other{"000001", "b", "2024-1-3", "9:45"};
    EXPECT_EQ(Picks::newPicks({known}, {other, known, later, other}), (QList<Pick>{other, later}));
    EXPECT_TRUE(Picks::newPicks({known, later}, {later}).isEmpty());
}
