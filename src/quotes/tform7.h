#pragma once

#include "quotes/alertpopup.h"

#include <memory>

namespace Ui {
class TForm7;
}

// Big-trade alert ("大单成交").
class TForm7 : public AlertPopup {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    ~TForm7() override;

    std::unique_ptr<Ui::TForm7> ui;
};
