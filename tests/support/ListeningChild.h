#pragma once

// What nginx and tinyproxy share as test children: a loopback port free for them, and
// the wait until they listen on it.

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// A port nothing listens on now, or 0.
inline quint16 freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

// Waits up to 5 s for the child to accept a connection on port; false if it ended first.
inline bool listensOn(QProcess& process, quint16 port)
{
    const bool answered = QTest::qWaitFor(
        [&] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            return socket.waitForConnected(100) || process.state() == QProcess::NotRunning;
        },
        5000);
    return answered && process.state() != QProcess::NotRunning;
}
