#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm23;
}

// Notice of a change in the watched list page.
class TForm23 : public QWidget {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);
    ~TForm23() override;

    // Scans the watched list page and pops the window up when the list changed.
    virtual void getsmmh();

    std::unique_ptr<Ui::TForm23> ui;
};
