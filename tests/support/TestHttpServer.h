#pragma once

// An HTTP server on 127.0.0.1 at a free port, on its own thread, for tests and
// benchmarks. It serves bytes and generated bodies, and misbehaves on request. Routes
// may be added while it runs.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <memory>

class TestHttpServer
{
public:
    struct Request
    {
        QString path;
        QMap<QString, QString> headers; // names in lower case
    };

    TestHttpServer();
    ~TestHttpServer();

    // Starts listening; false when no port could be bound.
    bool start();
    // "http://127.0.0.1:<port>" + path.
    QString url(const QString& path = QString()) const;

    // The bytes as they are, with Content-Length; text content types are compressed for
    // a client that accepts gzip.
    void serveBytes(const QString& path, const QByteArray& body, int status = 200,
                    const QString& contentType = QStringLiteral("application/octet-stream"));
    // A body of size bytes made on the fly (GeneratedBytes), with Content-Length.
    void serveGenerated(const QString& path, qint64 size);
    static QByteArray generatedBytes(qint64 offset, qint64 size);

    // Neither Content-Length nor chunks: the end of the body is the end of the connection.
    void serveWithoutLength(const QString& path, const QByteArray& body);
    // Accepts the connection, reads the request and never answers.
    void serveNeverAnswered(const QString& path);
    // Announces `announced` bytes, sends body and closes the connection.
    void serveCutShort(const QString& path, const QByteArray& body, qint64 announced);
    // Sends the body in pieces with a pause between them.
    void serveTrickle(const QString& path, const QByteArray& body, int pieceBytes, int pauseMs);
    // Answers status (a 3xx) with the location of another path of this server and body.
    void serveRedirect(const QString& path, const QString& targetPath, int status = 302, const QByteArray& body = {});

    // Drops a connection once a write has waited this long for the client to read, as
    // servers that drop idle connections do; set before the request.
    void setWriteTimeoutMs(int milliseconds);
    // A file with a strong ETag, as a static web server serves it.
    struct Resumable
    {
        QString etag = QStringLiteral("\"v1\"");
        bool ranges = true; // a Range whose If-Range names the tag gets 206 and the rest; else 200
        int cuts = 0;       // an answer starting before cuts x cutBytes ends the connection at the
                            // next multiple of cutBytes
        qint64 cutBytes = 0;
        bool pastTheEnd416 = true; // a range past the end gets 416, as from nginx; else what the library
                                   // makes of it: a 206 whose range is not the one asked for
    };
    void serveResumable(const QString& path, const QByteArray& body, const Resumable& how);

    QList<Request> requests() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};
