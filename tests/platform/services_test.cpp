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
#include <memory>
#include <optional>

namespace {

TEST(OpenInBrowser, OpensOnlyWellFormedWebAddresses) {
    struct Case {
        const char* url;
        bool opened;
    };
    const Case cases[] = {
        {"http://127.0.0.1:8080/page?code=600000", true},
        {"HTTP://Example.com/", true},
        {"  http://example.com/  ", true},
        {"", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"ftp://example.com/file", false},
        {"http://", false},
        {"http:/example.com", false},
        {"example.com", false},
        {"http://exa mple.com/", false},
        {"http://example.com/%zz", false},
    };
    for (const Case& c : cases) {
        ScopedFakeServices fakes;
        EXPECT_EQ(openInBrowser(QString::fromUtf8(c.url)), c.opened) << c.url;
        EXPECT_EQ(fakes->openedUrls.size(), c.opened ? 1 : 0) << c.url;
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

TEST(RealMessageBox, ShowsPlainTextAndMapsTheClickedButton) {
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
    }
}

TEST(RealMessageBox, ButtonsCarryTheOldSystemsCaptions) {
    ShownBox okCancel;
    answerRealBox(
        MessageIcon::Question, MessageButtons::OkCancel, [](QMessageBox& box) { box.reject(); }, okCancel);
    EXPECT_EQ(okCancel.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_TRUE(okCancel.buttonTexts.contains(QStringLiteral("确定")));
    EXPECT_TRUE(okCancel.buttonTexts.contains(QStringLiteral("取消")));

    ShownBox yesNo;
    answerRealBox(
        MessageIcon::Question, MessageButtons::YesNo, [](QMessageBox& box) { box.reject(); }, yesNo);
    EXPECT_EQ(yesNo.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(yesNo.buttonTexts.contains(QStringLiteral("是(&Y)")));
    EXPECT_TRUE(yesNo.buttonTexts.contains(QStringLiteral("否(&N)")));
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
    struct Case {
        P::PlaybackState state;
        P::MediaStatus status;
        QString text;
    };
    const QString paused = QStringLiteral("已暂停");
    const Case cases[] = {
        {P::StoppedState, P::LoadingMedia, MediaPlayer::statusConnecting},
        {P::PlayingState, P::LoadingMedia, MediaPlayer::statusConnecting},
        {P::PlayingState, P::LoadedMedia, MediaPlayer::statusBuffering},
        {P::PlayingState, P::BufferingMedia, MediaPlayer::statusBuffering},
        {P::PlayingState, P::StalledMedia, MediaPlayer::statusBuffering},
        {P::PlayingState, P::BufferedMedia, MediaPlayer::statusPlaying},
        {P::PausedState, P::BufferedMedia, paused},
        {P::StoppedState, P::LoadedMedia, MediaPlayer::statusStopped},
        {P::StoppedState, P::BufferingMedia, MediaPlayer::statusStopped},
        {P::StoppedState, P::NoMedia, MediaPlayer::statusStopped},
        {P::PlayingState, P::EndOfMedia, MediaPlayer::statusStopped},
        {P::PlayingState, P::InvalidMedia, MediaPlayer::statusStopped},
    };
    for (const Case& c : cases)
        EXPECT_EQ(playerStatusText(c.state, c.status), c.text) << int(c.state) << " " << int(c.status);
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
