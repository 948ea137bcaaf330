#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm29;
}

// Period fund-flow query.
class TForm29 : public QWidget {
    Q_OBJECT
public:
    explicit TForm29(QWidget* parent = nullptr);
    ~TForm29() override;

    std::unique_ptr<Ui::TForm29> ui;
};
