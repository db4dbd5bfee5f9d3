#include "NginxServer.h"

#include "ListeningChild.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <csignal>

NginxServer::~NginxServer()
{
    if (process.state() == QProcess::NotRunning)
        return;
    ::kill(static_cast<pid_t>(process.processId()), SIGQUIT); // finishes the requests under way
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

QString NginxServer::start(const QString& workFolder, const QString& rootFolder, const QString& certificate,
                           const QString& key, const QString& serverLines)
{
    folder = workFolder;
    secure = !certificate.isEmpty();
    const QString program = QStandardPaths::findExecutable("nginx", {"/usr/sbin", "/usr/bin"});
    port = freeLoopbackPort();
    if (program.isEmpty() || port == 0)
        return "nginx is not installed (nginx-light), or no port is free";
    const QDir dir(folder);
    QFile config(dir.filePath("nginx.conf"));
    if (!config.open(QIODevice::WriteOnly))
        return "cannot write " + config.fileName();
    // Every path nginx writes stays in the work folder, so it runs without root.
    config.write(QStringLiteral("daemon off;\nmaster_process off;\npid %1/nginx.pid;\nerror_log %1/error.log;\n"
                                "events { worker_connections 64; }\n"
                                "http {\n"
                                "  log_format tour '$request via=$http_via status=$status';\n"
                                "  access_log %1/access.log tour;\n"
                                "  client_body_temp_path %1/body; proxy_temp_path %1/proxy;\n"
                                "  fastcgi_temp_path %1/fastcgi; uwsgi_temp_path %1/uwsgi; scgi_temp_path %1/scgi;\n"
                                "  types { text/plain txt; text/html html; application/zip zip; }\n"
                                "  default_type application/octet-stream;\n"
                                "  server { listen 127.0.0.1:%2%4; root %3; index index.html;\n%5  }\n"
                                "}\n")
                     .arg(folder)
                     .arg(port)
                     .arg(rootFolder,
                          secure
                              ? QStringLiteral(" ssl; ssl_certificate %1; ssl_certificate_key %2").arg(certificate, key)
                              : QString(),
                          serverLines)
                     .toUtf8());
    config.close();

    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, {"-p", folder, "-e", dir.filePath("error.log"), "-c", config.fileName()});
    const bool listening = listensOn(process, port);
    QFile errors(dir.filePath("error.log"));
    errors.open(QIODevice::ReadOnly);
    return listening ? QString()
                     : "nginx is not listening: " + QString::fromLocal8Bit(process.readAll() + errors.readAll());
}

QStringList NginxServer::accessLog() const
{
    QFile log(QDir(folder).filePath("access.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}
