#pragma once

#include "news/holdinglines.h"

#include <QList>
#include <QWidget>

#include <memory>

class QCategoryAxis;
class QChartView;
class QLineSeries;
class QShowEvent;
class QValueAxis;
class WebBrowser;

namespace Ui {
class TForm17;
}

// Small window beside the recommendation window while a recommendation is hovered ("实时走势"): the back-end's
// page of the stock on top, and the main force's and the retail investors' holding lines of the last 30 days.
// It takes no input; the recommendation window fills, places, shows and hides it.
class TForm17 : public QWidget {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);
    ~TForm17() override;

    // The browser of the stock's page, made the first time it is needed.
    WebBrowser& browser();
    // Empties both lines, then adds the points in the order given: f1 to Series1, f5 to FastLineSeries1, each
    // labelled with its day of the month.
    void showHoldingLines(const QList<Holdings::HoldingPoint>& points);

    std::unique_ptr<Ui::TForm17> ui;
    std::unique_ptr<WebBrowser> WebBrowser1;
    QLineSeries* Series1;         // Chart3: the main force's holding
    QLineSeries* FastLineSeries1; // Chart4: the retail investors' holding

protected:
    void showEvent(QShowEvent* event) override;

private:
    // One chart's line, its day axis and its percentage axis.
    struct Line {
        QLineSeries* series;
        QCategoryAxis* days;
        QValueAxis* values;
    };
    static Line makeChart(QChartView* view);
    static void fill(const Line& line, const QList<Holdings::HoldingPoint>& points,
                     double Holdings::HoldingPoint::*value);

    Line main_;
    Line retail_;
};
