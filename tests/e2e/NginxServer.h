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

    // Empty when it listens; otherwise what went wrong. With a certificate and its key it
    // speaks https; serverLines go into its server block as they are.
    QString start(const QString& workFolder, const QString& rootFolder, const QString& certificate = {},
                  const QString& key = {}, const QString& serverLines = {});
    QString baseAddress() const
    {
        return QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(secure ? "https" : "http")).arg(port);
    }
    // One line per request: "<request line> via=<Via header> status=<status>".
    QStringList accessLog() const;

private:
    QString folder;
    quint16 port = 0;
    bool secure = false;
    QProcess process;
};
