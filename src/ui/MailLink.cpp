#include "ui/MailLink.h"

#include "app/Dialogs.h"
#include "app/Platform.h"
#include "lang/BuiltinStrings.h"

#include <QUrl>

namespace {

constexpr int LanguageNoticeRow = 652;

QString encoded(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

} // namespace

QString mailLink(const QString& address, const QString& subject, const QString& body)
{
    return QStringLiteral("mailto:") + address + QStringLiteral("?subject=") + encoded(subject) +
           QStringLiteral("&body=") + encoded(body);
}

void sendEmail(Platform& platform, Dialogs& dialogs, const BuiltinStrings& strings, const QString& subject,
               const QString& body, bool showNotice)
{
    if (showNotice) {
        MessageRequest notice;
        notice.text = strings.lookup(LanguageNoticeRow).value_or(QString());
        notice.icon = MessageIcon::Information;
        dialogs.messageBox(notice);
    }
    platform.openDocument(mailLink(SupportAddress, subject, body));
}
