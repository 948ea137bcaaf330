#include "app/fittext.h"

#include <QFontMetricsF>
#include <QLabel>

namespace {
constexpr qreal kPointStep = 0.5;
} // namespace

void fitTextToWidth(QLabel* label, const QFont& designFont, qreal smallestPointSize) {
    QFont font = designFont;
    const qreal room = label->contentsRect().width() - 2 * label->margin() - label->indent();
    while (QFontMetricsF(font).horizontalAdvance(label->text()) > room &&
           font.pointSizeF() - kPointStep >= smallestPointSize)
        font.setPointSizeF(font.pointSizeF() - kPointStep);
    label->setFont(font);
}
