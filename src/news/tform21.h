#pragma once

#include <QWidget>

#include <memory>

class HttpClient;

namespace Ui {
class TForm21;
}

// The back-end news pop-up ("今日信息汇总"): the headline of the back-end's latest news record, popped up at the
// bottom right of the work area when the record changed; the headline opens its body in TForm27.
class TForm21 : public QWidget {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);
    ~TForm21() override;

    // Fetches the back-end's news record and pops the window up when it is news. It leaves the mute switch to
    // its callers and the ranking timer to its own handler. A failed fetch closes the connection and throws,
    // which ends the caller silently. A call made while one waits for its reply does nothing.
    virtual void getnews();

    // The headline: the body of the record shown, in TForm27; the pop-up closes.
    void Label1Click();
    // "点这里查看全部信息": the back-end's page of all news in the default browser.
    void Label2Click();
    // "有新信息不再提示我": ticked mutes the pop-up and unticks N18; unticked resumes it and ticks N18.
    void CheckBox1Click();

    std::unique_ptr<Ui::TForm21> ui;
    HttpClient* IdHTTP1;

private:
    bool fetching_ = false;
    // Whether the news body file holds the body of the record shown; when its write failed the body is shown
    // from memory, never the older body the file still holds.
    bool bodyInFile_ = false;
    QString shownBody_; // the body of the record shown
};
