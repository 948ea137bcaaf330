#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <memory>

class HttpClient;
class QLabel;
class QMouseEvent;
class QShowEvent;
class QTimer;

namespace Ui {
class TForm15;
}

// Desktop price widget: a small frameless, translucent, stay-on-top window at the top right of the screen with
// the two market indexes and one row per watched stock, refreshed one stock per second while it is shown.
class TForm15 : public QWidget {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
    ~TForm15() override;

    // One tick: the date and time, then the next watched stock's row (or a pause at the end of the cycle).
    // A hidden widget's tick does nothing and leaves the timer off.
    void Timer1Timer();
    // Fetches one stock's quote record and fills its six labels; `firstLabel` is the index of its first
    // label and `rowTop` the row's top, both as decimal text. A failure throws.
    virtual void getgj(const QString& code, const QString& firstLabel, const QString& rowTop);

    // Rebuilds the six labels per watched stock from the main window's watch list and sets the height for
    // the save of the alert settings (n x 15 + 120).
    void rebuildStockLabels();
    // The widget switch's first show: unless made already, the labels for the watch list and the height
    // n x 18 + 120.
    void buildStockLabelsForShow();
    // Writes one market's index row: row 0 Shanghai, row 1 Shenzhen. Backgrounds red while rising, green
    // while falling, the font white.
    void showIndexRow(int row, const QString& value, const QString& change, const QString& range,
                      const QString& turnover, bool fall);

    // The labels of the stock rows, six per watch-list position i at 6i .. 6i+5; owned by the widget.
    const QList<QLabel*>& stockLabels() const { return widgetlabels; }

    std::unique_ptr<Ui::TForm15> ui;
    QTimer* Timer1;      // one watched stock per second while the widget is shown
    HttpClient* IdHTTP1; // the widget's own quote client

    int widgetbuilt = 0;   // 1 once the stock labels have been made
    int widgetindex = 0;   // watch-list position that the next tick fetches
    int widgetcreated = 0; // 1 once the window exists; the index summary writes its labels only then

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FormCreate();
    // Makes the six labels for each of `count` stocks, discarding the old ones, and sets the window height.
    void makeStockLabels(int count, int height);
    // The watch list's length, or 0 while the main window does not exist.
    int watchedCount() const;
    // Keeps the label array in step with the watch list before a tick reads it.
    void ensureStockLabels();
    // Makes the widget `newWidth` wide unless it is already as wide, its right edge staying where it was; the
    // rule under the index block spans the new width.
    void widenTo(int newWidth);

    QList<QLabel*> widgetlabels;
    QPoint dragOffset_;
    bool dragging_ = false;
};
