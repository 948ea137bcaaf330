#include "platform/picture.h"

#include "platform/failures.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QRect>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared before it
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>
#include <jerror.h>
#include <jpeglib.h>

namespace {

// A picture file larger than this is not read at all; real pictures of the program are a few kilobytes.
constexpr qint64 maxPictureFileBytes = 64 * 1024 * 1024;
// Progressive JPEGs can carry thousands of tiny scans that take minutes to decode; real ones have a dozen.
constexpr int maxJpegScans = 500;

bool startsWith(const QByteArray& bytes, const char* magic, qsizetype length) {
    return bytes.size() >= length && std::memcmp(bytes.constData(), magic, size_t(length)) == 0;
}

// ---------------------------------------------------------------------------------------------- GIF

// Where giflib's read function takes its bytes from.
struct MemoryInput {
    const QByteArray& bytes;
    qsizetype position = 0;

    bool atEnd() const { return position >= bytes.size(); }
};

int readGifBytes(GifFileType* gif, GifByteType* buffer, int length) {
    auto* input = static_cast<MemoryInput*>(gif->UserData);
    const qsizetype count = std::min<qsizetype>(length, input->bytes.size() - input->position);
    if (count <= 0)
        return 0;
    std::memcpy(buffer, input->bytes.constData() + input->position, size_t(count));
    input->position += count;
    return int(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Browsers show a frame whose delay is 0 or 1 hundredth of a second for 100 ms, since such files were made
// for the old browsers that did; playing them flat out would make them flicker.
int gifDelayMs(int hundredths) {
    return hundredths <= 1 ? 100 : hundredths * 10;
}

// Row of the frame that the index-th line of an interlaced image fills: four passes, starting at rows
// 0, 4, 2 and 1, stepping 8, 8, 4 and 2.
int interlacedRow(int index, int height) {
    static constexpr std::array<int, 4> start{0, 4, 2, 1};
    static constexpr std::array<int, 4> step{8, 8, 4, 2};
    for (size_t pass = 0; pass < start.size(); ++pass) {
        const int rows = height > start[pass] ? (height - start[pass] + step[pass] - 1) / step[pass] : 0;
        if (index < rows)
            return start[pass] + index * step[pass];
        index -= rows;
    }
    return -1;
}

GraphicsControlBlock noGraphicsControl() {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.DelayTime = 0;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    return control;
}

// Reads a GIF record by record and composes each frame onto the logical screen, the way browsers play it.
// The record-level calls (rather than DGifSlurp) let the size and frame limits act before any large buffer
// is made, and keep only one line of a frame in memory.
class GifComposer {
public:
    GifComposer(GifFileType* gif, const MemoryInput& input) : gif_(gif), input_(input) {}

    std::optional<Picture> run() {
        for (;;) {
            // A file that ends cleanly after a frame but lacks its trailer byte is common and harmless.
            if (input_.atEnd() && !picture_.frames.isEmpty())
                return std::move(picture_);
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif_, &type) == GIF_ERROR)
                return std::nullopt;
            bool ok = false;
            switch (type) {
            case IMAGE_DESC_RECORD_TYPE:
                ok = readFrame();
                break;
            case EXTENSION_RECORD_TYPE:
                ok = readExtension();
                break;
            case TERMINATE_RECORD_TYPE:
                if (picture_.frames.isEmpty())
                    return std::nullopt;
                return std::move(picture_);
            default:
                break;
            }
            if (!ok)
                return std::nullopt;
        }
    }

private:
    bool readExtension() {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR)
            return false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4)
            DGifExtensionToGCB(4, block + 1, &control_);
        bool loopBlockNext =
            code == APPLICATION_EXT_FUNC_CODE && block && block[0] == 11 &&
            (std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 || std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0);
        while (block) {
            if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR)
                return false;
            if (loopBlockNext && block && block[0] >= 3 && block[1] == 1)
                setLoopCount(block[2] | (block[3] << 8));
            loopBlockNext = false;
        }
        return true;
    }

    // The extension counts the repeats after the first play, as browsers read it; 0 repeats for ever.
    void setLoopCount(int repeats) { picture_.loopCount = repeats == 0 ? 0 : repeats + 1; }

    bool readFrame() {
        if (DGifGetImageDesc(gif_) == GIF_ERROR)
            return false;
        if (++descriptors_ > maxPictureFrames)
            return false;
        const GifImageDesc& frame = gif_->Image;
        if (frame.Width <= 0 || frame.Height <= 0)
            return skipFrameData();
        if (frame.Width > maxPictureSide || frame.Height > maxPictureSide)
            return false;
        const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif_->SColorMap;
        if (!colours || !colours->Colors)
            return false;
        if (canvas_.isNull() && !makeCanvas(frame))
            return false;
        usedPixels_ += qint64(canvas_.width()) * canvas_.height();
        if (usedPixels_ > maxPicturePixels)
            return false;

        disposePreviousFrame();
        if (control_.DisposalMode == DISPOSE_PREVIOUS)
            beforeFrame_ = canvas_;
        setPalette(*colours);
        if (!drawFrame(frame))
            return false;

        picture_.frames.append({canvas_, gifDelayMs(control_.DelayTime)});
        previousRect_ = QRect(frame.Left, frame.Top, frame.Width, frame.Height).intersected(canvas_.rect());
        previousDisposal_ = control_.DisposalMode;
        control_ = noGraphicsControl();
        return true;
    }

    // An empty frame still carries its (empty) image data, which must be read past.
    bool skipFrameData() {
        int codeSize = 0;
        GifByteType* block = nullptr;
        if (DGifGetCode(gif_, &codeSize, &block) == GIF_ERROR)
            return false;
        while (block)
            if (DGifGetCodeNext(gif_, &block) == GIF_ERROR)
                return false;
        control_ = noGraphicsControl();
        return true;
    }

    // The logical screen, or the first frame's extent when the file leaves the screen size at 0.
    bool makeCanvas(const GifImageDesc& first) {
        const int width = gif_->SWidth > 0 ? gif_->SWidth : first.Left + first.Width;
        const int height = gif_->SHeight > 0 ? gif_->SHeight : first.Top + first.Height;
        if (width <= 0 || height <= 0 || width > maxPictureSide || height > maxPictureSide)
            return false;
        canvas_ = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        if (canvas_.isNull())
            return false;
        canvas_.fill(Qt::transparent);
        return true;
    }

    void disposePreviousFrame() {
        if (previousDisposal_ == DISPOSE_BACKGROUND) {
            // Browsers restore to transparent rather than to the background colour.
            for (int y = previousRect_.top(); y <= previousRect_.bottom(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
                std::fill(row + previousRect_.left(), row + previousRect_.right() + 1, QRgb(0));
            }
        } else if (previousDisposal_ == DISPOSE_PREVIOUS && !beforeFrame_.isNull()) {
            canvas_ = beforeFrame_;
        }
        beforeFrame_ = QImage();
    }

    // Colours of the frame's indexes; the transparent index and indexes past the colour map stay
    // transparent (alpha 0), and only opaque colours are drawn.
    void setPalette(const ColorMapObject& colours) {
        palette_.fill(0);
        const int count = std::clamp(colours.ColorCount, 0, int(palette_.size()));
        for (int i = 0; i < count; ++i)
            palette_[size_t(i)] = qRgb(colours.Colors[i].Red, colours.Colors[i].Green, colours.Colors[i].Blue);
        if (control_.TransparentColor >= 0 && control_.TransparentColor < int(palette_.size()))
            palette_[size_t(control_.TransparentColor)] = 0;
    }

    // Decodes the frame line by line and draws the part of it that lies on the screen.
    bool drawFrame(const GifImageDesc& frame) {
        line_.resize(size_t(frame.Width));
        const int visibleWidth = std::clamp(canvas_.width() - frame.Left, 0, frame.Width);
        for (int index = 0; index < frame.Height; ++index) {
            if (DGifGetLine(gif_, line_.data(), frame.Width) == GIF_ERROR)
                return false;
            const int y = frame.Top + (frame.Interlace ? interlacedRow(index, frame.Height) : index);
            if (visibleWidth == 0 || y < 0 || y >= canvas_.height())
                continue;
            auto* row = reinterpret_cast<QRgb*>(canvas_.scanLine(y)) + frame.Left;
            for (int x = 0; x < visibleWidth; ++x) {
                const QRgb colour = palette_[line_[size_t(x)]];
                if (qAlpha(colour) != 0)
                    row[x] = colour;
            }
        }
        return true;
    }

    GifFileType* gif_;
    const MemoryInput& input_;
    Picture picture_;
    GraphicsControlBlock control_ = noGraphicsControl(); // applies to the next frame only
    QImage canvas_;
    QImage beforeFrame_; // the screen before a frame that is to be undone ("restore to previous")
    QRect previousRect_;
    int previousDisposal_ = DISPOSAL_UNSPECIFIED;
    int descriptors_ = 0;
    qint64 usedPixels_ = 0;
    std::array<QRgb, 256> palette_{};
    std::vector<GifPixelType> line_;
};

std::optional<Picture> decodeGif(const QByteArray& bytes) {
    MemoryInput input{bytes};
    int error = 0;
    GifHandle gif(DGifOpen(&input, readGifBytes, &error));
    if (!gif)
        return std::nullopt;
    if (gif->SWidth > maxPictureSide || gif->SHeight > maxPictureSide)
        return std::nullopt;
    return GifComposer(gif.get(), input).run();
}

// --------------------------------------------------------------------------------------------- JPEG

// libjpeg reports a fatal error by calling error_exit, which must not return; it jumps back to the decoder.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegFail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Warnings stay quiet, except a premature end: libjpeg would fill the rest of a truncated file with grey.
void jpegMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        jpegFail(info);
}

void jpegProgress(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > maxJpegScans)
        jpegFail(info);
}

// CMYK JPEGs (from Adobe programs) store inverted inks; a pixel's bytes are C, M, Y, K in place.
void convertInvertedCmyk(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        uchar* bytes = image.scanLine(y);
        auto* pixels = reinterpret_cast<QRgb*>(bytes);
        for (int x = 0; x < image.width(); ++x) {
            const uchar* ink = bytes + 4 * x;
            const int black = ink[3];
            pixels[x] = qRgb(ink[0] * black / 255, ink[1] * black / 255, ink[2] * black / 255);
        }
    }
}

// Decodes into `image`. Kept free of C++ objects made after setjmp, since longjmp skips their destructors.
bool decodeJpegInto(const QByteArray& bytes, QImage& image) {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    jpeg_progress_mgr progress{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFail;
    errors.manager.emit_message = jpegMessage;
    progress.progress_monitor = jpegProgress;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > unsigned(maxPictureSide) ||
        info.image_height > unsigned(maxPictureSide)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    // Four bytes a pixel laid out as QImage::Format_RGB32 keeps them, with an opaque alpha byte.
    info.out_color_space = cmyk ? JCS_CMYK : (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB);
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull() || info.output_components != 4) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        if (jpeg_read_scanlines(&info, &row, 1) != 1) {
            jpeg_destroy_decompress(&info);
            return false;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (cmyk)
        convertInvertedCmyk(image);
    return true;
}

std::optional<Picture> decodeJpeg(const QByteArray& bytes) {
    QImage image;
    if (!decodeJpegInto(bytes, image))
        return std::nullopt;
    Picture picture;
    picture.frames.append({image, 0});
    return picture;
}

} // namespace

std::optional<Picture> decodePicture(const QByteArray& bytes) {
    if (startsWith(bytes, "GIF87a", 6) || startsWith(bytes, "GIF89a", 6))
        return decodeGif(bytes);
    if (startsWith(bytes, "\xFF\xD8\xFF", 3))
        return decodeJpeg(bytes);
    return std::nullopt;
}

std::optional<Picture> loadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxPictureFileBytes)
        return std::nullopt;
    return decodePicture(file.read(maxPictureFileBytes));
}

bool showPicture(QLabel* label, const QString& path) {
    if (!label)
        return false;
    std::optional<Picture> picture = loadPicture(path);
    if (!picture)
        return false;
    delete PictureAnimator::of(label);
    if (picture->animated())
        new PictureAnimator(label, std::move(*picture));
    else
        label->setPixmap(QPixmap::fromImage(picture->frames.constFirst().image));
    return true;
}

// Q_INIT_RESOURCE names a function at global scope, so it cannot be called from inside a namespace.
static bool registerPictureResources() {
    Q_INIT_RESOURCE(pictures);
    return true;
}

void initPictureResources() {
    static const bool registered = registerPictureResources();
    Q_UNUSED(registered);
}

PictureAnimator::PictureAnimator(QLabel* label, Picture picture) : QObject(label), picture_(std::move(picture)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { guarded([this] { advance(); }); });
    if (picture_.frames.isEmpty()) {
        finished_ = true;
        return;
    }
    label->installEventFilter(this);
    showFrame();
    waitForNextFrame();
}

PictureAnimator* PictureAnimator::of(const QLabel* label) {
    return label ? label->findChild<PictureAnimator*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void PictureAnimator::advance() {
    if (finished_)
        return;
    if (frame_ + 1 < picture_.frames.size()) {
        ++frame_;
    } else {
        ++playsDone_;
        if (picture_.loopCount != 0 && playsDone_ >= picture_.loopCount) {
            finished_ = true;
            timer_.stop();
            return;
        }
        frame_ = 0;
    }
    showFrame();
    waitForNextFrame();
}

// The label gets a show event when it or its window is shown and a hide event when either is hidden.
bool PictureAnimator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent()) {
        if (event->type() == QEvent::Show && !finished_ && !timer_.isActive())
            timer_.start(picture_.frames[frame_].delayMs);
        else if (event->type() == QEvent::Hide)
            timer_.stop();
    }
    return QObject::eventFilter(watched, event);
}

void PictureAnimator::showFrame() {
    auto* label = static_cast<QLabel*>(parent());
    label->setPixmap(QPixmap::fromImage(picture_.frames[frame_].image));
}

void PictureAnimator::waitForNextFrame() {
    if (static_cast<QLabel*>(parent())->isVisible())
        timer_.start(picture_.frames[frame_].delayMs);
    else
        timer_.stop();
}
