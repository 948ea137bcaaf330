#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm12;
}

// The splash window, shown from program start until the main window's start-up sequence is over. Its close
// controls end the program.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
    ~TForm12() override;

    // Title, centred, shown.
    void FormCreate();
    // "关闭" and the close picture.
    void Label8Click();

    std::unique_ptr<Ui::TForm12> ui;
};
