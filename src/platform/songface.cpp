#include "platform/songface.h"

#include <QApplication>

namespace SongFace {

const QStringList& families() {
    static const QStringList faces{QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                   QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
    return faces;
}

QFont font(int pixels, bool bold) {
    QFont song;
    song.setFamilies(families());
    song.setPixelSize(pixels);
    song.setBold(bold);
    return song;
}

void useForApplication() {
    QApplication::setFont(font(windowPixels));
}

} // namespace SongFace
