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
    };

    using QObject::QObject;
    ~TransferComponent() override = default;

    // Starts a GET of the address; any running transfer is cancelled first.
    virtual void execute(const QString& url) = 0;
    // True while a transfer runs.
    virtual bool stillExecuting() const = 0;
    // A response header's value, empty when absent.
    virtual QString header(const QString& name) const = 0;
    // Takes up to maxBytes of the body received so far.
    virtual QByteArray readChunk(qint64 maxBytes) = 0;
    virtual void cancel() = 0;
    virtual void setRequestTimeout(int seconds) = 0;
    virtual void setProxy(const ProxySettings& proxy) = 0;
    // The response's status line or the error's description.
    virtual QString responseInfo() const = 0;

Q_SIGNALS:
    void stateChanged(int state);
};
