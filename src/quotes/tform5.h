#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>

class QCloseEvent;

namespace Ui {
class TForm5;
}

// Price broadcast of the watched stocks at the open, at midday and at the close ("股价"): a title line and a
// grid with one row per stock, popped up at the bottom right.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    // Width of the window and heights of the window and its grid as designed (heading row and a few rows to spare);
    // each stock adds one grid row.
    static constexpr int designWidth = 290;
    static constexpr int designHeight = 119;
    static constexpr int designGridHeight = 94;
    static constexpr int rowHeight = 16;

    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    // Fills the title, the heading row and one row per stock (the grid keeps one empty row below the last),
    // sizes the window for the rows and pops it up.
    void showBroadcast(const QString& title, const QStringList& headings, const QList<QStringList>& rows);
    // Closing the window: it goes back to its design height.
    bool FormCloseQuery();

    std::unique_ptr<Ui::TForm5> ui;

protected:
    void closeEvent(QCloseEvent* event) override;
};
