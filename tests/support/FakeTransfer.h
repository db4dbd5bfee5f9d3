#pragma once

#include "app/TransferComponent.h"

// A transfer component that only says whether it is busy.
class FakeTransfer : public TransferComponent
{
    Q_OBJECT

public:
    void execute(const QString&) override { executing = true; }
    void askFrom(qint64, const QString&) override {}
    bool stillExecuting() const override { return executing; }
    QString header(const QString&) const override { return {}; }
    QByteArray readChunk(qint64) override { return {}; }
    void cancel() override { executing = false; }
    void setProxy(const ProxySettings&) override {}
    QString responseInfo() const override { return {}; }
    bool headersReceived() const override { return false; }
    int statusCode() const override { return 0; }
    bool completed() const override { return false; }
    void setRequestTimeoutMs(int) override {}

    bool executing = false;
};
