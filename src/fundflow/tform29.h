#pragma once

#include "fundflow/entryhold.h"
#include "fundflow/periodquery.h"

#include <QString>
#include <QWidget>

#include <memory>

class HttpClient;

namespace Ui {
class TForm29;
}

// Period fund-flow query ("时段资金查询"): one stock's daily flows over a chosen range of dates with the
// medium-order column, newest first, and a totals row. It opens from the stock fund page and from the main
// window's quote panel for the last five days; the user can then change the dates and the code. While a
// look-up or a read waits, the code box and the button are disabled and the openers are refused.
class TForm29 : public QWidget {
    Q_OBJECT
public:
    explicit TForm29(QWidget* parent = nullptr);
    ~TForm29() override;

    // The openers' work (`TForm24.Label44Click`, `TForm1.Label72Click`): the last five days up to today for a
    // six-digit code, its name, the query, and the window centred and shown. A failed read shows nothing.
    void openFor(const QString& code);
    // Stock-name look-up on the quote service over this window's client, which it switches to follow
    // redirects (`yzgp1`). `name` becomes the record's name field; a reply without one leaves it as it was; a
    // failed request gives a notice text in its place.
    void yzgp1(const QString& code, QString& name);
    // The period reader (`getshzjmx`): the page of a code, its days inside the pickers' range into the period
    // lists and the grid with its totals. Everything is read and checked before the lists and the grid
    // change; a failure tells the user and ends the caller silently.
    void getshzjmx(const QString& code);
    void Button1Click();

    bool querying() const { return entry_.held(); }
    // Writes a read table into the grid: its days, then its totals.
    void showTable(const PeriodQuery::Table& table);

    std::unique_ptr<Ui::TForm29> ui;
    HttpClient* IdHTTP1;    // look-ups and the fund-flow page
    PeriodQuery::Rows rows; // `periodrows` of the last good query

private:
    void connectHandlers();

    EntryHold entry_; // Edit1 and Button1 while a look-up or a read waits
};
