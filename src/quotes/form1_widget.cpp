// The main window's switch of the desktop price widget.
#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"

#include <QAction>
#include <QTimer>

namespace {

// Label41 names what the next click does.
const QString showOnDesktop = QStringLiteral("在桌面显示股价");
const QString notOnDesktop = QStringLiteral("不在桌面显示股价");

enum class SwitchedBy { MenuItem, ToolButton };

void switchDesktopWidget(TForm1& form, SwitchedBy by) {
    if (!Form15)
        return;
    QLabel* indicator = form.ui->Label41;
    if (indicator->text() != showOnDesktop) {
        indicator->setText(showOnDesktop);
        Colours::setFontColour(indicator, Colours::blue);
    } else {
        indicator->setText(notOnDesktop);
        Colours::setFontColour(indicator, Colours::green);
    }

    // N13's tick mark follows the widget's visibility; the menu toggles a checkable item by itself before
    // this runs, so the mark is set here from the widget rather than read.
    form.N13->setCheckable(true);
    if (Form15->isVisible()) {
        form.N13->setChecked(false);
        Form15->Timer1->stop();
        Form15->hide();
        return;
    }
    if (Form15->widgetbuilt == 0) {
        Form15->buildStockLabelsForShow();
        if (by == SwitchedBy::ToolButton)
            indicator->setText(notOnDesktop);
    }
    form.N13->setChecked(true);
    Form15->show();
    // The settings window edits the watch list the rows come from; its closing starts a shown widget's timer.
    if (!settingsWindowOpen())
        Form15->Timer1->start();
}

} // namespace

void TForm1::N13Click() {
    switchDesktopWidget(*this, SwitchedBy::MenuItem);
}

void TForm1::ToolButton12Click() {
    switchDesktopWidget(*this, SwitchedBy::ToolButton);
}
