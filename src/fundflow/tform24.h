#pragma once

#include "fundflow/entryhold.h"
#include "fundflow/fundpage.h"

#include <QChar>
#include <QString>
#include <QWidget>

#include <memory>

class WebBrowser;

namespace Ui {
class TForm24;
}

// Stock fund page ("个股情况"): one stock's latest fund-flow summary, today's flows by investor class, the
// flows summed over the last N days with a verdict on the main funds against retail, and a chart picture.
// Every code link of the program fills it through TForm1::getgpzj; its own code box looks up another stock.
// A read waits in a blocking fetch: the code box and the button stay disabled meanwhile, and a fill asked for
// while one reads is refused, so a second read never starts inside the first.
class TForm24 : public QWidget {
    Q_OBJECT
public:
    explicit TForm24(QWidget* parent = nullptr);
    ~TForm24() override;

    // `getgpzj`'s work for a six-digit code: reads the stock's page and, when that worked, shows its figures
    // and K-line picture and shows the window centred. A failed read leaves the window as it was.
    void showFundPage(const QString& code);
    // Reads the fund-flow detail page of a code with a client of its own (`getshzjmx`). Nothing of the window
    // changes: the caller takes the result. A failure tells the user and ends the caller silently.
    FundPage::Read getshzjmx(const QString& code);
    // Whether a look-up or a read is waiting for a site.
    bool reading() const { return entry_.held(); }

    void Button1Click();
    void ComboBox1Change();
    void ComboBox1KeyPress(QChar& key);
    void Label15Click(); // K-line picture
    void Label16Click(); // real-time picture
    void Label43Click(); // reloads the picture
    void Label44Click(); // period query for the stock shown
    void WebBrowser1DocumentComplete();

    // The chart picture's browser, made when first needed.
    WebBrowser& pictureBrowser();

    std::unique_ptr<Ui::TForm24> ui;
    std::unique_ptr<WebBrowser> WebBrowser1; // null until the first picture

    QString flowcode;          // the code whose figures the window shows
    FundPage::Summary summary; // `flowsummary` of the last good read
    FundPage::Days days;       // `flowdays` of the last good read

private:
    void connectHandlers();
    // The N of ComboBox1.
    int chosenDays() const;
    // Makes a good read the window's: lists, summary, code, picture and every label. The sums are checked
    // first, so an amount that is not an integer changes nothing.
    void fill(const QString& code, const FundPage::Read& read);
    void showSummary();
    void showSums(const FundPage::Sums& sums);
    void showVerdict(const FundPage::Sums& sums, FundPage::Wording wording);
    void refuseCode(const QString& message);
    // `yzgp` for the code box: the stock's name on the quote service, or empty when it has none.
    QString lookUpName(const QString& code);

    EntryHold entry_; // Edit1 and Button1 while a look-up or a read waits
};
