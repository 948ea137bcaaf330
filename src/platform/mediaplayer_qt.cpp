#include "platform/mediaplayer_qt.h"

#include <QAudioOutput>
#include <QUrl>
#include <QVideoWidget>

const QString MediaPlayer::statusConnecting = QStringLiteral("正在连接...");
const QString MediaPlayer::statusBuffering = QStringLiteral("正在缓冲");
const QString MediaPlayer::statusPlaying = QStringLiteral("正在播放");
const QString MediaPlayer::statusStopped = QStringLiteral("已停止");

namespace {

// Shown while paused; the program never pauses, but the user's desktop (media keys) may.
const QString statusPaused = QStringLiteral("已暂停");

} // namespace

QString playerStatusText(QMediaPlayer::PlaybackState state, QMediaPlayer::MediaStatus status) {
    switch (status) {
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::EndOfMedia:
    case QMediaPlayer::InvalidMedia:
        return MediaPlayer::statusStopped;
    case QMediaPlayer::LoadingMedia:
        // A new address is being opened, before and after play() has been asked for.
        return state == QMediaPlayer::PausedState ? statusPaused : MediaPlayer::statusConnecting;
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
        break;
    }
    if (state == QMediaPlayer::StoppedState)
        return MediaPlayer::statusStopped;
    if (state == QMediaPlayer::PausedState)
        return statusPaused;
    return status == QMediaPlayer::BufferedMedia ? MediaPlayer::statusPlaying : MediaPlayer::statusBuffering;
}

QtMediaPlayer::QtMediaPlayer(QWidget* parent) : status_(statusStopped) {
    player_ = new QMediaPlayer(this);
    audio_ = new QAudioOutput(this);
    video_ = new QVideoWidget(parent);
    player_->setAudioOutput(audio_);
    player_->setVideoOutput(video_.data());
    connect(player_, &QMediaPlayer::playbackStateChanged, this, &QtMediaPlayer::followPlayer);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, &QtMediaPlayer::followPlayer);
    // A stream that cannot be opened or breaks off ends playback, as the end of the stream does.
    connect(player_, &QMediaPlayer::errorOccurred, this, [this] {
        if (!switching_)
            setStatusText(statusStopped);
    });
}

QtMediaPlayer::~QtMediaPlayer() {
    player_->disconnect(this);
    player_->stop();
    player_->setVideoOutput(nullptr);
    delete video_.data();
}

QWidget* QtMediaPlayer::widget() {
    return video_.data();
}

void QtMediaPlayer::setUrl(const QString& url) {
    switching_ = true;
    player_->setSource(QUrl(url));
    player_->play();
    switching_ = false;
    setStatusText(player_->error() == QMediaPlayer::NoError ? statusConnecting : statusStopped);
}

void QtMediaPlayer::setStretchToFit(bool stretch) {
    if (video_)
        video_->setAspectRatioMode(stretch ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio);
}

QString QtMediaPlayer::statusText() const {
    return status_;
}

void QtMediaPlayer::stop() {
    player_->stop();
    setStatusText(statusStopped);
}

void QtMediaPlayer::followPlayer() {
    if (switching_)
        return;
    setStatusText(playerStatusText(player_->playbackState(), player_->mediaStatus()));
}

void QtMediaPlayer::setStatusText(const QString& text) {
    if (text == status_)
        return;
    status_ = text;
    emit statusChange();
}
