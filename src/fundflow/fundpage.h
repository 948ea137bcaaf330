#pragma once

#include "fundflow/flowpage.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

// The stock fund page's share of the fund-flow detail page (`TForm24.getshzjmx`) and the rules of what the
// page shows: today's flows, the N-day sums and the verdict, and the chart pictures' addresses. No widgets.
namespace FundPage {

// The summary strings (`flowsummary`), as the summary row's cells hold them.
struct Summary {
    QString summarydate;   // cell 1: update date
    QString summarytime;   // cell 2: update time
    QString summarycode;   // cell 3
    QString summaryname;   // cell 4
    QString summaryprice;  // cell 5: latest price
    QString summaryddx;    // cell 7: real-time DDX
    QString summarynet;    // cell 10: today's net flow, 万元
    QString summaryxl;     // cell 11: today's extra-large-order flow
    QString summarylarge;  // cell 12: today's large-order flow
    QString summaryretail; // cell 14: today's small-order (retail) flow
    QString summarype;     // cell 44: P/E ratio
    QString summaryeps;    // cell 45: earnings per share

    bool operator==(const Summary&) const = default;
};

// The daily lists (`flowdays`): one entry per daily row, index 0 the newest day, amounts in 万元 as sent.
struct Days {
    QStringList dailynet;
    QStringList dailyxl;
    QStringList dailylarge;
    QStringList dailyretail; // small orders

    bool operator==(const Days&) const = default;
};

// Writes into `summary` each string whose cell the row holds; the others keep what they had.
void applySummary(const FlowPage::Cells& row, Summary& summary);

// The daily lists of the walked rows. The first daily row holds one cell more than the later ones, so its
// amounts are cells 10, 11, 12 and 14, and every later row's cells 9, 10, 11 and 13, also when the first row
// was short. A row that lacks one of its four cells adds nothing, so the lists stay parallel.
Days dailyLists(const QList<FlowPage::Cells>& days);

// One read of the page: the summary with this page's cells, and the daily lists.
struct Read {
    Summary summary;
    Days days;
};
// A page without a summary row is no page of a stock: it throws Failure, so the read fails and the window
// keeps the previous stock whole. A cell the summary row lacks keeps its text from `start`: the summary shown
// when the page is the shown stock's again, an empty one for any other stock (see startingSummary).
Read readPage(QByteArrayView page, const Summary& start);
// Where a read of `code` starts while the window shows `shown` of `flowcode`: no figure of one stock may stay
// under another stock's name.
Summary startingSummary(const QString& code, const QString& flowcode, const Summary& shown);

// A flow as the page shows it: "流入" and the amount in red, or "流出" and the amount in green.
struct Flow {
    QString text;
    QColor colour;

    bool operator==(const Flow&) const = default;
};
// Today's amounts as sent: an outflow when the text holds "-" anywhere, else an inflow (zero included).
Flow todayFlow(const QString& amount);
// A computed sum: an outflow when below 0.
Flow sumFlow(qint64 sum);

// The sums of the N newest days.
struct Sums {
    int days = 0; // N, cut to the entries there are
    qint64 net = 0;
    qint64 xl = 0;
    qint64 large = 0;
    qint64 retail = 0;

    bool operator==(const Sums&) const = default;
};
// N is cut to the length of the retail list; an entry among the N newest that is not an integer throws
// Failure.
Sums sums(const Days& days, int n);

// The two wordings of the verdict: the fill's, and the one the choice of N gives.
enum class Wording { Fill, ChoiceOfN };
// The verdict on the main funds (extra-large plus large orders) against retail over N days, for the stock
// named `name`; nothing when either sum is 0 (the label then shows its design text).
std::optional<QString> verdict(const QString& name, const Sums& sums, Wording wording);
// The verdict label's design text.
extern const QString verdictDesignText;

// The chart pictures of a code: the K-line and the real-time picture on the picture hosts, the market digit
// chosen by the code's first character ("1" for Shanghai, "2" otherwise).
QString klinePicture(const QString& code);
QString realtimePicture(const QString& code);

} // namespace FundPage
