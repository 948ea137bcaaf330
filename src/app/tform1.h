#pragma once

#include "app/unitstate.h"
#include "platform/database.h"

#include <QColor>
#include <QString>
#include <QSystemTrayIcon>
#include <QWidget>

#include <memory>

class ClientSocket;
class HttpClient;
class MediaPlayer;
class QAction;
class QLabel;
class QMenu;
class QPainter;
class QRect;
class QTimer;
class WebBrowser;

namespace Ui {
class TForm1;
}

// The main working window. Its widgets and static texts come from tform1.ui; each subsystem defines the
// handlers it owns in its own folder (quotes/form1_*.cpp, fundflow/form1_*.cpp, ...), so this class is the
// meeting point of the whole program while every file holds one concern.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // Window message numbers the shell keeps: the minimise command and the tray's mouse messages.
    static constexpr int minimiseCommand = 61472;
    static constexpr int leftButtonDown = 513;
    static constexpr int leftButtonDoubleClick = 515;
    static constexpr int rightButtonDown = 516;
    static constexpr int middleButtonDown = 519;

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // ----- Program start and shut-down (app/tform1.cpp) -----
    // Creation: data folder, shared state, back-end address, then the window is shown, which runs the
    // first-show sequence. The program block calls it right after construction.
    void FormCreate();
    // Every show; the first one runs the start-up sequence.
    void FormShow();
    // Switches the main window to `curcode`: saves it, clears the per-stock state and fetches the stock's news.
    void start();
    // Appends the forum topics not yet in the forum grid and selects the empty row below them.
    void appendForumRows();
    // Forgets what belongs to the old stock before a stock switch: each subsystem empties its own share
    // (resetBigOrderState, resetInfoPanelState), so nothing of the old stock shows under the new one.
    void resetPerStockState();
    // The user closes the window: saves the TV station files, tidies up and ends the program. Returns false
    // when the close is refused (a step failed).
    bool FormCloseQuery();
    // Tray menu exit.
    void N2Click();
    // Hides the splash once the start-up sequence is over.
    void Timer8Timer();

    // ----- Local store (app/form1_store.cpp) -----
    // Opens both database files, creating what is missing, and sets the alert status text.
    void createbase();
    // Restores the last stock and the TV station lists, and builds the favourite-delete menu.
    void getbase();
    // Appends one favourite to the favourite-delete menu N9, and its closing separator and "删除全部".
    void appendFavouriteDeleteItem(const QString& name);
    void appendFavouriteDeleteTail();

    // ----- Window shell (app/form1_shell.cpp) -----
    // System command of the window; returns true when it was handled here (minimise to the tray).
    bool WMSysCommand(int command);
    // Hides the window to the tray.
    void windowmin();
    // The tray icon's mouse message.
    void MyTrayMessage(int mouseMessage);
    // Tray menu "显示主窗口".
    void N1Click();
    // Reads the clock into `clockparts`.
    void gettime();
    void Edit1KeyPress(QChar& key);
    void ComboBox1KeyPress(QChar& key);
    void Image5Click();
    // Maps the tray icon's activation onto the mouse message numbers that MyTrayMessage filters.
    static int trayMouseMessage(QSystemTrayIcon::ActivationReason reason);
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }

    // ----- Quotes (quotes/form1_quotes.cpp, form1_watchlist.cpp, form1_monitor.cpp, form1_widget.cpp) -----
    // Stock look-up: the name of the stock with this code on the quote service ("" when none). Its callers set
    // curname from it, the stock switch only once the switch goes ahead.
    virtual QString yzgp(const QString& code);
    // Index summary of the two markets.
    virtual void getvtzs();
    // Quote panel of one stock.
    virtual void getvtdate(const QString& code);
    // Loads the watch-list alert settings from the alert database.
    virtual void sendbase();
    // Watch-list fetch: appends one entry per record field of the stock to the monitor's quote lists.
    virtual void gestockgj(const QString& code);
    void Timer1Timer();
    void Image17Click();
    void ToolButton5Click();  // opens the alert settings window, like N17
    void ToolButton12Click(); // shows or hides the desktop price widget, like N13
    void Timer4Timer();
    void Timer6Timer();
    void N13Click();
    void N17Click();

    // Re-entry guards: the quote tick, the monitor pass and the stock switch wait in blocking fetches while timers
    // tick and clicks arrive, so a second one could start inside the first.
    bool quoteTickRunning = false;   // a quote tick is under way; a tick that comes meanwhile does nothing
    bool monitorPassRunning = false; // a monitor pass is under way; a tick that comes meanwhile does nothing
    bool stockSwitchRunning = false; // a stock switch is under way; clicks are ignored until it ends

    // ----- Fund flow and big-order charts (fundflow/form1_bigorder.cpp, form1_halfhour.cpp) -----
    // Navigates the three big-order chart pages of the current stock.
    virtual void loadBigOrderPages();
    // Empties the big-order charts and lists and the half-hour announcement state of the old stock.
    void resetBigOrderState();
    // Fills and shows the stock fund page for a six-digit code; every code link of the program opens it.
    virtual void getgpzj(const QString& code);
    // The same operation under the name the N-day query's links use.
    void getggsj(const QString& code);
    // The tool button "个股资金" and the quote panel's link "【明细】" (fundflow/form1_fundpage.cpp): the stock
    // fund page and the period query of the current stock.
    void ToolButton16Click();
    void Label72Click();
    // The big-order chart pages completed: each reads its page's lists; the bar and day pages redraw their chart.
    void WebBrowser2DocumentComplete();
    void WebBrowser3DocumentComplete();
    void WebBrowser4DocumentComplete();
    void CheckBox1Click(); // opens the ten-day window
    void CheckBox2Click(); // opens the distribution window
    // Fills and opens the distribution window of today's big-order turnover.
    void dbshow();
    void Timer2Timer();
    void Timer7Timer();
    void N5Click();
    void N6Click();

    // ----- Rankings (rankings/form1_rankings.cpp, form1_rankclient.cpp, form1_query.cpp, form1_screening.cpp) -----
    // Creates the three label arrays of the ranking board; once made they stay, and later calls do nothing.
    virtual void createsj();
    // A board label under the mouse (highlight), left by it, and clicked (the stock fund page of its stock).
    void tsin(QLabel* label);
    void tsout(QLabel* label);
    void tsclick(QLabel* label);
    // Board readers of a complete ranking page with the threshold of their box: the tdc page fills the time
    // stamp and boxes 1 and 2, the ddx page box 3 and hands its stocks to the strong-stock tracker.
    void getshdjttdc(const QByteArray& page, const QString& threshold);
    void getshdjtddx(const QByteArray& page, const QString& threshold);
    void Timer9Timer();
    void ComboBox1Change(); // a threshold box changed (both boxes)
    void Label49Click();    // shows the board
    void Label66Click();    // hides the board
    // "跟踪强势股" (rankings/form1_tracking.cpp): opens the strong-stock tracking window once it has stocks.
    void Label69Click();
    // The ranking request of a date on ClientSocket1 (tdc) and ClientSocket2 (ddx).
    void socketgettdzj(const QString& date);
    void socketgetddx(const QString& date);
    void ClientSocket1Connect();
    void ClientSocket1Read();
    void ClientSocket1Error();
    void ClientSocket2Connect();
    void ClientSocket2Read();
    void ClientSocket2Error();
    // The N-day ranking query (rankings/form1_query.cpp): start, the day walk over ClientSocket3, the page
    // reader that stores a day's first ten rows in `data`, and the result's labels and menu.
    void BitBtn7Click();
    void ClientSocket3Connect();
    void ClientSocket3Read();
    void ClientSocket3Error();
    void ClientSocket3Disconnect(); // the site closed the kept-alive connection
    void Timer3Timer();
    void getshdjtzh(const QByteArray& page, const QString& category);
    void Label83Click(); // "返回" on the progress panel: stops the walk
    void Label85Click();
    void Label86Click();
    void Label87Click();
    void Label88Click(); // "【更多】": ranks 4 and below
    void Label89Click(); // "【返回】" on the result
    void nclickk(QAction* item);
    void ComboBox3KeyPress(QChar& key);
    // The fund-flow screening (rankings/form1_screening.cpp): the form's check and the query on the back-end,
    // the result grid, and the late-day picks' stock labels.
    void BitBtn8Click();
    void getzjsj();
    void StringGrid2SelectCell(int column, int row);
    void Label18Click();
    void Label20Click();
    void ComboBox5KeyPress(QChar& key);
    void Edit3KeyPress(QChar& key); // also Edit4 and Edit5
    void Edit6KeyPress(QChar& key);

    QList<QLabel*> tdclabels;    // box 1: the first twelve rows of the tdc ranking
    QList<QLabel*> tdclowlabels; // box 2: the first twelve tdc rows below ComboBox1's change
    QList<QLabel*> ddxlabels;    // box 3: the first twelve ddx rows below ComboBox2's change
    // The ranking tick waits in the pop-up polls' fetches, and a socket error switches its timer on meanwhile,
    // so a second tick could start inside the first; it does nothing while this is set.
    bool rankTickRunning = false;

    // ----- News (news/form1_news.cpp, form1_newsflash.cpp, form1_picks.cpp, form1_latepicks.cpp,
    // form1_recommend.cpp, form1_shortcuts.cpp) -----
    // Newest rumour and research titles of a stock.
    virtual void getyg(const QString& code);
    // One-line investor comment on a stock.
    virtual void getqgqp(const QString& code);
    // Announcements of a stock.
    virtual void getgg(const QString& code);
    // Today's forum topics of a stock.
    virtual void getgbdata(const QString& code);
    // Empties the information panel's per-stock state of the old stock.
    void resetInfoPanelState();
    // Fills the "所有公告" window's grid from the notice lists (news/form1_news.cpp).
    void ggggdraw();
    void Label15Click(); // opens the "所有公告" window
    void Label36Click(); // opens the rumour item
    void Label39Click(); // opens the research report
    void Label45Click(); // opens the newest forum topic
    // The forum grid (news/form1_forumgrid.cpp): every cell is painted here, its colour telling read rows from
    // unread ones, and a click on a topic marks its row read and opens it.
    void StringGrid1DrawCell(QPainter& painter, int column, int row, const QRect& rect, bool selected);
    void StringGrid1SelectCell(int column, int row);
    // Stock switches so far: a page fetched across a switch belongs to the old stock and is dropped.
    int infoPanelSwitches = 0;
    // Label15's design text and colour, shown again when the announcements cannot be read.
    QString noticeLabelDesignText;
    QColor noticeLabelDesignColour;
    // News flash and picks: the headline every 20th tick, the picks check on every tick.
    void Timer5Timer();
    void Label48Click();      // the headline in the default browser
    void ToolButton17Click(); // "独家信息": the back-end news pop-up, also for a record shown before
    void N7Click();
    void N15Click();
    void N18Click();
    // The picks check: appends the back-end's picks not yet received to the pick lists; true when there were any.
    bool checkPicks();
    // The grid fill: TForm20 with every pick received, shown.
    void fillPicks();
    void ToolButton15Click(); // "精选个股"
    // The late-day picks under Label21; their two stock labels open as the screening's do.
    void Label21Click();
    void N14Click();
    void ToolButton11Click(); // opens the recommendation exchange, like N14
    // Page shortcuts: the finance digest, the watched list, research and stock data pages, the stock pools.
    void N16Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void ToolButton13Click();
    void ToolButton14Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void Label46Click();
    void Label47Click();
    void Label51Click();
    void Label56Click();
    // The watched list page in WebBrowser9, its head and foot cut off: reloaded when WebBrowser9 holds it, else
    // loaded.
    void showWatchedList();
    // A news-flash tick waits in its fetches, and the settings window switches Timer5 on when it closes, so a
    // second tick could start inside the first; it does nothing while this is set.
    bool newsFlashTickRunning = false;

    // ----- TV (tv/form1_tv.cpp, form1_playback.cpp) -----
    // Fetches the TV station list and builds the station labels.
    virtual void addtv();
    // A favourite-delete menu item was chosen.
    void nclick3(QAction* item);
    // A TV label was clicked: fills PopupMenu3 with its stations and pops it up.
    void mset(QLabel* label);
    // Hover colours of a TV label: entered, moved over, left.
    void msin(QLabel* label);
    void msmove(QLabel* label);
    void msout(QLabel* label);
    // The mouse moved over the panel's picture or a chart: every TV label goes back to white.
    void Image24MouseMove();
    void Chart1MouseMove();
    void Chart2MouseMove();
    // A station was chosen in a group menu (updates the recent ring), the recent menu or the favourites menu.
    void nclick(QAction* item);
    void nclick1(QAction* item);
    void nclick2(QAction* item);
    void WindowsMediaPlayer1StatusChange();
    void N3Click();  // "返回到选台画面"
    void N8Click();  // "当前节目添加到收藏夹"
    void N11Click(); // "删除最近观看内容"
    void Image14Click();
    // Makes WindowsMediaPlayer1 on the TV panel the first time a station plays.
    MediaPlayer& makePlayer();
    // The station labels: one per group that fits on the panel, then "最近观看" and "收 藏 夹".
    QList<QLabel*> tvlabels;

    // ----- Widgets and components -----
    std::unique_ptr<Ui::TForm1> ui;
    UnitState state;

    // Status bar panels 0 to 3.
    QLabel* statusPanel(int index) const;

    QTimer* Timer1;  // quote refresh
    QTimer* Timer2;  // chart reload and forum refresh
    QTimer* Timer3;  // N-day ranking query step
    QTimer* Timer4;  // watch-list monitor
    QTimer* Timer5;  // news flash and picks
    QTimer* Timer6;  // alert re-arm
    QTimer* Timer7;  // half-hour big-order announcements
    QTimer* Timer8;  // hides the splash
    QTimer* Timer9;  // ranking refresh and back-end pop-ups
    QTimer* Timer33; // never switched on

    std::unique_ptr<WebBrowser> WebBrowser1;  // back-end stock page
    std::unique_ptr<WebBrowser> WebBrowser2;  // big-order chart page: today per half hour
    std::unique_ptr<WebBrowser> WebBrowser3;  // big-order chart page: per day
    std::unique_ptr<WebBrowser> WebBrowser4;  // big-order chart page: size classes
    std::unique_ptr<WebBrowser> WebBrowser5;  // cover over the TV player
    std::unique_ptr<WebBrowser> WebBrowser7;  // stock pool
    std::unique_ptr<WebBrowser> WebBrowser8;  // after-hours stock data pages
    std::unique_ptr<WebBrowser> WebBrowser9;  // watched list and research pages
    std::unique_ptr<WebBrowser> WebBrowser66; // back-end banner
    std::unique_ptr<MediaPlayer> WindowsMediaPlayer1;

    HttpClient* IdHTTP1;  // TV station list
    HttpClient* IdHTTP2;  // per-stock information pages
    HttpClient* IdHTTP4;  // news flash and picks
    HttpClient* IdHTTP5;  // forum topics and chart pages
    HttpClient* IdHTTP7;  // screening and late-day picks
    HttpClient* IdHTTPgj; // stock look-up and the monitor's quote fetches

    ClientSocket* ClientSocket1; // ranking board, boxes 1 and 2
    ClientSocket* ClientSocket2; // ranking board, box 3
    ClientSocket* ClientSocket3; // N-day ranking query

    Database ADOConnection1; // gpfind.dat: ranking query results
    Database ado;            // gpbd0856.dat: watch-list alert settings
    Dataset ado1{ado};       // "select * from 手机" after start-up
    Dataset ado2{ADOConnection1};
    Dataset ado3{ADOConnection1};

    QMenu* PopupMenu1; // tray menu
    QAction* N1;
    QMenu* N4; // "继续提示": resumes the paused pop-ups
    QAction* N5;
    QAction* N6;
    QAction* N7;
    QAction* N18;
    QAction* N15;
    QAction* N13;
    QAction* N14;
    QAction* N16;
    QAction* N17;
    QAction* N2;

    QMenu* PopupMenu2; // TV player menu
    QAction* N8;
    QMenu* N9; // favourite-delete submenu
    QAction* N11;
    QAction* N3;
    QMenu* PopupMenu3; // TV stations of a group
    QMenu* PopupMenu4; // N-day query ranks 4 and below

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createTimers();
    void createBrowsers();
    void createClients();
    void createMenus();
    void createStatusPanels();
    void connectShellHandlers();
    void connectTvHandlers();
    void buildTvLabels();
    void startPlayback(const QString& name, const QString& url);
    void connectRankingHandlers();
    void connectQueryHandlers();
    void connectScreeningHandlers();
    void connectBigOrderHandlers();
    void connectInfoPanel(); // news/form1_news.cpp
    void connectNewsFlashHandlers();
    void connectShortcutHandlers();
    void runFirstShow();
    void resetForumGrid();
    void saveStationFiles();
    void stopPlayback();
    void removeTrayIcon();

    QList<QLabel*> statusPanels_;
    QSystemTrayIcon* trayIcon_ = nullptr;
    bool inFormShow_ = false;
};
