#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm18;
}

// Intraday fund flow; created with the others and never shown.
class TForm18 : public QWidget {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);
    ~TForm18() override;

    std::unique_ptr<Ui::TForm18> ui;
};
