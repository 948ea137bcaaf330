// The main window's page shortcuts: buttons, tool buttons, labels and a tray item that load a fixed page of an
// outside site into one of the main window's browsers (or the default browser) and show the area holding it.
#include "app/hosts.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "news/shortcuts.h"
#include "news/watchedlist.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/services.h"
#include "platform/webbrowser.h"

#include <QAbstractButton>

namespace {

// WebBrowser9 shows a page whole, or with the watched site's head and foot cut off.
constexpr int kWholeTop = 2;
constexpr int kWholeHeight = 498;
constexpr int kCutTop = -70;
constexpr int kCutHeight = 658;

QString digestAddress() {
    return Hosts::base(Hosts::newsPortal) + Shortcuts::digestPath(Clock::today());
}

QString watchedListAddress() {
    return Hosts::base(Hosts::watchedList) + WatchedList::listPage;
}

void placeBrowser(WebBrowser& browser, int top, int height) {
    if (QWidget* view = browser.widget())
        view->setGeometry(view->x(), top, view->width(), height);
}

// The page areas lie over the quote panel, the ranking board and the browser of the stock pools, whose labels
// and views are made after them: shown, an area comes to the top.
void showOnTop(QWidget* area) {
    area->show();
    area->raise();
}

} // namespace

void TForm1::connectShortcutHandlers() {
    const auto wire = [this](QAbstractButton* button, void (TForm1::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    wire(ui->Button1, &TForm1::Button1Click);
    wire(ui->Button2, &TForm1::Button2Click);
    wire(ui->Button3, &TForm1::Button3Click);
    wire(ui->Button4, &TForm1::Button4Click);
    wire(ui->Button5, &TForm1::Button5Click);
    wire(ui->ToolButton13, &TForm1::ToolButton13Click);
    wire(ui->ToolButton14, &TForm1::ToolButton14Click);
    wire(ui->BitBtn1, &TForm1::BitBtn1Click);
    wire(ui->BitBtn2, &TForm1::BitBtn2Click);
    wire(ui->BitBtn3, &TForm1::BitBtn3Click);
    wire(ui->BitBtn4, &TForm1::BitBtn4Click);
    wire(ui->BitBtn5, &TForm1::BitBtn5Click);
    wire(ui->BitBtn6, &TForm1::BitBtn6Click);
    onClick(ui->Label46, [this] { Label46Click(); });
    onClick(ui->Label47, [this] { Label47Click(); });
    onClick(ui->Label51, [this] { Label51Click(); });
    onClick(ui->Label56, [this] { Label56Click(); });
    // The areas paint their own background, so nothing beneath shows through their button strips and edges.
    for (QWidget* area :
         {static_cast<QWidget*>(ui->Panel16), static_cast<QWidget*>(ui->GroupBox8), static_cast<QWidget*>(ui->Panel21)})
        area->setAutoFillBackground(true);
}

void TForm1::showWatchedList() {
    placeBrowser(*WebBrowser9, kCutTop, kCutHeight);
    // Only the list page itself is refreshed; after another page of the area ("昨日财经", "恒富内参" ...) the
    // list page is loaded again.
    const QString address = watchedListAddress();
    if (WebBrowser9->locationUrl() == address)
        WebBrowser9->refresh();
    else
        WebBrowser9->navigate(address);
}

void TForm1::N16Click() {
    openInBrowser(digestAddress());
}

void TForm1::Button2Click() {
    placeBrowser(*WebBrowser9, kWholeTop, kWholeHeight);
    WebBrowser9->navigate(digestAddress());
}

void TForm1::ToolButton13Click() {
    showOnTop(ui->Panel16);
    ui->GroupBox8->hide();
    showWatchedList();
}

void TForm1::Button1Click() {
    placeBrowser(*WebBrowser9, kCutTop, kCutHeight);
    WebBrowser9->navigate(watchedListAddress());
}

void TForm1::Button4Click() {
    ui->Panel16->hide();
    Button1Click();
}

void TForm1::Button3Click() {
    placeBrowser(*WebBrowser9, kWholeTop, kWholeHeight);
    WebBrowser9->navigate(Hosts::base(Hosts::research1) + Shortcuts::research1Page);
}

void TForm1::Button5Click() {
    placeBrowser(*WebBrowser9, kWholeTop, kWholeHeight);
    WebBrowser9->navigate(Hosts::base(Hosts::research2) + Shortcuts::research2Page);
}

void TForm1::ToolButton14Click() {
    showOnTop(ui->GroupBox8);
    ui->Panel16->hide();
    BitBtn1Click();
}

void TForm1::BitBtn1Click() {
    WebBrowser8->navigate(Hosts::base(Hosts::stockData) + Shortcuts::marketFlowPage);
}

void TForm1::BitBtn2Click() {
    WebBrowser8->navigate(Hosts::base(Hosts::stockData) + Shortcuts::sectorFlowPage);
}

void TForm1::BitBtn3Click() {
    WebBrowser8->navigate(Hosts::base(Hosts::stockData) + Shortcuts::rankingsPage);
}

void TForm1::BitBtn6Click() {
    WebBrowser8->navigate(Hosts::base(Hosts::stockData) + Shortcuts::growthBoardPage);
}

void TForm1::BitBtn5Click() {
    WebBrowser8->navigate(Hosts::base(Hosts::stockData) + Shortcuts::fundQueryPage(state.curcode));
}

void TForm1::BitBtn4Click() {
    ui->GroupBox8->hide();
}

void TForm1::Label51Click() {
    ui->Panel21->hide();
    ui->GroupBox1->hide();
    ui->GroupBox7->show();
    WebBrowser7->navigate(Hosts::base(Hosts::stockpool) + Shortcuts::stockPool1Page);
}

void TForm1::Label46Click() {
    ui->Panel21->hide();
    ui->GroupBox1->hide();
    ui->GroupBox7->show();
    WebBrowser7->navigate(Hosts::base(Hosts::stockpool) + Shortcuts::stockPool2Page);
}

void TForm1::Label47Click() {
    ui->GroupBox1->show();
    ui->GroupBox7->hide();
}

void TForm1::Label56Click() {
    ui->GroupBox7->show();
    showOnTop(ui->Panel21);
    ui->GroupBox1->hide();
}
