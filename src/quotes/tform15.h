#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm15;
}

// Desktop price widget.
class TForm15 : public QWidget {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
    ~TForm15() override;

    std::unique_ptr<Ui::TForm15> ui;
};
