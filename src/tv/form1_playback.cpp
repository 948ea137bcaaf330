// The main window's TV playback: starting a station, the recent ring, the player's status, and the player's
// menu PopupMenu2 with the favourites and the recent list.
#include "app/program.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "platform/failures.h"
#include "platform/mediaplayer.h"
#include "platform/services.h"
#include "platform/webbrowser.h"
#include "tv/stationmenus.h"
#include "tv/streamaddress.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QtCharts/QChartView>

namespace {

const QString kPlayingPrefix = QStringLiteral("正在播放:");
const QString kAlreadyFavourite = QStringLiteral("已存在,无须再收藏!");
const QString kDeleteRecentQuestion = QStringLiteral("确定要删除最近访问过的电视台吗？");
const QString kDeletedRecent = QStringLiteral("最近访问过的电视台删除成功!");

// The player's status words, tested by containment; "已停止" (MediaPlayer::statusStopped) by equality.
const QString kConnectingWord = QStringLiteral("正在连接");
const QString kBufferingWord = QStringLiteral("缓冲");
const QString kPlayingWord = QStringLiteral("正在播放");

// The player on the TV panel; the cover goes over it at the picture's left + 18.
constexpr int kPlayerLeft = 18;
constexpr int kPlayerTop = 19;
constexpr int kPlayerWidth = 363;
constexpr int kPlayerHeight = 328;
constexpr int kCoverOffset = 18;
// Where the cover and the banner stand when they are off the panel, and the banner's place on it.
constexpr int kParkedLeft = -1000;
constexpr int kBannerLeft = 20;
// The recent ring holds ten stations once full.
constexpr int kRecentRingSize = 10;
constexpr int kPlayingPanel = 2;

void moveLeftEdge(QWidget* widget, int left) {
    if (widget)
        widget->move(left, widget->y());
}

// Puts a station into the recent ring: appended until ten have been played, then over the oldest entry.
void putIntoRecentRing(UnitState& state, const QString& name, const QString& url) {
    if (state.recentcount >= kRecentRingSize) {
        const int slot = state.recentcount % kRecentRingSize;
        at(state.recentnames, slot) = name;
        at(state.recenturls, slot) = url;
    } else {
        state.recentnames << name;
        state.recenturls << url;
    }
    ++state.recentcount;
}

// The panel without a station: cover and banner back in their idle places, no station in the status bar,
// the player and its button hidden.
void showStopped(TForm1& form) {
    moveLeftEdge(form.WebBrowser5->widget(), kParkedLeft);
    moveLeftEdge(form.WebBrowser66->widget(), kBannerLeft);
    form.statusPanel(kPlayingPanel)->clear();
    if (form.WindowsMediaPlayer1) {
        if (QWidget* video = form.WindowsMediaPlayer1->widget())
            video->hide();
    }
    form.ui->Panel6->hide();
}

} // namespace

void TForm1::connectTvHandlers() {
    const auto wire = [this](QAction* item, void (TForm1::*handler)()) {
        connect(item, &QAction::triggered, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    wire(N3, &TForm1::N3Click);
    wire(N8, &TForm1::N8Click);
    wire(N11, &TForm1::N11Click);

    onClick(ui->Image14, [this] { Image14Click(); });
    ui->Image14->setAlignment(Qt::AlignCenter);
    ui->Image14->setPixmap(style()->standardIcon(QStyle::SP_ArrowDown).pixmap(ui->Image14->height() - 6));
    // PopupMenu2 is also the context menu of the small panel under the player.
    ui->Panel6->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->Panel6, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu2->popup(ui->Panel6->mapToGlobal(at)); });

    TvMenus::onMouseMove(ui->Image24, [this] { Image24MouseMove(); });
    TvMenus::onMouseMove(ui->Chart1->viewport(), [this] { Chart1MouseMove(); });
    TvMenus::onMouseMove(ui->Chart2->viewport(), [this] { Chart2MouseMove(); });
}

MediaPlayer& TForm1::makePlayer() {
    if (WindowsMediaPlayer1)
        return *WindowsMediaPlayer1;
    std::unique_ptr<MediaPlayer> player = platformServices().createPlayer(ui->Panel7);
    if (QWidget* video = player->widget()) {
        video->setObjectName(QStringLiteral("WindowsMediaPlayer1"));
        video->setGeometry(kPlayerLeft, kPlayerTop, kPlayerWidth, kPlayerHeight);
        // In the placeholder's place among the panel's widgets: over the station labels, under the cover.
        if (ui->WindowsMediaPlayer1Place)
            video->stackUnder(ui->WindowsMediaPlayer1Place);
        video->hide();
        video->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(video, &QWidget::customContextMenuRequested, this,
                [this, video](const QPoint& at) { PopupMenu2->popup(video->mapToGlobal(at)); });
    }
    delete ui->WindowsMediaPlayer1Place;
    ui->WindowsMediaPlayer1Place = nullptr;
    player->setStretchToFit(true);
    connect(player.get(), &MediaPlayer::statusChange, this,
            [this] { guarded([this] { WindowsMediaPlayer1StatusChange(); }); });
    WindowsMediaPlayer1 = std::move(player);
    return *WindowsMediaPlayer1;
}

void TForm1::startPlayback(const QString& name, const QString& url) {
    state.nowplayingname = name;
    state.nowplayingurl = url;
    // The player is never given anything but a network stream: any other address is a station that does not
    // play, and ends the one playing as a broken stream would.
    if (!Tv::isStreamAddress(url)) {
        if (WindowsMediaPlayer1)
            WindowsMediaPlayer1->stop();
        state.playerstatus = MediaPlayer::statusStopped;
        showStopped(*this);
        return;
    }
    moveLeftEdge(WebBrowser5->widget(), ui->Image24->x() + kCoverOffset);
    MediaPlayer& player = makePlayer();
    if (QWidget* video = player.widget())
        video->show();
    ui->Panel6->show();
    moveLeftEdge(WebBrowser66->widget(), kParkedLeft);
    statusPanel(kPlayingPanel)->setText(kPlayingPrefix + name);
    // The address goes last: a player that fails at once reports "stopped" on the finished panel, which
    // then goes back to idle instead of claiming to play.
    player.setUrl(url);
}

void TForm1::nclick(QAction* item) {
    const Tv::StationRecord& station = at(state.tvstations.records, item->data().toLongLong());
    if (!station.playable())
        return;
    const QString name = station.name().toString();
    const QString url = station.url().toString();
    putIntoRecentRing(state, name, url);
    startPlayback(name, url);
}

void TForm1::nclick1(QAction* item) {
    const qsizetype index = item->data().toLongLong();
    startPlayback(at(state.recentnames, index), at(state.recenturls, index));
}

void TForm1::nclick2(QAction* item) {
    const qsizetype index = item->data().toLongLong();
    startPlayback(at(state.favnames, index), at(state.favurls, index));
}

void TForm1::WindowsMediaPlayer1StatusChange() {
    if (!WindowsMediaPlayer1)
        return;
    state.playerstatus = WindowsMediaPlayer1->statusText();
    QWidget* cover = WebBrowser5->widget();
    const QString& status = state.playerstatus;
    if ((status.contains(kConnectingWord) || status.contains(kBufferingWord)) && cover && cover->x() == kParkedLeft)
        moveLeftEdge(cover, ui->Image24->x() + kCoverOffset);
    if (status.contains(kPlayingWord))
        moveLeftEdge(cover, kParkedLeft);
    if (status == MediaPlayer::statusStopped)
        showStopped(*this);
}

void TForm1::N3Click() {
    if (WindowsMediaPlayer1)
        WindowsMediaPlayer1->stop();
    showStopped(*this);
}

void TForm1::Image14Click() {
    PopupMenu2->popup(QCursor::pos());
}

void TForm1::N8Click() {
    if (state.favnames.contains(state.nowplayingname)) {
        showMessage(this, state.nowplayingname + kAlreadyFavourite, applicationTitle());
        return;
    }
    state.favnames << state.nowplayingname;
    state.favurls << state.nowplayingurl;
    // Item i of the menu stays favourite i: the new item goes before the separator and "删除全部".
    appendFavouriteDeleteItem(state.nowplayingname);
    const qsizetype position = state.favnames.size() - 1;
    const QList<QAction*> items = N9->actions();
    if (position < items.size() - 1) {
        QAction* item = items.constLast();
        N9->removeAction(item);
        N9->insertAction(at(items, position), item);
    }
}

void TForm1::N11Click() {
    if (showMessage(this, kDeleteRecentQuestion, noticeCaption, MessageIcon::Question, MessageButtons::OkCancel) !=
        MessageAnswer::Ok)
        return;
    state.recentnames.clear();
    state.recenturls.clear();
    state.recentcount = 0;
    showMessage(this, kDeletedRecent, applicationTitle());
}
