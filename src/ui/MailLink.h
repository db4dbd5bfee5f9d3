#pragma once

// The "mailto:" link of the error report and the about box, and SendEmail that hands
// it to the user's mail program.

#include <QString>

class BuiltinStrings;
class Dialogs;
class Platform;

inline const QString SupportAddress = QStringLiteral("support@quillonworks.example");

// "mailto:" + address + "?subject=" + subject + "&body=" + body, subject and body
// percent-encoded as UTF-8 (RFC 6068), so every character reaches the mail program.
QString mailLink(const QString& address, const QString& subject, const QString& body);

// Opens a new message to the support address; with showNotice, first shows the notice
// about the languages the author reads (built-in row 652).
void sendEmail(Platform& platform, Dialogs& dialogs, const BuiltinStrings& strings, const QString& subject,
               const QString& body, bool showNotice);
