#pragma once

#include <QWidget>

#include <memory>

class QCloseEvent;

namespace Ui {
class TForm2;
}

// "所有公告": the current stock's announcements, filled and opened by the main window's announcement label
// (`TForm1::Label15Click`), which disables the main window while this one is open. A click on an
// announcement opens it in the default browser.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // Opens the announcement of row `row` (entry `row` of the main window's `noticelinks`).
    void StringGrid1SelectCell(int column, int row);
    // Closing gives the main window back.
    void FormCloseQuery();

    std::unique_ptr<Ui::TForm2> ui;

protected:
    void closeEvent(QCloseEvent* event) override;
};
