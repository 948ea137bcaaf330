#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm2;
}

// The current stock's announcements, opened from the information panel.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    std::unique_ptr<Ui::TForm2> ui;
};
