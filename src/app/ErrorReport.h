#pragma once

// The sections of the error dialog's report, plain text from the failure line and facts
// about the environment. The dialog shows each section as soon as it is built, so a fact
// that cannot be gathered leaves the sections before it. Each line ends in CR LF.

#include <QString>

class QDate;
class QLocale;
struct Failure;

// LastErrorText of a failure: "Source: ...|Code: ...|Description: ...".
QString lastErrorLine(const QString& source, const Failure& failure);

struct ErrorReportFacts
{
    QString appVersion;
    QString operatingSystem;
    QString krvnVersion;
    QString krvnExe;
};

// "----- Error Information -----" and the failure line, one report line per "|" part.
QString errorInformationSection(const QString& lastErrorText);
QString environmentSection(const ErrorReportFacts& facts);
// The date line in the locale's short date format, and the closing line.
QString closingSection(const QDate& date, const QLocale& locale);

// Shown when the facts of the report cannot be gathered.
inline const QString ReportFailedText = QStringLiteral("Error while generating report.");
