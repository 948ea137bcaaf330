#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

class HttpClient;
class QLabel;
class QPainter;
class QRect;
class QTimer;
struct UnitState;

namespace Ui {
class TForm25;
}

// Strong-stock tracking ("DDX排名股价监测跟踪"): the stocks the ranking board hands over, polled one every two
// seconds on the quote service for their change, each compared with its change when tracking began. A stock
// that rises more than the chosen margin above it has rallied: its row turns red, the status bar counts it and
// its first rally pops up the notice (TForm26). The window is made at program start and polls from then on
// whether it is shown or not; closing it only hides it. Its table can be exported to a workbook.
//
// The tracking lists and counters are the main window's shared state (`trackitems`, `trackrow`, ...); the
// handlers do nothing until the main window exists.
class TForm25 : public QWidget {
    Q_OBJECT
public:
    explicit TForm25(QWidget* parent = nullptr);
    ~TForm25() override;

    // The current change of a stock on the quote service, as sent ("1.23%", "0"); empty when the record has no
    // change field. A failed fetch throws.
    QString getjkgj(const QString& code);

    // The poll: the next tracked row, one every tick (2 s) on weekdays until 15:01:00.
    void Timer1Timer();
    // The rest after 20 failed polls: 30 ticks (1 s), then polling resumes.
    void Timer2Timer();
    // Draws a cell centred on a single line: in the tracked rows on red once the stock rallied, else on pale
    // violet, and navy on light blue when selected; the heading and the empty row in the grid's own colours.
    void StringGrid1DrawCell(QPainter* painter, const QRect& rect, int row, int column, bool selected) const;
    // A press on a row opens the stock fund page of its stock; the heading and the empty row open nothing.
    void StringGrid1MouseDown(int row);
    void ComboBox1KeyPress(QChar& key);
    void Label5Click();
    // Exports the table to a workbook the user names.
    void toexcel();

    // Status bar panels 0 to 2.
    QLabel* statusPanel(int index) const;

    std::unique_ptr<Ui::TForm25> ui;
    QTimer* Timer1;
    QTimer* Timer2;
    HttpClient* IdHTTP1; // quote fetches of the poll

private:
    void setUpTrackingGrid();
    void createStatusPanels();
    void connectHandlers();
    // The change of a polled row rose past the margin: the mark, and on the stock's first rally its colours,
    // the count, the time and the notice.
    void rally(UnitState& state, int row);

    QList<QLabel*> statusPanels_;
};
