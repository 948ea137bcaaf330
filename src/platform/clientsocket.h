#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;

// An event-driven TCP client socket, the stand-in for the old non-blocking client socket component.
// Events arrive on the GUI thread as signals: connected once the connection stands, readable when text has
// arrived, errorOccurred when the connection fails (an orderly close by the peer is not an error; it only
// makes the socket inactive and emits disconnected). The error code is a QAbstractSocket::SocketError value
// (refused, host not found, network unreachable, time-out ...); after an error the socket is inactive and no
// disconnected follows. A reset by the peer of a connection that stood is seen by Qt as the peer's close, so
// it arrives as disconnected.
class ClientSocket : public QObject {
    Q_OBJECT
public:
    explicit ClientSocket(QObject* parent = nullptr);
    ~ClientSocket() override;

    // Either a numeric address or a host name; the address wins when both are set.
    void setAddress(const QString& address) { address_ = address; }
    void setHost(const QString& host) { host_ = host; }
    void setPort(quint16 port) { port_ = port; }
    QString address() const { return address_; }
    quint16 port() const { return port_; }

    // Active: opening or open. Setting it true starts connecting (a failure to connect arrives later as
    // errorOccurred; an address that is not numeric, or neither address nor host, throws Failure at once);
    // false closes at once without events.
    bool active() const;
    void setActive(bool active);

    // Sends the bytes as they are; throws Failure when the socket is not connected.
    void sendText(const QByteArray& text);
    // Everything that has arrived since the last call.
    QByteArray receiveText();

signals:
    void connected();
    void readable();
    void disconnected();
    void errorOccurred(int code);

private:
    QTcpSocket* socket_;
    QString address_;
    QString host_;
    quint16 port_ = 80;
    bool failed_ = false; // the current connection ended in an error
};
