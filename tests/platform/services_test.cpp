#include "platform/mediaplayer_qt.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "support/fakeservices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QVideoWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>

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

TEST(ShowMessage, GoesToTheInstalledServices) {
    ScopedFakeServices fakes;
    QWidget owner;
    fakes->answers = {MessageAnswer::Cancel};
    EXPECT_EQ(showMessage(&owner, QStringLiteral("确定要删除吗？"), QStringLiteral("提示"), MessageIcon::Question,
                          MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    showMessage(nullptr, QStringLiteral("plain"), QStringLiteral("错误"));

    ASSERT_EQ(fakes->messages.size(), 2u);
    const RecordedMessage& first = fakes->messages[0];
    EXPECT_EQ(first.owner, &owner);
    EXPECT_EQ(first.text, QStringLiteral("确定要删除吗？"));
    EXPECT_EQ(first.caption, QStringLiteral("提示"));
    EXPECT_EQ(first.icon, MessageIcon::Question);
    EXPECT_EQ(first.buttons, MessageButtons::OkCancel);
    // Without icon and buttons: a plain OK box.
    EXPECT_EQ(fakes->messages[1].icon, MessageIcon::None);
    EXPECT_EQ(fakes->messages[1].buttons, MessageButtons::Ok);
}

// Shows a real message box and, once it is up, inspects it and closes it with `close`.
struct ShownBox {
    QString caption;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QStringList buttonTexts;
};

MessageAnswer answerRealBox(MessageIcon icon, MessageButtons buttons, const std::function<void(QMessageBox&)>& close,
                            ShownBox& shown) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown = {box->windowTitle(), box->text(), box->textFormat(), box->icon(), box->standardButtons(), {}};
        for (QAbstractButton* button : box->buttons())
            shown.buttonTexts.append(button->text());
        close(*box);
    });
    return platformServices().message(nullptr, QStringLiteral("<b>不是粗体</b>"), QStringLiteral("提示"), icon,
                                      buttons);
}

TEST(RealMessageBox, ShowsPlainTextWithTheOldCaptionsAndMapsTheClickedButton) {
    struct Case {
        MessageIcon icon;
        MessageButtons buttons;
        std::optional<QMessageBox::StandardButton> click; // none: closed with Escape
        QMessageBox::Icon shownIcon;
        MessageAnswer answer;
    };
    const Case cases[] = {
        {MessageIcon::Information, MessageButtons::Ok, QMessageBox::Ok, QMessageBox::Information, MessageAnswer::Ok},
        {MessageIcon::Error, MessageButtons::Ok, std::nullopt, QMessageBox::Critical, MessageAnswer::Ok},
        {MessageIcon::Question, MessageButtons::OkCancel, QMessageBox::Ok, QMessageBox::Question, MessageAnswer::Ok},
        {MessageIcon::Question, MessageButtons::OkCancel, QMessageBox::Cancel, QMessageBox::Question,
         MessageAnswer::Cancel},
        {MessageIcon::Warning, MessageButtons::OkCancel, std::nullopt, QMessageBox::Warning, MessageAnswer::Cancel},
        {MessageIcon::Warning, MessageButtons::YesNo, QMessageBox::Yes, QMessageBox::Warning, MessageAnswer::Yes},
        {MessageIcon::None, MessageButtons::YesNo, QMessageBox::No, QMessageBox::NoIcon, MessageAnswer::No},
    };
    // The buttons shown for each set, with the old system's captions.
    const std::map<MessageButtons, std::pair<QMessageBox::StandardButtons, QStringList>> shownButtons{
        {MessageButtons::Ok, {QMessageBox::Ok, {"确定"}}},
        {MessageButtons::OkCancel, {QMessageBox::Ok | QMessageBox::Cancel, {"确定", "取消"}}},
        {MessageButtons::YesNo, {QMessageBox::Yes | QMessageBox::No, {"是(&Y)", "否(&N)"}}}};
    ASSERT_EQ(dynamic_cast<FakePlatformServices*>(&platformServices()), nullptr);
    for (const Case& c : cases) {
        ShownBox shown;
        const MessageAnswer answer = answerRealBox(
            c.icon, c.buttons,
            [&](QMessageBox& box) {
                if (c.click)
                    box.button(*c.click)->click();
                else
                    box.reject();
            },
            shown);
        EXPECT_EQ(answer, c.answer) << int(c.buttons) << " " << (c.click ? int(*c.click) : -1);
        EXPECT_EQ(shown.caption, QStringLiteral("提示"));
        EXPECT_EQ(shown.text, QStringLiteral("<b>不是粗体</b>"));
        EXPECT_EQ(shown.format, Qt::PlainText);
        EXPECT_EQ(shown.icon, c.shownIcon);
        const auto& [buttons, captions] = shownButtons.at(c.buttons);
        EXPECT_EQ(shown.buttons, buttons);
        for (const QString& caption : captions)
            EXPECT_TRUE(shown.buttonTexts.contains(caption)) << caption.toStdString();
    }
}

TEST(CentreOnScreen, PlacesFrameWithDivisionTruncatingTowardZero) {
    const QRect screen = screenRect();
    ASSERT_FALSE(screen.isEmpty());
    // Frame sizes against the screen's: an odd leftover loses its half, and a frame larger than the screen
    // gets a negative corner rounded toward zero (-50, not -51), as the old integer division did.
    struct Case {
        QSize frameLessScreen;
        QPoint offset;
    };
    const Case cases[] = {
        {{101, 51}, {50, 25}},
        {{100, 50}, {50, 25}},
        {{-101, -51}, {-50, -25}},
    };
    for (const Case& c : cases) {
        QWidget window;
        window.resize(200, 100);
        window.show();
        const QSize margins = frameSize(&window) - window.size();
        window.resize(screen.size() - c.frameLessScreen - margins);
        centreOnScreen(&window);
        EXPECT_EQ(window.frameGeometry().topLeft(), screen.topLeft() + c.offset)
            << c.frameLessScreen.width() << "x" << c.frameLessScreen.height();
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
        video = player.widget();
        auto* view = qobject_cast<QVideoWidget*>(video.data());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->parentWidget(), &panel);
        player.setStretchToFit(true);
        EXPECT_EQ(view->aspectRatioMode(), Qt::IgnoreAspectRatio);
        player.setStretchToFit(false);
        EXPECT_EQ(view->aspectRatioMode(), Qt::KeepAspectRatio);

        EXPECT_EQ(player.statusText(), MediaPlayer::statusStopped);
        QSignalSpy changes(&player, &MediaPlayer::statusChange);
        player.setUrl(QStringLiteral("http://127.0.0.1:9/stream"));
        ASSERT_GE(changes.size(), 1);
        player.stop();
        EXPECT_EQ(player.statusText(), MediaPlayer::statusStopped);
    }
    EXPECT_TRUE(video.isNull()) << "the video widget goes with the player";
}

} // namespace
