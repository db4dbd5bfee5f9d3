#pragma once

// The Internet transfer component: one HTTP GET at a time, driven by the download
// engine. stateChanged reports the states below while a request runs.

#include <QByteArray>
#include <QObject>
#include <QString>

struct ProxySettings
{
    int connectionType = 0; // 0 the system's settings, 1 direct, 2 the named proxy
    QString address;
    quint16 port = 0;
    bool authenticate = false; // user and password are sent only when this is on
    QString user;
    QString password;
};

class TransferComponent : public QObject
{
    Q_OBJECT

public:
    enum State
    {
        Resolving = 1,
        Connecting = 3,
        RequestSending = 5,
        ReceivingResponse = 7,
        Error = 11,
        ResponseCompleted = 12,
    };

    using QObject::QObject;
    ~TransferComponent() override = default;

    // Starts a GET of the address; any running transfer is cancelled first.
    virtual void execute(const QString& url) = 0;
    // The next execute asks only for the body from offset on (Range), and only while the
    // file still carries validator (If-Range); otherwise the server sends it whole.
    virtual void askFrom(qint64 offset, const QString& validator) = 0;
    // True while a transfer runs.
    virtual bool stillExecuting() const = 0;
    // A response header's value, empty when absent.
    virtual QString header(const QString& name) const = 0;
    // Takes up to maxBytes of the body received so far.
    virtual QByteArray readChunk(qint64 maxBytes) = 0;
    virtual void cancel() = 0;
    virtual void setProxy(const ProxySettings& proxy) = 0;
    // The response's status line or the error's description.
    virtual QString responseInfo() const = 0;

    // Whether the status line and headers of the response have arrived.
    virtual bool headersReceived() const = 0;
    // The response's HTTP status code; 0 before the response arrives.
    virtual int statusCode() const = 0;
    // True once the transfer has ended with its whole body received and no error.
    virtual bool completed() const = 0;
    // The request time-out in milliseconds: the transfer fails after the server has been silent
    // this long. Time in which received body waits unread is the reader's, not the server's.
    virtual void setRequestTimeoutMs(int milliseconds) = 0;

Q_SIGNALS:
    void stateChanged(int state);
    // The transfer moved on: headers or body data arrived, or it ended, failed or was cancelled.
    void activity();
};
