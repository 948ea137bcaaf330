// The quote record's field scan, the look-up's reading, the sign convention and the monitor's quote lists.
#include "quotes/quoterecord.h"

#include "platform/failures.h"

#include <gtest/gtest.h>

using namespace Quotes;
using namespace Qt::StringLiterals;

namespace {

// A full record as the service sends it, with two fields past the 18th.
const QString fullRecord = u"1,600000,浦发银行,8.52,-1.16%,-0.10,8.51,120,8.52,88,345678,29456.12,8.60,8.62,8.65,8.49,"
                           u"-1,35,2.5%,2026-12-07 10:31:03"_s;

// The first `commas` fields of fullRecord with their closing commas, and the start of the next field.
QString cutAfterComma(int commas) {
    qsizetype position = -1;
    for (int i = 0; i < commas; ++i)
        position = fullRecord.indexOf(u',', position + 1);
    return fullRecord.left(position + 1) + QStringLiteral("tail");
}

} // namespace

TEST(QuoteRecord, FieldsExistOnceTheirCommaArrivedAndStopAtEighteen) {
    for (const int commas : {0, 3, 17, 18}) {
        const QuoteRecord record = parseQuoteRecord(cutAfterComma(commas));
        EXPECT_EQ(record.present, commas);
        EXPECT_EQ(record.lastSide, commas >= 17 ? u"-1"_s : QString()) << commas;
        EXPECT_EQ(record.lastVolume, commas >= 18 ? u"35"_s : QString()) << commas;
    }
    const QuoteRecord record = parseQuoteRecord(fullRecord);
    EXPECT_EQ(record.present, 18);
    EXPECT_EQ(QStringList({record.code, record.name, record.askVolume, record.open, record.high}),
              QStringList({"600000", u"浦发银行"_s, "88", "8.60", "8.65"})); // field 14 (8.62) is skipped
    EXPECT_EQ(record.field(14) + record.field(19), QString());
    // Fields are never trimmed.
    EXPECT_EQ(parseQuoteRecord(u"1, 600000 , 浦发 银行 ,"_s).name, u" 浦发 银行 "_s);
}

TEST(QuoteRecord, YzgpNameNeedsThreeCommas) {
    const std::pair<QByteArray, std::optional<QString>> cases[] = {
        {QByteArray(), std::nullopt},
        {"<html>Server Error</html>", std::nullopt},
        {"1,600000,", std::nullopt},
        {",999999,,,,,,,,,,,,,,,,,,", QString()},
        {u"2,000002,万科A,"_s.toUtf8(), u"万科A"_s},
        {u"1,600000,한국😀银行,8.52,"_s.toUtf8(), u"???银行"_s}, // characters outside GBK
    };
    for (const auto& [reply, name] : cases)
        EXPECT_EQ(yzgpName(reply), name) << reply.constData();
}

TEST(QuoteRecord, MinusAnywhereIsAFall) {
    const std::pair<QString, bool> cases[] = {{"-1.16%", true}, {"1.16%", false}, {"0", false}, {"0.00", false},
                                              {"1-2", true},    {"1.5-", true},   {"", false}};
    for (const auto& [text, fall] : cases) {
        EXPECT_EQ(isFall(text), fall) << text.toStdString();
        EXPECT_EQ(signColour(text), fall ? QColor(0, 128, 0) : QColor(255, 0, 0)) << text.toStdString();
        EXPECT_EQ(signArrow(text) + signWord(text), fall ? u"↓跌"_s : u"↑涨"_s) << text.toStdString();
    }
}

TEST(QuoteRecord, QuotePagePathTakesOnlySixDigits) {
    EXPECT_EQ(quotePagePath("600036"), u"/EM_Quote2007/optional.aspx?type=z&fav=600036&hick="_s + hick);
    for (const QString& code :
         {u""_s, u"60003"_s, u"6000360"_s, u"60003a"_s, u"６０００３６"_s, u"600&x="_s, u" 60003"_s})
        EXPECT_THROW(quotePagePath(code), Failure) << code.toStdString();
}

TEST(QuoteLists, ShortRecordsKeepLaterStocksAlignedAndAnExactZeroIsStoredAsZeroPointZero) {
    QuoteLists lists;
    lists.appendRecord(parseQuoteRecord(fullRecord));
    lists.appendRecord(parseQuoteRecord(u"2,000002,万科A,6.95,"_s));
    lists.appendRecord(readQuoteReply(QByteArray()));
    lists.appendRecord(parseQuoteRecord(u"1,601318,中国平安,45.10,0,0.00,45.09,9,45.10,12,1,2,3,4,5,6,1,1200,"_s));
    ASSERT_EQ(lists.size(), 4);
    for (const int field : QuoteLists::fields)
        EXPECT_EQ(lists.list(field).size(), 4) << field;
    EXPECT_EQ(QStringList({lists.entry(3, 1), lists.entry(5, 1), lists.entry(18, 3), lists.entry(15, 3)}),
              QStringList({u"万科A"_s, "", "1200", "5"}));
    EXPECT_THROW(lists.entry(2, 4), Failure);
    EXPECT_THROW(lists.list(14), Failure);
    lists.clear();
    EXPECT_TRUE(lists.list(18).isEmpty());

    for (const auto& [field5, stored] : {std::pair{"0", "0.0"}, {"0.00%", "0.00%"}, {"-0", "-0"}, {" 0", " 0"}}) {
        lists.appendRecord(parseQuoteRecord(u"1,600000,浦发银行,8.52,"_s + QString::fromLatin1(field5) + u','));
        EXPECT_EQ(lists.entry(5, lists.size() - 1), QString::fromLatin1(stored)) << field5;
    }
}

TEST(QuoteRecord, HostileRepliesNeverBreakTheScan) {
    EXPECT_EQ(readQuoteReply(QByteArray(8 * 1024 * 1024, ',')).present, 18);
    EXPECT_EQ(readQuoteReply(QByteArray(8 * 1024 * 1024, 'x')).present, 0);
    // Bytes that are not UTF-8 become "?" and the fields around them stay where they were.
    const QuoteRecord broken = readQuoteReply(QByteArray("1,600000,\xff\xfe\x80,8.52,"));
    EXPECT_EQ(broken.code + broken.price, QStringLiteral("6000008.52"));
    EXPECT_FALSE(broken.name.contains(u','));
}
