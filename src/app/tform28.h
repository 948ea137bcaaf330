#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm28;
}

// History review; created with the others and never shown.
class TForm28 : public QWidget {
    Q_OBJECT
public:
    explicit TForm28(QWidget* parent = nullptr);
    ~TForm28() override;

    std::unique_ptr<Ui::TForm28> ui;
};
