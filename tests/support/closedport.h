#pragma once

#include <QHostAddress>
#include <QTcpServer>

// A loopback port on which nothing listens: one the system has just handed out and taken back.
inline quint16 closedLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}
