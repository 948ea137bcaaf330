#pragma once

#include "quotes/alerts.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm6;
}

// Limit-up and limit-down alert ("股价提示").
class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    // Shows a limit alert at the bottom right, with the rise picture for a limit up and the fall picture
    // for a limit down.
    void showAlert(const Alerts::Alert& alert);

    std::unique_ptr<Ui::TForm6> ui;
};
