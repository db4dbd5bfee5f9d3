#include "net/QtTransferComponent.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {

class SystemProxyFactory : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override
    {
        return QNetworkProxyFactory::systemProxyForQuery(query);
    }
};

// Errors that only restate the response's status: the response itself arrived whole.
bool isStatusError(QNetworkReply::NetworkError error)
{
    const int code = int(error);
    return (code >= 201 && code <= 299) || (code >= 401 && code <= 499);
}

// Swallows the queued calls a dropped reply still gets from the network thread. The
// thread may queue them after the drop (its answer was on its way while the abort went
// the other way); delivered then, Qt 6.4 takes a second error for an internal fault and warns.
class DroppedReplies : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::MetaCall; }
};

} // namespace

QtTransferComponent::QtTransferComponent(QObject* parent)
    : TransferComponent(parent), manager(new QNetworkAccessManager(this)), watchdog(new QTimer(this)),
      droppedReplies(new DroppedReplies(this))
{
    watchdog->setSingleShot(true);
    connect(watchdog, &QTimer::timeout, this, &QtTransferComponent::onTimedOut);
    manager->setProxyFactory(new SystemProxyFactory);
}

QtTransferComponent::~QtTransferComponent()
{
    dropReply();
}

void QtTransferComponent::execute(const QString& url)
{
    if (reply)
        cancel();
    running = true;
    resolvingReported = false;
    followedRedirect = false;
    gotHeaders = false;
    headersValid = false;
    done = false;
    status = 0;
    bodyBytes = 0;
    info.clear();
    headers.clear();

    QNetworkRequest request{QUrl(url)};
    // A compressed answer would drop Content-Length and change every byte count.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // Never from https to http: an answer the secure address vouches for stays secure.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    if (rangeFrom > 0) {
        request.setRawHeader("Range", "bytes=" + QByteArray::number(rangeFrom) + '-');
        request.setRawHeader("If-Range", rangeValidator.toLatin1());
    }
    rangeFrom = 0;
    rangeValidator.clear();
    reply = manager->get(request);
    reply->setReadBufferSize(ReadBufferBytes);
    connect(reply, &QNetworkReply::socketStartedConnecting, this, &QtTransferComponent::onConnecting);
    connect(reply, &QNetworkReply::requestSent, this, &QtTransferComponent::onRequestSent);
    connect(reply, &QNetworkReply::metaDataChanged, this, &QtTransferComponent::onHeaders);
    connect(reply, &QNetworkReply::redirected, this, [this] { followedRedirect = true; });
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) { bodyBytes = received; });
    connect(reply, &QNetworkReply::readyRead, this, &QtTransferComponent::onBody);
    connect(reply, &QNetworkReply::finished, this, &QtTransferComponent::onFinished);
    watchdog->start(timeoutMs);

    // The component reports its states from the event loop, never from inside execute.
    QTimer::singleShot(0, reply, [this] { onResolving(); });
}

void QtTransferComponent::askFrom(qint64 offset, const QString& validator)
{
    rangeFrom = validator.isEmpty() ? 0 : offset;
    rangeValidator = validator;
}

QString QtTransferComponent::header(const QString& name) const
{
    if (!headersValid)
        return {};
    const QByteArray key = name.toLatin1().toLower();
    for (const auto& [headerName, value] : headers) {
        if (headerName.toLower() != key)
            continue;
        // Qt may join the headers of a followed redirection with the final response's
        // ("0, 2048"); the final response's value comes last.
        const QString text = QString::fromLatin1(value);
        return followedRedirect ? text.section(QStringLiteral(", "), -1) : text;
    }
    return {};
}

QByteArray QtTransferComponent::readChunk(qint64 maxBytes)
{
    if (!reply || maxBytes <= 0)
        return {};
    const QByteArray chunk = reply->read(maxBytes);
    if (!chunk.isEmpty())
        touched();
    return chunk;
}

void QtTransferComponent::cancel()
{
    const bool wasRunning = running;
    halt();
    headersValid = false;
    dropReply();
    if (wasRunning)
        Q_EMIT activity();
}

void QtTransferComponent::setRequestTimeoutMs(int milliseconds)
{
    timeoutMs = milliseconds;
}

void QtTransferComponent::setProxy(const ProxySettings& proxy)
{
    switch (proxy.connectionType) {
    case 1:
        manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        break;
    case 2:
        manager->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxy.address, proxy.port,
                                        proxy.authenticate ? proxy.user : QString(),
                                        proxy.authenticate ? proxy.password : QString()));
        break;
    default:
        manager->setProxyFactory(new SystemProxyFactory);
        break;
    }
}

void QtTransferComponent::onResolving()
{
    if (!running || resolvingReported)
        return;
    resolvingReported = true;
    Q_EMIT stateChanged(Resolving);
}

void QtTransferComponent::onConnecting()
{
    touched();
    // The network thread may report the connection before the event loop reports the look-up.
    onResolving();
    Q_EMIT stateChanged(Connecting);
}

void QtTransferComponent::onRequestSent()
{
    touched();
    Q_EMIT stateChanged(RequestSending);
}

void QtTransferComponent::onHeaders()
{
    const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!code.isValid())
        return;
    // A redirection being followed is not the answer; the final response brings its own headers.
    const int candidate = code.toInt();
    if (!reply->isFinished() && candidate >= 300 && candidate <= 399 && reply->hasRawHeader("Location"))
        return;
    touched();
    status = candidate;
    headers = reply->rawHeaderPairs();
    const QString version = reply->attribute(QNetworkRequest::Http2WasUsedAttribute).toBool()
                                ? QStringLiteral("HTTP/2")
                                : QStringLiteral("HTTP/1.1");
    info = (version + QLatin1Char(' ') + QString::number(status) + QLatin1Char(' ') +
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
               .trimmed();
    gotHeaders = true;
    headersValid = true;
    Q_EMIT stateChanged(ReceivingResponse);
    Q_EMIT activity();
}

void QtTransferComponent::onBody()
{
    touched();
    Q_EMIT stateChanged(ReceivingResponse);
    Q_EMIT activity();
}

void QtTransferComponent::onFinished()
{
    const QNetworkReply::NetworkError error = reply->error();
    if (error != QNetworkReply::NoError && !isStatusError(error)) {
        fail(reply->errorString());
        return;
    }
    // A final answer that was taken for a redirection (3xx with a Location that Qt does not
    // follow) is read here; that re-arms the watchdog, which halt() below stops again.
    if (!gotHeaders)
        onHeaders();
    bool lengthOk = false;
    const qint64 announced = header(QStringLiteral("Content-Length")).toLongLong(&lengthOk);
    if (lengthOk && bodyBytes < announced) {
        fail(QStringLiteral("The server closed the connection after %1 of %2 bytes.").arg(bodyBytes).arg(announced));
        return;
    }
    halt();
    done = true;
    Q_EMIT stateChanged(ResponseCompleted);
    Q_EMIT activity();
}

void QtTransferComponent::onTimedOut()
{
    // Body of an accepted answer that nobody has read yet means the program, not the server,
    // went quiet: a modal dialog holds the reader, and once the buffer is full the socket is
    // no longer read. The next read starts the clock again. Before the answer is accepted
    // nobody is meant to read, so unread body then proves nothing.
    if (gotHeaders && reply && reply->bytesAvailable() > 0)
        return;
    fail(QStringLiteral("The server did not answer for %1 seconds.").arg(timeoutMs / 1000.0));
}

void QtTransferComponent::fail(const QString& description)
{
    halt();
    headersValid = false;
    info = description;
    dropReply();
    Q_EMIT stateChanged(Error);
    Q_EMIT activity();
}

void QtTransferComponent::dropReply()
{
    if (!reply)
        return;
    QNetworkReply* old = reply;
    reply = nullptr;
    old->disconnect(this);
    old->abort();
    // The network thread may have queued the rest of the answer for this reply (its HTTP
    // error status, its end), or still queue it until the abort reaches it. Delivered after
    // the abort, Qt 6.4 takes that second error for an internal fault and warns; the reply
    // is done with, so what is queued goes now and what comes later is swallowed.
    QCoreApplication::removePostedEvents(old, QEvent::MetaCall);
    old->installEventFilter(droppedReplies);
    old->deleteLater();
}

void QtTransferComponent::touched()
{
    if (running)
        watchdog->start(timeoutMs);
}

void QtTransferComponent::halt()
{
    running = false;
    watchdog->stop();
}
