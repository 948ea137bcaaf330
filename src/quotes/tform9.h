#pragma once

#include "quotes/alerts.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm9;
}

// Change beyond the chosen percentage ("涨跌情况").
class TForm9 : public QWidget {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    ~TForm9() override;

    // Shows a change alert at the bottom right, with the rise or the fall picture.
    void showAlert(const Alerts::Alert& alert);

    std::unique_ptr<Ui::TForm9> ui;
};
