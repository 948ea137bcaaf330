// The picture decoder: GIF (animations composed frame by frame) and JPEG bytes to images, within the limits
// that guard against hostile files.
#include "fuzzing.h"

#include "platform/picture.h"

namespace {

// Reads the corners of every frame, so an image whose size and buffer disagree shows up under the sanitizer.
void touchCorners(const QImage& image) {
    volatile QRgb sink = image.pixel(0, 0);
    sink = image.pixel(image.width() - 1, image.height() - 1);
    (void)sink;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<Picture> picture = decodePicture(fuzzBytes(data, size));
    if (!picture)
        return 0;
    fuzzCheck(!picture->frames.isEmpty(), "a decoded picture has a frame");
    fuzzCheck(picture->frames.size() <= maxPictureFrames, "a picture has at most maxPictureFrames frames");
    fuzzCheck(picture->loopCount >= 0, "the loop count is 0 (for ever) or a number of plays");
    qint64 pixels = 0;
    for (const Picture::Frame& frame : picture->frames) {
        const QImage& image = frame.image;
        fuzzCheck(!image.isNull(), "every frame has an image");
        fuzzCheck(image.width() <= maxPictureSide && image.height() <= maxPictureSide, "a frame fits the limit");
        fuzzCheck(frame.delayMs >= 0, "a frame's delay is not negative");
        pixels += qint64(image.width()) * image.height();
        touchCorners(image);
    }
    fuzzCheck(pixels <= maxPicturePixels, "the frames together fit the pixel limit");
    return 0;
}
