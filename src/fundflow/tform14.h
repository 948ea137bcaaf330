#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm14;
}

// Today's big-order turnover by size class.
class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);
    ~TForm14() override;

    std::unique_ptr<Ui::TForm14> ui;
};
