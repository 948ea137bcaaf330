#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm9;
}

// Alert of a change beyond the chosen percentage.
class TForm9 : public QWidget {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    ~TForm9() override;

    std::unique_ptr<Ui::TForm9> ui;
};
