#include "app/fittext.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>

namespace {
constexpr qreal kPointStep = 0.5;
} // namespace

void fitTextToWidth(QLabel* label, const QFont& designFont, qreal smallestPointSize) {
    QFont font = designFont;
    const qreal room = label->contentsRect().width() - 2 * label->margin() - label->indent();
    // A face given in pixels is made smaller in points all the same: the size it is drawn at, in points.
    qreal points = QFontInfo(designFont).pointSizeF();
    while (QFontMetricsF(font).horizontalAdvance(label->text()) > room && points - kPointStep >= smallestPointSize) {
        points -= kPointStep;
        font.setPointSizeF(points);
    }
    label->setFont(font);
}
