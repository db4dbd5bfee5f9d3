#include "TinyProxy.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

TinyProxy::~TinyProxy()
{
    process.kill();
    process.waitForFinished(3000);
}

QString TinyProxy::start(const QString& folder, const QString& basicAuth)
{
    const QString program = QStandardPaths::findExecutable("tinyproxy", {"/usr/bin", "/usr/sbin"});
    QTcpServer probe;
    if (program.isEmpty() || !probe.listen(QHostAddress::LocalHost))
        return "tinyproxy is not installed, or no port is free";
    port = probe.serverPort();
    probe.close();
    QFile config(QDir(folder).filePath("tinyproxy.conf"));
    if (!config.open(QIODevice::WriteOnly))
        return "cannot write " + config.fileName();
    config.write(QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\n%2\n")
                     .arg(port)
                     .arg(basicAuth.isEmpty() ? QString() : "BasicAuth " + basicAuth)
                     .toUtf8());
    config.close();

    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, {"-d", "-c", config.fileName()});
    const bool listening = QTest::qWaitFor(
        [this] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            return socket.waitForConnected(100) || process.state() == QProcess::NotRunning;
        },
        5000);
    return listening && process.state() != QProcess::NotRunning
               ? QString()
               : "tinyproxy is not listening: " + QString::fromLocal8Bit(process.readAll());
}
