// The fund-flow detail page walk and the stock fund page's reading of it, on pages written for the test.
#include "flowpages.h"

#include "fundflow/flowpage.h"
#include "fundflow/fundpage.h"
#include "platform/failures.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const QByteArray kMarker = "<tr onmouseover=\"this.style.backgroundColor='a'\">";

QStringList texts(const FlowPage::Cells& cells) {
    QStringList values;
    for (const QByteArrayView cell : cells)
        values << FlowPage::decodeCell(cell);
    return values;
}

struct WalkCase {
    const char* name;
    QByteArray page;
    std::optional<QStringList> summary;
    QList<QStringList> days;
};

// Amounts per row: "N3" is row 3's net, "X3" extra-large, "L3" large, "M3" medium, "S3" small.
QStringList amounts(int row) {
    QStringList values;
    for (const char* kind : {"N", "X", "L", "M", "S"})
        values << QString::fromLatin1(kind) + QString::number(row);
    return values;
}

} // namespace

TEST(FlowPageWalk, FindsTheRowsAndCellValuesByTheirMarkers) {
    const QList<WalkCase> cases{
        {"cell values: direct, wrapped in a tag, header cells, no '<', no opening",
         "<thead></thead><tr>x/td><td>a</td><td class=\"up\">-12</td><td><font color=red>-5</font></td><th>h</th>"
         "<td>5/td><td><b>x</b>y</td></tr>",
         QStringList{"a", "-12", "", ""},
         {}},
        {"no table head", "<table><tr><td>1</td></tr>" + kMarker + "<td>2</td></tr></table>", std::nullopt, {}},
        {"a table end before the first row marker, a doubled marker, a row end without a marker",
         "<thead></thead><tr><td>s</td></tr></table><table><tr><th>d</th></tr>" + kMarker + "<td>lost</td>" + kMarker +
             "<td>1</td></tr><tr><td>stale</td></tr>" + kMarker + "<td>2</td></tr></table>" + kMarker +
             "<td>after</td></tr>",
         QStringList{"s"},
         {{"1"}, {"2"}}},
        {"only the first table head opens the summary, GBK text",
         Gbk::encode(QStringLiteral("<thead></thead><tr><td>贵州茅台</td></tr></thead><tr><td>no</td></tr>")) +
             kMarker + "<td>1</td></tr>",
         QStringList{QStringLiteral("贵州茅台")},
         {{"1"}}},
        {"a page cut inside a daily row",
         "<thead></thead><tr></tr>" + kMarker + "<td>1</td></tr>" + kMarker + "<td>2</td",
         QStringList{},
         {{"1"}}},
    };
    for (const WalkCase& c : cases) {
        const FlowPage::Walk walked = FlowPage::walk(c.page);
        ASSERT_EQ(walked.summary.has_value(), c.summary.has_value()) << c.name;
        if (c.summary) {
            EXPECT_EQ(texts(*walked.summary), *c.summary) << c.name;
        }
        QList<QStringList> days;
        for (const FlowPage::Cells& row : walked.days)
            days << texts(row);
        EXPECT_EQ(days, c.days) << c.name;
    }
}

TEST(FundPageRead, FirstRowOneCellFurtherRightAndShortRowsAddNothing) {
    // 31 full rows, then a short one and a full one: 32 entries, newest first.
    QList<QStringList> days;
    for (int row = 0; row < 33; ++row)
        days << FlowPages::day(FlowPages::date(2024, 1, 1), row == 0, amounts(row)).mid(0, row == 31 ? 12 : 14);
    const FundPage::Days read = FundPage::readPage(FlowPages::page(FlowPages::summary(), days), {}).days;
    ASSERT_EQ(read.dailynet.size(), 32);
    EXPECT_EQ((QStringList{read.dailynet[0], read.dailyxl[0], read.dailylarge[0], read.dailyretail[0]}),
              (QStringList{"N0", "X0", "L0", "S0"}));
    EXPECT_EQ((QStringList{read.dailynet[30], read.dailyxl[30], read.dailylarge[30], read.dailyretail[30]}),
              (QStringList{"N30", "X30", "L30", "S30"}));
    EXPECT_EQ(read.dailyretail[31], "S32");

    // A short newest row: the next row is read with the later numbers all the same.
    days = {days[0].mid(0, 12), days[1]};
    EXPECT_EQ(FundPage::readPage(FlowPages::page(FlowPages::summary(), days), {}).days.dailynet, QStringList{"N1"});
}

TEST(FundPageRead, ASummaryRowCutShortKeepsOnlyTheSameStocksFiguresAndAPageWithoutOneFails) {
    FundPage::Summary shown;
    shown.summarype = QStringLiteral("old pe");
    shown.summaryeps = QStringLiteral("old eps");
    const QByteArray page = FlowPages::page(FlowPages::summary({{4, QStringLiteral("贵州茅台")}}).mid(0, 43), {});
    FundPage::Summary expected{"s1",  "s2",     "s3",     QStringLiteral("贵州茅台"), "s5", "s7", "s10", "s11", "s12",
                               "s14", "old pe", "old eps"};
    // The stock shown, read again: the cells the row lacks (P/E, EPS) keep their texts.
    EXPECT_EQ(FundPage::readPage(page, FundPage::startingSummary("600519", "600519", shown)).summary, expected);
    // Another stock starts empty: nothing of the stock shown before stays under the new name.
    expected.summarype.clear();
    expected.summaryeps.clear();
    EXPECT_EQ(FundPage::readPage(page, FundPage::startingSummary("600519", "000001", shown)).summary, expected);
    EXPECT_THROW(FundPage::readPage(Gbk::encode(QStringLiteral("<html>系统繁忙</html>")), shown), Failure);
}
