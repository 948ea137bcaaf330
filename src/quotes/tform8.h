#pragma once

#include "quotes/alerts.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm8;
}

// Large order at the best bid or ask ("大单出现").
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
    ~TForm8() override;

    // Shows a large-order alert at the bottom right.
    void showAlert(const Alerts::Alert& alert);

    std::unique_ptr<Ui::TForm8> ui;
};
