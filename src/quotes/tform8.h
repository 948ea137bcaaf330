#pragma once

#include "quotes/alertpopup.h"

#include <memory>

namespace Ui {
class TForm8;
}

// Large order at the best bid or ask ("大单出现").
class TForm8 : public AlertPopup {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
    ~TForm8() override;

    std::unique_ptr<Ui::TForm8> ui;
};
