#include "TinyProxy.h"

#include "ListeningChild.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

TinyProxy::~TinyProxy()
{
    process.kill();
    process.waitForFinished(3000);
}

QString TinyProxy::start(const QString& folder, const QString& basicAuth)
{
    const QString program = QStandardPaths::findExecutable("tinyproxy", {"/usr/bin", "/usr/sbin"});
    port = freeLoopbackPort();
    if (program.isEmpty() || port == 0)
        return "tinyproxy is not installed, or no port is free";
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
    return listensOn(process, port) ? QString()
                                    : "tinyproxy is not listening: " + QString::fromLocal8Bit(process.readAll());
}
