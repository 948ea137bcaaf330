// What the quote panel and the index summary show for a record and for an index section.
#include "quotes/quotepanel.h"

#include <gtest/gtest.h>

#include <set>

using namespace Quotes;

namespace {

const QColor red(255, 0, 0);
const QColor green(0, 128, 0);

// A record line with fields 5, 6 and 17 as given, all eighteen fields closed.
QString recordLine(const QString& f5, const QString& f6, const QString& f17) {
    return QStringLiteral("1,600519,贵州茅台,1688.00,%1,%2,1687.99,12,1688.10,7,23456,395123.45,1670.00,1667.15,"
                          "1690.00,1665.50,%3,35,0.4%,10:00:00")
        .arg(f5, f6, f17);
}

std::optional<LabelWrite> writeTo(const QList<LabelWrite>& writes, PanelLabel label) {
    std::optional<LabelWrite> merged;
    for (const LabelWrite& write : writes) {
        if (write.label != label)
            continue;
        if (!merged)
            merged = LabelWrite{label, {}, {}};
        if (write.text)
            merged->text = write.text;
        if (write.colour)
            merged->colour = write.colour;
    }
    return merged;
}

IndexSection firstSection(const QString& page) {
    return parseIndexPage(page).sections.at(0);
}

} // namespace

TEST(QuotePanel, RisingRecordFillsTheElevenLabels) {
    const QList<LabelWrite> writes = quotePanelWrites(parseQuoteRecord(recordLine("1.25%", "20.85", "1")));
    const QList<LabelWrite> expected{
        {PanelLabel::Label2, QStringLiteral("1688.00元"), red},
        {PanelLabel::Label44, QStringLiteral("1.25%"), red},
        {PanelLabel::Label4, QStringLiteral("20.85元"), red},
        {PanelLabel::Label38, QStringLiteral("1687.99元(12手)"), std::nullopt},
        {PanelLabel::Label37, QStringLiteral("1688.10元(7手)"), std::nullopt},
        {PanelLabel::Label8, QStringLiteral("23456手"), std::nullopt},
        {PanelLabel::Label7, QStringLiteral("395123.45万元"), std::nullopt},
        {PanelLabel::Label25, QStringLiteral("开盘价：1670.00元"), std::nullopt},
        {PanelLabel::Label23, QStringLiteral("最高价：1690.00元"), std::nullopt},
        {PanelLabel::Label24, QStringLiteral("最低价：1665.50元"), std::nullopt},
        {PanelLabel::Label29, QStringLiteral("买盘↑ 35手"), red},
    };
    for (const LabelWrite& want : expected)
        EXPECT_EQ(writeTo(writes, want.label), want) << static_cast<int>(want.label);
}

TEST(QuotePanel, MinusAnywhereTurnsTheSignedLabelsGreen) {
    struct Case {
        QString f5, f6, f17;
        QString label44;
        QColor direction;
        QString label29;
        QColor lastTrade;
    };
    const QList<Case> cases{
        {"-1.25%", "-20.85", "-1", "-1.25%", green, QStringLiteral("卖盘↓ 35手"), green},
        {"0", "0.00", "1", "0", red, QStringLiteral("买盘↑ 35手"), red},
        {"1.25-", "20.85", "s-", "1.25-", green, QStringLiteral("卖盘↓ 35手"), green},
        {"0.5%", "0.05", "", "0.5%", red, QStringLiteral("买盘↑ 35手"), red},
    };
    for (const Case& c : cases) {
        const QList<LabelWrite> writes = quotePanelWrites(parseQuoteRecord(recordLine(c.f5, c.f6, c.f17)));
        const std::string row = c.f5.toStdString();
        EXPECT_EQ(writeTo(writes, PanelLabel::Label44)->text, c.label44) << row;
        for (PanelLabel signedLabel : {PanelLabel::Label2, PanelLabel::Label44, PanelLabel::Label4})
            EXPECT_EQ(writeTo(writes, signedLabel)->colour, c.direction) << row;
        EXPECT_EQ(writeTo(writes, PanelLabel::Label29), (LabelWrite{PanelLabel::Label29, c.label29, c.lastTrade}))
            << row;
    }
}

TEST(QuotePanel, FieldsTheRecordLacksLeaveTheirLabels) {
    struct Case {
        int commas;
        std::set<PanelLabel> written;
    };
    using enum PanelLabel;
    const QList<Case> cases{
        {3, {}},
        {4, {Label2}},
        {5, {Label2, Label44}},
        {10, {Label2, Label44, Label4, Label38, Label37}},
        {14, {Label2, Label44, Label4, Label38, Label37, Label8, Label7, Label25}},
        {17, {Label2, Label44, Label4, Label38, Label37, Label8, Label7, Label25, Label23, Label24}},
        {18, {Label2, Label44, Label4, Label38, Label37, Label8, Label7, Label25, Label23, Label24, Label29}},
    };
    const QString full = recordLine("-1.25%", "-20.85", "1");
    for (const Case& c : cases) {
        // Keep the text up to the wanted closing comma; the rest of the next field follows, unclosed.
        qsizetype cut = -1;
        for (int i = 0; i < c.commas; ++i)
            cut = full.indexOf(u',', cut + 1);
        const QList<LabelWrite> writes = quotePanelWrites(parseQuoteRecord(full.left(cut + 3)));
        std::set<PanelLabel> written;
        for (const LabelWrite& write : writes)
            written.insert(write.label);
        EXPECT_EQ(written, c.written) << c.commas;
    }
    // The price arrives before the change percentage that colours it.
    const QList<LabelWrite> priceOnly = quotePanelWrites(parseQuoteRecord(full.left(full.indexOf(u"-1.25%"))));
    EXPECT_EQ(writeTo(priceOnly, PanelLabel::Label2),
              (LabelWrite{PanelLabel::Label2, QStringLiteral("1688.00元"), {}}));
}

TEST(IndexSummary, SectionsReadAsOneLineEach) {
    struct Case {
        QString page;
        std::optional<QString> text;
        std::optional<QColor> colour;
        std::optional<IndexRowCells> widget;
    };
    const QList<Case> cases{
        {QStringLiteral("上证指数,3245.67,12.34,0.38%,42345678.90,x,"),
         QStringLiteral("上证：3245.67  涨12.34↑ 成交4235亿"), red,
         IndexRowCells{"3245.67", "12.34", "0.38%", QStringLiteral("4235亿元"), false}},
        {QStringLiteral("深证成指,10245.67,-32.10,-0.31%,12345,"), QStringLiteral("深成：10245.67  跌-32.10↓ 成交1亿"),
         green, IndexRowCells{"10245.67", "-32.10", "-0.31%", QStringLiteral("1亿元"), true}},
        {QStringLiteral("深证成指,10245.67,0.00,0.00%,15000,"), QStringLiteral("深成：10245.67  涨0.00↑ 成交2亿"), red,
         IndexRowCells{"10245.67", "0.00", "0.00%", QStringLiteral("2亿元"), false}},
        {QStringLiteral("上证指数,3245.67,1.5,0.05%,25000,"), QStringLiteral("上证：3245.67  涨1.5↑ 成交2亿"), red,
         IndexRowCells{"3245.67", "1.5", "0.05%", QStringLiteral("2亿元"), false}},
        // Cut short: the main label shows what arrived, the widget row waits for a whole one.
        {QStringLiteral("深证成指,10245.67,-32.10,-0.31%"), QStringLiteral("深成：10245.67  跌-32.10↓"), green, {}},
        {QStringLiteral("上证指数,3245.67,"), QStringLiteral("上证：3245.67"), {}, {}},
        {QStringLiteral("上证指数,3245.67"), {}, {}, {}},
    };
    for (const Case& c : cases) {
        const IndexSummary summary = indexSummary(firstSection(c.page));
        EXPECT_EQ(summary.text, c.text) << c.page.toStdString();
        EXPECT_EQ(summary.colour, c.colour) << c.page.toStdString();
        EXPECT_EQ(summary.widgetRow, c.widget) << c.page.toStdString();
    }
}
