// The hover window's two holding lines at the window's own size, drawn from the sample holdings site's pages and
// from the widest lines it can give: every percentage on the left axes written whole.
#include "app/form1_fixture.h"
#include "market.h"
#include "news/holdinglines.h"
#include "news/tform17.h"
#include "sites.h"
#include "support/charttexts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

namespace {

// The sample site's page of every listed stock on a day past 30 trading days of its market.
QList<QByteArray> sampleHoldingPages() {
    Sites::Registry sites;
    Sites::Registration::addAll(sites);
    Market::startAt(QDateTime(QDate(2024, 6, 5), QTime(15, 0)));
    QList<QByteArray> pages;
    for (const Market::Listing& listing : Market::listings()) {
        Loopback::HttpRequest request;
        request.method = "GET";
        request.target = "/holdings" + Holdings::holdingsPath(listing.code).toLatin1();
        request.path = request.target.left(request.target.indexOf('?'));
        request.query = request.target.mid(request.target.indexOf('?') + 1);
        pages << sites.serve(request).body;
    }
    return pages;
}

// The widest lines the site gives: the main force climbing from 5% to 75% of the shares (its bounds), the retail
// investors falling from 38% to 10% (theirs).
QByteArray widestPage() {
    QByteArray page;
    for (int day = 1; day <= 30; ++day) {
        const double main = 5 + 70.0 * (day - 1) / 29;
        page += QStringLiteral("2024-5-%1 0:00:00,%2,1,2,3,%3\n").arg(day).arg(main).arg(0.4 * (100 - main)).toLatin1();
    }
    return page;
}

const QRegularExpression percentLabel(QStringLiteral("^\\d+\\.\\d%$"));

// The window needs the fake platform services for its browser.
class HoldingCharts : public Form1Test {};

} // namespace

TEST_F(HoldingCharts, EveryPercentageIsWrittenWholeInOneDecimal) {
    TForm17 form;
    form.show();
    QList<QByteArray> pages = sampleHoldingPages();
    pages << widestPage();
    for (const QByteArray& page : pages) {
        form.showHoldingLines(Holdings::readHoldingLines(page));
        QCoreApplication::processEvents();
        for (const char* name : {"Chart3", "Chart4"}) {
            SCOPED_TRACE(name);
            const QChartView* view = widgetNamed<QChartView>(&form, name);
            const auto* values = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
            ASSERT_TRUE(values);
            EXPECT_EQ(values->labelFormat(), QStringLiteral("%.1f%%"));
            for (const QAbstractAxis* axis : view->chart()->axes())
                EXPECT_FALSE(axis->truncateLabels());
            int percentages = 0;
            for (const ShownText& shown : shownTexts(view)) {
                EXPECT_FALSE(isElided(shown.text)) << shown.text.toStdString();
                EXPECT_TRUE(QRectF(view->viewport()->rect()).contains(shown.rect)) << shown.text.toStdString();
                if (shown.text.endsWith(u'%')) {
                    EXPECT_TRUE(percentLabel.match(shown.text).hasMatch()) << shown.text.toStdString();
                    ++percentages;
                }
            }
            // Not one tick without its value: none was dropped for lack of room.
            EXPECT_EQ(percentages, values->tickCount());
        }
    }
}
