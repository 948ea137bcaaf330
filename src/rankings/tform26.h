#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm26;
}

// Rally notice of a tracked stock.
class TForm26 : public QWidget {
    Q_OBJECT
public:
    explicit TForm26(QWidget* parent = nullptr);
    ~TForm26() override;

    std::unique_ptr<Ui::TForm26> ui;
};
