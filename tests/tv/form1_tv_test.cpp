// The main window's TV corner against the sample sites on 127.0.0.1: the station labels and menus, the
// favourite-delete menu, the recent ring, the panel following the player, and one short stream played by the
// real player. The other subsystems are recorded.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/localstore.h"
#include "app/tform1_ui.h"
#include "loopback/httpserver.h"
#include "platform/gbk.h"
#include "platform/mediaplayer_qt.h"
#include "sites.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QTest>

namespace {

class TvForm1 : public RecordingForm1 {
public:
    void addtv() override { TForm1::addtv(); }
};

class TvTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        Sites::Registration::addAll(sites);
        server.setFallback([this](const Loopback::HttpRequest& request) { return sites.serve(request); });
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
    }
    void TearDown() override {
        form.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }
    void start() {
        form = std::make_unique<TvForm1>();
        form->FormCreate();
    }
    // The back-end answers the station list with this payload instead of the sample one.
    void serveStations(const QString& payload) {
        server.route("/backend/gp1gettvdata.asp",
                     [payload](const Loopback::HttpRequest&) { return Sites::gbkPage(Sites::envelope(payload)); });
    }
    // Chooses station `index` as an item of a station menu would.
    void choose(void (TForm1::*handler)(QAction*), qsizetype index) {
        QAction item;
        item.setData(index);
        (form.get()->*handler)(&item);
    }
    FakeMediaPlayer* player() { return fake(form->WindowsMediaPlayer1); }
    static QStringList captions(const QMenu* menu) {
        QStringList texts;
        for (const QAction* item : menu->actions())
            texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return texts;
    }

    Sites::Registry sites;
    Loopback::HttpServer server;
    std::unique_ptr<TvForm1> form;
};

} // namespace

TEST_F(TvTest, LabelsStandInOneColumnWithTheTwoFixedOnesLast) {
    // Twenty thousand groups: only the nineteen that fit on the panel above the fixed two get a label.
    QString manyGroups;
    QStringList fitting;
    for (int i = 1; i <= 20000; ++i) {
        manyGroups += QStringLiteral("组%1&1&20&3%1&4***").arg(i);
        if (i <= 19)
            fitting << QStringLiteral("组%1").arg(i);
    }
    const QStringList fixed = {"最近观看", "收 藏 夹"};
    const std::pair<QString, QStringList> cases[] = {
        {"甲&1&20&31&4***乙&1&20&32&4***", QStringList{"甲", "乙"} + fixed},
        {"", fixed}, // the fetch fails
        {manyGroups, fitting + fixed},
    };
    writeBytes(LocalStore::recentFile, Gbk::encode("近&http://tv/1\r\n"));
    writeBytes(LocalStore::favouritesFile, Gbk::encode("藏&http://tv/2\r\n"));
    for (const auto& [payload, expected] : cases) {
        serveStations(payload);
        if (payload.isEmpty())
            server.route("/backend/gp1gettvdata.asp", [](auto&) { return Loopback::HttpReply::error(500); });
        start();
        ASSERT_EQ(form->tvlabels.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(form->tvlabels[i]->text(), expected[i]);
            EXPECT_EQ(form->tvlabels[i]->geometry(), QRect(form->ui->Panel7->width() - 80, 20 + 20 * i, 60, 20));
        }
        EXPECT_LE(form->tvlabels.constLast()->geometry().bottom(), form->ui->Panel7->rect().bottom());
        // The fixed two open their own lists, however many groups there are.
        form->mset(form->tvlabels.at(expected.size() - 2));
        EXPECT_EQ(captions(form->PopupMenu3), QStringList{"近"});
        form->mset(form->tvlabels.constLast());
        EXPECT_EQ(captions(form->PopupMenu3), QStringList{"藏"});
    }
}

TEST_F(TvTest, LabelsTakeAColourOnlyFromTheMouse) {
    start();
    QLabel* group = form->tvlabels.at(0);
    QLabel* recent = form->tvlabels.at(3);
    for (QLabel* label : form->tvlabels)
        EXPECT_FALSE(label->autoFillBackground()) << "the panel's picture shows through";
    const struct {
        void (TForm1::*handler)(QLabel*);
        QColor colour;
    } hover[] = {{&TForm1::msin, QColor(0, 255, 0)}, {&TForm1::msout, Qt::white}, {&TForm1::msmove, QColor(0, 255, 0)}};
    for (const auto& step : hover) {
        (form.get()->*step.handler)(group);
        EXPECT_TRUE(group->autoFillBackground());
        EXPECT_EQ(group->palette().color(QPalette::Window), step.colour);
    }
    EXPECT_FALSE(recent->autoFillBackground()) << "only the label under the mouse";
    form->Image24MouseMove();
    for (QLabel* label : form->tvlabels) {
        EXPECT_TRUE(label->autoFillBackground());
        EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::white));
    }
}

TEST_F(TvTest, GroupLabelOpensItsMenuAtTheLabelsRightEdge) {
    start();
    form->move(-600, 0); // keeps the menu inside the offscreen screen, where it is not pushed aside
    QCursor::setPos(100, 200);
    QLabel* label = form->tvlabels.at(1);
    form->mset(label);
    EXPECT_EQ(captions(form->PopupMenu3), (QStringList{"东部卫视", "R&&B音乐台"}));
    EXPECT_EQ(captions(form->PopupMenu3->actions().at(0)->menu()), (QStringList{"东方卫视", "江南卫视", "南方卫视"}));
    EXPECT_EQ(form->PopupMenu3->pos(), QPoint(label->mapToGlobal(QPoint(60, 0)).x(), 200));
}

TEST_F(TvTest, FavouriteMenuItemIStaysFavouriteI) {
    writeBytes(LocalStore::favouritesFile, Gbk::encode("A&http://a/\r\nB&http://b/\r\n"));
    start();
    choose(&TForm1::nclick, 2);
    form->N8Click();
    form->N8Click();
    EXPECT_EQ(captions(form->N9), (QStringList{"A", "B", "新闻直播", "-", "删除全部"}));
    EXPECT_EQ(messageTexts(), QStringList{"新闻直播已存在,无须再收藏!"});
    form->N9->actions().at(2)->trigger();
    form->N9->actions().at(0)->trigger();
    EXPECT_EQ(captions(form->N9), (QStringList{"B", "-", "删除全部"}));
    EXPECT_EQ(form->state.favurls, QStringList{"http://b/"});
    EXPECT_EQ(messageTexts().at(2), "注意:\"新闻直播\"删除成功!");

    services->answers = {MessageAnswer::Cancel};
    form->N9->actions().at(2)->trigger(); // 删除全部, cancelled, then confirmed
    form->N9->actions().at(2)->trigger();
    EXPECT_TRUE(form->state.favnames.isEmpty());
    EXPECT_EQ(captions(form->N9), (QStringList{"-", "删除全部"}));
    EXPECT_EQ(messageTexts().constLast(), "注意:收藏的电视台地址已被全部删除!");
}

TEST_F(TvTest, FavouritesOfOneNameAreOfferedInTurnAndDeleteAllAsksEvenWhenEmpty) {
    writeBytes(LocalStore::favouritesFile, Gbk::encode("A&http://a/1\r\nB&http://b/\r\nA&http://a/2\r\n"));
    start();
    services->answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    form->N9->actions().at(2)->trigger(); // the second "A": the first one is asked about first
    EXPECT_EQ(form->state.favurls, (QStringList{"http://a/1", "http://b/"}));
    EXPECT_EQ(captions(form->N9), (QStringList{"A", "B", "-", "删除全部"}));
    ASSERT_EQ(services->messages.size(), 3u);
    for (int question : {0, 1}) {
        EXPECT_EQ(services->messages[question].text, "确定要删除\"A\"吗？");
        EXPECT_EQ(services->messages[question].caption, "提示");
        EXPECT_EQ(services->messages[question].buttons, MessageButtons::OkCancel);
        EXPECT_EQ(services->messages[question].icon, MessageIcon::Question);
    }
    EXPECT_EQ(services->messages[2].text, "注意:\"A\"删除成功!");

    for (int round = 0; round < 2; ++round) // the second time with no favourites left
        form->N9->actions().constLast()->trigger();
    EXPECT_EQ(messageTexts().mid(3),
              (QStringList{"注意:确定要删除全部收藏的电视台地址吗？", "注意:收藏的电视台地址已被全部删除!",
                           "注意:确定要删除全部收藏的电视台地址吗？", "注意:收藏的电视台地址已被全部删除!"}));
    EXPECT_EQ(captions(form->N9), (QStringList{"-", "删除全部"}));
    EXPECT_TRUE(form->state.favurls.isEmpty());
}

TEST_F(TvTest, WithoutAFavouritesFileTheMenuHoldsOnlyFavourites) {
    start();
    choose(&TForm1::nclick, 4);
    form->N8Click();
    form->mset(form->tvlabels.at(4));
    form->PopupMenu3->actions().at(0)->trigger();
    EXPECT_EQ(captions(form->N9), QStringList{"体育赛事"});
    EXPECT_EQ(player()->urls.size(), 2);
    EXPECT_EQ(form->state.recentcount, 1); // a favourite played stays out of the recent ring
}

TEST_F(TvTest, PanelFollowsThePlayerFromFirstPlayToTheStop) {
    start();
    choose(&TForm1::nclick, 1); // a sub-group without an address plays nothing
    EXPECT_TRUE(services->players.empty());
    choose(&TForm1::nclick, 2);
    QWidget* video = form->WindowsMediaPlayer1->widget();
    EXPECT_EQ(video->geometry(), QRect(18, 19, 363, 328));
    EXPECT_TRUE(player()->stretch);
    EXPECT_EQ(player()->urls, QStringList{server.url("/backend/tv/1.wav")});
    EXPECT_EQ(form->statusPanel(2)->text(), "正在播放:新闻直播");

    const int over = form->ui->Image24->x() + 18;
    const struct {
        QString status;
        int cover;
        bool playing; // player and Panel6 shown, banner off the panel, the station in the status bar
    } steps[] = {
        {"正在连接...", over, true}, // the cover was put over the player when the station started
        {"正在播放", -1000, true},   {"已暂停", -1000, true},
        {"正在缓冲", over, true},    {"已停止", -1000, false}, // also what a broken stream reports
    };
    for (const auto& step : steps) {
        player()->setStatus(step.status);
        EXPECT_EQ(form->WebBrowser5->widget()->x(), step.cover) << step.status.toStdString();
        EXPECT_EQ(video->isVisibleTo(form.get()), step.playing);
        EXPECT_EQ(form->ui->Panel6->isVisibleTo(form.get()), step.playing);
        EXPECT_EQ(form->WebBrowser66->widget()->x(), step.playing ? -1000 : 20);
        EXPECT_EQ(form->statusPanel(2)->text().isEmpty(), !step.playing);
    }
    // A cover that is already on the panel stays where it is.
    form->WebBrowser5->widget()->move(over + 7, form->WebBrowser5->widget()->y());
    player()->setStatus("正在连接...");
    EXPECT_EQ(form->WebBrowser5->widget()->x(), over + 7);
    form->N3Click();
    EXPECT_EQ(player()->stops, 1);
}

TEST_F(TvTest, RecentRingOverwritesFromItsFirstEntryOnceFull) {
    QString lines;
    for (int i = 0; i < 10; ++i)
        lines += QStringLiteral("台%1&http://tv/%1\r\n").arg(i);
    writeBytes(LocalStore::recentFile, Gbk::encode(lines));
    start();
    const QStringList& names = form->state.recentnames;
    choose(&TForm1::nclick, 2); // a loaded full ring: over entry 0
    EXPECT_EQ(names.mid(0, 2), (QStringList{"新闻直播", "台1"}));

    form->N11Click();
    EXPECT_EQ(messageTexts(), (QStringList{"确定要删除最近访问过的电视台吗？", "最近访问过的电视台删除成功!"}));
    for (int record : {2, 3, 4, 7, 8, 9, 10, 12, 14, 15, 9, 12}) // the 11th and 12th go over entries 0 and 1
        choose(&TForm1::nclick, record);
    ASSERT_EQ(names.size(), 10);
    EXPECT_EQ(names.mid(0, 3), (QStringList{"南方卫视", "股市直播", "体育赛事"}));
    form->mset(form->tvlabels.at(3));
    form->PopupMenu3->actions().at(2)->trigger();
    EXPECT_EQ(form->state.nowplayingname, "体育赛事");
    EXPECT_EQ(form->state.recentcount, 12); // played from the recent list: the ring stays
}

TEST_F(TvTest, TwoStationsOfOneNameEachPlayTheirOwnAddress) {
    serveStations("组&1&20&31&4***同名&1gsso9..016-/-/-0970/a&21&32&40***同名&1gsso9..016-/-/-0970/b&21&33&40***");
    start();
    form->mset(form->tvlabels.at(0));
    form->PopupMenu3->actions().at(1)->trigger();
    EXPECT_EQ(player()->urls, QStringList{"http://127.0.0.1:80/b"});
}

TEST_F(TvTest, AnAddressOtherThanANetworkStreamNeverReachesThePlayer) {
    // What the back-end sends: the address with each of its first 18 bytes one lower.
    const auto scrambled = [](QString address) {
        for (int i = 0; i < 18 && i < address.size(); ++i)
            address[i] = QChar(address[i].unicode() - 1);
        return address;
    };
    serveStations(QStringLiteral("组&1&20&31&4***本地文件&1%1&21&32&40***网络&1%2&21&33&40***")
                      .arg(scrambled("file:///tmp/tv/a.wav"), scrambled("http://127.0.0.1:1/tv/a.wav")));
    writeBytes(LocalStore::recentFile, Gbk::encode("路径&/etc/passwd\r\n"));
    writeBytes(LocalStore::favouritesFile, Gbk::encode("盘符&c:\\tv\\a.wmv\r\n无主机&http:///etc/passwd\r\n"));
    start();
    const std::pair<void (TForm1::*)(QAction*), qsizetype> badStations[] = {
        {&TForm1::nclick, 1}, {&TForm1::nclick1, 0}, {&TForm1::nclick2, 0}, {&TForm1::nclick2, 1}};
    for (const auto& [handler, index] : badStations) {
        // Before the first station the player is not even made; later the one playing stops.
        if (form->WindowsMediaPlayer1) {
            choose(&TForm1::nclick, 2);
            player()->setStatus("正在播放");
        }
        const int stops = form->WindowsMediaPlayer1 ? player()->stops : 0;
        choose(handler, index);
        if (form->WindowsMediaPlayer1) {
            EXPECT_EQ(player()->urls.constLast(), "http://127.0.0.1:1/tv/a.wav");
            EXPECT_EQ(player()->stops, stops + 1);
            EXPECT_FALSE(form->WindowsMediaPlayer1->widget()->isVisibleTo(form.get()));
        }
        EXPECT_EQ(form->state.playerstatus, "已停止");
        EXPECT_FALSE(form->ui->Panel6->isVisibleTo(form.get()));
        EXPECT_EQ(form->WebBrowser5->widget()->x(), -1000);
        EXPECT_EQ(form->WebBrowser66->widget()->x(), 20);
        EXPECT_EQ(form->statusPanel(2)->text(), "");
        form->makePlayer();
    }
    EXPECT_EQ(player()->urls.size(), 3);
}

TEST_F(TvTest, ARealPlayerPlaysASampleStation) {
    start();
    form->close(); // no player yet: the close goes through all the same
    EXPECT_TRUE(terminationRequested());
    form->WindowsMediaPlayer1 = std::make_unique<QtMediaPlayer>(form->ui->Panel7);
    QObject::connect(form->WindowsMediaPlayer1.get(), &MediaPlayer::statusChange, form.get(),
                     [this] { form->WindowsMediaPlayer1StatusChange(); });
    const std::pair<int, QByteArray> stations[] = {{2, "/backend/tv/1.wav"}, {3, "/backend/tv/2.avi"}};
    for (const auto& [record, stream] : stations) {
        choose(&TForm1::nclick, record);
        const QString& status = form->state.playerstatus;
        if (!QTest::qWaitFor(
                [&] { return status == MediaPlayer::statusPlaying || status == MediaPlayer::statusStopped; }, 15000) ||
            status != MediaPlayer::statusPlaying)
            GTEST_SKIP() << "no media backend plays " << stream.constData() << " here (" << status.toStdString() << ")";
        EXPECT_EQ(server.lastRequest().target, stream);
        EXPECT_EQ(form->WebBrowser5->widget()->x(), -1000);
        form->N3Click();
        EXPECT_EQ(status, MediaPlayer::statusStopped);
    }
}
