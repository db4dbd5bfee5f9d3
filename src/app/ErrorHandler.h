#pragma once

#include <QString>

struct Failure;

// The common error handler: shows the failure of the procedure named by source.
class ErrorHandler
{
public:
    virtual ~ErrorHandler() = default;
    virtual void handleError(const QString& source, const Failure& failure) = 0;
};
