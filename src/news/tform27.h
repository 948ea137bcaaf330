#pragma once

#include <QWidget>

#include <memory>

class WebBrowser;

namespace Ui {
class TForm27;
}

// The back-end news body ("独家信息"): a window filled by one browser, opened from the news pop-up's headline.
// The body came from the network, so the browser runs no script of it and lets it reach no local file. The
// browser is made when the window is first shown.
class TForm27 : public QWidget {
    Q_OBJECT
public:
    explicit TForm27(QWidget* parent = nullptr);
    ~TForm27() override;

    // Centres the window, loads the news body file into its browser and shows it.
    void showFile(const QString& path);
    // The same with a body held in memory, for when the file could not be written.
    void showHtml(const QString& html);

    std::unique_ptr<Ui::TForm27> ui;
    std::unique_ptr<WebBrowser> WebBrowser1; // null until the window is first shown

private:
    WebBrowser& browser();
};
