#pragma once

#include <QObject>
#include <QString>

class QWidget;

// A media player for TV streams, the stand-in for the old player control. Its states are reported with the
// old control's status texts, which the program tests by containment: statusConnecting, statusBuffering,
// statusPlaying and, by equality, statusStopped.
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    static const QString statusConnecting; // "正在连接..."
    static const QString statusBuffering;  // "正在缓冲"
    static const QString statusPlaying;    // "正在播放"
    static const QString statusStopped;    // "已停止"

    using QObject::QObject;
    ~MediaPlayer() override = default;

    virtual QWidget* widget() = 0;
    // Sets the stream address and starts playing it.
    virtual void setUrl(const QString& url) = 0;
    virtual void setStretchToFit(bool stretch) = 0;
    virtual QString statusText() const = 0;
    virtual void stop() = 0;

signals:
    void statusChange();
};
