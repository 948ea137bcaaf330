#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm22;
}

// Holdings of a stock; created with the others and never shown.
class TForm22 : public QWidget {
    Q_OBJECT
public:
    explicit TForm22(QWidget* parent = nullptr);
    ~TForm22() override;

    std::unique_ptr<Ui::TForm22> ui;
};
