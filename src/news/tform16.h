#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm16;
}

// Recommendation exchange.
class TForm16 : public QWidget {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);
    ~TForm16() override;

    std::unique_ptr<Ui::TForm16> ui;
};
