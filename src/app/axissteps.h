#pragma once

// The ticks of a chart's value axis: round steps, no more ticks than the axis has room to label.
namespace AxisSteps {

// An axis from `min` to `max` with `ticks` ticks, `min` and `max` included, at even steps between them.
struct Scale {
    double min = 0;
    double max = 1;
    int ticks = 2;

    bool operator==(const Scale&) const = default;
};

// The axis that covers [low, high] in the smallest step of 1, 2 or 5 times a power of ten, and at least
// `leastStep`, that needs at most `mostTicks` ticks (taken as at least 3); its ends are multiples of the step.
// A range of no width [low, low] is taken as [low, low + 1]; one too wide for a step keeps its ends.
Scale roundScale(double low, double high, int mostTicks, double leastStep = 0);

} // namespace AxisSteps
