// Where the distribution pie's labels stand, and the arms that part them.
#include "fundflow/pielabels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using BigOrder::labelRect;
using BigOrder::separatedArms;
using BigOrder::SliceLabel;

namespace {

const QSizeF kText(120, 18);
constexpr qreal kRadius = 100;
constexpr qreal kArm = 8;
// The chart's gap between the pie and an arm.
constexpr qreal kGap = 5;

} // namespace

TEST(PieLabels, TextStandsOnTheArmsEndOutwards) {
    // Three o'clock: the arm ends at radius + gap + arm to the right, the text to its right.
    EXPECT_EQ(labelRect({90, kText}, kRadius, kArm), QRectF(QPointF(113, -18), kText));
    // Nine o'clock: the text ends at the arm's end.
    const QRectF left = labelRect({270, kText}, kRadius, kArm);
    EXPECT_NEAR(left.right(), -113, 1e-9);
    EXPECT_NEAR(left.bottom(), 0, 1e-9);
    // Straight down the arm turns aside, to 170 degrees: the text leaves from right of the middle.
    const QRectF down = labelRect({178, kText}, kRadius, kArm);
    EXPECT_GT(down.left(), 0);
    const auto degrees = [](qreal angle) { return angle * std::numbers::pi / 180; };
    EXPECT_NEAR(down.bottom(), -std::cos(degrees(178)) * (kRadius + kGap) - std::cos(degrees(170)) * kArm, 1e-9);
}

TEST(PieLabels, LabelsWithRoomKeepTheirArms) {
    const QList<SliceLabel> labels{{60, kText}, {120, kText}, {240, kText}, {300, kText}};
    const BigOrder::LabelArms arms = separatedArms(labels, kRadius, kArm, QRectF(-300, -200, 600, 400));
    EXPECT_TRUE(arms.parted);
    EXPECT_EQ(arms.arms, QList<qreal>(4, kArm));
}

TEST(PieLabels, TheLabelNearerTheTopMovesOutOfTheWay) {
    // Two small slices at the top right: their texts would lie across each other.
    const QList<SliceLabel> labels{{10, kText}, {27, kText}};
    ASSERT_TRUE(labelRect(labels[0], kRadius, kArm).intersects(labelRect(labels[1], kRadius, kArm)));
    const BigOrder::LabelArms arms = separatedArms(labels, kRadius, kArm, QRectF(-300, -200, 600, 400));
    EXPECT_TRUE(arms.parted);
    EXPECT_GT(arms.arms[0], kArm);
    EXPECT_EQ(arms.arms[1], kArm);
    const QRectF top = labelRect(labels[0], kRadius, arms.arms[0]);
    EXPECT_LE(top.bottom(), labelRect(labels[1], kRadius, kArm).top());
}

TEST(PieLabels, ALabelUnderThePieHangsClearOfIt) {
    // Straight down, the text stands on the arm's end and would reach up into the pie.
    const QList<SliceLabel> labels{{180, kText}};
    ASSERT_LT(labelRect(labels[0], kRadius, kArm).top(), kRadius);
    const BigOrder::LabelArms arms = separatedArms(labels, kRadius, kArm, QRectF(-300, -200, 600, 400));
    EXPECT_TRUE(arms.parted);
    EXPECT_GE(labelRect(labels[0], kRadius, arms.arms[0]).top(), kRadius);
}

TEST(PieLabels, WithoutRoomAboveTheLabelsStayCovered) {
    const QList<SliceLabel> labels{{10, kText}, {27, kText}};
    // Nothing above the texts as they stand.
    const qreal top = labelRect(labels[0], kRadius, kArm).top();
    const BigOrder::LabelArms arms = separatedArms(labels, kRadius, kArm, QRectF(-300, top, 600, 400));
    EXPECT_FALSE(arms.parted);
}
