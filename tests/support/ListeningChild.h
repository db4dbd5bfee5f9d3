#pragma once

// What nginx and tinyproxy share as test children: a loopback port free for them, a
// configuration file of their own, the wait until they listen, and the stop with the object.

#include "TestFiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <csignal>

class ListeningChild
{
public:
    // stopSignal asks the child to end; it is killed if it has not after 5 s.
    explicit ListeningChild(int stopSignal = SIGKILL) : stopSignal(stopSignal)
    {
        QTcpServer probe;
        port = probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
    }
    ~ListeningChild()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(process.processId()), stopSignal);
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(3000);
        }
    }

    // Writes config and runs the program named with arguments; empty once it accepts a
    // connection on port (up to 5 s), otherwise what went wrong.
    QString launch(const QString& name, const QString& configPath, const QString& config, const QStringList& arguments)
    {
        const QString program = QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin"});
        if (program.isEmpty() || port == 0)
            return name + " is not installed, or no port is free";
        if (!writeFile(configPath, config.toUtf8()))
            return "cannot write " + configPath;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool answered = QTest::qWaitFor([&] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            return socket.waitForConnected(100) || process.state() == QProcess::NotRunning;
        });
        if (answered && process.state() != QProcess::NotRunning)
            return {};
        return name + " is not listening: " + QString::fromLocal8Bit(process.readAll());
    }

    quint16 port = 0;

private:
    const int stopSignal;
    QProcess process;
};
