#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm24;
}

// Stock fund page.
class TForm24 : public QWidget {
    Q_OBJECT
public:
    explicit TForm24(QWidget* parent = nullptr);
    ~TForm24() override;

    std::unique_ptr<Ui::TForm24> ui;
};
