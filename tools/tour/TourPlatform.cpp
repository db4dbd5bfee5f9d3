#include "TourPlatform.h"

#include <QCoreApplication>

void TourPlatform::endProcess()
{
    ended = true;
    QCoreApplication::exit(0);
}
