#pragma once

#include <QChar>
#include <QString>
#include <QWidget>

#include <memory>

class HttpClient;
class QCloseEvent;

namespace Ui {
class TForm4;
}

// Registration of the phone number that receives alerts by SMS ("请添加要接收的手机号码"): the number is
// posted to the back-end, stored in the alert database and shown in the settings window, whose SMS switch it
// unlocks. The settings window is disabled while this dialog is open.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // Opening from the settings window: as a change of the number shown there when one was stored at that
    // window's opening (`phoneknown`), otherwise as a first registration with an empty box.
    void showRegistration(bool phoneknown, const QString& shownNumber);

    void BitBtn1Click(); // register
    void Edit1KeyPress(QChar& key);
    void Label3Click();
    void Label10Click();
    // Closing: the settings window can be used again.
    bool FormCloseQuery();

    std::unique_ptr<Ui::TForm4> ui;
    HttpClient* IdHTTP1; // the registration post

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fail(const QString& message);
};
