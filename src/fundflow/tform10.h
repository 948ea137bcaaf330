#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm10;
}

// The half-hour big-order announcement ("大单流向提示"): the stock, what flowed in or out in the half hour that
// has just ended and the day's totals, popped up at the top right of the screen without taking the focus.
class TForm10 : public QWidget {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
    ~TForm10() override;

    // The day's totals line, red for an inflow, green for an outflow.
    void showTotals(const QString& text, bool inflow);
    // Writes one half hour's announcement: the inflow picture and a red line, or the outflow picture and a
    // green one, and the stock as name(code).
    void writeAnnouncement(const QString& stock, const QString& text, bool inflow);
    // Left = screen width - window width, top = 0, frame included, kept there once the window manager frames it.
    void placeTopRight();
    // "暂停提示": keeps this window from showing, mirrored on the tray menu.
    void CheckBox1Click();

    std::unique_ptr<Ui::TForm10> ui;
};
