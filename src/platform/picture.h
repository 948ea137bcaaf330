#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

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

// Decodes GIF (giflib) or JPEG (libjpeg) bytes; nullopt for anything else or a broken file.
std::optional<Picture> decodePicture(const QByteArray& bytes);
// Reads and decodes a file or a Qt resource (":/pictures/...").
std::optional<Picture> loadPicture(const QString& path);

// Shows the picture on a label: a still image at once, an animation frame by frame with its delays and
// loop count. A picture that cannot be read leaves the label as it was and returns false.
bool showPicture(QLabel* label, const QString& path);
