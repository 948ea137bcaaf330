#pragma once

// The main window with the ten-day, distribution and announcement windows, the current stock set and its
// big-order pages completed by the test through the fake page loaders.
#include "app/form1_fixture.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "fundflow/bigorderpage.h"
#include "fundflow/bigorderplans.h"
#include "fundflow/tform10.h"
#include "fundflow/tform13.h"
#include "fundflow/tform14.h"
#include "market.h"
#include "platform/gbk.h"
#include "sites.h"
#include "support/charttexts.h"

#include <QCheckBox>
#include <QLabel>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include <utility>

class BigOrderWindows : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        form = std::make_unique<RecordingForm1>();
        Form1 = form.get();
        Form10 = new TForm10;
        Form13 = new TForm13;
        Form14 = new TForm14;
        form->state.curcode = QStringLiteral("000001");
        form->state.curname = QStringLiteral("平安银行");
    }
    void TearDown() override {
        delete std::exchange(Form10, nullptr);
        delete std::exchange(Form13, nullptr);
        delete std::exchange(Form14, nullptr);
        Form1 = nullptr;
        form.reset();
        Form1Test::TearDown();
    }

    // The page loader "finished loading" its last navigation to a page (or a page of its own) with this body.
    static void complete(const std::unique_ptr<WebBrowser>& loader, const QString& body) {
        QString page = QStringLiteral("http://127.0.0.1/page");
        for (const QString& address : fake(loader)->navigations) {
            if (address != blankPage)
                page = address;
        }
        fake(loader)->complete(page, body);
    }
    static inline const QString blankPage = QStringLiteral("about:blank");
    void completeBars(const QString& buys, const QString& sells) {
        complete(form->WebBrowser2, QStringLiteral("&values=%1&values_2=%2&").arg(buys, sells));
    }

    // A bar chart as text: each bar set's title and values, then the texts under the bars:
    // "大单买入 12 30|大单卖出 5 41|10:00 10:30".
    static QString barsOf(QChartView* view) {
        QStringList parts;
        for (QAbstractSeries* series : view->chart()->series()) {
            for (QBarSet* set : qobject_cast<QBarSeries*>(series)->barSets()) {
                QStringList values{set->label()};
                for (int i = 0; i < set->count(); ++i)
                    values << QString::number(set->at(i));
                parts << values.join(u' ');
            }
        }
        for (QAbstractAxis* axis : view->chart()->axes(Qt::Horizontal))
            parts << qobject_cast<QBarCategoryAxis*>(axis)->categories().join(u' ');
        return parts.join(u'|');
    }

    // The sample big-order site's page of every listed stock at a moment, as the page loader hands it over; after
    // the close: eight half hours, ten days, the day's size classes.
    static QList<QString> samplePages(BigOrder::Page page,
                                      const QDateTime& moment = QDateTime(QDate(2024, 6, 5), QTime(16, 0))) {
        Sites::Registry sites;
        Sites::Registration::addAll(sites);
        Market::startAt(moment);
        QList<QString> pages;
        for (const Market::Listing& listing : Market::listings()) {
            Loopback::HttpRequest request;
            request.method = "GET";
            request.target = request.path =
                "/bigorder" + BigOrder::pageAddress(QString(), listing.code, page).toLatin1();
            pages << Gbk::decode(sites.serve(request).body);
        }
        return pages;
    }

    std::unique_ptr<RecordingForm1> form;
};
