#pragma once

#include <QString>
#include <QUrl>

// The decoded value of one field of a mailto: link's query, split at the raw "&".
inline QString mailField(const QString& link, const QString& field)
{
    const QString query = link.mid(link.indexOf(QLatin1Char('?')) + 1);
    for (const QString& pair : query.split(QLatin1Char('&'))) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (pair.left(equals) == field)
            return QUrl::fromPercentEncoding(pair.mid(equals + 1).toLatin1());
    }
    return QStringLiteral("<no %1 field>").arg(field);
}
