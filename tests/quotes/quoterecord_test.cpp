#include "quotes/quoterecord.h"

#include "platform/failures.h"

#include <gtest/gtest.h>

using namespace Quotes;

namespace {

// A full record as the service sends it, with two fields past the 18th.
const QString fullRecord =
    QStringLiteral("1,600000,浦发银行,8.52,-1.16%,-0.10,8.51,120,8.52,88,345678,29456.12,8.60,8.62,8.65,8.49,-1,35,"
                   "2.5%,2026-12-07 10:31:03");

// The first `commas` fields of fullRecord with their closing commas, and the start of the next field.
QString cutAfterComma(const QString& record, int commas) {
    qsizetype position = -1;
    for (int i = 0; i < commas; ++i)
        position = record.indexOf(QLatin1Char(','), position + 1);
    return record.left(position + 1) + QStringLiteral("tail");
}

} // namespace

TEST(QuoteRecord, FieldExistsOnlyWhenItsClosingCommaArrived) {
    struct Case {
        int commas;
        int present;
        QString lastVolume; // field 18
        QString lastSide;   // field 17
    };
    const QList<Case> cases{
        {18, 18, QStringLiteral("35"), QStringLiteral("-1")},
        {17, 17, QString(), QStringLiteral("-1")},
        {3, 3, QString(), QString()},
        {0, 0, QString(), QString()},
    };
    for (const Case& c : cases) {
        const QuoteRecord record = parseQuoteRecord(cutAfterComma(fullRecord, c.commas));
        EXPECT_EQ(record.present, c.present) << c.commas;
        EXPECT_EQ(record.lastVolume, c.lastVolume) << c.commas;
        EXPECT_EQ(record.lastSide, c.lastSide) << c.commas;
        EXPECT_EQ(record.has(18), c.commas >= 18) << c.commas;
    }
}

TEST(QuoteRecord, ReadsNamedFieldsAndStopsAtEighteen) {
    const QuoteRecord record = parseQuoteRecord(fullRecord);
    EXPECT_EQ(record.present, 18);
    EXPECT_EQ(record.code, QStringLiteral("600000"));
    EXPECT_EQ(record.name, QStringLiteral("浦发银行"));
    EXPECT_EQ(record.changePercent, QStringLiteral("-1.16%"));
    EXPECT_EQ(record.askVolume, QStringLiteral("88"));
    EXPECT_EQ(record.open, QStringLiteral("8.60"));
    // Field 14 (8.62) is skipped: the high is field 15.
    EXPECT_EQ(record.high, QStringLiteral("8.65"));
    EXPECT_EQ(record.field(15), QStringLiteral("8.65"));
    EXPECT_EQ(record.field(14), QString());
    EXPECT_EQ(record.field(19), QString());
    EXPECT_EQ(closedFields(fullRecord).size(), 18);
}

TEST(QuoteRecord, FieldsAreNeverTrimmed) {
    const QuoteRecord record = parseQuoteRecord(QStringLiteral("1, 600000 , 浦发 银行 ,\t8.52\t,"));
    EXPECT_EQ(record.code, QStringLiteral(" 600000 "));
    EXPECT_EQ(record.name, QStringLiteral(" 浦发 银行 "));
    EXPECT_EQ(record.price, QStringLiteral("\t8.52\t"));
}

TEST(QuoteRecord, YzgpNameNeedsThreeCommas) {
    struct Case {
        QByteArray reply;
        std::optional<QString> name;
    };
    const QList<Case> cases{
        {QByteArray(), std::nullopt},
        {QByteArray("<html>Server Error</html>"), std::nullopt},
        {QByteArray("1,600000,"), std::nullopt},
        {QByteArray(",999999,,,,,,,,,,,,,,,,,,"), QString()},
        {QStringLiteral("2,000002,万科A,").toUtf8(), QStringLiteral("万科A")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(yzgpName(c.reply), c.name) << c.reply.constData();
}

TEST(QuoteRecord, MinusAnywhereIsAFall) {
    struct Case {
        QString text;
        bool fall;
    };
    const QList<Case> cases{
        {QStringLiteral("-1.16%"), true},
        {QStringLiteral("1.16%"), false},
        {QStringLiteral("0"), false},
        {QStringLiteral("0.00"), false},
        {QStringLiteral("1-2"), true},
        {QStringLiteral("1.5-"), true},
        {QString(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isFall(c.text), c.fall) << c.text.toStdString();
        EXPECT_EQ(signColour(c.text), c.fall ? QColor(0, 128, 0) : QColor(255, 0, 0)) << c.text.toStdString();
        EXPECT_EQ(signArrow(c.text), c.fall ? QStringLiteral("↓") : QStringLiteral("↑"));
        EXPECT_EQ(signWord(c.text), c.fall ? QStringLiteral("跌") : QStringLiteral("涨"));
    }
}

TEST(QuoteRecord, QuotePagePathTakesOnlySixDigits) {
    EXPECT_EQ(quotePagePath(QStringLiteral("600036")),
              QStringLiteral("/EM_Quote2007/optional.aspx?type=z&fav=600036&hick=") + hick);
    const QStringList refused{
        QString(),
        QStringLiteral("60003"),
        QStringLiteral("6000360"),
        QStringLiteral("60003a"),
        QStringLiteral("６０００３６"),
        QStringLiteral("600&x="),
        QStringLiteral(" 60003"),
    };
    for (const QString& code : refused)
        EXPECT_THROW(quotePagePath(code), Failure) << code.toStdString();
}

TEST(QuoteLists, ShortRecordKeepsLaterStocksAligned) {
    QuoteLists lists;
    lists.appendRecord(parseQuoteRecord(fullRecord));
    lists.appendRecord(parseQuoteRecord(QStringLiteral("2,000002,万科A,6.95,")));
    lists.appendRecord(readQuoteReply(QByteArray()));
    lists.appendRecord(parseQuoteRecord(QStringLiteral("1,601318,中国平安,45.10,0,0.00,45.09,9,45.10,12,1,2,3,4,5,6,"
                                                       "1,1200,")));
    ASSERT_EQ(lists.size(), 4);
    for (const int field : QuoteLists::fields)
        EXPECT_EQ(lists.list(field).size(), 4) << field;
    EXPECT_EQ(lists.entry(3, 1), QStringLiteral("万科A"));
    EXPECT_EQ(lists.entry(5, 1), QString());
    EXPECT_EQ(lists.entry(2, 3), QStringLiteral("601318"));
    EXPECT_EQ(lists.entry(18, 3), QStringLiteral("1200"));
    EXPECT_EQ(lists.entry(15, 3), QStringLiteral("5"));
    EXPECT_THROW(lists.entry(2, 4), Failure);
    EXPECT_THROW(lists.list(14), Failure);
    lists.clear();
    EXPECT_EQ(lists.size(), 0);
    EXPECT_TRUE(lists.list(18).isEmpty());
}

TEST(QuoteLists, ExactZeroChangeIsStoredAsZeroPointZero) {
    struct Case {
        QString field5;
        QString stored;
    };
    const QList<Case> cases{
        {QStringLiteral("0"), QStringLiteral("0.0")},       {QStringLiteral("0.00%"), QStringLiteral("0.00%")},
        {QStringLiteral("-0"), QStringLiteral("-0")},       {QStringLiteral(" 0"), QStringLiteral(" 0")},
        {QStringLiteral("1.23%"), QStringLiteral("1.23%")},
    };
    for (const Case& c : cases) {
        QuoteLists lists;
        lists.appendRecord(parseQuoteRecord(QStringLiteral("1,600000,浦发银行,8.52,") + c.field5 + QLatin1Char(',')));
        EXPECT_EQ(lists.entry(5, 0), c.stored) << c.field5.toStdString();
    }
}

TEST(QuoteRecord, HostileRepliesNeverBreakTheScan) {
    const QByteArray huge(8 * 1024 * 1024, ',');
    const QuoteRecord commas = readQuoteReply(huge);
    EXPECT_EQ(commas.present, 18);
    EXPECT_EQ(commas.lastVolume, QString());

    const QuoteRecord noCommas = readQuoteReply(QByteArray(8 * 1024 * 1024, 'x'));
    EXPECT_EQ(noCommas.present, 0);

    // Bytes that are not UTF-8 become "?" and the fields around them stay where they were.
    const QuoteRecord broken = readQuoteReply(QByteArray("1,600000,\xff\xfe\x80,8.52,"));
    EXPECT_EQ(broken.code, QStringLiteral("600000"));
    EXPECT_EQ(broken.price, QStringLiteral("8.52"));
    EXPECT_FALSE(broken.name.contains(QLatin1Char(',')));
}
