#include "updates/CheckDate.h"

#include <QLocale>

QString CheckDate(const QDate& day)
{
    return QLocale::system().toString(day, QLocale::ShortFormat);
}
