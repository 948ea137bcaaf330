#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm3;
}

// Watch-list alert settings.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    std::unique_ptr<Ui::TForm3> ui;
};
