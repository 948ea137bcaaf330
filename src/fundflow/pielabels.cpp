#include "fundflow/pielabels.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

// The chart's gap between the pie's edge and the start of a label's arm.
constexpr qreal kArmGap = 5;
// An arm never points within this many degrees of straight down: it is turned to the edge of that band.
constexpr qreal kDownBand = 10;
// Labels stand at least this many pixels from each other and from the pie: the chart's text boxes are a little
// larger than the letters.
constexpr qreal kLabelSpacing = 3;
// How far an arm grows in one step, and at most how many rounds over all pairs of labels the parting takes.
constexpr qreal kArmStep = 1;
constexpr int kMostRounds = 1000;

qreal radians(qreal degrees) {
    return degrees * std::numbers::pi / 180;
}

// A point `length` away from the centre in the direction of `degrees`.
QPointF along(qreal degrees, qreal length) {
    return {length * std::sin(radians(degrees)), -length * std::cos(radians(degrees))};
}

// The direction of the arm: the angle within [0, 360), turned out of the band around straight down.
qreal armAngle(qreal degrees) {
    qreal angle = std::fmod(degrees, 360);
    if (angle < 0)
        angle += 360;
    if (angle > 180 - kDownBand && angle < 180)
        return 180 - kDownBand;
    if (angle > 180 && angle < 180 + kDownBand)
        return 180 + kDownBand;
    return angle;
}

} // namespace

namespace BigOrder {

QRectF labelRect(const SliceLabel& label, qreal radius, qreal arm) {
    const qreal direction = armAngle(label.angle);
    const QPointF end = along(label.angle, radius + kArmGap) + along(direction, arm);
    QRectF text(QPointF(), label.size);
    text.moveBottomLeft(direction < 180 ? end : end - QPointF(label.size.width(), 0));
    return text;
}

LabelArms separatedArms(const QList<SliceLabel>& labels, qreal radius, qreal arm, const QRectF& room) {
    QList<qreal> arms(labels.size(), arm);
    const auto rect = [&](qsizetype i, qreal length) { return labelRect(labels[i], radius, length); };
    // Of two labels, the one nearer the top or bottom moving out parts them most.
    const auto upright = [&](qsizetype i) { return std::abs(std::cos(radians(armAngle(labels[i].angle)))); };
    // A label under the pie's bottom stands on an arm that hangs nearly straight down: its text reaches up into
    // the pie unless the arm is long enough.
    const auto coversPie = [&](qsizetype i) {
        const QRectF text = rect(i, arms[i]);
        const QPointF nearest(std::clamp<qreal>(0, text.left(), text.right()),
                              std::clamp<qreal>(0, text.top(), text.bottom()));
        return std::hypot(nearest.x(), nearest.y()) < radius + kLabelSpacing;
    };
    const auto moveOut = [&](qsizetype i) {
        if (!room.contains(rect(i, arms[i] + kArmStep)))
            return false;
        arms[i] += kArmStep;
        return true;
    };
    for (int round = 0; round < kMostRounds; ++round) {
        bool covered = false;
        bool moved = false;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            if (coversPie(i)) {
                covered = true;
                moved = moveOut(i) || moved;
            }
            const QRectF spaced =
                rect(i, arms[i]).adjusted(-kLabelSpacing, -kLabelSpacing, kLabelSpacing, kLabelSpacing);
            for (qsizetype j = i + 1; j < labels.size(); ++j) {
                if (!spaced.intersects(rect(j, arms[j])))
                    continue;
                covered = true;
                const auto [first, second] = upright(i) >= upright(j) ? std::pair(i, j) : std::pair(j, i);
                moved = moveOut(first) || moveOut(second) || moved;
            }
        }
        if (!covered || !moved)
            return {arms, !covered};
    }
    return {arms, false};
}

} // namespace BigOrder
