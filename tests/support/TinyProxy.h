#pragma once

// tinyproxy on loopback in the foreground, killed with the object.

#include "ListeningChild.h"

class TinyProxy : public ListeningChild
{
public:
    // Empty when it listens; otherwise what went wrong. basicAuth: "user password" or empty.
    QString start(const QString& folder, const QString& basicAuth)
    {
        const QString config = folder + "/tinyproxy.conf";
        return launch("tinyproxy", config,
                      QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\n%2\n")
                          .arg(port)
                          .arg(basicAuth.isEmpty() ? QString() : "BasicAuth " + basicAuth),
                      {"-d", "-c", config});
    }
};
