#pragma once

#include "platform/mediaplayer.h"

#include <QMediaPlayer>
#include <QPointer>

class QAudioOutput;
class QVideoWidget;

// The status text that the player shows for a playback state and a media status of Qt's player, in the
// words of the old player: connecting while the stream is being opened, buffering while it fills, playing
// once it plays, stopped when it is stopped, has ended or cannot be played.
QString playerStatusText(QMediaPlayer::PlaybackState state, QMediaPlayer::MediaStatus status);

// The MediaPlayer on Qt Multimedia: a QMediaPlayer that draws into a QVideoWidget and plays its sound
// through the default audio output. The player owns its video widget and deletes it with itself.
class QtMediaPlayer final : public MediaPlayer {
    Q_OBJECT
public:
    explicit QtMediaPlayer(QWidget* parent);
    ~QtMediaPlayer() override;

    QWidget* widget() override;
    void setUrl(const QString& url) override;
    void setStretchToFit(bool stretch) override;
    QString statusText() const override;
    void stop() override;

private:
    void followPlayer();
    void setStatusText(const QString& text);

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
    QPointer<QVideoWidget> video_;
    QString status_;
    // Set while a new address replaces the old one: the old stream's "stopped" is not the player stopping.
    bool switching_ = false;
};
