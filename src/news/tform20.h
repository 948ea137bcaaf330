#pragma once

#include "news/picks.h"

#include <QList>
#include <QWidget>

#include <memory>

namespace Ui {
class TForm20;
}

// The back-end's stock picks ("精选个股"): every pick received this run, in a grid, on top of other windows.
class TForm20 : public QWidget {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);
    ~TForm20() override;

    // Centres the window, fills the grid with the picks (a heading row, one numbered row per pick and one empty
    // row below them) and shows it.
    void showPicks(const QList<Picks::Pick>& picks);

    std::unique_ptr<Ui::TForm20> ui;
};
