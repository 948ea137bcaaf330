#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm11;
}

// The blog-mention notice ("搜索提示"). Nothing raises it; its pause box and the tray item N7 keep `muteblog`
// in step as the other pop-ups' boxes do.
class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
    ~TForm11() override;

    // "暂停提示": ticked pauses the notice and unticks N7; unticked resumes it and ticks N7.
    void CheckBox1Click();

    std::unique_ptr<Ui::TForm11> ui;
};
