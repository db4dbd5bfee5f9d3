#include "app/ErrorReport.h"

#include "app/Failure.h"

#include <QDate>
#include <QLocale>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

QString lastErrorLine(const QString& source, const Failure& failure)
{
    return QStringLiteral("Source: ") + source + QStringLiteral("|Code: ") + QString::number(failure.code) +
           QStringLiteral("|Description: ") + failure.description;
}

QString errorInformationSection(const QString& lastErrorText)
{
    QString failureLines = lastErrorText;
    failureLines.replace(QLatin1Char('|'), LineEnd);
    return QStringLiteral("----- Error Information -----") + LineEnd + failureLines + LineEnd;
}

QString environmentSection(const ErrorReportFacts& facts)
{
    return QStringLiteral("----- Environment Information -----") + LineEnd +
           QStringLiteral("Product name: Korvane Manager ") + facts.appVersion + LineEnd +
           QStringLiteral("Operating system: ") + facts.operatingSystem + LineEnd +
           QStringLiteral("Korvane version: ") + facts.krvnVersion + LineEnd + QStringLiteral("Korvane path: ") +
           facts.krvnExe + LineEnd;
}

QString closingSection(const QDate& date, const QLocale& locale)
{
    return QStringLiteral("Report generated on: ") + locale.toString(date, QLocale::ShortFormat) + LineEnd +
           QStringLiteral("----- End Report -----") + LineEnd;
}
