#pragma once

#include <QDate>
#include <QString>

// A day as the checks record it (`LastCheckDate`, `LastSelfCheckDate`): the user's short date format.
QString checkDate(const QDate& day);
