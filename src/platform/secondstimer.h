#pragma once

#include <QObject>
#include <QTimer>

// A repeating timer of whole seconds that fires together with every other such timer. The main window's quote
// refresh ticks each second all day, so the watch-list monitor, the announcements, the tracker's poll and the
// other timers of 2, 5, 30 or 60 s then cost no wake-up of their own in the evening, when nothing is due.
// The interval is kept; only the moment within the second that the ticks fall on moves, by at most half a
// second, and it is the same moment for all of them.
inline QTimer* newSecondsTimer(QObject* parent, int intervalMs) {
    auto* timer = new QTimer(parent);
    timer->setInterval(intervalMs);
    // Very coarse timers fire on the whole seconds of the monotonic clock.
    timer->setTimerType(Qt::VeryCoarseTimer);
    return timer;
}
