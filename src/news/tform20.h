#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm20;
}

// The back-end's stock picks.
class TForm20 : public QWidget {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);
    ~TForm20() override;

    std::unique_ptr<Ui::TForm20> ui;
};
