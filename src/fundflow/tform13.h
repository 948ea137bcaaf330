#pragma once

#include <QWidget>

#include <memory>

class QCloseEvent;
struct UnitState;

namespace Ui {
class TForm13;
}

// Big-order bars of the last ten trading days ("近10日大单成交显示图"), opened from the main window's "10日"
// box; the main window stays disabled while it is open.
class TForm13 : public QWidget {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
    ~TForm13() override;

    // Fills the chart and the sums line from the day lists of the current stock. Throws Failure at an item that
    // is not a whole number, with what came before it drawn.
    void fillTenDays(const UnitState& state);
    // Closing: unticks the main window's box and enables the main window again. Always allowed.
    bool FormCloseQuery();

    std::unique_ptr<Ui::TForm13> ui;

protected:
    void closeEvent(QCloseEvent* event) override;
};
