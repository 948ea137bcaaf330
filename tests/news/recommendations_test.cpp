#include "news/recommendations.h"

#include "platform/gbk.h"

#include <gtest/gtest.h>

using namespace Recommendations;

namespace {

const QString head = QStringLiteral("<html><body bgcolor=\"#FFFFFF\" text=\"#000000\">");

QString record(const QString& ip, const QString& stock, const QString& reason, const QString& time) {
    return QStringLiteral("$a0%1$a1%2$a2%3$a3%4$a4").arg(ip, stock, reason, time);
}

Tip tip(const QString& ip, const QString& reason = QStringLiteral("r")) {
    return {paddedIp(ip), paddedStock(QStringLiteral("浦发银行(600000)")), reason, QStringLiteral("2024-1-3 9:40:00")};
}

} // namespace

TEST(Recommendations, PadsAddressesAndStocksForTheColumns) {
    const QList<std::pair<QString, QString>> ips = {{"1.2.3.4", "1.2.3.4         "},
                                                    {"地址1.2", "地址1.2" + QString(9, u' ')},
                                                    {"222.66.105.133", "222.66.105.133  "},
                                                    {"1234567890123456", "1234567890123456"},
                                                    {"12345678901234567", "12345678901234567"}};
    for (const auto& [ip, stored] : ips)
        EXPECT_EQ(paddedIp(ip), stored) << ip.toStdString();
    // Chinese characters count two columns: the usual names all end up 16 columns wide.
    const QList<std::pair<QString, QString>> stocks = {
        {"浦发银行(600000)", "浦发银行(600000)"},  {"比亚迪(002594)", "比亚迪(002594)  "},
        {"*ST大唐(600198)", "*ST大唐(600198) "},   {"ABCDEFGH(600000)", "ABCDEFGH(600000)"},
        {"*STABCDE(600000)", "*STABCDE(600000) "}, {"ABCDEFGHI(600000)", "ABCDEFGHI(600000)  "}};
    for (const auto& [stock, stored] : stocks)
        EXPECT_EQ(paddedStock(stock), stored) << stock.toStdString();
}

TEST(Recommendations, ScansRecordsAfterTheMarkerOnly) {
    const QString one = record("1.2.3.4", "浦发银行(600000)", "放量</body>突破", "2024-1-3 9:40:00");
    struct Case {
        const char* name;
        QString reply;
        qsizetype count;
    };
    const QList<Case> cases = {
        {"two records, blanks around trimmed", head + " \n" + one + "<br>\n $a0 a$a1b$a2c$a3d $a4", 2},
        {"before the marker", one + head, 0},
        {"no marker", one, 0},
        {"close without open", head + "x$a1y$a2z$a3w$a4", 0},
        {"field marker missing", head + "$a0a$a1b$a3d$a4", 0},
        {"unclosed record", head + "$a0a$a1b$a2c$a3d", 0},
        {"second open restarts", head + "$a0junk$a0" + one.mid(3), 1},
        {"cut marker", head + one + "$a", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readTips(c.reply).size(), c.count) << c.name;

    const QList<Tip> tips = readTipsReply(Gbk::encode(head + " " + one + record("x", "y", "z", "w ")));
    ASSERT_EQ(tips.size(), 2);
    EXPECT_EQ(tips[0], (Tip{"1.2.3.4         ", "浦发银行(600000)", "放量</body>突破", "2024-1-3 9:40:00"}));
    EXPECT_EQ(tips[1].time, QStringLiteral("w"));
    EXPECT_EQ(caption(tips[0]), QStringLiteral(" 1.2.3.4          浦发银行(600000)   放量</body>突破"));
    EXPECT_EQ(hint(tips[0]), QStringLiteral("放量</body>突破【推荐时间：2024-1-3 9:40:00】"));
}

TEST(Recommendations, FirstLoadAppendsLaterLoadsPutTheNewBlockOnTop) {
    const QList<Tip> known = {tip("1.1.1.1"), tip("2.2.2.2")};
    const QList<Tip> batch = {tip("3.3.3.3"), tip("1.1.1.1"), tip("4.4.4.4"), tip("3.3.3.3")};
    EXPECT_EQ(withNewTips(known, batch, true), (QList<Tip>{known[0], known[1], batch[0], batch[2]}));
    EXPECT_EQ(withNewTips(known, batch, false), (QList<Tip>{batch[0], batch[2], known[0], known[1]}));
    // The identity is the four stored texts: another reason is another recommendation.
    EXPECT_EQ(withNewTips(known, {tip("1.1.1.1", "other")}, false).size(), 3);
}

TEST(Recommendations, OnlySixDigitsBetweenTheParenthesesAreACode) {
    const QList<std::pair<QString, QString>> cases = {{" 1.2.3.4  浦发银行(600000)   r", "600000"},
                                                      {" ip *ST大唐(600198)  (000001)", "600198"},
                                                      {" ip 浦发(60000)   r", ""},
                                                      {" ip 浦发(600000/../x)   r", ""},
                                                      {" ip 浦发(600000", ""},
                                                      {" (1.2 浦发(600000)", ""},
                                                      {" ip 浦发(６０００００)", ""},
                                                      {" ip no code", ""}};
    for (const auto& [text, code] : cases)
        EXPECT_EQ(captionCode(text), code) << text.toStdString();
}
