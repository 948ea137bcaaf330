#include "app/axissteps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A quotient this close above or below a whole number counts as that number: 30.2 / 0.1 is 301.99999999999997.
constexpr double kWholeTolerance = 1e-9;

} // namespace

namespace AxisSteps {

Scale roundScale(double low, double high, int mostTicks, double leastStep) {
    if (!(high > low))
        high = low + 1;
    // With three ticks some step always fits: a step as wide as the range meets at most two of its multiples'
    // intervals. With two, a range around a multiple would never fit.
    mostTicks = std::max(mostTicks, 3);
    const double rough = std::max((high - low) / (mostTicks - 1), leastStep);
    if (!std::isfinite(rough) || rough < std::numeric_limits<double>::min())
        return {low, high, 2};
    for (double power = std::pow(10.0, std::floor(std::log10(rough)));; power *= 10) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            const double step = factor * power;
            if (step < leastStep * (1 - kWholeTolerance))
                continue;
            const double first = std::floor(low / step + kWholeTolerance);
            const double last = std::ceil(high / step - kWholeTolerance);
            if (last - first < mostTicks)
                return {first * step, last * step, static_cast<int>(last - first) + 1};
        }
    }
}

} // namespace AxisSteps
