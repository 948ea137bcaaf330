#pragma once

#include <QWidget>

#include <memory>

class HttpClient;

namespace Ui {
class TForm23;
}

// The watched list pop-up ("紧急提示"): raised at the bottom right of the work area when the watched list page
// changed; its panel opens the page in the main window.
class TForm23 : public QWidget {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);
    ~TForm23() override;

    // Scans the watched list page and pops the window up when the list changed, unless it is muted. A failed
    // fetch closes the connection and returns: the saved list stays and the caller goes on.
    virtual void getsmmh();

    // "注意：私募密函有重要信息，点击查看": the list page in the main window, which comes back from the tray.
    void Panel1Click();
    // "不再提示我": ticked mutes the pop-up and unticks N15; unticked resumes it and ticks N15.
    void CheckBox1Click();

    std::unique_ptr<Ui::TForm23> ui;
    HttpClient* IdHTTP1; // follows no redirects
};
