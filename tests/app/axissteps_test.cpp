// The round steps of the charts' value axes.
#include "app/axissteps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct StepCase {
    const char* what;
    double low;
    double high;
    int mostTicks;
    double leastStep;
    AxisSteps::Scale scale;
};

} // namespace

TEST(AxisSteps, SmallestRoundStepThatFitsTheTicks) {
    const StepCase cases[] = {
        {"holdings from 5 to 75 in four ticks", 5, 75, 4, 0.1, {0, 100, 3}},
        {"from 41.69 to 59.54", 41.69, 59.54, 4, 0.1, {40, 60, 3}},
        {"a narrow range keeps one decimal", 30.2, 30.25, 4, 0.1, {30.2, 30.3, 2}},
        {"ends on multiples stay", 30.2, 30.4, 4, 0.1, {30.2, 30.4, 3}},
        {"half-hour bars up to 3948", 0, 3948, 4, 0, {0, 4000, 3}},
        {"bars up to 4000 exactly", 0, 4000, 4, 0, {0, 4000, 3}},
        {"bars up to 4001", 0, 4001, 4, 0, {0, 6000, 4}},
        {"day bars in fractions", 0, 2.5, 4, 0, {0, 3, 4}},
        {"negative bars", -1.5, 2.5, 4, 0, {-2, 4, 4}},
        {"more ticks, finer steps", 0, 3948, 6, 0, {0, 4000, 5}},
        {"two ticks are taken as three", -0.5, 0.5, 2, 0, {-0.5, 0.5, 3}},
        {"no width", 7, 7, 4, 0, {7, 8, 3}},
        {"too wide for a step", -1e308, 1e308, 4, 0, {-1e308, 1e308, 2}},
    };
    for (const StepCase& c : cases) {
        const AxisSteps::Scale scale = AxisSteps::roundScale(c.low, c.high, c.mostTicks, c.leastStep);
        EXPECT_NEAR(scale.min, c.scale.min, 1e-9) << c.what;
        EXPECT_NEAR(scale.max, c.scale.max, 1e-9) << c.what;
        EXPECT_EQ(scale.ticks, c.scale.ticks) << c.what;
    }
}

TEST(AxisSteps, EveryScaleCoversItsRangeInAtMostTheTicks) {
    for (int most = 3; most <= 8; ++most) {
        for (double low = -7.3; low < 80; low += 3.7) {
            for (double width : {0.01, 0.3, 1.0, 9.99, 70.0, 12345.0}) {
                const AxisSteps::Scale scale = AxisSteps::roundScale(low, low + width, most, 0.1);
                EXPECT_LE(scale.min, low + 1e-9);
                EXPECT_GE(scale.max, low + width - 1e-9);
                EXPECT_GE(scale.ticks, 2);
                EXPECT_LE(scale.ticks, most);
                const double step = (scale.max - scale.min) / (scale.ticks - 1);
                EXPECT_GE(step, 0.1 - 1e-9);
            }
        }
    }
}
