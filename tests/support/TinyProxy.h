#pragma once

// tinyproxy on loopback in the foreground, as a child process with a config of its own;
// killed with the object.

#include <QProcess>
#include <QString>

class TinyProxy
{
public:
    ~TinyProxy();

    // Empty when it listens; otherwise what went wrong. basicAuth: "user password" or empty.
    QString start(const QString& folder, const QString& basicAuth);

    quint16 port = 0;
    QProcess process;
};
