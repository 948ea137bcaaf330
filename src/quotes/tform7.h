#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm7;
}

// Big-trade alert.
class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    ~TForm7() override;

    std::unique_ptr<Ui::TForm7> ui;
};
