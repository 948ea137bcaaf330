#include "loopback/tcpserver.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace Loopback {

// One accepted connection: records what arrives and hands it to the server's handler.
class TcpServer::Connection : public QObject {
public:
    Connection(TcpServer* server, QTcpSocket* socket, int id)
        : QObject(server), server_(server), socket_(socket), id_(id) {
        socket_->setParent(this);
        connect(socket_, &QTcpSocket::readyRead, this, &Connection::readMore);
        connect(socket_, &QTcpSocket::disconnected, this, &Connection::closed);
    }

    void start() { readMore(); }

private:
    void readMore() {
        const QByteArray bytes = socket_->readAll();
        if (bytes.isEmpty())
            return;
        server_->received_[id_ - 1] += bytes;
        pending_ += bytes;
        emit server_->bytesReceived(id_, bytes);
        answer();
    }

    void answer() {
        if (busy_ || pending_.isEmpty() || !server_->handler_)
            return;
        std::optional<TcpAnswer> reply;
        try {
            reply = server_->handler_(pending_);
        } catch (...) {
            reply = TcpAnswer({}, true);
        }
        if (!reply)
            return;
        pending_.clear();
        busy_ = true;
        const bool close = reply->close;
        deliver(socket_, reply->bytes, reply->delivery, [this, close] {
            busy_ = false;
            if (close)
                socket_->disconnectFromHost();
            else
                answer();
        });
    }

    void closed() {
        server_->open_.removeOne(socket_);
        emit server_->connectionClosed(id_);
        deleteLater();
    }

    TcpServer* server_;
    QTcpSocket* socket_;
    int id_;
    QByteArray pending_; // received since the last answer
    bool busy_ = false;  // an answer is on its way; the handler is asked again once it is out
};

TcpServer::TcpServer(QObject* parent) : QObject(parent), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &TcpServer::accept);
}

TcpServer::~TcpServer() = default;

bool TcpServer::listen(quint16 port) {
    return server_->listen(QHostAddress::LocalHost, port);
}

quint16 TcpServer::port() const {
    return server_->serverPort();
}

void TcpServer::closeConnections() {
    for (QTcpSocket* socket : QList<QTcpSocket*>(open_))
        socket->disconnectFromHost();
}

void TcpServer::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        received_.append(QByteArray());
        open_.append(socket);
        auto* connection = new Connection(this, socket, int(received_.size()));
        emit connectionAccepted(int(received_.size()));
        connection->start();
    }
}

} // namespace Loopback
