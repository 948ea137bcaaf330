#pragma once

#include "loopback/delivery.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>
#include <optional>
#include <utility>

class QTcpServer;
class QTcpSocket;

// A raw TCP server on 127.0.0.1 for tests of socket clients. Like the HTTP server it runs on the thread that
// made it, driven by that thread's event loop.
//
// Each time bytes arrive on a connection, the handler sees the bytes received since its last answer on that
// connection and either waits for more (returns nothing) or answers. An answer may be empty (nothing to
// send, for example to close at once), takes the Delivery options (delay, pieces, stall, cut) and may close
// the connection after its bytes have gone out. An answer consumes the bytes the handler saw.
//
//   Loopback::TcpServer server;
//   server.listen();
//   server.setHandler([](const QByteArray& pending) -> std::optional<Loopback::TcpAnswer> {
//       if (!pending.contains("\r\n\r\n"))
//           return std::nullopt;                        // wait for the whole request
//       return Loopback::TcpAnswer("<html>...</body>", true);  // answer, then close
//   });
//
// Without a handler the server only listens and records.
namespace Loopback {

struct TcpAnswer {
    TcpAnswer(QByteArray bytes = {}, bool close = false, Delivery delivery = {})
        : bytes(std::move(bytes)), delivery(delivery), close(close) {}

    QByteArray bytes;
    Delivery delivery;
    bool close = false; // close the connection (orderly) once the bytes are out
};

class TcpServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<std::optional<TcpAnswer>(const QByteArray& pending)>;

    explicit TcpServer(QObject* parent = nullptr);
    ~TcpServer() override;

    // Starts listening on 127.0.0.1; 0 picks a free port. False when the port is taken.
    bool listen(quint16 port = 0);
    quint16 port() const;

    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Connections accepted so far.
    int connectionCount() const { return received_.size(); }
    // Every byte received on a connection (1 for the first connection), in order.
    QByteArray received(int connection) const { return received_.value(connection - 1); }
    // Closes every open connection in an orderly way, as a server does when it is done.
    void closeConnections();

signals:
    void connectionAccepted(int connection);
    void bytesReceived(int connection, const QByteArray& bytes);
    // The peer closed the connection, or it was closed here.
    void connectionClosed(int connection);

private:
    class Connection;
    void accept();

    QTcpServer* server_;
    Handler handler_;
    QList<QByteArray> received_;
    QList<QTcpSocket*> open_;
};

} // namespace Loopback
