#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>

// Where a pie chart draws the labels outside its slices, and arm lengths that keep them from covering each other.
// Plain geometry in the chart's own rule for an outside label, with the pie's centre at (0, 0) and y downwards.
namespace BigOrder {

// One slice's label: the middle of its slice, in degrees clockwise from twelve o'clock, and the size of its text.
struct SliceLabel {
    qreal angle = 0;
    QSizeF size;
};

// The label's text on an arm `arm` pixels long from a pie of `radius`: the arm leaves the slice's middle just
// outside the pie (never straight down), and the text stands on its end, to the right on the pie's right half
// and to the left on its left half.
QRectF labelRect(const SliceLabel& label, qreal radius, qreal arm);

// One arm length per label, `arm` unless a label would cover the pie or another label. A label over the pie moves
// out; of two labels over each other the one nearer the pie's top or bottom moves out (else the other one does);
// each a pixel at a time, while its text stays inside `room`. `parted` is false when some labels could not be
// parted; they keep the arms they reached.
struct LabelArms {
    QList<qreal> arms;
    bool parted = true;
};
LabelArms separatedArms(const QList<SliceLabel>& labels, qreal radius, qreal arm, const QRectF& room);

} // namespace BigOrder
