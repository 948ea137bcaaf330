#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm13;
}

// Big-order bars of the last ten trading days.
class TForm13 : public QWidget {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
    ~TForm13() override;

    std::unique_ptr<Ui::TForm13> ui;
};
