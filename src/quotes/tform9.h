#pragma once

#include "quotes/alertpopup.h"

#include <memory>

namespace Ui {
class TForm9;
}

// Change beyond the chosen percentage ("涨跌情况"), with the rise or the fall picture.
class TForm9 : public AlertPopup {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    ~TForm9() override;

    std::unique_ptr<Ui::TForm9> ui;
};
