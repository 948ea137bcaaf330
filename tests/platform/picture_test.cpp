#include "platform/picture.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <gif_lib.h>
#include <jpeglib.h>

namespace {

const QRgb black = qRgb(0, 0, 0), red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
const QRgb transparent = 0;

// ---------------------------------------------------------------- test pictures, written with the encoders

struct GifFrame {
    QRect rect{0, 0, 1, 1};
    int fill = 0;              // colour index of every pixel not given below
    std::vector<int> pixels{}; // colour indexes, row by row (written in pass order when interlaced)
    int delay = -1;            // hundredths of a second; -1 writes no control extension
    int disposal = DISPOSAL_UNSPECIFIED;
    int transparentIndex = NO_TRANSPARENT_COLOR;
    std::vector<QRgb> localColours{};
    bool interlace = false;
};

struct Gif {
    QSize screen{4, 4};
    std::vector<QRgb> colours{black, red, green, blue};
    int loopRepeats = -1; // -1 writes no loop extension
    std::vector<GifFrame> frames{};
};

ColorMapObject* colourMap(const std::vector<QRgb>& colours) {
    int size = 2;
    while (size < int(colours.size()))
        size *= 2;
    std::vector<GifColorType> entries(size_t(size), GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i)
        entries[i] = {GifByteType(qRed(colours[i])), GifByteType(qGreen(colours[i])), GifByteType(qBlue(colours[i]))};
    return colours.empty() ? nullptr : GifMakeMapObject(size, entries.data());
}

QByteArray encodeGif(const Gif& layout) {
    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(
        &bytes,
        [](GifFileType* file, const GifByteType* data, int length) {
            static_cast<QByteArray*>(file->UserData)->append(reinterpret_cast<const char*>(data), length);
            return length;
        },
        &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = colourMap(layout.colours);
    EXPECT_EQ(EGifPutScreenDesc(gif, layout.screen.width(), layout.screen.height(), 8, 0, global), GIF_OK);
    GifFreeMapObject(global);
    if (layout.loopRepeats >= 0) {
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
        const unsigned char loop[3] = {1, GifByteType(layout.loopRepeats & 0xFF), GifByteType(layout.loopRepeats >> 8)};
        EGifPutExtensionBlock(gif, 3, loop);
        EGifPutExtensionTrailer(gif);
    }
    for (const GifFrame& frame : layout.frames) {
        if (frame.delay >= 0) {
            GraphicsControlBlock control{frame.disposal, false, frame.delay, frame.transparentIndex};
            GifByteType extension[4];
            EGifGCBToExtension(&control, extension);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        }
        const QRect& r = frame.rect;
        ColorMapObject* local = colourMap(frame.localColours);
        EXPECT_EQ(EGifPutImageDesc(gif, r.x(), r.y(), r.width(), r.height(), frame.interlace, local), GIF_OK);
        GifFreeMapObject(local);
        std::vector<GifPixelType> pixels(size_t(r.width()) * r.height(), GifPixelType(frame.fill));
        std::copy(frame.pixels.begin(), frame.pixels.end(), pixels.begin());
        EXPECT_EQ(EGifPutLine(gif, pixels.data(), int(pixels.size())), GIF_OK);
    }
    EGifCloseFile(gif, &error);
    return bytes;
}

// A GIF of one frame per rectangle, each filled with one colour index.
QByteArray filledGif(std::initializer_list<std::pair<QRect, int>> frames) {
    Gif layout;
    for (const auto& [rect, index] : frames)
        layout.frames.push_back({.rect = rect, .fill = index});
    return encodeGif(layout);
}

// A JPEG whose pixels all hold `pixel` (its components in the given colour space); with `noisy` each byte
// is varied, which makes the image data long.
QByteArray encodeJpeg(int width, int height, J_COLOR_SPACE space, const std::vector<uchar>& pixel, bool noisy = false) {
    std::vector<uchar> pixels;
    for (int i = 0; i < width * height; ++i) {
        for (uchar component : pixel)
            pixels.push_back(uchar(component + (noisy ? i * 7919 % 251 : 0)));
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = int(pixel.size());
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        uchar* row = pixels.data() + info.next_scanline * width * info.input_components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

bool near(QRgb actual, QRgb expected, int tolerance = 12) {
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// Five frames on a 4x4 screen that go through every disposal method, transparency and the delay rules.
Gif disposalAnimation() {
    Gif layout;
    layout.loopRepeats = 2;
    layout.frames = {
        {.rect = {0, 0, 4, 4}, .fill = 1, .delay = 5}, // red screen, kept (disposal unspecified)
        // green, index 0 see-through, then undone
        {.rect = {0, 0, 2, 2}, .pixels = {0, 2, 2, 2}, .delay = 0, .disposal = DISPOSE_PREVIOUS, .transparentIndex = 0},
        {.rect = {2, 2, 2, 2}, .fill = 3, .delay = 1, .disposal = DISPOSE_BACKGROUND}, // blue, then cleared
        {.rect = {0, 2, 1, 1}, .fill = 2, .delay = 20, .disposal = DISPOSE_DO_NOT},    // green, kept
        {.rect = {3, 0, 1, 1}, .fill = 2, .delay = 2},
    };
    return layout;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

// The GIF with its logical screen size (little-endian, bytes 6 to 9) replaced.
QByteArray withScreenSize(QByteArray gif, int width, int height) {
    const char size[] = {char(width), char(width >> 8), char(height), char(height >> 8)};
    return gif.replace(6, 4, size, 4);
}

// The JPEG with the size in its frame header (big-endian height, then width) replaced.
QByteArray withJpegSize(QByteArray jpeg, int width, int height) {
    const qsizetype frameHeader = jpeg.indexOf("\xFF\xC0");
    EXPECT_GT(frameHeader, 0);
    const char size[] = {char(height >> 8), char(height), char(width >> 8), char(width)};
    return jpeg.replace(frameHeader + 5, 4, size, 4);
}

QRgb labelPixel(const QLabel& label, int x, int y) {
    return label.pixmap().toImage().pixel(x, y);
}

} // namespace

// A still frame keeps its colours and its rows, interlaced or not; indexes past a short colour map are see-through.
TEST(GifDecode, StillFramesKeepTheirColoursAndRows) {
    Gif still{.screen = {4, 1}, .colours = {red, green}}; // a 1-bit map while the data has 2-bit codes
    still.frames = {{.rect = {0, 0, 4, 1}, .pixels = {0, 1, 2, 3}}};
    const auto picture = decodePicture(encodeGif(still));
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture->animated());
    const QRgb expected[] = {red, green, transparent, transparent};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(picture->frames[0].image.pixel(x, 0), expected[x]) << x;

    const std::vector<QRgb> local{qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90), qRgb(100, 110, 120)};
    GifFrame frame{.rect = {0, 0, 2, 11}, .localColours = local, .interlace = true};
    // Lines arrive in four passes: rows 0, 8 / 4 / 2, 6, 10 / 1, 3, 5, 7, 9; row y is coloured y % 4.
    for (int row : {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9})
        frame.pixels.insert(frame.pixels.end(), 2, row % 4);
    const auto interlaced = decodePicture(encodeGif({.screen = {2, 11}, .frames = {frame}}));
    ASSERT_TRUE(interlaced);
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(interlaced->frames[0].image.pixel(1, y), local[size_t(y % 4)]) << "row " << y;
}

TEST(GifDecode, AnimationComposesFramesThroughEveryDisposal) {
    const auto picture = decodePicture(encodeGif(disposalAnimation()));
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->frames.size(), 5);
    EXPECT_TRUE(picture->animated());
    EXPECT_EQ(picture->loopCount, 3); // two repeats after the first play

    const int delays[] = {50, 100, 100, 200, 20}; // 0 and 1 hundredth are shown for 100 ms
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(picture->frames[i].delayMs, delays[i]) << "frame " << i;

    struct Case {
        int frame, x, y;
        QRgb colour;
        const char* why;
    };
    const Case cases[] = {
        {0, 1, 1, red, "earlier frames keep their own picture"},
        {1, 0, 0, red, "the transparent index shows what lies below"},
        {1, 1, 1, green, "a frame draws at its position"},
        {1, 2, 2, red, "outside the frame the screen stays"},
        {2, 1, 1, red, "restore to previous undid the green corner"},
        {2, 3, 3, blue, "a frame draws at its offset"},
        {3, 2, 2, transparent, "restore to background cleared to transparent"},
        {3, 0, 2, green, "drawn over the cleared screen"},
        {3, 0, 0, red, "the first frame stays under everything"},
        {4, 0, 2, green, "do-not-dispose kept the previous frame"},
        {4, 3, 0, green, "the last frame drawn"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(picture->frames[c.frame].image.pixel(c.x, c.y), c.colour) << c.why;
}

TEST(GifDecode, LoopExtensionSetsTimesPlayed) {
    for (const auto& [repeats, plays] : {std::pair{-1, 1}, {0, 0}, {1, 2}, {65535, 65536}}) {
        Gif layout{.loopRepeats = repeats};
        layout.frames = {{.fill = 1}, {.fill = 2}};
        const auto picture = decodePicture(encodeGif(layout));
        ASSERT_TRUE(picture) << repeats;
        EXPECT_EQ(picture->loopCount, plays) << repeats;
    }
}

TEST(GifDecode, FramesPastTheScreenAreClipped) {
    // A frame reaching past the screen is clipped; one wholly outside leaves the screen as it was.
    const auto clipped = decodePicture(filledGif({{{0, 0, 4, 4}, 1}, {{2, 3, 6, 6}, 3}, {{40, 40, 2, 2}, 2}}));
    ASSERT_TRUE(clipped);
    ASSERT_EQ(clipped->frames.size(), 3);
    const QImage& second = clipped->frames[1].image;
    EXPECT_EQ(second.size(), QSize(4, 4));
    EXPECT_EQ(QList<QRgb>({second.pixel(3, 3), second.pixel(1, 3), second.pixel(2, 2)}), QList<QRgb>({blue, red, red}));
    EXPECT_EQ(clipped->frames[2].image, second);
}

// A frame of no width is skipped and the frames after it still decode: the second image descriptor (0x2C, left,
// top, width, height) gets width 0.
TEST(GifDecode, FrameOfNoWidthIsSkipped) {
    QByteArray noWidth = filledGif({{{0, 0, 4, 4}, 1}, {{1, 1, 2, 2}, 3}, {{0, 0, 1, 1}, 2}});
    const qsizetype descriptor = noWidth.indexOf(QByteArrayLiteral("\x2C\x01\x00\x01\x00\x02\x00"));
    ASSERT_GT(descriptor, 0);
    noWidth[descriptor + 5] = 0;
    const auto skipped = decodePicture(noWidth);
    ASSERT_TRUE(skipped);
    ASSERT_EQ(skipped->frames.size(), 2);
    EXPECT_EQ(skipped->frames[1].image.pixel(1, 1), red);
    EXPECT_EQ(skipped->frames[1].image.pixel(0, 0), green);
}

TEST(GifDecode, EveryTruncationFailsCleanlyOrKeepsWholeFrames) {
    const QByteArray whole = encodeGif(disposalAnimation());
    for (qsizetype length = 0; length < whole.size(); ++length) {
        const auto picture = decodePicture(whole.left(length));
        if (!picture)
            continue;
        EXPECT_LE(picture->frames.size(), 5) << length;
        for (const Picture::Frame& frame : picture->frames)
            EXPECT_EQ(frame.image.size(), QSize(4, 4)) << length;
    }
    // Only the trailer byte missing: all frames are there.
    const auto withoutTrailer = decodePicture(whole.chopped(1));
    ASSERT_TRUE(withoutTrailer);
    EXPECT_EQ(withoutTrailer->frames.size(), 5);
    // A cut inside the first frame's image data leaves nothing to show.
    Gif still;
    still.frames = {{.rect = {0, 0, 4, 4}, .pixels = {0, 1, 2, 3, 3, 2, 1, 0, 0, 2, 1, 3, 1, 3, 0, 2}}};
    EXPECT_FALSE(decodePicture(encodeGif(still).chopped(4)));
}

TEST(JpegDecode, ColourSpacesBecomeRgb) {
    struct Case {
        const char* name;
        J_COLOR_SPACE space;
        std::vector<uchar> pixel;
        QRgb expected;
    };
    const Case cases[] = {
        {"rgb", JCS_RGB, {200, 30, 60}, qRgb(200, 30, 60)},
        {"grey", JCS_GRAYSCALE, {90}, qRgb(90, 90, 90)},
        {"inverted cmyk", JCS_CMYK, {255, 0, 128, 255}, qRgb(255, 0, 128)},
    };
    for (const Case& c : cases) {
        const auto picture = decodePicture(encodeJpeg(16, 8, c.space, c.pixel));
        ASSERT_TRUE(picture) << c.name;
        ASSERT_EQ(picture->frames.size(), 1) << c.name;
        EXPECT_EQ(picture->frames[0].image.size(), QSize(16, 8)) << c.name;
        EXPECT_TRUE(near(picture->frames[0].image.pixel(5, 5), c.expected)) << c.name;
        EXPECT_EQ(qAlpha(picture->frames[0].image.pixel(5, 5)), 255) << c.name;
    }
}

TEST(PictureDecode, BrokenAndHostileBytesAreRefused) {
    const QByteArray gif = filledGif({{{0, 0, 4, 4}, 1}});
    // The global colour table (4 entries padded to 4) follows the 13-byte header; drop it and its flag.
    QByteArray noColours = gif;
    noColours.remove(13, 3 * 4);
    noColours[10] = char(noColours[10] & 0x7F);

    Gif manyFrames{.screen = {1, 1}};
    manyFrames.frames.assign(size_t(maxPictureFrames) + 1, {.fill = 1});
    // Each composed frame is a whole screen: two of the largest are too much.
    Gif bigScreenTwice{.screen = {maxPictureSide, maxPictureSide}};
    bigScreenTwice.frames = {{.fill = 1}, {.fill = 2}};

    const QByteArray jpeg = encodeJpeg(16, 16, JCS_RGB, {10, 20, 30});
    const QByteArray noisyJpeg = encodeJpeg(64, 64, JCS_RGB, {10, 20, 30}, true);
    ASSERT_TRUE(decodePicture(noisyJpeg));
    const QByteArray filler(4000, '\xA7');
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"signature only", QByteArrayLiteral("GIF89a")},
        {"garbage", filler},
        {"gif signature then garbage", QByteArrayLiteral("GIF89a") + filler},
        {"jpeg signature then garbage", QByteArrayLiteral("\xFF\xD8\xFF") + filler},
        {"png", QByteArrayLiteral("\x89PNG\r\n\x1A\n") + filler},
        {"gif without any colour map", noColours},
        {"huge gif screen", withScreenSize(gif, 65535, 65535)},
        {"gif screen one past the limit", withScreenSize(gif, maxPictureSide + 1, 4)},
        {"gif frame one past the limit", filledGif({{{0, 0, maxPictureSide + 1, 1}, 1}})},
        {"too many gif frames", encodeGif(manyFrames)},
        {"too many composed pixels", encodeGif(bigScreenTwice)},
        {"gif header only", gif.left(13)},
        {"truncated jpeg", jpeg.left(jpeg.size() / 2)},
        {"jpeg cut inside its image data", noisyJpeg.chopped(noisyJpeg.size() / 4)},
        {"jpeg header only", jpeg.left(jpeg.indexOf("\xFF\xDA"))},
        {"huge jpeg", withJpegSize(jpeg, 60000, 60000)},
        {"jpeg of no width", withJpegSize(jpeg, 0, 16)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(decodePicture(c.bytes)) << c.name;
    EXPECT_TRUE(decodePicture(withScreenSize(gif, maxPictureSide, 4))) << "the limit itself is allowed";
}

TEST(ShowPicture, AnimationStepsThroughItsPlaysThenStopsOnTheLastFrame) {
    QTemporaryDir dir;
    Gif layout{.loopRepeats = 1}; // played twice
    for (int index : {1, 2, 3})   // each shown long enough that only the test moves it on
        layout.frames.push_back({.rect = {0, 0, 4, 4}, .fill = index, .delay = 500});
    QLabel label;
    ASSERT_TRUE(showPicture(&label, writeFile(dir, QStringLiteral("anim.gif"), encodeGif(layout))));
    PictureAnimator* animator = PictureAnimator::of(&label);
    ASSERT_NE(animator, nullptr);
    EXPECT_EQ(labelPixel(label, 0, 0), red);
    for (QRgb colour : {green, blue, red, green, blue}) {
        animator->advance();
        EXPECT_EQ(labelPixel(label, 0, 0), colour);
    }
    EXPECT_TRUE(animator->running());
    animator->advance();
    EXPECT_FALSE(animator->running());
    EXPECT_EQ(animator->playsDone(), 2);
    EXPECT_EQ(labelPixel(label, 0, 0), blue);

    // With short delays and no loop limit it plays by its own timer, for ever, while the label is shown.
    layout = {.loopRepeats = 0};
    layout.frames = {{.rect = {0, 0, 2, 2}, .fill = 1, .delay = 2}, {.rect = {0, 0, 2, 2}, .fill = 2, .delay = 2}};
    ASSERT_TRUE(showPicture(&label, writeFile(dir, QStringLiteral("fast.gif"), encodeGif(layout))));
    animator = PictureAnimator::of(&label);
    label.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return animator->playsDone() >= 3; }, 3000));
    EXPECT_TRUE(animator->running());
}

// A hidden window's pictures keep their frame and no timer runs for them; they play on when shown again.
TEST(ShowPicture, AnimationPlaysOnlyWhileItsLabelIsShown) {
    QTemporaryDir dir;
    Gif layout{.loopRepeats = 0};
    layout.frames = {{.rect = {0, 0, 2, 2}, .fill = 1, .delay = 2}, {.rect = {0, 0, 2, 2}, .fill = 2, .delay = 2}};
    const QString path = writeFile(dir, QStringLiteral("fast.gif"), encodeGif(layout));
    QWidget window;
    auto* label = new QLabel(&window);
    ASSERT_TRUE(showPicture(label, path));
    PictureAnimator* animator = PictureAnimator::of(label);
    const auto heldStill = [&] {
        const int frame = animator->currentFrame();
        const int plays = animator->playsDone();
        QTest::qWait(60);
        return !animator->ticking() && animator->running() && animator->currentFrame() == frame &&
               animator->playsDone() == plays;
    };
    EXPECT_TRUE(heldStill()) << "a window not shown yet";

    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return animator->playsDone() >= 2; }, 3000));
    window.hide();
    EXPECT_TRUE(heldStill()) << "a hidden window";

    window.show();
    const int plays = animator->playsDone();
    EXPECT_TRUE(QTest::qWaitFor([&] { return animator->playsDone() > plays; }, 3000));
    label->hide();
    EXPECT_TRUE(heldStill()) << "a hidden label in a shown window";
    label->show();
    EXPECT_TRUE(animator->ticking());
}

TEST(ShowPicture, NextPictureReplacesTheAnimation) {
    QTemporaryDir dir;
    const QString animation = writeFile(dir, QStringLiteral("anim.gif"), encodeGif(disposalAnimation()));
    const QString stillPath = writeFile(dir, QStringLiteral("still.gif"), filledGif({{{0, 0, 4, 4}, 3}}));

    QLabel label;
    ASSERT_TRUE(showPicture(&label, animation));
    QPointer<PictureAnimator> first = PictureAnimator::of(&label);
    ASSERT_TRUE(showPicture(&label, animation));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(label.findChildren<PictureAnimator*>().size(), 1);

    QPointer<PictureAnimator> second = PictureAnimator::of(&label);
    EXPECT_FALSE(showPicture(&label, dir.filePath(QStringLiteral("missing.gif"))));
    EXPECT_FALSE(second.isNull()) << "an unreadable picture leaves the label as it was";

    // A still picture shows at once, with no animator.
    ASSERT_TRUE(showPicture(&label, stillPath));
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(PictureAnimator::of(&label), nullptr);
    EXPECT_EQ(label.pixmap().size(), QSize(4, 4));
    EXPECT_EQ(labelPixel(label, 1, 1), blue);
}

TEST(OwnPictures, EveryPictureLoadsFromTheResources) {
    for (const char* path :
         {":/pictures/splash.jpg", ":/pictures/logo.gif", ":/pictures/fall.gif", ":/pictures/go.gif"})
        EXPECT_TRUE(loadPicture(QString::fromLatin1(path))) << path;
    const auto rise = loadPicture(QStringLiteral(":/pictures/rise.gif"));
    ASSERT_TRUE(rise);
    EXPECT_TRUE(rise->animated());
    EXPECT_EQ(rise->loopCount, 0);
    EXPECT_FALSE(QImage(QStringLiteral(":/pictures/app.png")).isNull());
}
