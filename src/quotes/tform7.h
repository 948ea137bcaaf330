#pragma once

#include "quotes/alerts.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm7;
}

// Big-trade alert ("大单成交").
class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    ~TForm7() override;

    // Shows a big-trade alert at the bottom right.
    void showAlert(const Alerts::Alert& alert);

    std::unique_ptr<Ui::TForm7> ui;
};
