#pragma once

#include "quotes/alertpopup.h"

#include <memory>

namespace Ui {
class TForm6;
}

// Limit-up and limit-down alert ("股价提示"): the rise picture for a limit up, the fall picture for a limit down.
class TForm6 : public AlertPopup {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    std::unique_ptr<Ui::TForm6> ui;
};
