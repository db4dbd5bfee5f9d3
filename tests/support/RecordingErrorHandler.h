#pragma once

#include "app/ErrorHandler.h"
#include "app/Failure.h"

#include <QList>

// Records every failure handed to the common error handler.
class RecordingErrorHandler : public ErrorHandler
{
public:
    struct Report
    {
        QString source;
        int code;
        QString description;
    };

    void handleError(const QString& source, const Failure& failure) override
    {
        reports.append({source, failure.code, failure.description});
    }

    QList<Report> reports;
};
