// The main window's shell: tray, minimise, tray menu, clock parts, key filters, link labels.
#include "app/calendar.h"
#include "app/colours.h"
#include "app/hosts.h"
#include "app/tform1.h"
#include "app/widgetevents.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/mediaplayer.h"
#include "platform/picture.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "ui_tform1.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMenu>

namespace {

const QString kTrayTip = QStringLiteral("Brennoc股票情报系统V4.4");
const QString kContactPage = QStringLiteral("/");

// The tray menu, in order; each item is wired to its handler in connectShellHandlers.
const QString kShowMainWindow = QStringLiteral("显示主窗口");
const QString kResumeNotices = QStringLiteral("继续提示");
const QString kBigOrderFlow = QStringLiteral("实时大单流入流出情况");
const QString kBigOrderPie = QStringLiteral("实时大单流入流出分布图");
const QString kBlogMentions = QStringLiteral("实时知名博客是否提及本股");
const QString kDailyDigest = QStringLiteral("实时综合信息");
const QString kFundLetters = QStringLiteral("实时私募密函信息");
const QString kDesktopPrices = QStringLiteral("在桌面显示股价");
const QString kRecommendations = QStringLiteral("荐股交流");
const QString kYesterdayNews = QStringLiteral("昨日财经大全");
const QString kAlertSettings = QStringLiteral("股价提示设置");
const QString kExit = QStringLiteral("退      出");

// The TV player's menu.
const QString kAddFavourite = QStringLiteral("当前节目添加到收藏夹");
const QString kDeleteFavourites = QStringLiteral("删除收藏夹节目");
const QString kDeleteRecent = QStringLiteral("删除最近观看内容");
const QString kBackToStations = QStringLiteral("返回到选台画面");

QAction* checkedItem(QMenu* menu, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setCheckable(true);
    item->setChecked(true);
    return item;
}

void setLinkColours(QWidget* label, const QColor& background, const QColor& font) {
    Colours::setBackground(label, background);
    Colours::setFontColour(label, font);
}

} // namespace

void TForm1::createMenus() {
    // Without a parent: a window that disables the main window while it is open must not disable the tray
    // menu too, the only way back to a main window hidden in the tray.
    PopupMenu1 = new QMenu;
    connect(this, &QObject::destroyed, [menu = PopupMenu1] { delete menu; });
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(kShowMainWindow);
    N4 = PopupMenu1->addMenu(kResumeNotices);
    N5 = checkedItem(N4, kBigOrderFlow);
    N6 = checkedItem(N4, kBigOrderPie);
    N7 = checkedItem(N4, kBlogMentions);
    N18 = checkedItem(N4, kDailyDigest);
    N15 = checkedItem(N4, kFundLetters);
    N13 = PopupMenu1->addAction(kDesktopPrices);
    N14 = PopupMenu1->addAction(kRecommendations);
    N16 = PopupMenu1->addAction(kYesterdayNews);
    N17 = PopupMenu1->addAction(kAlertSettings);
    N2 = PopupMenu1->addAction(kExit);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N8 = PopupMenu2->addAction(kAddFavourite);
    N9 = PopupMenu2->addMenu(kDeleteFavourites);
    PopupMenu2->addSeparator();
    N11 = PopupMenu2->addAction(kDeleteRecent);
    PopupMenu2->addSeparator();
    N3 = PopupMenu2->addAction(kBackToStations);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(QStringLiteral("PopupMenu4"));
}

void TForm1::connectShellHandlers() {
    const auto wire = [this](QAction* item, void (TForm1::*handler)()) {
        connect(item, &QAction::triggered, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    wire(N1, &TForm1::N1Click);
    wire(N5, &TForm1::N5Click);
    wire(N6, &TForm1::N6Click);
    wire(N7, &TForm1::N7Click);
    wire(N18, &TForm1::N18Click);
    wire(N15, &TForm1::N15Click);
    wire(N13, &TForm1::N13Click);
    wire(N14, &TForm1::N14Click);
    wire(N16, &TForm1::N16Click);
    wire(N17, &TForm1::N17Click);
    wire(N2, &TForm1::N2Click);

    // Stock-code box: the key filter drops what is typed, the validator what arrives another way (a paste).
    acceptDigitsOnly(ui->Edit1);
    onKeyPress(ui->Edit1, [this](QChar& key) { Edit1KeyPress(key); });
    onKeyPress(ui->ComboBox1, [this](QChar& key) { ComboBox1KeyPress(key); });
    onKeyPress(ui->ComboBox2, [this](QChar& key) { ComboBox1KeyPress(key); });
    onClick(ui->Image17, [this] { Image17Click(); });
    onClick(ui->Image5, [this] { Image5Click(); });

    for (QLabel* label : {ui->Label36, ui->Label39, ui->Label15, ui->Label45, ui->Label48}) {
        onHover(
            label, [label] { setLinkColours(label, Colours::red, Colours::white); },
            [label] { setLinkColours(label, Colours::white, Colours::navy); });
    }

    showPicture(ui->Image17, QStringLiteral(":/pictures/go.gif"));
    showPicture(ui->Image5, QStringLiteral(":/pictures/logo.gif"));
}

int TForm1::trayMouseMessage(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return leftButtonDown;
    case QSystemTrayIcon::Context:
        return rightButtonDown;
    case QSystemTrayIcon::DoubleClick:
        return leftButtonDoubleClick;
    case QSystemTrayIcon::MiddleClick:
        return middleButtonDown;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return 0;
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized))
        return;
    // The minimise goes to the tray instead; done after the state change has been delivered. The window keeps
    // its minimised state while it is hidden: clearing it would map the hidden window again, an empty rectangle
    // on the desktop. N1Click clears it when the window comes back.
    QMetaObject::invokeMethod(
        this,
        [this] {
            guarded([this] {
                if (windowState() & Qt::WindowMinimized)
                    WMSysCommand(minimiseCommand);
            });
        },
        Qt::QueuedConnection);
}

bool TForm1::WMSysCommand(int command) {
    if (command != minimiseCommand)
        return false;
    // Without a tray a hidden window could not be brought back: there the window minimises normally.
    if (!platformServices().systemTrayAvailable())
        return false;
    windowmin();
    hide();
    return true;
}

void TForm1::windowmin() {
    state.traymode = 1;
    // One icon for the whole run: a second minimise shows the same icon again.
    if (!trayIcon_) {
        trayIcon_ = new QSystemTrayIcon(windowIcon(), this);
        trayIcon_->setToolTip(kTrayTip);
        connect(trayIcon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            guarded([&] { MyTrayMessage(trayMouseMessage(reason)); });
        });
    }
    trayIcon_->show();
    stopPlayback();
    statusPanel(3)->clear();
    hide();
}

void TForm1::MyTrayMessage(int mouseMessage) {
    if (mouseMessage != leftButtonDown && mouseMessage != rightButtonDown)
        return;
    const QPoint cursor = QCursor::pos();
    QCoreApplication::processEvents();
    PopupMenu1->popup(cursor);
}

void TForm1::N1Click() {
    state.traymode = 0;
    // Cleared before the show, which would otherwise bring the window back minimised.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    centreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void TForm1::gettime() {
    state.clockparts = clockPartsOf(Clock::now());
}

void TForm1::Edit1KeyPress(QChar& key) {
    passDigitKeys(key);
}

void TForm1::ComboBox1KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm1::Image5Click() {
    openInBrowser(Hosts::base(Hosts::contact) + kContactPage);
}
