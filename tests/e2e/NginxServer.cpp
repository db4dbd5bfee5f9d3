#include "NginxServer.h"

QString NginxServer::start(const QString& workFolder, const QString& rootFolder, const QString& certificate,
                           const QString& key, const QString& serverLines)
{
    folder = workFolder;
    secure = !certificate.isEmpty();
    // Every path nginx writes stays in the work folder, so it runs without root.
    const QString config =
        QStringLiteral("daemon off;\nmaster_process off;\npid %1/nginx.pid;\nerror_log %1/error.log;\n"
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
                 secure ? QStringLiteral(" ssl; ssl_certificate %1; ssl_certificate_key %2").arg(certificate, key)
                        : QString(),
                 serverLines);
    const QString problem = launch("nginx", folder + "/nginx.conf", config,
                                   {"-p", folder, "-e", folder + "/error.log", "-c", folder + "/nginx.conf"});
    return problem.isEmpty() ? problem : problem + QString::fromLocal8Bit(readFile(folder + "/error.log"));
}
