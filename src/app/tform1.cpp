#include "app/tform1.h"

#include "app/backend.h"
#include "app/calendar.h"
#include "app/hosts.h"
#include "app/localstore.h"
#include "app/program.h"
#include "app/registry.h"
#include "app/textfile.h"
#include "app/tform12.h"
#include "news/shortcuts.h"
#include "platform/clientsocket.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/httpclient.h"
#include "platform/mediaplayer.h"
#include "platform/screen.h"
#include "platform/secondstimer.h"
#include "platform/services.h"
#include "platform/webbrowser.h"
#include "ui_tform1.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QTimer>

namespace {

// Headings of the forum grid and of the screening grid.
const QStringList kForumHeadings = {QString(), QStringLiteral("帖子标题"), QStringLiteral("点击/回复"),
                                    QStringLiteral("作者")};
const QStringList kScreeningHeadings = {QString(),
                                        QStringLiteral("股票名称"),
                                        QStringLiteral("股票代码"),
                                        QStringLiteral("总资金量"),
                                        QStringLiteral("特大资金"),
                                        QStringLiteral("大户资金"),
                                        QStringLiteral("中户资金"),
                                        QStringLiteral("散户资金"),
                                        QStringLiteral("累计涨幅")};
const QList<int> kForumColumnWidths = {21, 330, 61, 82};
// The forum grid's read flags with no topic listed: the four of the grid's first (empty) data row.
const QStringList kForumUnreadAtStart = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                                         QStringLiteral("1")};
const QList<int> kScreeningColumnWidths = {22, 58, 65, 65, 60, 58, 57, 53, 54};

const QString kTodayPrefix = QStringLiteral("(今天是");
const QString kTodaySuffix = QStringLiteral(")");
const QString kForumCaptionPrefix = QStringLiteral("网民对(");
const QString kForumCaptionSuffix = QStringLiteral(")的最新热评");

// Where the TV player's cover and the banner stand when idle.
constexpr int kParkedLeft = -1000;
constexpr int kBannerLeft = 20;

constexpr int kStatusPanelCount = 4;
const QList<int> kStatusPanelWidths = {200, 330, 250, 0};

// Replaces a placeholder of the window definition with the view of a browser or player: same parent, place,
// visibility and stacking, and the component's name.
void takePlace(QWidget* view, QWidget*& placeholder, const QString& name) {
    if (!view || !placeholder)
        return;
    view->setParent(placeholder->parentWidget());
    view->setGeometry(placeholder->geometry());
    view->setObjectName(name);
    view->stackUnder(placeholder);
    view->setVisible(!placeholder->isHidden());
    delete placeholder;
    placeholder = nullptr;
}

void moveLeftEdge(QWidget* widget, int left) {
    if (widget)
        widget->move(left, widget->y());
}

} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm1>()) {
    ui->setupUi(this);
    // One fixed border with a close box and a minimise box, no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app.png")));
    // The labels show quotes, names and titles from outside pages, which must never be read as markup.
    for (QLabel* label : findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);

    ui->StringGrid1->setColumnCount(static_cast<int>(kForumColumnWidths.size()));
    ui->StringGrid1->setColumnWidths(kForumColumnWidths);
    ui->StringGrid1->setRowHeight(20);
    ui->StringGrid2->setColumnCount(static_cast<int>(kScreeningColumnWidths.size()));
    ui->StringGrid2->setColumnWidths(kScreeningColumnWidths);
    ui->StringGrid2->setRowHeight(16);
    ui->StringGrid2->setCursor(Qt::PointingHandCursor);

    createTimers();
    createBrowsers();
    createClients();
    createMenus();
    createStatusPanels();
    connectShellHandlers();
    connectTvHandlers();
    connectRankingHandlers();
    connectQueryHandlers();
    connectScreeningHandlers();
    connectBigOrderHandlers();
    connectInfoPanel();
    connectNewsFlashHandlers();
    connectShortcutHandlers();
}

TForm1::~TForm1() = default;

void TForm1::createTimers() {
    // Each tick waits until every window exists: timers that are on from load, and those the first show
    // switches on, can tick inside the first show's blocking fetches, before the later windows are created.
    const auto make = [this](QTimer* timer, void (TForm1::*handler)()) {
        connect(timer, &QTimer::timeout, this, [this, handler] {
            if (windowsCreated())
                guarded([&] { (this->*handler)(); });
        });
        return timer;
    };
    Timer1 = make(newSecondsTimer(this, 1000), &TForm1::Timer1Timer);
    Timer2 = make(newSecondsTimer(this, 60000), &TForm1::Timer2Timer);
    // The query's steps follow one another closely while it runs, so this one keeps the finer timing.
    auto* queryStep = new QTimer(this);
    queryStep->setInterval(100);
    Timer3 = make(queryStep, &TForm1::Timer3Timer);
    Timer4 = make(newSecondsTimer(this, 5000), &TForm1::Timer4Timer);
    Timer5 = make(newSecondsTimer(this, 30000), &TForm1::Timer5Timer);
    Timer6 = make(newSecondsTimer(this, 1000), &TForm1::Timer6Timer);
    Timer7 = make(newSecondsTimer(this, 5000), &TForm1::Timer7Timer);
    Timer9 = make(newSecondsTimer(this, 30000), &TForm1::Timer9Timer);
    // Never switched on and without a handler; kept so that the window's set of timers is complete.
    Timer33 = new QTimer(this);
    Timer33->setInterval(5000);
    // Hides the splash; it only touches the splash, which exists before the main window.
    Timer8 = new QTimer(this);
    Timer8->setInterval(10);
    connect(Timer8, &QTimer::timeout, this, [this] { guarded([this] { Timer8Timer(); }); });

    Timer2->start();
    Timer6->start();
    Timer9->start();
}

void TForm1::createBrowsers() {
    PlatformServices& services = platformServices();
    WebBrowser1 = services.createBrowser(this);
    takePlace(WebBrowser1->widget(), ui->WebBrowser1Place, QStringLiteral("WebBrowser1"));
    WebBrowser5 = services.createBrowser(this);
    takePlace(WebBrowser5->widget(), ui->WebBrowser5Place, QStringLiteral("WebBrowser5"));
    WebBrowser7 = services.createBrowser(this);
    takePlace(WebBrowser7->widget(), ui->WebBrowser7Place, QStringLiteral("WebBrowser7"));
    WebBrowser8 = services.createBrowser(this);
    takePlace(WebBrowser8->widget(), ui->WebBrowser8Place, QStringLiteral("WebBrowser8"));
    WebBrowser9 = services.createBrowser(this);
    takePlace(WebBrowser9->widget(), ui->WebBrowser9Place, QStringLiteral("WebBrowser9"));
    WebBrowser66 = services.createBrowser(this);
    takePlace(WebBrowser66->widget(), ui->WebBrowser66Place, QStringLiteral("WebBrowser66"));
    // The big-order chart pages are read, never shown.
    WebBrowser2 = services.createBrowser(nullptr);
    WebBrowser3 = services.createBrowser(nullptr);
    WebBrowser4 = services.createBrowser(nullptr);
    // The TV player is made when a station is first played (makePlayer), with its size and stretch.
}

void TForm1::createClients() {
    IdHTTP1 = new HttpClient(this);
    IdHTTP2 = new HttpClient(this);
    IdHTTP4 = new HttpClient(this);
    IdHTTP5 = new HttpClient(this);
    IdHTTP7 = new HttpClient(this);
    IdHTTP7->setFollowRedirects(false);
    IdHTTPgj = new HttpClient(this);
    // The monitor's fetches run inside the quote panel's wait on the same quote service, so they keep to its
    // read time-out: a stalled service must not hold the quotes back for the default's minute.
    IdHTTPgj->setReadTimeout(Backend::mainWindowReadTimeoutMs);
    ClientSocket1 = new ClientSocket(this);
    ClientSocket2 = new ClientSocket(this);
    ClientSocket3 = new ClientSocket(this);
    for (ClientSocket* socket : {ClientSocket1, ClientSocket2, ClientSocket3}) {
        socket->setAddress(Hosts::rankingAddress());
        socket->setPort(Hosts::rankingPort());
    }
}

void TForm1::createStatusPanels() {
    for (int i = 0; i < kStatusPanelCount; ++i) {
        auto* panel = new QLabel(ui->StatusBar1);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setTextFormat(Qt::PlainText);
        if (kStatusPanelWidths[i] > 0) {
            panel->setFixedWidth(kStatusPanelWidths[i]);
            ui->StatusBar1->addWidget(panel);
        } else {
            ui->StatusBar1->addWidget(panel, 1);
        }
        statusPanels_ << panel;
    }
}

QLabel* TForm1::statusPanel(int index) const {
    return at(statusPanels_, index);
}

void TForm1::FormCreate() {
    guarded([this] {
        state.datadir = dataFolder();
        state.serverurl = Backend::serverurl();
        state.firstshowdone = 0;
        state.minutetick = 1;
        state.tipsloaded = 0;
        state.mutedigest = 0;
        state.trackrows = 0;
        state.newsflashtick = 0;
    });
    // Shown in every case; the first show runs the start-up sequence now, before the later windows exist.
    show();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window manager's restore is not a show of the window.
    if (!event->spontaneous())
        FormShow();
}

void TForm1::FormShow() {
    if (inFormShow_)
        return;
    inFormShow_ = true;
    if (state.firstshowdone == 0)
        guarded([this] { runFirstShow(); });
    // Every show switches the half-hour announcements on. It runs after the first show's steps whatever
    // became of them, so a failure there does not leave the timer off until a later show. A timer already on
    // keeps its count: starting it again would push its next tick back by a whole interval.
    if (!Timer7->isActive())
        Timer7->start();
    if (state.firstshowdone == 0) {
        Timer8->start();
        state.firstshowdone = 1;
    }
    inFormShow_ = false;
}

void TForm1::runFirstShow() {
    centreOnScreen(this);
    ui->StringGrid1->resetWithHeadings(kForumHeadings);
    ui->StringGrid2->resetWithHeadings(kScreeningHeadings);
    state.forumunread = kForumUnreadAtStart;
    for (HttpClient* client : {IdHTTP1, IdHTTP2, IdHTTP5})
        client->setReadTimeout(Backend::mainWindowReadTimeoutMs);
    createbase();
    sendbase();
    getbase();
    state.curname = yzgp(state.curcode);
    addtv();
    createsj();
    ui->Label33->setText(kTodayPrefix + Formats::shortDate(Clock::today()) + kTodaySuffix);
    Timer1->start();
    Timer4->start();
    Timer5->start();
    moveLeftEdge(WebBrowser5->widget(), kParkedLeft);
    WebBrowser66->navigate(Backend::address(Backend::bannerPage));
    WebBrowser7->navigate(Hosts::base(Hosts::stockpool) + Shortcuts::stockPool1Page);
    if (state.curcode.isEmpty())
        return;
    loadBigOrderPages();
    start();
}

void TForm1::Timer8Timer() {
    Timer8->stop();
    if (Form12)
        Form12->hide();
}

void TForm1::resetForumGrid() {
    ui->StringGrid1->resetWithHeadings(kForumHeadings);
    state.forumshown = 0;
}

void TForm1::resetPerStockState() {
    resetBigOrderState();
    resetInfoPanelState();
}

void TForm1::start() {
    // The file only tells the next start where to begin: a save that fails does not stop the switch.
    guarded([this] { TextFile::writeLines(dataFile(LocalStore::lastStockFile), {ui->Edit1->text()}); });
    state.forumtitles.clear();
    state.forumdates.clear();
    state.forumcounts.clear();
    state.forumlinks.clear();
    state.forumauthors.clear();
    // The read marks belong to the rows of the stock's topics, so a new list starts unread.
    state.forumunread = kForumUnreadAtStart;
    resetForumGrid();
    getyg(state.curcode);
    state.noticedates.clear();
    state.noticelinks.clear();
    state.noticetitles.clear();
    getqgqp(state.curcode);
    getgg(state.curcode);
    ui->GroupBox1->setTitle(kForumCaptionPrefix + state.curname + kForumCaptionSuffix);
    getgbdata(state.curcode);
    // Inside the fetch window the quote timer keeps both current; outside it this is the only fetch.
    if (!insideFetchWindow(Clock::timeOfDay())) {
        getvtzs();
        getvtdate(state.curcode);
    }
    appendForumRows();
    const QString weekday = todayweekday();
    if (weekday == weekdayNameSundayTian(0) || weekday == weekdayNameSundayTian(6))
        getvtdate(state.curcode);
}

void TForm1::appendForumRows() {
    StringGrid* grid = ui->StringGrid1;
    const int count = static_cast<int>(state.forumcounts.size());
    for (int i = state.forumshown; i < count; ++i) {
        grid->setCell(0, i + 1, QString::number(i + 1));
        grid->setCell(1, i + 1, at(state.forumtitles, i));
        grid->setCell(2, i + 1, at(state.forumcounts, i));
        grid->setCell(3, i + 1, at(state.forumauthors, i));
        grid->setRowCount(grid->rowCount() + 1);
    }
    grid->setRow(grid->rowCount() - 1);
    state.forumshown = count;
}

void TForm1::saveStationFiles() {
    TextFile::writeLines(dataFile(LocalStore::recentFile),
                         LocalStore::stationLines(state.recentnames, state.recenturls));
    TextFile::writeLines(dataFile(LocalStore::favouritesFile), LocalStore::stationLines(state.favnames, state.favurls));
}

void TForm1::stopPlayback() {
    if (WindowsMediaPlayer1)
        WindowsMediaPlayer1->stop();
    moveLeftEdge(WebBrowser66->widget(), kBannerLeft);
    ui->Panel6->hide();
}

void TForm1::removeTrayIcon() {
    if (trayIcon_)
        trayIcon_->hide();
}

bool TForm1::FormCloseQuery() {
    return guarded([this] {
        ClientSocket3->setActive(false);
        saveStationFiles();
        stopPlayback();
        removeTrayIcon();
        terminateApplication();
    });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TForm1::N2Click() {
    // The tray exit saves and tidies up as the window's close does, so the station lists changed during the
    // run are kept and the player and the query socket stop; a step that fails does not keep the program
    // from ending.
    guarded([this] { ClientSocket3->setActive(false); });
    guarded([this] { saveStationFiles(); });
    guarded([this] { stopPlayback(); });
    removeTrayIcon();
    terminateApplication();
}
