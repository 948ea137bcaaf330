#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm5;
}

// Price broadcast of the watched stocks at the open, at midday and at the close.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    std::unique_ptr<Ui::TForm5> ui;
};
