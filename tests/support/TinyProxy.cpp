#include "TinyProxy.h"

#include <QDir>

QString TinyProxy::start(const QString& folder, const QString& basicAuth)
{
    const QString config = QDir(folder).filePath("tinyproxy.conf");
    return launch("tinyproxy", config,
                  QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\n%2\n")
                      .arg(port)
                      .arg(basicAuth.isEmpty() ? QString() : "BasicAuth " + basicAuth),
                  {"-d", "-c", config});
}
