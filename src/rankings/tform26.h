#pragma once

#include <QString>
#include <QTime>
#include <QWidget>

#include <memory>

namespace Ui {
class TForm26;
}

// The rally notice ("个股拉升提示"): which tracked stock is rallying and when it was noticed, at the bottom
// right of the work area, on top, without taking the focus. A later rally overwrites it. A click on the
// notice opens the stock's fund page.
class TForm26 : public QWidget {
    Q_OBJECT
public:
    explicit TForm26(QWidget* parent = nullptr);
    ~TForm26() override;

    // Writes the notice of the tracked stock `trackitem` (code and name) noticed at `time`, places the window
    // and shows it.
    void showNotice(const QString& trackitem, const QTime& time);
    // Hides the notice and opens the stock fund page of the stock it names.
    void Label1Click();

    std::unique_ptr<Ui::TForm26> ui;

private:
    QString noticedcode_; // six digits of the stock noticed last; empty before the first notice
};
