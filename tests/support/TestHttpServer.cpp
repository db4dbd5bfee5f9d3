#include "TestHttpServer.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

// The generated body repeats with a prime period, so a byte written at the wrong
// offset shows up.
constexpr qint64 PatternPeriod = 65521;

const QByteArray& pattern()
{
    static const QByteArray pattern = [] {
        QByteArray bytes(PatternPeriod, Qt::Uninitialized);
        quint32 seed = 2463534242u;
        for (char& byte : bytes) {
            seed ^= seed << 13;
            seed ^= seed >> 17;
            seed ^= seed << 5;
            byte = char(seed & 0xFF);
        }
        return bytes;
    }();
    return pattern;
}

// The generated body from offset on: as much as is wanted, up to the end of one period.
std::string_view patternFrom(qint64 offset, qint64 wanted)
{
    const qint64 start = offset % PatternPeriod;
    return {pattern().constData() + start, size_t(std::min(wanted, PatternPeriod - start))};
}

} // namespace

struct TestHttpServer::Impl
{
    httplib::Server server;
    std::thread thread;
    int port = 0;
    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::map<std::string, Handler> routes;
    QList<Request> requests;

    void route(const QString& path, Handler handler)
    {
        const std::lock_guard lock(mutex);
        routes[path.toStdString()] = std::move(handler);
    }
    void route(const QString& path, std::function<void(httplib::Response&)> handler)
    {
        route(path, [handler = std::move(handler)](const httplib::Request&, httplib::Response& response) {
            handler(response);
        });
    }

    // Sleeps unless the server stops meanwhile; false when it stops.
    bool pause(int ms)
    {
        std::unique_lock lock(mutex);
        return !wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
    }
};

TestHttpServer::TestHttpServer() : impl(std::make_unique<Impl>())
{
    impl->server.set_keep_alive_timeout(1);
    impl->server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        std::unique_lock lock(impl->mutex);
        Request seen{QString::fromStdString(request.path), {}};
        for (const auto& [name, value] : request.headers)
            seen.headers.insert(QString::fromStdString(name).toLower(), QString::fromStdString(value));
        impl->requests.append(seen);
        const auto found = impl->routes.find(request.path);
        const Handler handler = found != impl->routes.end()
                                    ? found->second
                                    : [](const httplib::Request&, httplib::Response& answer) { answer.status = 404; };
        lock.unlock(); // a handler may wait for the server to stop
        handler(request, response);
    });
}

bool TestHttpServer::start()
{
    impl->port = impl->server.bind_to_any_port("127.0.0.1");
    if (impl->port <= 0)
        return false;
    impl->thread = std::thread([this] { impl->server.listen_after_bind(); });
    for (int i = 0; i < 5000 && !impl->server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return impl->server.is_running();
}

void TestHttpServer::setWriteTimeoutMs(int milliseconds)
{
    impl->server.set_write_timeout(milliseconds / 1000, (milliseconds % 1000) * 1000);
}

TestHttpServer::~TestHttpServer()
{
    if (!impl->thread.joinable())
        return;
    {
        const std::lock_guard lock(impl->mutex);
        impl->stopping = true;
    }
    impl->wake.notify_all();
    impl->server.stop();
    impl->thread.join();
}

QString TestHttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(impl->port) + path;
}

void TestHttpServer::serveBytes(const QString& path, const QByteArray& body, int status, const QString& contentType)
{
    impl->route(path,
                [content = body.toStdString(), type = contentType.toStdString(), status](httplib::Response& response) {
                    response.status = status;
                    response.set_content(content, type.c_str());
                });
}

void TestHttpServer::serveGenerated(const QString& path, qint64 size)
{
    impl->route(path, [size](httplib::Response& response) {
        response.set_content_provider(size_t(size), "application/octet-stream",
                                      [](size_t offset, size_t length, httplib::DataSink& sink) {
                                          const std::string_view piece = patternFrom(qint64(offset), qint64(length));
                                          return sink.write(piece.data(), piece.size());
                                      });
    });
}

QByteArray TestHttpServer::generatedBytes(qint64 offset, qint64 size)
{
    QByteArray bytes;
    while (bytes.size() < size) {
        const std::string_view piece = patternFrom(offset + bytes.size(), size - bytes.size());
        bytes.append(piece.data(), qsizetype(piece.size()));
    }
    return bytes;
}

void TestHttpServer::serveWithoutLength(const QString& path, const QByteArray& body)
{
    // In pieces of 4 KiB, then the end.
    impl->route(path, [content = body.toStdString()](httplib::Response& response) {
        response.set_content_provider("application/octet-stream", [content](size_t offset, httplib::DataSink& sink) {
            if (offset < content.size())
                return sink.write(content.data() + offset, std::min(content.size() - offset, size_t(4096)));
            sink.done();
            return true;
        });
    });
}

void TestHttpServer::serveNeverAnswered(const QString& path)
{
    impl->route(path, [this](httplib::Response& response) {
        while (impl->pause(1000))
            ;
        response.status = 503;
    });
}

void TestHttpServer::serveCutShort(const QString& path, const QByteArray& body, qint64 announced)
{
    impl->route(path, [this, content = body.toStdString(), announced](httplib::Response& response) {
        response.set_content_provider(size_t(announced), "application/octet-stream",
                                      [this, content](size_t offset, size_t length, httplib::DataSink& sink) {
                                          if (offset < content.size())
                                              return sink.write(content.data() + offset,
                                                                std::min(length, content.size() - offset));
                                          impl->pause(100); // the client sees the body first and the cut afterwards
                                          return false;
                                      });
    });
}

void TestHttpServer::serveTrickle(const QString& path, const QByteArray& body, int pieceBytes, int pauseMs)
{
    impl->route(path, [this, content = body.toStdString(), pieceBytes, pauseMs](httplib::Response& response) {
        response.set_content_provider(
            content.size(), "application/octet-stream",
            [this, content, pieceBytes, pauseMs](size_t offset, size_t length, httplib::DataSink& sink) {
                if (offset > 0 && !impl->pause(pauseMs))
                    return false;
                return sink.write(content.data() + offset, std::min(length, size_t(pieceBytes)));
            });
    });
}

void TestHttpServer::serveRedirect(const QString& path, const QString& targetPath, int status, const QByteArray& body)
{
    impl->route(path, [this, targetPath, status, content = body.toStdString()](httplib::Response& response) {
        response.set_redirect(url(targetPath).toStdString(), status);
        if (!content.empty())
            response.set_content(content, "text/html");
    });
}

void TestHttpServer::serveResumable(const QString& path, const QByteArray& body, const Resumable& how)
{
    impl->route(
        path, [this, content = body.toStdString(), how](const httplib::Request& request, httplib::Response& response) {
            const std::string tag = how.etag.toStdString();
            response.set_header("ETag", tag);
            // Left unset, the status is 206 for a Range request and the library sends the range.
            if (!how.ranges || (request.has_header("If-Range") && request.get_header_value("If-Range") != tag)) {
                response.status = 200;
                // The library would cut even a 200 answer to the range asked for.
                const_cast<httplib::Request&>(request).ranges.clear();
            }
            const bool pastTheEnd = !request.ranges.empty() && request.ranges.front().first >= ssize_t(content.size());
            if (how.pastTheEnd416 && pastTheEnd) {
                response.status = 416;
                response.set_header("Content-Range", "bytes */" + std::to_string(content.size()));
                const_cast<httplib::Request&>(request).ranges.clear();
                return;
            }
            // Where this answer stops, known at its first piece: by position, not by count, so a
            // request the client repeats on its own meets the same cut.
            auto stopAt = std::make_shared<size_t>(0);
            response.set_content_provider(
                content.size(), "application/zip",
                [this, content, how, stopAt](size_t offset, size_t length, httplib::DataSink& sink) {
                    const size_t every = size_t(how.cutBytes);
                    if (*stopAt == 0)
                        *stopAt = offset < every * size_t(how.cuts) ? (offset / every + 1) * every : content.size();
                    if (offset < *stopAt)
                        return sink.write(content.data() + offset, std::min(length, *stopAt - offset));
                    impl->pause(100); // the client has the bytes before it sees the cut
                    return false;
                });
        });
}

QList<TestHttpServer::Request> TestHttpServer::requests() const
{
    const std::lock_guard lock(impl->mutex);
    return impl->requests;
}
