#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <functional>

class QTcpSocket;

// How the loopback servers put an answer on the wire. The default sends everything at once. The options
// reproduce the ways a slow or broken server behaves, so clients can be tested against them:
//
//   Delivery::delayed(400)        // silence, then the whole answer
//   Delivery::split(10, 100)      // ten bytes every 100 ms
//   Delivery::stalled(120)        // 120 bytes, then silence; the connection is left open
//   Delivery::cut(120)            // 120 bytes, then the connection is closed
//
// The options combine through the fields: a delayed, split answer can still stall or be cut. When both
// stallAfter and cutAfter are set, stallAfter wins.
namespace Loopback {

struct Delivery {
    int delayMs = 0;           // silence before the first byte
    qsizetype pieceSize = 0;   // > 0: the answer goes out in pieces of this many bytes ...
    int pauseMs = 0;           // ... with this pause between two pieces
    qsizetype stallAfter = -1; // >= 0: only this many bytes go out, then silence with the connection open
    qsizetype cutAfter = -1;   // >= 0: only this many bytes go out, then the connection is closed

    static Delivery delayed(int ms) {
        Delivery plan;
        plan.delayMs = ms;
        return plan;
    }
    static Delivery split(qsizetype pieceSize, int pauseMs) {
        Delivery plan;
        plan.pieceSize = pieceSize;
        plan.pauseMs = pauseMs;
        return plan;
    }
    static Delivery stalled(qsizetype after) {
        Delivery plan;
        plan.stallAfter = after;
        return plan;
    }
    static Delivery cut(qsizetype after) {
        Delivery plan;
        plan.cutAfter = after;
        return plan;
    }

    // Whether the whole answer reaches the peer, so that the connection can carry on afterwards.
    bool complete() const { return stallAfter < 0 && cutAfter < 0; }
};

// Writes `bytes` to `socket` as `plan` says, on the socket's thread, from timers. `finished` runs once the
// whole answer has been written; it never runs for a stalled or cut answer, nor when the socket goes away
// first.
void deliver(QTcpSocket* socket, const QByteArray& bytes, const Delivery& plan, std::function<void()> finished);

} // namespace Loopback
