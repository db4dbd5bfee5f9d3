#include "updates/CheckDate.h"

#include <QLocale>

QString checkDate(const QDate& day)
{
    return QLocale::system().toString(day, QLocale::ShortFormat);
}
