#include "app/ReportLineErrorHandler.h"

#include "app/Dialogs.h"
#include "app/Failure.h"

QString ReportLineErrorHandler::ReportLine(const QString& source, const Failure& failure)
{
    return QStringLiteral("Source: ") + source + QStringLiteral("|Code: ") + QString::number(failure.code) +
           QStringLiteral("|Description: ") + failure.description;
}

void ReportLineErrorHandler::HandleError(const QString& source, const Failure& failure)
{
    MessageRequest message;
    message.text = ReportLine(source, failure);
    message.icon = MessageIcon::Critical;
    dialogs.messageBox(message);
}
