#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm25;
}

// Strong-stock tracking table.
class TForm25 : public QWidget {
    Q_OBJECT
public:
    explicit TForm25(QWidget* parent = nullptr);
    ~TForm25() override;

    std::unique_ptr<Ui::TForm25> ui;

private:
    void setUpTrackingGrid();
};
