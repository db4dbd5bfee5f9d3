#pragma once

#include "app/ErrorHandler.h"

class Dialogs;

// Shows a failure as its report line ("Source: ...|Code: ...|Description: ...") in a
// message box.
class ReportLineErrorHandler : public ErrorHandler
{
public:
    explicit ReportLineErrorHandler(Dialogs& dialogs) : dialogs(dialogs) {}
    void HandleError(const QString& source, const Failure& failure) override;

    static QString ReportLine(const QString& source, const Failure& failure);

private:
    Dialogs& dialogs;
};
