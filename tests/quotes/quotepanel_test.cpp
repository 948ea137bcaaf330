// What the quote panel and the index summary show for a record and for an index section.
#include "quotes/quotepanel.h"

#include <gtest/gtest.h>

#include <set>

using namespace Quotes;
using namespace Qt::StringLiterals;

namespace {

const QColor red(255, 0, 0);
const QColor green(0, 128, 0);

// A record line with fields 5, 6 and 17 as given, all eighteen fields closed.
QString recordLine(const QString& f5, const QString& f6, const QString& f17) {
    return u"1,600519,贵州茅台,1688.00,%1,%2,1687.99,12,1688.10,7,23456,395123.45,1670.00,1667.15,1690.00,1665.50,%3,"
           u"35,0.4%,10:00:00"_s.arg(f5, f6, f17);
}

} // namespace

TEST(QuotePanel, RecordFillsTheElevenLabelsColouredByItsSigns) {
    using enum PanelLabel;
    const QList<LabelWrite> expected{
        {Label2, u"1688.00元"_s, std::nullopt},
        {Label2, std::nullopt, green},
        {Label44, u"-1.25%"_s, green},
        {Label4, u"20.85元"_s, green},
        {Label38, u"1687.99元(12手)"_s, std::nullopt},
        {Label37, u"1688.10元(7手)"_s, std::nullopt},
        {Label8, u"23456手"_s, std::nullopt},
        {Label7, u"395123.45万元"_s, std::nullopt},
        {Label25, u"开盘价：1670.00元"_s, std::nullopt},
        {Label23, u"最高价：1690.00元"_s, std::nullopt},
        {Label24, u"最低价：1665.50元"_s, std::nullopt},
        {Label29, u"买盘↑ 35手"_s, red},
    };
    EXPECT_EQ(quotePanelWrites(parseQuoteRecord(recordLine("-1.25%", "20.85", "1"))), expected);
    // "0" is a rise; the last trade's side alone decides its own label.
    const QList<LabelWrite> flat = quotePanelWrites(parseQuoteRecord(recordLine("0", "0.00", "s-")));
    EXPECT_EQ(flat[1], (LabelWrite{Label2, std::nullopt, red}));
    EXPECT_EQ(flat.last(), (LabelWrite{Label29, u"卖盘↓ 35手"_s, green}));
}

TEST(QuotePanel, FieldsTheRecordLacksLeaveTheirLabels) {
    using enum PanelLabel;
    const std::pair<int, std::set<PanelLabel>> cases[] = {
        {3, {}},
        {4, {Label2}},
        {10, {Label2, Label44, Label4, Label38, Label37}},
        {17, {Label2, Label44, Label4, Label38, Label37, Label8, Label7, Label25, Label23, Label24}},
    };
    const QString full = recordLine("-1.25%", "-20.85", "1");
    for (const auto& [commas, expected] : cases) {
        qsizetype cut = -1;
        for (int i = 0; i < commas; ++i)
            cut = full.indexOf(u',', cut + 1);
        std::set<PanelLabel> written;
        for (const LabelWrite& write : quotePanelWrites(parseQuoteRecord(full.left(cut + 3))))
            written.insert(write.label);
        EXPECT_EQ(written, expected) << commas;
    }
}

TEST(IndexSummary, SectionsReadAsOneLineEach) {
    struct Case {
        QString page;
        std::optional<QString> text;
        std::optional<QColor> colour;
        std::optional<IndexRowCells> widget;
    };
    const QList<Case> cases{
        {u"上证指数,3245.67,12.34,0.38%,42345678.90,x,"_s, u"上证：3245.67  涨12.34↑ 成交4235亿"_s, red,
         IndexRowCells{"3245.67", "12.34", "0.38%", u"4235亿元"_s, false}},
        {u"深证成指,10245.67,-32.10,-0.31%,15000,"_s, u"深成：10245.67  跌-32.10↓ 成交2亿"_s, green,
         IndexRowCells{"10245.67", "-32.10", "-0.31%", u"2亿元"_s, true}},
        // Cut short: the main label shows what arrived, the widget row waits for a whole one.
        {u"深证成指,10245.67,0.00,0.00%"_s, u"深成：10245.67  涨0.00↑"_s, red, {}},
        {u"上证指数,3245.67,"_s, u"上证：3245.67"_s, {}, {}},
        {u"上证指数,3245.67"_s, {}, {}, {}},
    };
    for (const Case& c : cases) {
        const IndexSummary summary = indexSummary(parseIndexPage(c.page).sections.at(0));
        EXPECT_EQ(summary.text, c.text) << c.page.toStdString();
        EXPECT_EQ(summary.colour, c.colour) << c.page.toStdString();
        EXPECT_EQ(summary.widgetRow, c.widget) << c.page.toStdString();
    }
}
