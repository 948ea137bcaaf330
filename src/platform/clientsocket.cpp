#include "platform/clientsocket.h"

#include "platform/failures.h"

#include <QHostAddress>
#include <QSignalBlocker>
#include <QTcpSocket>

ClientSocket::ClientSocket(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this)) {
    connect(socket_, &QTcpSocket::connected, this, &ClientSocket::connected);
    connect(socket_, &QTcpSocket::readyRead, this, &ClientSocket::readable);
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        // After a failure the error event has said all there is to say.
        if (!failed_)
            emit disconnected();
    });
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        // The peer closing its end is the normal end of a page, not a failure.
        if (error == QAbstractSocket::RemoteHostClosedError)
            return;
        failed_ = true;
        emit errorOccurred(int(error));
    });
}

ClientSocket::~ClientSocket() {
    const QSignalBlocker quiet(socket_);
    socket_->abort();
}

bool ClientSocket::active() const {
    return socket_->state() != QAbstractSocket::UnconnectedState;
}

void ClientSocket::setActive(bool active) {
    if (active == this->active())
        return;
    if (!active) {
        const QSignalBlocker quiet(socket_);
        socket_->abort();
        return;
    }
    failed_ = false;
    if (!address_.isEmpty()) {
        const QHostAddress address(address_);
        if (address.isNull())
            throw Failure(QStringLiteral("not a numeric address: %1").arg(address_));
        socket_->connectToHost(address, port_);
        return;
    }
    if (host_.isEmpty())
        throw Failure(QStringLiteral("socket has neither address nor host"));
    socket_->connectToHost(host_, port_);
}

void ClientSocket::sendText(const QByteArray& text) {
    if (socket_->state() != QAbstractSocket::ConnectedState)
        throw Failure(QStringLiteral("socket not connected"));
    if (socket_->write(text) != text.size())
        throw Failure(QStringLiteral("send failed: %1").arg(socket_->errorString()));
}

QByteArray ClientSocket::receiveText() {
    return socket_->readAll();
}
