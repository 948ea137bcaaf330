#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm27;
}

// Back-end news body in a browser.
class TForm27 : public QWidget {
    Q_OBJECT
public:
    explicit TForm27(QWidget* parent = nullptr);
    ~TForm27() override;

    std::unique_ptr<Ui::TForm27> ui;
};
