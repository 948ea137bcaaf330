#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm17;
}

// Live chart and holding lines of a recommended stock.
class TForm17 : public QWidget {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);
    ~TForm17() override;

    std::unique_ptr<Ui::TForm17> ui;
};
