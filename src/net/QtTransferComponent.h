#pragma once

// The transfer component over QNetworkAccessManager: one GET at a time, its body kept in
// a bounded buffer that the reader drains as it arrives.

#include "app/TransferComponent.h"

#include <QList>
#include <QPair>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

class QtTransferComponent : public TransferComponent
{
    Q_OBJECT

public:
    explicit QtTransferComponent(QObject* parent = nullptr);
    ~QtTransferComponent() override;

    // How much received body the component holds before it stops reading from the socket.
    static constexpr qint64 ReadBufferBytes = 8 * 1024 * 1024;

    void execute(const QString& url) override;
    void askFrom(qint64 offset, const QString& validator) override;
    bool stillExecuting() const override { return running; }
    QString header(const QString& name) const override;
    QByteArray readChunk(qint64 maxBytes) override;
    void cancel() override;
    void setProxy(const ProxySettings& proxy) override;
    QString responseInfo() const override { return info; }
    bool headersReceived() const override { return gotHeaders; }
    int statusCode() const override { return status; }
    bool completed() const override { return done; }
    void setRequestTimeoutMs(int milliseconds) override;

private:
    void onResolving();
    void onConnecting();
    void onRequestSent();
    void onHeaders();
    void onBody();
    void onFinished();
    void onTimedOut();
    void fail(const QString& description);
    void dropReply();
    // Restarts the watchdog while the transfer runs.
    void touched();
    // Ends the transfer's running state together with its watchdog.
    void halt();

    QNetworkAccessManager* manager;
    QNetworkReply* reply = nullptr;
    QTimer* watchdog;
    QObject* droppedReplies; // filters what still reaches a dropped reply
    int timeoutMs = 15000;
    bool running = false;
    bool resolvingReported = false;
    bool followedRedirect = false;
    bool gotHeaders = false;
    bool headersValid = false;
    bool done = false;
    int status = 0;
    qint64 rangeFrom = 0;
    QString rangeValidator;
    qint64 bodyBytes = 0;
    QString info;
    QList<QPair<QByteArray, QByteArray>> headers;
};
