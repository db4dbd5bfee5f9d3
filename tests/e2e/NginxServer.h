#pragma once

// nginx serving one folder on a free loopback port, in the foreground as a child process
// with a configuration of its own; asked to finish the requests under way and stop with
// the object. Its access log names each request's path and the proxy it came through ("Via").

#include "ListeningChild.h"

class NginxServer : private ListeningChild
{
public:
    NginxServer() : ListeningChild(SIGQUIT) {}

    // Empty when it listens; otherwise what went wrong. With a certificate and its key it
    // speaks https; serverLines go into its server block as they are.
    QString start(const QString& workFolder, const QString& rootFolder, const QString& certificate = {},
                  const QString& key = {}, const QString& serverLines = {});
    QString baseAddress() const
    {
        return QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(secure ? "https" : "http")).arg(port);
    }
    // One line per request: "<request line> via=<Via header> status=<status>".
    QStringList accessLog() const
    {
        return QString::fromUtf8(readFile(folder + "/access.log")).split('\n', Qt::SkipEmptyParts);
    }

private:
    QString folder;
    bool secure = false;
};
