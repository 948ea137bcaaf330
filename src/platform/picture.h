#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class QLabel;

// One decoded picture: a still image has one frame; an animated GIF has its frames already composed onto the
// logical screen (disposal and transparency applied), each with its delay.
struct Picture {
    struct Frame {
        QImage image;
        int delayMs = 0;
    };
    QList<Frame> frames;
    // Times the animation plays: 0 means for ever (the GIF loop extension), 1 when the file has none.
    int loopCount = 1;

    bool animated() const { return frames.size() > 1; }
};

// Limits against hostile files: a picture (or one GIF frame) wider or taller than this is refused...
inline constexpr int maxPictureSide = 8192;
// ...and so is a GIF with more frames than this, or whose composed frames together hold more pixels than
// one picture of the largest size.
inline constexpr int maxPictureFrames = 4096;
inline constexpr qint64 maxPicturePixels = qint64(maxPictureSide) * maxPictureSide;

// Decodes GIF (giflib) or JPEG (libjpeg) bytes; nullopt for anything else or a broken file.
std::optional<Picture> decodePicture(const QByteArray& bytes);
// Reads and decodes a file or a Qt resource (":/pictures/...").
std::optional<Picture> loadPicture(const QString& path);

// Shows the picture on a label: a still image at once, an animation frame by frame with its delays and
// loop count. A picture that cannot be read leaves the label as it was and returns false.
bool showPicture(QLabel* label, const QString& path);

// Registers the program's own pictures (":/pictures/..."), which live in a static library and so need an
// explicit start-up call. Safe to call more than once.
void initPictureResources();

// Plays an animated picture on a label that showPicture() made it for. It is a child of the label, so it
// ends with the label, and the next showPicture() on that label replaces it. When the last play ends the
// label keeps the last frame. It plays only while the label is shown: a hidden label (or one in a hidden
// window) keeps its frame and its timer is off, and the play goes on from that frame when the label shows.
class PictureAnimator : public QObject {
    Q_OBJECT
public:
    PictureAnimator(QLabel* label, Picture picture);

    // The animator playing on the label, or nullptr.
    static PictureAnimator* of(const QLabel* label);

    int currentFrame() const { return frame_; }
    int playsDone() const { return playsDone_; }
    // False once the last play has ended.
    bool running() const { return !finished_; }
    // Whether its timer is on: it is running and its label is shown.
    bool ticking() const { return timer_.isActive(); }
    // Shows the next frame and waits for its delay; the timer calls it, a test may call it directly.
    void advance();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFrame();
    // Waits for the current frame's delay, when the label is shown.
    void waitForNextFrame();

    Picture picture_;
    int frame_ = 0;
    int playsDone_ = 0;
    bool finished_ = false;
    QTimer timer_;
};
