#include "platform/mediaplayer_qt.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "support/fakeservices.h"

#include <QAbstractButton>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QVideoWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

TEST(OpenInBrowser, OpensOnlyWellFormedWebAddresses) {
    const std::pair<QStringList, bool> groups[] = {
        {{"http://127.0.0.1:8080/page?code=600000", "HTTP://Example.com/", "  http://example.com/  "}, true},
        {{"", "file:///etc/passwd", "javascript:alert(1)", "ftp://example.com/file", "http://", "http:/example.com",
          "example.com", "http://exa mple.com/", "http://example.com/%zz"},
         false}};
    for (const auto& [urls, opened] : groups) {
        for (const QString& url : urls) {
            ScopedFakeServices fakes;
            EXPECT_EQ(openInBrowser(url), opened) << url.toStdString();
            EXPECT_EQ(fakes->openedUrls.size(), opened ? 1 : 0) << url.toStdString();
        }
    }
    // The parsed address is handed over with its encoding kept.
    ScopedFakeServices fakes;
    ASSERT_TRUE(openInBrowser(QStringLiteral("https://example.com/q?a=1&b=%E4%BD%A0")));
    EXPECT_EQ(fakes->openedUrls.at(0).toString(QUrl::FullyEncoded),
              QStringLiteral("https://example.com/q?a=1&b=%E4%BD%A0"));
}

// The real box shows the text as it is, with the old system's captions on its buttons, stands above the notices
// that stay on top, and answers by the button clicked (Escape as Cancel, or as Ok where there is no Cancel).
TEST(RealMessageBox, ShowsPlainTextWithTheOldCaptionsAndMapsTheClickedButton) {
    using B = QMessageBox;
    const std::tuple<MessageIcon, MessageButtons, std::optional<B::StandardButton>, B::Icon, MessageAnswer> cases[] = {
        {MessageIcon::Information, MessageButtons::Ok, B::Ok, B::Information, MessageAnswer::Ok},
        {MessageIcon::Error, MessageButtons::Ok, std::nullopt, B::Critical, MessageAnswer::Ok},
        {MessageIcon::Question, MessageButtons::OkCancel, B::Cancel, B::Question, MessageAnswer::Cancel},
        {MessageIcon::Warning, MessageButtons::OkCancel, std::nullopt, B::Warning, MessageAnswer::Cancel},
        {MessageIcon::None, MessageButtons::YesNo, B::No, B::NoIcon, MessageAnswer::No},
        {MessageIcon::Warning, MessageButtons::YesNo, B::Yes, B::Warning, MessageAnswer::Yes},
    };
    const std::map<MessageButtons, QStringList> captions{{MessageButtons::Ok, {"确定"}},
                                                         {MessageButtons::OkCancel, {"确定", "取消"}},
                                                         {MessageButtons::YesNo, {"是(&Y)", "否(&N)"}}};
    ASSERT_EQ(dynamic_cast<FakePlatformServices*>(&platformServices()), nullptr);
    for (const auto& [icon, buttons, click, shownIcon, answer] : cases) {
        QStringList seen;
        QTimer::singleShot(0, [&, click = click] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen << box->windowTitle() << box->text() << QString::number(box->textFormat())
                 << QString::number(box->icon());
            EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            for (QAbstractButton* button : box->buttons())
                seen << button->text();
            click ? box->button(*click)->click() : box->reject();
        });
        EXPECT_EQ(platformServices().message(nullptr, u"<b>不是粗体</b>"_s, u"提示"_s, icon, buttons), answer);
        EXPECT_EQ(seen.mid(0, 4), QStringList({u"提示"_s, u"<b>不是粗体</b>"_s, QString::number(Qt::PlainText),
                                               QString::number(shownIcon)}));
        for (const QString& caption : captions.at(buttons))
            EXPECT_TRUE(seen.mid(4).contains(caption)) << caption.toStdString();
    }
}

// The save dialog lists a file's size and modification date in Chinese, whatever locale the tests run in.
TEST(RealSaveDialog, ListsSizesAndDatesInChinese) {
    QTemporaryDir folder;
    QFile file(folder.filePath(u"导出.xlsx"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(1000, 'x')) == 1000 && file.flush());
    file.setFileTime(QDateTime(QDate(2026, 12, 7), QTime(14, 31, 44)), QFileDevice::FileModificationTime);
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const QModelIndex row = dialog->findChild<QFileSystemModel*>()->index(file.fileName());
        const QAbstractProxyModel* views = dialog->proxyModel(); // what the dialog's views show, where it has one
        for (const QModelIndex& cell : {row.siblingAtColumn(1), row.siblingAtColumn(3)})
            seen << (views ? views->mapFromSource(cell) : cell).data().toString();
        dialog->reject();
    });
    platformServices().saveFileName(nullptr, {file.fileName(), u"xlsx"_s, u"*.xlsx"_s});
    EXPECT_EQ(seen, (QStringList{u"1000 字节"_s, u"2026/12/7 14:31"_s}));
}

// An odd leftover loses its half, as the old integer division did; a frame larger than the screen, which that
// division puts at a negative corner, stands at the work area's corner instead, its title bar on the screen.
TEST(CentreOnScreen, PlacesFrameWithDivisionTruncatingTowardZero) {
    const QRect screen = screenRect();
    for (const auto& [frameLessScreen, offset] : {std::pair{QSize(101, 51), QPoint(50, 25)},
                                                  {QSize(100, 50), QPoint(50, 25)},
                                                  {QSize(-101, -51), workArea().topLeft() - screen.topLeft()}}) {
        QWidget window;
        window.show();
        window.resize(screen.size() - frameLessScreen - (frameSize(&window) - window.size()));
        centreOnScreen(&window);
        EXPECT_EQ(window.frameGeometry().topLeft(), screen.topLeft() + offset) << frameLessScreen.width();
    }
}

TEST(PlayerStatusText, MapsQtStatesToTheOldPlayersTexts) {
    using P = QMediaPlayer;
    using States = QList<std::pair<P::PlaybackState, P::MediaStatus>>;
    const std::pair<QString, States> groups[] = {
        {MediaPlayer::statusConnecting, {{P::StoppedState, P::LoadingMedia}, {P::PlayingState, P::LoadingMedia}}},
        {MediaPlayer::statusBuffering,
         {{P::PlayingState, P::LoadedMedia}, {P::PlayingState, P::BufferingMedia}, {P::PlayingState, P::StalledMedia}}},
        {MediaPlayer::statusPlaying, {{P::PlayingState, P::BufferedMedia}}},
        {QStringLiteral("已暂停"), {{P::PausedState, P::BufferedMedia}}},
        {MediaPlayer::statusStopped,
         {{P::StoppedState, P::LoadedMedia},
          {P::StoppedState, P::BufferingMedia},
          {P::StoppedState, P::NoMedia},
          {P::PlayingState, P::EndOfMedia},
          {P::PlayingState, P::InvalidMedia}}}};
    for (const auto& [text, states] : groups) {
        for (const auto& [state, status] : states)
            EXPECT_EQ(playerStatusText(state, status), text) << int(state) << " " << int(status);
    }
}

TEST(QtMediaPlayer, StretchSetsAspectModeAndCallsReportAtOnce) {
    QWidget panel;
    QPointer<QWidget> video;
    {
        QtMediaPlayer player(&panel);
        auto* view = qobject_cast<QVideoWidget*>(player.widget());
        ASSERT_TRUE(view && view->parentWidget() == &panel);
        video = view;
        player.setStretchToFit(true);
        EXPECT_EQ(view->aspectRatioMode(), Qt::IgnoreAspectRatio);
        QSignalSpy changes(&player, &MediaPlayer::statusChange);
        player.setUrl(QStringLiteral("http://127.0.0.1:9/stream"));
        EXPECT_GE(changes.size(), 1);
        player.stop();
        EXPECT_EQ(player.statusText(), MediaPlayer::statusStopped);
    }
    EXPECT_TRUE(video.isNull()) << "the video widget goes with the player";
}

} // namespace
