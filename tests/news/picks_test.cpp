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

TEST(Picks, OddRepliesAreReadMarkerByMarker) {
    // Each reply's picks as "code|name|date|time".
    const struct {
        const char* name;
        QString reply;
        QStringList expected;
    } cases[] = {
        {"markers between records",
         R"("#000000">a&1b&2c&3d&4"#000000">"#000000">e&1f&2g&3h&4)",
         {"a|b|c|d", "e|f|g|h"}},
        {"the last marker before the end starts the record", R"("#000000">x"#000000">a&1b&2c&3d&&4)", {"a|b|c|d&"}},
        {"a marker just before the end leaves nothing", R"("#000000">a&1b&2c&3d"#000000">&4)", {}},
        {"an empty record between two ends", R"("#000000">a&1b&2c&3d&4&4e&1f&2g&3h&4)", {"a|b|c|d", "e|f|g|h"}},
        {"a field marker twice", R"("#000000">a&1&1b&2c&3d&4)", {"a|&1b|c|d"}},
    };
    for (const auto& c : cases) {
        QStringList got;
        for (const Pick& pick : Picks::readPicks(c.reply))
            got << QStringList{pick.code, pick.name, pick.date, pick.time}.join(u'|');
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(Picks, NewPicksAreThoseNotKnownNorEarlierInTheBatch) {
    const Pick known{"600000", "a", "2024-1-3", "9:45"};
    const Pick later{"600000", "a", "2024-1-3", "10:30"};
    const Pick other{"000001", "b", "2024-1-3", "9:45"};
    EXPECT_EQ(Picks::newPicks({known}, {other, known, later, other}), (QList<Pick>{other, later}));
    EXPECT_TRUE(Picks::newPicks({known, later}, {later}).isEmpty());
}
