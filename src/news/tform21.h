#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm21;
}

// Back-end news pop-up.
class TForm21 : public QWidget {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);
    ~TForm21() override;

    // Fetches the back-end's news record and pops the window up when it changed.
    virtual void getnews();

    std::unique_ptr<Ui::TForm21> ui;
};
