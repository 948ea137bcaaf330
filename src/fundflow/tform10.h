#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm10;
}

// Half-hour big-order announcement.
class TForm10 : public QWidget {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
    ~TForm10() override;

    std::unique_ptr<Ui::TForm10> ui;
};
