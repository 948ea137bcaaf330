#pragma once

#include <QWidget>

#include <memory>

class QCloseEvent;
class QPieSeries;
struct UnitState;

namespace Ui {
class TForm14;
}

// Today's big-order turnover by size class ("今日大单成交分布图"), a stay-on-top pie opened from the main
// window's "详情" box and by the half-hour announcements; the main window stays disabled while it is open.
class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);
    ~TForm14() override;

    // Fills the pie and its title from the size-class lists of the current stock; `shortDate` is today's.
    // Throws Failure at an item that is not a whole number, with the slices before it drawn.
    void fillSizeClasses(const UnitState& state, const QString& shortDate);
    // Closing: unticks the main window's box and enables the main window again. Always allowed.
    bool FormCloseQuery();
    // "暂停提示": keeps the half-hour announcements from opening this window, mirrored on the tray menu.
    void CheckBox1Click();

    std::unique_ptr<Ui::TForm14> ui;
    QPieSeries* Series1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Gives the slice labels arms that keep them apart, for the pie where the chart lays it out.
    void placeSliceLabels();
};
