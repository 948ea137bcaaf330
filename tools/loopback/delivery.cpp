#include "loopback/delivery.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace Loopback {

namespace {

// The state of one answer on its way out; each step writes one piece and schedules the next.
struct Outgoing {
    QPointer<QTcpSocket> socket;
    QByteArray bytes; // what will go out, already shortened to the stall or cut limit
    qsizetype sent = 0;
    Delivery plan;
    std::function<void()> finished;
};

void step(const std::shared_ptr<Outgoing>& out);

void schedule(const std::shared_ptr<Outgoing>& out, int delayMs) {
    if (!out->socket)
        return;
    QTimer::singleShot(delayMs, out->socket.data(), [out] { step(out); });
}

void end(const std::shared_ptr<Outgoing>& out) {
    if (out->plan.stallAfter >= 0)
        return;
    if (out->plan.cutAfter >= 0) {
        out->socket->disconnectFromHost();
        return;
    }
    if (out->finished)
        out->finished();
}

void step(const std::shared_ptr<Outgoing>& out) {
    if (!out->socket || out->socket->state() != QAbstractSocket::ConnectedState)
        return;
    const qsizetype left = out->bytes.size() - out->sent;
    const qsizetype size = out->plan.pieceSize > 0 ? qMin(out->plan.pieceSize, left) : left;
    if (size > 0) {
        out->socket->write(out->bytes.mid(out->sent, size));
        out->socket->flush();
        out->sent += size;
    }
    if (out->sent < out->bytes.size()) {
        schedule(out, out->plan.pauseMs);
        return;
    }
    end(out);
}

} // namespace

void deliver(QTcpSocket* socket, const QByteArray& bytes, const Delivery& plan, std::function<void()> finished) {
    auto out = std::make_shared<Outgoing>();
    out->socket = socket;
    out->plan = plan;
    out->finished = std::move(finished);
    const qsizetype limit = plan.stallAfter >= 0 ? plan.stallAfter : plan.cutAfter;
    out->bytes = limit >= 0 ? bytes.left(limit) : bytes;
    schedule(out, plan.delayMs);
}

} // namespace Loopback
