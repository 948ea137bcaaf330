#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm8;
}

// Alert of a large order at the best bid or ask.
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
    ~TForm8() override;

    std::unique_ptr<Ui::TForm8> ui;
};
