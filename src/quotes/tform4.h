#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm4;
}

// Registration of the phone number that receives alerts by SMS.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    std::unique_ptr<Ui::TForm4> ui;
};
