#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

class HttpClient;
class QCloseEvent;
class QEvent;
class QLabel;
class QMouseEvent;
class WebBrowser;

namespace Ui {
class TForm16;
}

// Recommendation exchange ("我想荐股-Brennoc股票大单监测系统"): the user posts one recommendation (a stock code
// and a reason) to the back-end and sees the latest recommendations of all users as up to ten hover labels;
// hovering one shows TForm17 with that stock's page and holding lines. The main window is disabled while it
// is open.
class TForm16 : public QWidget {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);
    ~TForm16() override;

    // Loads the back-end's list into the stored recommendations and makes the labels of the first ten. A failed
    // fetch closes the connection and throws, so the opening ends.
    void addlabel();
    // The window's share of the opening, once the list has loaded: the banner, the window centred, the boxes
    // emptied, the window shown.
    void showExchange();
    // Whether a list load waits for its reply; the openers do nothing meanwhile.
    bool listLoading() const { return listLoading_; }

    // Mouse enter and leave of every recommendation label.
    void msin1(QLabel* label);
    void msout1(QLabel* label);
    // Fills TForm17's two holding lines for a six-digit code. Returns false, leaving the charts alone, when
    // the hover that asked for them is over before the page arrives; a failed fetch or an unreadable page
    // throws.
    bool getcc1(const QString& code);

    void Edit1KeyPress(QChar& key);
    // At the sixth digit the code is looked up on the quote service and its name shown.
    void Edit1Change();
    void BitBtn1Click(); // post
    void Label10Click(); // all recommendations in the default browser
    // Mouse moves over the form, Edit2 and BitBtn1: the hover window goes.
    void FormMouseMove();
    // Closing: the labels go, the main window is enabled again, the hover window hidden.
    bool FormCloseQuery();

    // The recommendation labels, top to bottom.
    const QList<QLabel*>& tipLabels() const { return tiplabels_; }

    std::unique_ptr<Ui::TForm16> ui;
    HttpClient* IdHTTP1;                      // the list and the post
    HttpClient* holdingsHttp;                 // the holdings page of a hovered recommendation
    std::unique_ptr<WebBrowser> WebBrowser66; // the back-end's banner, made at the first opening

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    WebBrowser& banner();
    // Makes the labels of the first ten stored recommendations, in place of any earlier ones.
    void makeTipLabels();
    // Takes the labels off the window. A hover in progress runs inside a label's own event, so the labels are
    // deleted only once no hover is left.
    void freeTipLabels();
    void deleteRetiredLabels();
    void refuse(const QString& message, QWidget* box);

    QList<QLabel*> tiplabels_;
    QList<QLabel*> retiredlabels_;
    int hoverSerial_ = 0;   // counts hovers begun and ended, so a late holdings page sees whether its is over
    int hoversRunning_ = 0; // hovers waiting for their holdings page
    bool listLoading_ = false;
};
