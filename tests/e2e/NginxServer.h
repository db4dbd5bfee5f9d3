#pragma once

// nginx serving one folder on a free loopback port, in the foreground as a child process
// with a configuration of its own; stopped through its process id with the object. Its
// access log names each request's path and the proxy it came through ("Via").

#include <QProcess>
#include <QString>
#include <QStringList>

class NginxServer
{
public:
    ~NginxServer();

    // Empty when it listens; otherwise what went wrong.
    QString start(const QString& workFolder, const QString& rootFolder);
    QString baseAddress() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }
    // One line per request: "<request line> via=<Via header>".
    QStringList accessLog() const;

private:
    QString folder;
    quint16 port = 0;
    QProcess process;
};
